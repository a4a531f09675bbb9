#include "engine/gui/GUIManager.h"

#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/core/Window.h"
#include "engine/render/Model.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/ModelHarness.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

using namespace Halvard;

namespace {

constexpr Vector4 kWhite(1.0f, 1.0f, 1.0f, 1.0f);

} // namespace

TEST(GUIManagerTest, EachDestroyTakesOnlyWidgetsOfItsOwnTable)
{
    Testing::TestEngine engine;
    GUIManager& gui = *engine->GetGUIManager();
    EXPECT_FLOAT_EQ(gui.GetWidth(), 4.0f);
    EXPECT_FLOAT_EQ(gui.GetHeight(), 3.0f);
    const std::size_t bars = gui.GetSideBars().size();
    GUIWindow* panel = gui.CreateWindowFromShader(0, Vector2(0.0f, 0.0f), Vector2(4.0f, 3.0f),
                                                  MakeDefaultShaderDescriptor(), nullptr, Vector2(1.0f, 1.0f));
    GUIEditBoxSettings lineSettings;
    lineSettings.size = Vector2(4.0f, 0.1f);
    lineSettings.parent = panel;
    lineSettings.textColor = kWhite;
    lineSettings.maxLength = 10;
    lineSettings.maxWidth = 100.0f;
    lineSettings.visibleWidth = 4.0f;
    GUIEditBox* line = gui.CreateEditBox(lineSettings, MakeDefaultShaderDescriptor(), Vector2(1.0f, 1.0f));
    gui.DestroyWindow(line);
    gui.DestroyWindow(nullptr);
    EXPECT_EQ(gui.GetWindows().GetCount(), bars + 1);
    EXPECT_EQ(gui.GetEditBoxes().GetCount(), 1u);
    gui.DestroyEditBox(line);
    EXPECT_EQ(gui.GetEditBoxes().GetCount(), 0u);
}

namespace {

// A GUI manager over the fake window system, whose desktop has the given
// shape; its input step is not run, so it needs no controls.
struct SideBarCase {
    Platform::ScreenSize desktop;
    std::size_t bars;
    Vector2 firstPosition;
    Vector2 secondPosition;
    Vector2 size;
};

} // namespace

TEST(GUIManagerSideBarTest, BarsCoverWhatLiesOutsideTheFourByThreeArea)
{
    const SideBarCase cases[] = {
        {{1920, 1080}, 2, Vector2(-0.6666667f, 0.0f), Vector2(4.0f, 0.0f), Vector2(0.6666667f, 3.0f)},
        {{1280, 1024}, 2, Vector2(0.0f, -0.0937500f), Vector2(0.0f, 3.0f), Vector2(4.0f, 0.0937500f)},
        {{1024, 768}, 0, Vector2(), Vector2(), Vector2()},
    };
    for (const SideBarCase& c : cases) {
        Testing::ModelHarness harness;
        harness.render.windows.desktop = c.desktop;
        harness.Start();
        GUIManagerServices services;
        services.messages = harness.render.messages.get();
        services.files = &harness.folder.Files();
        services.window = harness.render.window.get();
        services.timers = &harness.timers;
        services.cameras = harness.cameras.get();
        services.shaders = harness.shaders.get();
        services.models = harness.models.get();
        GUIManager gui(services);
        ASSERT_EQ(gui.GetSideBars().size(), c.bars) << c.desktop.width;
        if (c.bars == 0)
            continue;
        const GUIWindow& first = *gui.GetSideBars()[0];
        const GUIWindow& second = *gui.GetSideBars()[1];
        EXPECT_NEAR(first.position.x, c.firstPosition.x, 1e-5f);
        EXPECT_NEAR(first.position.y, c.firstPosition.y, 1e-5f);
        EXPECT_NEAR(second.position.x, c.secondPosition.x, 1e-5f);
        EXPECT_NEAR(second.position.y, c.secondPosition.y, 1e-5f);
        EXPECT_NEAR(first.size.x, c.size.x, 1e-5f);
        EXPECT_NEAR(second.size.y, c.size.y, 1e-5f);
        EXPECT_EQ(first.GetColor().w, 1.0f);
        EXPECT_EQ(first.GetColor().x, 0.0f);
        // A 800 x 600 GUI space scales the bars with it.
        gui.SetSize(800.0f, 600.0f);
        EXPECT_NEAR(second.position.x + second.position.y, c.bars == 2 && c.desktop.width == 1920 ? 800.0f : 600.0f,
                    1e-3f);
    }
}

// The bars are drawn only in full screen, where the display shows more than
// the 4:3 picture, and behind every layer of widgets.
TEST(GUIManagerSideBarTest, BarsShowOnlyInFullScreenBehindEveryLayer)
{
    Testing::FakeEngine fake;
    fake.windows.desktop = {1920, 1080};
    Halvard::Engine& engine = fake.Start();
    GUIManager& gui = *engine.GetGUIManager();
    ASSERT_EQ(gui.GetSideBars().size(), 2u);
    ASSERT_FALSE(engine.GetWindow()->IsFullScreen());
    const auto shown = [&gui](bool expected) {
        for (const GUIWindow* bar : gui.GetSideBars()) {
            EXPECT_EQ(bar->visible, expected);
            EXPECT_EQ((bar->GetModel()->GetFlags() & Model::kVisible) != 0, expected);
            EXPECT_FLOAT_EQ(bar->GetModel()->depth, -31.0f);
        }
    };
    gui.Update();
    shown(false);
    engine.GetWindow()->SetMode(1920, 1080, true);
    gui.Update();
    shown(true);
    engine.GetWindow()->SetMode(800, 600, false);
    gui.Update();
    shown(false);
}

TEST(GUIManagerTest, TheCursorComesFromTheDefaultCursorAndWidgetsSeeItInTableOrder)
{
    Testing::TestEngine engine;
    GUIManager& gui = *engine->GetGUIManager();
    ASSERT_NE(gui.GetDefaultCursor(), nullptr);
    EXPECT_FALSE(gui.GetDefaultCursor()->visible);
    EXPECT_EQ(gui.GetCursors().GetCount(), 1u);
    gui.GetDefaultCursor()->position = Vector2(1.5f, 1.5f);
    EXPECT_FLOAT_EQ(gui.GetCursorPosition().x, 1.5f);
    GUIWindow* below = gui.CreateWindowFromModel(GUIWindow::kShown, Vector2(1.0f, 1.0f), Vector2(1.0f, 1.0f),
                                                 nullptr, nullptr);
    GUIWindow* above = gui.CreateWindowFromModel(GUIWindow::kShown, Vector2(1.0f, 1.0f), Vector2(1.0f, 1.0f),
                                                 nullptr, nullptr);
    // Both overlapping windows see the same position: nothing captures it.
    for (GUIWindow* window : {below, above})
        window->ProcessInput(gui.GetCursorPosition(), false, false);
    EXPECT_TRUE(below->over);
    EXPECT_TRUE(above->over);
    EXPECT_NE(gui.GetTextManager(), nullptr);
    EXPECT_NE(gui.GetSoundManager(), nullptr);
    EXPECT_EQ(gui.GetServices().sounds, gui.GetSoundManager());
    EXPECT_EQ(gui.GetServices().camera, gui.GetCamera());
}
