#include "platform/os/SystemClock.h"

#include <chrono>
#include <thread>
#include <time.h>

namespace Platform {

namespace {

constexpr int64_t nanosecondsPerSecond = 1'000'000'000;

int64_t ReadNanoseconds(clockid_t id)
{
    timespec now{};
    clock_gettime(id, &now);
    return static_cast<int64_t>(now.tv_sec) * nanosecondsPerSecond + now.tv_nsec;
}

// Truncating to 32 bits gives the same wrap as a 32-bit millisecond counter.
uint32_t ReadMilliseconds(clockid_t id)
{
    return static_cast<uint32_t>(ReadNanoseconds(id) / 1'000'000);
}

} // namespace

uint32_t SystemClock::Milliseconds()
{
    return ReadMilliseconds(CLOCK_MONOTONIC);
}

int64_t SystemClock::Counter()
{
    return ReadNanoseconds(CLOCK_MONOTONIC);
}

int64_t SystemClock::CounterFrequency()
{
    return nanosecondsPerSecond;
}

uint32_t SystemClock::MillisecondsSinceBoot()
{
    return ReadMilliseconds(CLOCK_BOOTTIME);
}

void SystemClock::Sleep(uint32_t ms)
{
    if (ms == 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

uint32_t SystemClock::RaiseResolution()
{
    return 1;
}

void SystemClock::RestoreResolution(uint32_t)
{
}

} // namespace Platform
