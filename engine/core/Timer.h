#pragma once

#include "engine/core/Types.h"

namespace Halvard {

// A stopwatch in seconds that can be paused and set. It runs either on the
// high-resolution counter or on the millisecond counter, chosen for good at
// construction; all readings come from Platform::GetClock().
class Timer {
public:
    // A timer that asks for the high-resolution counter falls back to the
    // millisecond counter when the clock reports no counter frequency.
    Timer(float startSeconds, bool usePerformanceCounter);
    virtual ~Timer() = default;

    // Seconds since the timer's zero; frozen while paused.
    float GetTime() const;

    // Pausing or resuming a timer that is already in that state does nothing.
    // Resuming moves the zero forward by the paused span.
    void Pause(bool pause);
    bool IsPaused() const { return paused_; }

    // Moves the zero so that GetTime returns the given seconds now, and
    // lets a paused timer run again.
    void SetTime(float seconds);

    bool UsesPerformanceCounter() const { return usePerformanceCounter_; }

private:
    bool usePerformanceCounter_;
    bool paused_ = false;
    i64 counterFrequency_ = 0;
    i64 startCount_ = 0;
    i64 pauseCount_ = 0;
    u32 startMilliseconds_ = 0;
    u32 pauseMilliseconds_ = 0;
};

} // namespace Halvard
