#include "engine/core/Window.h"

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "platform/window/EventDispatcher.h"
#include "platform/window/SdlWindow.h"

#include "tests/support/QuietLog.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using Testing::Dispatch;
using Testing::KeyDown;
using Testing::KeyUp;
using Testing::WindowEvent;
using testing::HasSubstr;

namespace {

// The real window of the SDL backend (offscreen under ctest), driven by
// synthetic SDL events through the process's event dispatcher.
class WindowEventsTest : public testing::Test {
protected:
    ~WindowEventsTest() override { Dispatch({KeyUp(SDLK_LALT), KeyUp(SDLK_RALT), KeyUp(SDLK_RETURN)}); }

    std::unique_ptr<Window> Make(bool fullScreen)
    {
        const WindowSettings settings{.title = "Halvard 0.67", .iconId = 101, .width = 640, .height = 480,
                                      .fullScreen = fullScreen};
        return std::make_unique<Window>(&log, &config, settings);
    }

    // Under a window manager the focus arrives some time after the window
    // asks for it; the synthetic event stands for it.
    std::unique_ptr<Window> MakeFocused()
    {
        auto window = Make(false);
        Dispatch({WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED)});
        return window;
    }

    static SDL_Window* Native(const Window& window)
    {
        return static_cast<Platform::SdlWindow*>(window.GetHandle())->Get();
    }

    // Marks the command handled again and tells whether it had been invoked.
    bool TakeModeChange()
    {
        const bool invoked = !config.IsCommandHandled("v_window_change_mode");
        config.SetCommandHandled("v_window_change_mode", true);
        return invoked;
    }

    Testing::TempFolder folder;
    Testing::QuietLog log;
    // The file manager logs apart, so that the window's log lines stand alone.
    Testing::QuietLog fileLog;
    FileManager files{&fileLog, folder.Internal(), ""};
    Config config{&log, &files, {.folder = folder.Internal(), .name = "Game", .videoMode = "640x480x32"}};
};

TEST_F(WindowEventsTest, OpensWindowedAndFullScreenAndSwitchesBetweenThem)
{
    auto windowed = Make(false);
    SDL_Window* native = Native(*windowed);
    EXPECT_EQ(SDL_GetWindowFlags(native) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_HIDDEN), 0u);
    EXPECT_STREQ(SDL_GetWindowTitle(native), "Halvard 0.67");
    windowed->SetMode(800, 600, true);
    EXPECT_NE(SDL_GetWindowFlags(native) & SDL_WINDOW_FULLSCREEN, 0u);
    windowed.reset();

    auto fullScreen = Make(true);
    EXPECT_NE(SDL_GetWindowFlags(Native(*fullScreen)) & SDL_WINDOW_FULLSCREEN, 0u);
    fullScreen->SetMode(640, 480, false);
    EXPECT_EQ(SDL_GetWindowFlags(Native(*fullScreen)) & SDL_WINDOW_FULLSCREEN, 0u);
}

TEST_F(WindowEventsTest, ClosingTheWindowInvokesExit)
{
    auto window = Make(false);
    Dispatch({WindowEvent(SDL_WINDOWEVENT_CLOSE, SDL_GetWindowID(Native(*window)))});
    EXPECT_FALSE(config.IsCommandHandled("exit"));
}

TEST_F(WindowEventsTest, AQuitWaitingInTheQueueInvokesExitWhenPumped)
{
    auto window = Make(false);
    Testing::PumpAll();
    ASSERT_TRUE(config.IsCommandHandled("exit"));
    Testing::Push({Testing::QuitEvent()});
    EXPECT_TRUE(Platform::GetEventDispatcher().PumpOne());
    EXPECT_FALSE(config.IsCommandHandled("exit"));
}

TEST_F(WindowEventsTest, MinimiseAndRestoreEventsFollowTheWindowsState)
{
    auto window = Make(false);
    Dispatch({WindowEvent(SDL_WINDOWEVENT_MINIMIZED)});
    EXPECT_TRUE(window->IsMinimized());
    Dispatch({WindowEvent(SDL_WINDOWEVENT_RESTORED)});
    EXPECT_FALSE(window->IsMinimized());
}

TEST_F(WindowEventsTest, MaximisingAskForFullScreen)
{
    auto window = Make(false);
    Dispatch({WindowEvent(SDL_WINDOWEVENT_MAXIMIZED, SDL_GetWindowID(Native(*window)))});
    EXPECT_EQ(config.fullScreen, 1);
    EXPECT_TRUE(TakeModeChange());
}

TEST_F(WindowEventsTest, AltEnterFlipsFullScreenOncePerPressHoweverLongItIsHeld)
{
    auto window = MakeFocused();
    Dispatch({KeyDown(SDLK_LALT), KeyDown(SDLK_RETURN)});
    window->Update();
    EXPECT_EQ(config.fullScreen, 1);
    EXPECT_THAT(folder.ReadFile("Game.ini"), HasSubstr("v_fullscreen 1"));
    EXPECT_TRUE(TakeModeChange());

    for (int frame = 0; frame < 3; ++frame) {
        Dispatch({KeyDown(SDLK_RETURN, true)});
        window->Update();
    }
    EXPECT_EQ(config.fullScreen, 1);
    EXPECT_FALSE(TakeModeChange());

    Dispatch({KeyUp(SDLK_RETURN)});
    window->Update();
    Dispatch({KeyDown(SDLK_RETURN)});
    window->Update();
    EXPECT_EQ(config.fullScreen, 0);
    EXPECT_TRUE(TakeModeChange());
}

TEST_F(WindowEventsTest, EitherAltKeyMakesTheCombination)
{
    auto window = MakeFocused();
    Dispatch({KeyDown(SDLK_RALT), KeyDown(SDLK_KP_ENTER)});
    window->Update();
    EXPECT_EQ(config.fullScreen, 1);
}

TEST_F(WindowEventsTest, AltEnterWithoutTheFocusDoesNothing)
{
    auto window = MakeFocused();
    Dispatch({WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), KeyDown(SDLK_LALT), KeyDown(SDLK_RETURN)});
    window->Update();
    EXPECT_EQ(config.fullScreen, 0);
    EXPECT_FALSE(TakeModeChange());

    // The press already seen without the focus does not act when it returns.
    Dispatch({WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), KeyDown(SDLK_LALT), KeyDown(SDLK_RETURN)});
    window->Update();
    EXPECT_EQ(config.fullScreen, 0);
}

TEST_F(WindowEventsTest, AltEnterWhileMinimisedDoesNothing)
{
    auto window = MakeFocused();
    Dispatch({WindowEvent(SDL_WINDOWEVENT_MINIMIZED), KeyDown(SDLK_LALT), KeyDown(SDLK_RETURN)});
    window->Update();
    EXPECT_EQ(config.fullScreen, 0);
    EXPECT_FALSE(TakeModeChange());
}

TEST_F(WindowEventsTest, KeysAndTypedTextBecomeTheLastKeyEvent)
{
    auto window = Make(false);
    Dispatch({KeyDown(SDLK_ESCAPE)});
    EXPECT_FALSE(window->GetKeyEvent().isCharacter);
    EXPECT_EQ(window->GetKeyEvent().code, 27);
    Dispatch({KeyDown(SDLK_e), Testing::TextInput("\xC3\xA9")});
    EXPECT_TRUE(window->GetKeyEvent().pending);
    EXPECT_TRUE(window->GetKeyEvent().isCharacter);
    EXPECT_EQ(window->GetKeyEvent().code, 0xE9);
}

TEST_F(WindowEventsTest, ADestroyedWindowNoLongerReceivesMessages)
{
    Make(false).reset();
    Dispatch({Testing::QuitEvent()});
    EXPECT_TRUE(config.IsCommandHandled("exit"));
}

} // namespace
