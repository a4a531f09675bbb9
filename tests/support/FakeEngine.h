#pragma once

#include "engine/app/Engine.h"
#include "engine/app/EngineSettings.h"
#include "tests/support/FakeAudioDriver.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeVideoSystem.h"
#include "tests/support/FakeWindowSystem.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/ScopedWindowSystem.h"
#include "tests/support/TempFolder.h"

#include <memory>
#include <string>

namespace Testing {

// A whole engine on the fake window, video, sound device and clock, with its
// program folder, log and ini file in a temporary folder. The fakes are set
// up first and the engine made only by Start, so that a test can script the
// devices and write files (data under "data\", the ini file) before it
// starts. Once started, the main timer reads 0 and stands still until the
// test moves the clock.
class FakeEngine {
public:
    FakeEngine();
    ~FakeEngine();

    FakeEngine(const FakeEngine&) = delete;
    FakeEngine& operator=(const FakeEngine&) = delete;

    Halvard::Engine& Start();
    // Destroys the engine, which saves the ini file first.
    void Stop();

    Halvard::Engine& Get() { return *engine_; }
    Halvard::Engine* operator->() { return engine_.get(); }
    // One frame of the timers after the clock moved on by the seconds.
    void Step(double seconds);
    // The ini file's name below the folder.
    static std::string IniName() { return "Halvard.ini"; }

    TempFolder folder;
    FakeClock clock;
    FakeWindowSystem windows;
    FakeVideoSystem video;
    FakeAudioDriver audio;
    Halvard::EngineSettings settings;

private:
    ScopedClock clockInstalled_{clock};
    ScopedWindowSystem windowsInstalled_{windows};
    ScopedVideoSystem videoInstalled_{video};
    ScopedAudioDriver audioInstalled_{audio};
    std::unique_ptr<Halvard::Engine> engine_;
};

} // namespace Testing
