#include "game/windows/menus/GUIMainMenuWindow.h"

#include "engine/gui/GUIButton.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/persistence/ProfileManager.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/game/OffscreenMenuBed.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

using GameFramework::WindowResult;
using Tamrisk::GUIMainMenuWindow;

// The main menu on the fixture (start at (100, 100), 200 x 50) over the
// real engine offscreen, and a player's mouse through SDL's queue.
class GUIMainMenuMouseTest : public testing::Test {
protected:
    GUIMainMenuMouseTest()
        : offscreen(Testing::MenuFixture{{{"faders.xml", Testing::kMenuFaders},
                                          {"window_main_menu.xml", Testing::kMainMenuFixture}}}),
          profiles(offscreen.bed->MakeProfiles(offscreen.engine.Folder())),
          menu(std::make_unique<GUIMainMenuWindow>(&offscreen.engine.Get(), profiles.get(), bed().sounds.get(),
                                                   bed().data.get(), bed().tools.get(), bed().manager.get(), nullptr))
    {
    }

    Testing::MenuWindowBed& bed() { return *offscreen.bed; }

    void Frame()
    {
        offscreen.Frame([&] { menu->UpdateWindow(); });
    }

    Testing::OffscreenMenuBed offscreen;
    std::unique_ptr<Tamrisk::ProfileManager> profiles;
    std::unique_ptr<GUIMainMenuWindow> menu;
};

struct MouseStep {
    const char* what;
    std::function<void(Testing::ScriptedInput&)> act;
    const char* font;
    Halvard::u32 result;
};

TEST_F(GUIMainMenuMouseTest, TheButtonTitlesFontFollowsThePlayersMouse)
{
    menu->ShowWindow(GameFramework::WindowSource::kGameLoading);
    for (int frame = 0; frame < 5; ++frame)
        Frame();
    ASSERT_TRUE(menu->GetMenuButton(GUIMainMenuWindow::kStart)->IsEnabled());
    // Window row 474 is GUI row 125: y turns upwards.
    const MouseStep steps[] = {
        {"away", [](Testing::ScriptedInput& mouse) { mouse.MoveMouseTo(20, 20); }, "main_menu_0", WindowResult::kNone},
        {"over", [](Testing::ScriptedInput& mouse) { mouse.MoveMouseTo(200, 474); }, "main_menu_1",
         WindowResult::kNone},
        {"pressed", [](Testing::ScriptedInput& mouse) { mouse.PressButton(); }, "main_menu_2", WindowResult::kNone},
        {"released", [](Testing::ScriptedInput& mouse) { mouse.ReleaseButton(); }, "main_menu_1",
         WindowResult::kPlay},
        {"away again", [](Testing::ScriptedInput& mouse) { mouse.MoveMouseTo(20, 20); }, "main_menu_0",
         WindowResult::kNone},
    };
    Testing::ScriptedInput mouse = offscreen.Mouse();
    const GUITools::GUITextControl* title = menu->GetButtonTitle(GUIMainMenuWindow::kStart);
    for (const MouseStep& step : steps) {
        step.act(mouse);
        Frame();
        EXPECT_EQ(title->GetFontName(), step.font) << step.what;
        EXPECT_EQ(menu->GetResult(), step.result) << step.what;
    }
}

} // namespace
