#include "tests/support/FrameStepper.h"

namespace Testing {

void FrameStepper::Run(int frames, const std::function<void()>& work)
{
    for (int i = 0; i < frames; ++i) {
        clock_.Advance(stepSeconds_);
        timers_.Update();
        if (work)
            work();
    }
}

void RunEngineFrames(Halvard::Engine& engine, int frames)
{
    for (int i = 0; i < frames; ++i) {
        engine.BeginFrame();
        engine.EndFrame(0);
    }
}

} // namespace Testing
