#include "tests/support/FakeEngine.h"

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "platform/os/Paths.h"

namespace Testing {

FakeEngine::FakeEngine()
{
    Platform::SetProgramFolder(folder.Path().string());
    settings.configFolder = folder.Internal();
    settings.logFolder = folder.Internal();
    settings.defaultFullScreen = 0;
    // Without a raised resolution the main timer runs on the high-resolution
    // counter, which counts whole microseconds exactly.
    clock.SetResolution(0);
}

FakeEngine::~FakeEngine()
{
    engine_.reset();
    Platform::SetProgramFolder("");
}

Halvard::Engine& FakeEngine::Start()
{
    engine_ = std::make_unique<Halvard::Engine>(settings);
    // The start-up's own waits moved the clock; from here on the main timer
    // counts from 0 and frames of the test add up exactly.
    Halvard::TimerManager* timers = engine_->GetTimerManager();
    timers->GetMainTimer()->SetTime(0.0f);
    timers->Update();
    return *engine_;
}

void FakeEngine::Stop() { engine_.reset(); }

void FakeEngine::Step(double seconds)
{
    clock.Advance(seconds);
    engine_->GetTimerManager()->Update();
}

} // namespace Testing
