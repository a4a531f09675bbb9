#include "framework/cursor/GUIGameCursorBase.h"

#include "engine/core/Config.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "tests/support/FakeEngine.h"

#include <gtest/gtest.h>

#include <memory>

namespace Testing {
namespace {

using GameFramework::GUIGameCursorBase;

class GUIGameCursorBaseTest : public ::testing::Test {
protected:
    GUIGameCursorBaseTest()
    {
        engine.Start();
        cursor = std::make_unique<GUIGameCursorBase>(&engine.Get());
        arrow = Gui()->CreateCursorFromModel(nullptr);
        hand = Gui()->CreateCursorFromModel(nullptr);
        cursor->AddCursor(0, 101, arrow);
        cursor->AddCursor(1, 102, hand);
    }

    Halvard::GUIManager* Gui() { return engine->GetGUIManager(); }
    Halvard::Controls* Controls() { return engine->GetControls(); }
    void SetCustom(const char* value) { engine->GetConfig()->SetValue(GUIGameCursorBase::kCustomCursorVariable, value); }

    FakeEngine engine;
    std::unique_ptr<GUIGameCursorBase> cursor;
    Halvard::GUICursor* arrow = nullptr;
    Halvard::GUICursor* hand = nullptr;
};

TEST_F(GUIGameCursorBaseTest, TheCursorStartsHiddenWithTheCustomCursorInUseAndNoShape)
{
    EXPECT_TRUE(cursor->IsCustomInUse());
    EXPECT_EQ(cursor->GetCurrentId(), GUIGameCursorBase::kNoCursor);
    EXPECT_FALSE(cursor->IsVisible());
    EXPECT_FALSE(Controls()->IsCursorVisible());
    EXPECT_FALSE(arrow->visible);
    EXPECT_FALSE(cursor->Update());
}

TEST_F(GUIGameCursorBaseTest, ChangingTheShapeWhileVisibleMovesTheVisibilityToTheNewWidget)
{
    cursor->SetCursor(0);
    cursor->SetVisible(true);
    EXPECT_TRUE(arrow->visible);
    cursor->SetCursor(1);
    EXPECT_FALSE(arrow->visible);
    EXPECT_TRUE(hand->visible);
    EXPECT_EQ(engine.windows.currentCursor, &engine.windows.arrow);
}

TEST_F(GUIGameCursorBaseTest, AnIdNeverAddedKeepsTheShapeButIsRememberedSoASecondCallDoesNothing)
{
    cursor->SetCursor(0);
    cursor->SetVisible(true);
    cursor->SetCursor(7);
    EXPECT_EQ(cursor->GetCurrentId(), 7u);
    EXPECT_TRUE(arrow->visible);
    cursor->SetCursor(7);
    EXPECT_TRUE(arrow->visible);
    EXPECT_FALSE(hand->visible);
}

TEST_F(GUIGameCursorBaseTest, SwitchingToTheSystemCursorWhileVisibleTakesEffectInTheSameUpdate)
{
    cursor->SetCursor(0);
    cursor->SetVisible(true);
    SetCustom("0");
    EXPECT_TRUE(cursor->Update());
    EXPECT_FALSE(cursor->IsCustomInUse());
    EXPECT_FALSE(arrow->visible);
    EXPECT_TRUE(Controls()->IsCursorVisible());
    EXPECT_TRUE(cursor->IsVisible());
}

TEST_F(GUIGameCursorBaseTest, AChangeMadeWhileHiddenIsAppliedAtTheNextVisibleUpdate)
{
    cursor->SetCursor(0);
    SetCustom("0");
    // Several frames pass while the cursor is hidden; the changed flag is
    // long gone when it shows again.
    for (int frame = 0; frame < 3; ++frame) {
        engine->GetConfig()->Update();
        EXPECT_FALSE(cursor->Update());
    }
    EXPECT_TRUE(cursor->IsCustomInUse());
    cursor->SetVisible(true);
    EXPECT_TRUE(arrow->visible);
    EXPECT_TRUE(cursor->Update());
    EXPECT_FALSE(cursor->IsCustomInUse());
    EXPECT_FALSE(arrow->visible);
    EXPECT_TRUE(Controls()->IsCursorVisible());
}

TEST_F(GUIGameCursorBaseTest, TheCursorDestroysItsWidgetsAndHandsItsSettingBackToTheConfiguration)
{
    const auto count = [&] { return Gui()->GetCursors().GetCount(); };
    const auto before = count();
    SetCustom("0");
    cursor.reset();
    EXPECT_EQ(count(), before - 2);
    // The setting outlives the cursor and binds again to the next one.
    SetCustom("0");
    GUIGameCursorBase next(&engine.Get());
    EXPECT_FALSE(next.IsCustomInUse());
}

} // namespace
} // namespace Testing
