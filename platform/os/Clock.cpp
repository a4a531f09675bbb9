#include "platform/os/Clock.h"

#include <atomic>

#include "platform/os/SystemClock.h"

namespace Platform {

namespace {

// Loading threads read time as well, so the installed clock is swapped
// atomically.
std::atomic<Clock*> installedClock{nullptr};

Clock& TheSystemClock()
{
    static SystemClock clock;
    return clock;
}

} // namespace

Clock& GetClock()
{
    Clock* clock = installedClock.load(std::memory_order_acquire);
    return clock != nullptr ? *clock : TheSystemClock();
}

void SetClock(Clock* clock)
{
    installedClock.store(clock, std::memory_order_release);
}

} // namespace Platform
