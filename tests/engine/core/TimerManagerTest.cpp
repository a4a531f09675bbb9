#include "engine/core/TimerManager.h"

#include <optional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"

namespace {

using Halvard::Timer;
using Halvard::TimerManager;
using testing::ElementsAre;

class TimerManagerTest : public testing::Test {
protected:
    // A frame that took the given seconds.
    void Frame(double seconds)
    {
        clock.Advance(seconds);
        manager->Update();
    }

    Testing::FakeClock clock;
    Testing::ScopedClock installed{clock};
    std::optional<TimerManager> manager{std::in_place};
};

TEST_F(TimerManagerTest, HoldsTheTimerResolutionRaisedForItsLifetime)
{
    clock.SetResolution(3);
    TimerManager second;
    EXPECT_EQ(clock.OutstandingRaises(), 2);
    manager.reset();
    EXPECT_EQ(clock.OutstandingRaises(), 1);
    EXPECT_THAT(clock.RestoredPeriods(), ElementsAre(1u));
}

TEST_F(TimerManagerTest, MainTimerRunsOnMillisecondsWhenTheResolutionWasRaised)
{
    clock.SetMilliseconds(clock.Milliseconds() + 200);
    EXPECT_FLOAT_EQ(manager->GetMainTimer()->GetTime(), 0.2f);
}

TEST_F(TimerManagerTest, MainTimerRunsOnTheCounterWhenTheResolutionCannotBeRaised)
{
    manager.reset();
    clock.SetResolution(0);
    manager.emplace();
    EXPECT_EQ(clock.OutstandingRaises(), 0);
    clock.SetCounter(clock.Counter() + Testing::FakeClock::defaultFrequency / 4);
    EXPECT_FLOAT_EQ(manager->GetMainTimer()->GetTime(), 0.25f);
    manager.reset();
    EXPECT_THAT(clock.RestoredPeriods(), ElementsAre(1u));
}

TEST_F(TimerManagerTest, FrameTimeIsClampedBetweenAMillisecondAndATenthOfASecond)
{
    Frame(0.5);
    EXPECT_FLOAT_EQ(manager->GetFrameTime(), 0.1f);
    Frame(0.0002);
    EXPECT_FLOAT_EQ(manager->GetFrameTime(), 0.001f);
    Frame(0.04);
    EXPECT_NEAR(manager->GetFrameTime(), 0.04f, 1e-6f);
}

TEST_F(TimerManagerTest, FramesPerSecondCountsTheLastCompletedSecond)
{
    for (int frame = 0; frame < 3; ++frame) {
        Frame(0.25);
    }
    EXPECT_EQ(manager->GetFramesPerSecond(), 0u);
    Frame(0.25);
    EXPECT_EQ(manager->GetFramesPerSecond(), 4u);
    // Stalls count with their real length, not the clamped one.
    Frame(0.5);
    Frame(0.5);
    EXPECT_EQ(manager->GetFramesPerSecond(), 2u);
}

TEST_F(TimerManagerTest, FreedSlotsAreReusedLastFreedFirst)
{
    Timer* a = manager->CreateTimer(0.0f, false);
    Timer* b = manager->CreateTimer(0.0f, true);
    const auto& slots = manager->GetSlots();
    ASSERT_THAT(slots, ElementsAre(manager->GetMainTimer(), a, b));
    manager->DeleteTimer(a);
    manager->DeleteTimer(b);
    EXPECT_THAT(slots, ElementsAre(manager->GetMainTimer(), nullptr, nullptr));
    Timer* first = manager->CreateTimer(1.0f, false);
    Timer* second = manager->CreateTimer(2.0f, false);
    EXPECT_THAT(slots, ElementsAre(manager->GetMainTimer(), second, first));
    EXPECT_FLOAT_EQ(first->GetTime(), 1.0f);
}

TEST_F(TimerManagerTest, DeleteTimerLeavesNullForeignAndMainTimersAlone)
{
    Timer* own = manager->CreateTimer(0.0f, false);
    Timer foreign(0.0f, false);
    manager->DeleteTimer(nullptr);
    manager->DeleteTimer(&foreign);
    manager->DeleteTimer(manager->GetMainTimer());
    EXPECT_THAT(manager->GetSlots(), ElementsAre(manager->GetMainTimer(), own));
    Frame(0.05);
    EXPECT_NEAR(manager->GetFrameTime(), 0.05f, 1e-6f);
}

} // namespace
