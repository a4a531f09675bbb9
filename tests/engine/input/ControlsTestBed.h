#pragma once

#include "engine/core/Config.h"
#include "engine/app/EngineSettings.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/input/Controls_DI7.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeWindowSystem.h"
#include "tests/support/QuietLog.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScopedWindowSystem.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TempFolder.h"
#include "tests/support/VectorMatchers.h"
#include "platform/input/SystemCursor.h"

#include <SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace Testing {

struct TestScreen {
    bool fullScreen = false;
    Halvard::u32 width = 800;
    Halvard::u32 height = 600;
};

// The controls over the process's input system, on a window of the fake
// window system and a clock that moves only when a frame says so. Input
// comes as synthetic SDL events through the process's event dispatcher.
class ControlsTestBed : public ::testing::Test {
protected:
    using Screen = TestScreen;

    ControlsTestBed();
    ~ControlsTestBed() override;

    // The window, then the controls; the log's lines from here on are the
    // controls' (StartUpLines).
    void Start(bool buffered = true, const Screen& screen = Screen{});

    static void Send(std::initializer_list<SDL_Event> events);
    // The frame's start: the timers measure the seconds, the controls update.
    void BeginFrame(float seconds = 0.02f);
    // The frame's end.
    void EndFrame();
    // A whole frame with nothing asked in between.
    void Frame(float seconds = 0.02f);

    // The log's lines written since the controls began, without the line
    // ends MessageManager adds.
    std::vector<std::string> ControlsLogLines() const;
    // The names whose IsKeyDown or IsKeyPressed answers true now.
    std::vector<std::string> KeysDown() const;
    std::vector<std::string> KeysPressed() const;

    static Platform::ScreenPoint CursorOnScreen();

    TempFolder folder;
    FakeWindowSystem system;
    ScopedWindowSystem installedSystem{system};
    FakeClock clock;
    ScopedClock installedClock{clock};
    QuietLog log;
    Halvard::Config config{&log, nullptr, {.folder = folder.Internal(), .name = "Game", .videoMode = "800x600x32"}};
    Halvard::TimerManager timers;
    std::unique_ptr<Halvard::Window> window;
    std::unique_ptr<Halvard::Controls_DI7> controls;

private:
    Halvard::u32 firstControlsLine_ = 0;
};

} // namespace Testing
