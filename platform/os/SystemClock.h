#pragma once

#include "platform/os/Clock.h"

namespace Platform {

// The machine's clocks: CLOCK_MONOTONIC for the millisecond and
// high-resolution readings, CLOCK_BOOTTIME for the time since boot.
class SystemClock : public Clock {
public:
    uint32_t Milliseconds() override;
    int64_t Counter() override;
    int64_t CounterFrequency() override;
    uint32_t MillisecondsSinceBoot() override;
    void Sleep(uint32_t ms) override;

    // The kernel's timers already fire with about a millisecond of slack, so
    // there is nothing to raise: the period is always 1 ms.
    uint32_t RaiseResolution() override;
    void RestoreResolution(uint32_t period) override;
};

} // namespace Platform
