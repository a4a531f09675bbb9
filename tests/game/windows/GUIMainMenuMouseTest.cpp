#include "game/windows/GUIMainMenuWindow.h"

#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "framework/persistence/FileServices.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/persistence/ProfileManager.h"
#include "gui_tools/controls/GUITextControl.h"
#include "platform/video/GLVideoSystem.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/MenuWindowBed.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

using GameFramework::WindowResult;
using Tamrisk::GUIMainMenuWindow;

Testing::TestEngineOptions FullSizeWindow()
{
    Testing::TestEngineOptions options;
    options.videoMode = "800x600x32";
    return options;
}

// The real engine offscreen on an 800 x 600 window with the GUI space the
// same size, the main menu on the fixture (start at (100, 100), 200 x 50),
// and a player's mouse through SDL's queue.
class GUIMainMenuMouseTest : public testing::Test {
protected:
    GUIMainMenuMouseTest() : scoped(clock), engine(FullSizeWindow())
    {
        Testing::ResetInput();
        engine->GetGUIManager()->SetSize(800.0f, 600.0f);
        Testing::MenuFixture fixture;
        fixture.descriptions = {{"faders.xml", Testing::kMenuFaders},
                                {"window_main_menu.xml", Testing::kMainMenuFixture}};
        bed = std::make_unique<Testing::MenuWindowBed>(engine.Get(), &clock, engine.Folder(), fixture);
        profiles = std::make_unique<Tamrisk::ProfileManager>(GameFramework::FileServices::Of(engine.Get()),
                                                             bed->sounds.get(), engine.Folder().Internal() + "\\user");
        menu = std::make_unique<GUIMainMenuWindow>(&engine.Get(), profiles.get(), bed->sounds.get(), bed->data.get(),
                                                   bed->tools.get(), bed->manager.get(), nullptr);
    }

    ~GUIMainMenuMouseTest() override
    {
        menu.reset();
        profiles.reset();
        bed.reset();
        Testing::ResetInput();
    }

    void Frame()
    {
        Testing::PumpAll();
        bed->Frame([&] { menu->UpdateWindow(); });
    }

    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::TestEngine engine;
    std::unique_ptr<Testing::MenuWindowBed> bed;
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
    Testing::ScriptedInput mouse(Testing::WindowIdOf(*engine->GetWindow()));
    const GUITools::GUITextControl* title = menu->GetButtonTitle(GUIMainMenuWindow::kStart);
    for (const MouseStep& step : steps) {
        step.act(mouse);
        Frame();
        EXPECT_EQ(title->GetFontName(), step.font) << step.what;
        EXPECT_EQ(menu->GetResult(), step.result) << step.what;
    }
}

} // namespace
