#include "engine/core/Timer.h"

#include <gtest/gtest.h>

#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"

namespace {

using Halvard::Timer;

// Every case runs once on the high-resolution counter and once on the
// millisecond counter.
class TimerInEitherMode : public testing::TestWithParam<bool> {
protected:
    Testing::FakeClock clock;
    Testing::ScopedClock installed{clock};
    bool usePerformanceCounter = GetParam();
};

INSTANTIATE_TEST_SUITE_P(Modes, TimerInEitherMode, testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Counter" : "Milliseconds"; });

TEST_P(TimerInEitherMode, StartsAtItsStartSecondsAndRunsWithTheClock)
{
    Timer timer(1.5f, usePerformanceCounter);
    EXPECT_FLOAT_EQ(timer.GetTime(), 1.5f);
    clock.Advance(0.25);
    EXPECT_FLOAT_EQ(timer.GetTime(), 1.75f);
    EXPECT_EQ(timer.UsesPerformanceCounter(), usePerformanceCounter);
}

TEST_P(TimerInEitherMode, ResumingContinuesFromThePausedTime)
{
    Timer timer(0.0f, usePerformanceCounter);
    clock.Advance(2.0);
    timer.Pause(true);
    clock.Advance(5.0);
    EXPECT_FLOAT_EQ(timer.GetTime(), 2.0f);
    timer.Pause(false);
    EXPECT_FLOAT_EQ(timer.GetTime(), 2.0f);
    clock.Advance(1.0);
    EXPECT_FLOAT_EQ(timer.GetTime(), 3.0f);
}

TEST_P(TimerInEitherMode, PausingTwiceKeepsTheFirstPauseMoment)
{
    Timer timer(0.0f, usePerformanceCounter);
    clock.Advance(1.0);
    timer.Pause(true);
    clock.Advance(1.0);
    timer.Pause(true);
    timer.Pause(false);
    timer.Pause(false);
    EXPECT_FLOAT_EQ(timer.GetTime(), 1.0f);
}

TEST_P(TimerInEitherMode, SetTimeOnAPausedTimerRunsItAgainFromThatTime)
{
    Timer timer(0.0f, usePerformanceCounter);
    timer.Pause(true);
    timer.SetTime(3.0f);
    EXPECT_FALSE(timer.IsPaused());
    clock.Advance(0.5);
    EXPECT_FLOAT_EQ(timer.GetTime(), 3.5f);
}

TEST(TimerOnMilliseconds, ReadsAcrossTheWrapOfTheMillisecondCounter)
{
    Testing::FakeClock clock;
    Testing::ScopedClock installed(clock);
    clock.SetMilliseconds(0xFFFFFFFFu - 499u);
    Timer running(0.0f, false);
    Timer paused(0.0f, false);
    paused.Pause(true);
    clock.Advance(1.0);
    ASSERT_LT(clock.Milliseconds(), 1000u);
    EXPECT_FLOAT_EQ(running.GetTime(), 1.0f);
    paused.Pause(false);
    clock.Advance(0.25);
    EXPECT_FLOAT_EQ(paused.GetTime(), 0.25f);
}

TEST(TimerOnCounter, FallsBackToMillisecondsWhenTheCounterHasNoFrequency)
{
    Testing::FakeClock clock;
    Testing::ScopedClock installed(clock);
    clock.SetCounterFrequency(0);
    Timer timer(0.0f, true);
    EXPECT_FALSE(timer.UsesPerformanceCounter());
    clock.Advance(2.0);
    EXPECT_FLOAT_EQ(timer.GetTime(), 2.0f);
}

} // namespace
