#pragma once

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "tests/support/FakeClock.h"

#include <functional>

namespace Testing {

// Frames of a fixed length on a fake clock: each frame the clock moves on by
// the step, the timers take the new time, then the frame's work runs. The
// clock and the timers stay the test's.
class FrameStepper {
public:
    FrameStepper(FakeClock& clock, Halvard::TimerManager& timers, double stepSeconds)
        : clock_(clock), timers_(timers), stepSeconds_(stepSeconds)
    {
    }

    void Run(int frames, const std::function<void()>& work = {});

private:
    FakeClock& clock_;
    Halvard::TimerManager& timers_;
    double stepSeconds_;
};

// Whole frames of the engine, begun and ended, on whatever clock it reads.
void RunEngineFrames(Halvard::Engine& engine, int frames);

} // namespace Testing
