#pragma once

#include "platform/os/Clock.h"

#include <cstdint>

namespace Testing {

// The clock of a replayed run: time moves by one fixed step when the driver
// starts a frame and nowhere else, so a run shows the same frames however
// long the machine takes. Sleeping waits in real time (a worker's load still
// gets the time it needs) without moving the clock. The time since boot is
// fixed, and with it the engine's random seed. Readings are derived from the
// count of steps, so no rounding piles up over a long run.
class ReplayClock : public Platform::Clock {
public:
    static constexpr int kStepsPerSecond = 30;
    static constexpr int64_t kFrequency = 3'000'000;
    static constexpr uint32_t kBootMilliseconds = 123'456;

    uint32_t Milliseconds() override;
    int64_t Counter() override { return steps_ * (kFrequency / kStepsPerSecond); }
    int64_t CounterFrequency() override { return kFrequency; }
    uint32_t MillisecondsSinceBoot() override { return kBootMilliseconds; }
    void Sleep(uint32_t ms) override;
    uint32_t RaiseResolution() override { return 1; }
    void RestoreResolution(uint32_t) override {}

    // One frame's step of 1/30 s.
    void Step() { ++steps_; }
    int64_t Steps() const { return steps_; }

private:
    int64_t steps_ = 0;
};

} // namespace Testing
