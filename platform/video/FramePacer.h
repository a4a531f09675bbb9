#pragma once

#include <chrono>
#include <functional>

namespace Platform {

// Keeps synchronised presents at least one refresh period apart, for drivers
// that ignore the swap interval (a virtual X server, a software renderer with
// no display that waits): after each such swap, what is left of the period
// since the last one is slept away, so that the frame rate never passes the
// display's. A swap that did wait for the display leaves nothing to sleep.
// The clock and the sleep are given, so that tests can stand in for time.
class FramePacer {
public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;
    using Sleep = std::function<void(Clock::duration)>;

    FramePacer();
    FramePacer(Now now, Sleep sleep);

    // Right after a synchronised swap of a display refreshing that often.
    void AfterSwap(Clock::duration period);
    // After a swap that was not synchronised: the next synchronised one has
    // nothing to wait for.
    void Forget() { paced_ = false; }

private:
    Now now_;
    Sleep sleep_;
    bool paced_ = false;
    Clock::time_point last_;
};

} // namespace Platform
