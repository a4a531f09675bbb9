#include "platform/os/SystemClock.h"

#include <fstream>

#include <gtest/gtest.h>

namespace {

TEST(SystemClock, CounterRunsInNanoseconds)
{
    Platform::SystemClock clock;
    EXPECT_EQ(clock.CounterFrequency(), 1'000'000'000);
    const int64_t before = clock.Counter();
    clock.Sleep(20);
    EXPECT_GE(clock.Counter() - before, 20'000'000);
}

TEST(SystemClock, SleepLetsTheMillisecondCounterAdvanceByAtLeastItsSpan)
{
    Platform::SystemClock clock;
    const uint32_t before = clock.Milliseconds();
    clock.Sleep(30);
    const uint32_t elapsed = clock.Milliseconds() - before;
    EXPECT_GE(elapsed, 29u);
    EXPECT_LT(elapsed, 5000u);
}

TEST(SystemClock, MillisecondsSinceBootAgreeWithTheKernelsUptime)
{
    double uptimeSeconds = 0.0;
    std::ifstream("/proc/uptime") >> uptimeSeconds;
    ASSERT_GT(uptimeSeconds, 0.0);
    const auto uptimeMilliseconds = static_cast<uint32_t>(static_cast<uint64_t>(uptimeSeconds * 1000.0));
    Platform::SystemClock clock;
    const uint32_t sinceUptime = clock.MillisecondsSinceBoot() - uptimeMilliseconds;
    EXPECT_LT(sinceUptime, 2000u);
}

} // namespace
