#pragma once

#include <cstdint>

namespace Platform {

// The system's timing services. Every reading of time goes through the clock
// returned by GetClock, so tests can drive time by hand.
class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds on a monotonic clock; wraps after 2^32 ms, so callers
    // subtract readings in unsigned 32-bit arithmetic.
    virtual uint32_t Milliseconds() = 0;

    // A high-resolution counter and its counts per second.
    virtual int64_t Counter() = 0;
    virtual int64_t CounterFrequency() = 0;

    // Milliseconds since the machine started (time spent suspended included),
    // not since the program did; wraps like Milliseconds.
    virtual uint32_t MillisecondsSinceBoot() = 0;

    // Gives up the processor for at least the given milliseconds; 0 only
    // yields the rest of the time slice.
    virtual void Sleep(uint32_t ms) = 0;

    // Asks for a finer timer period. The result is the period obtained in
    // milliseconds, 0 when it cannot be raised; each non-zero result must be
    // handed back to RestoreResolution.
    virtual uint32_t RaiseResolution() = 0;
    virtual void RestoreResolution(uint32_t period) = 0;
};

// The clock in use: the one installed with SetClock, else the system clock.
// Safe to call from any thread.
Clock& GetClock();

// Installs a clock that the caller keeps alive while it is installed; null
// restores the system clock.
void SetClock(Clock* clock);

} // namespace Platform
