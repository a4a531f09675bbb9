#include "engine/gui/GUIWindow.h"

#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIManager.h"

#include <gtest/gtest.h>

using namespace Halvard;

namespace {

constexpr Vector4 kWhite(1.0f, 1.0f, 1.0f, 1.0f);

} // namespace

TEST(GUIWindowTest, HidingAParentHidesItsSubtreeAndShowingItShowsOnlyShownChildren)
{
    GUIWindow parent(GUIWindow::kShown, Vector2(1.0f, 1.0f), Vector2(2.0f, 1.0f), nullptr);
    GUIWindow shownChild(GUIWindow::kShown, Vector2(0.5f, 0.0f), Vector2(1.0f, 1.0f), &parent);
    GUIWindow hiddenChild(0, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), &parent);
    EXPECT_TRUE(shownChild.visible);
    EXPECT_FALSE(hiddenChild.visible);
    parent.ClearFlags(GUIWindow::kShown);
    EXPECT_FALSE(shownChild.visible);
    parent.SetFlags(GUIWindow::kShown);
    EXPECT_TRUE(shownChild.visible);
    EXPECT_FALSE(hiddenChild.visible);
    EXPECT_FLOAT_EQ(shownChild.GetAbsolutePosition().x, 1.5f);
}

TEST(GUIWindowTest, SettingFlagsOfWhichOneIsAlreadySetChangesNothing)
{
    GUIWindow window(GUIWindow::kLayerFront, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), nullptr);
    window.SetFlags(GUIWindow::kShown | GUIWindow::kLayerFront);
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(window.GetFlags(), static_cast<u32>(GUIWindow::kLayerFront));
}

TEST(GUIWindowTest, TheCursorMustLieStrictlyInside)
{
    GUIWindow window(GUIWindow::kShown, Vector2(1.0f, 1.0f), Vector2(2.0f, 1.0f), nullptr);
    EXPECT_TRUE(window.ProcessInput(Vector2(1.0f, 1.5f), false, false));
    EXPECT_FALSE(window.over);
    window.ProcessInput(Vector2(1.01f, 1.5f), false, false);
    EXPECT_TRUE(window.over);
    window.ClearFlags(GUIWindow::kShown);
    EXPECT_FALSE(window.ProcessInput(Vector2(1.5f, 1.5f), false, false));
    EXPECT_FALSE(window.over);
}

TEST(GUIWindowTest, TextsLastOneFrameAndAHiddenWindowDropsThem)
{
    GUIWindow window(GUIWindow::kShown, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), nullptr);
    window.AddText(0, 1, Vector2(0.0f, 0.0f), kWhite, L"", 0.0f, -1.0f);
    EXPECT_TRUE(window.GetTexts().empty());
    window.AddText(0, 1, Vector2(0.0f, 0.0f), kWhite, L"shown", 0.0f, -1.0f);
    ASSERT_EQ(window.GetTexts().size(), 1u);
    EXPECT_TRUE(window.Draw());
    EXPECT_TRUE(window.GetTexts().empty());
    window.ClearFlags(GUIWindow::kShown);
    window.AddText(0, 1, Vector2(0.0f, 0.0f), kWhite, L"hidden", 0.0f, -1.0f);
    EXPECT_FALSE(window.Draw());
    window.SetFlags(GUIWindow::kShown);
    EXPECT_TRUE(window.GetTexts().empty());
}

TEST(GUIWindowTest, AChildOutlivingItsParentBecomesTopLevel)
{
    auto parent = std::make_unique<GUIWindow>(GUIWindow::kShown, Vector2(1.0f, 1.0f), Vector2(1.0f, 1.0f), nullptr);
    GUIWindow child(GUIWindow::kShown, Vector2(0.5f, 0.5f), Vector2(1.0f, 1.0f), parent.get());
    parent.reset();
    EXPECT_EQ(child.GetParent(), nullptr);
    EXPECT_TRUE(child.visible);
    EXPECT_FLOAT_EQ(child.GetAbsolutePosition().x, 0.5f);
}

TEST(GUIManagerTest, EachDestroyTakesOnlyWidgetsOfItsOwnTable)
{
    GUIManager gui(nullptr, nullptr, nullptr);
    EXPECT_FLOAT_EQ(gui.GetWidth(), 4.0f);
    EXPECT_FLOAT_EQ(gui.GetHeight(), 3.0f);
    GUIWindow* panel = gui.CreateWindowFromShader(0, Vector2(0.0f, 0.0f), Vector2(4.0f, 3.0f), nullptr, nullptr,
                                                  Vector2(1.0f, 1.0f));
    GUIEditBoxSettings lineSettings;
    lineSettings.size = Vector2(4.0f, 0.1f);
    lineSettings.parent = panel;
    lineSettings.textColor = kWhite;
    lineSettings.maxLength = 10;
    lineSettings.maxWidth = 100.0f;
    lineSettings.visibleWidth = 4.0f;
    GUIEditBox* line = gui.CreateEditBox(lineSettings, nullptr, Vector2(1.0f, 1.0f));
    gui.DestroyWindow(line);
    gui.DestroyWindow(nullptr);
    EXPECT_EQ(gui.GetWindows().GetCount(), 1u);
    EXPECT_EQ(gui.GetEditBoxes().GetCount(), 1u);
    gui.DestroyEditBox(line);
    EXPECT_EQ(gui.GetEditBoxes().GetCount(), 0u);
}
