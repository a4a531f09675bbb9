#include "engine/render/AnimationControl.h"

#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FrameStepper.h"
#include "tests/support/ScopedClock.h"

#include <gtest/gtest.h>

using namespace Halvard;

namespace {

class AnimationControlTest : public ::testing::Test {
protected:
    AnimationControlTest() : scoped(clock) { timers.Update(); }

    // Runs frames of 0.1 s through the control.
    void RunFrames(AnimationControl& control, int frames)
    {
        Testing::FrameStepper(clock, timers, 0.1).Run(frames, [&control] { control.Update(); });
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    TimerManager timers;
};

} // namespace

TEST_F(AnimationControlTest, NonLoopingRangeStopsOnItsLastFrame)
{
    AnimationControl control(nullptr, &timers, 0, 10);
    control.speed = 10.0f;
    control.Play();
    RunFrames(control, 3);
    EXPECT_EQ(control.GetFrameA(), 3u);
    EXPECT_EQ(control.GetFrameB(), 4u);
    RunFrames(control, 12);
    EXPECT_EQ(control.GetFrameA(), 9u);
    EXPECT_EQ(control.GetFrameB(), 9u);
    EXPECT_FLOAT_EQ(control.GetBlend(), 0.0f);
    EXPECT_FALSE(control.playing);
}

TEST_F(AnimationControlTest, ContinuousLoopWrapsAndCountsUntilTheLimit)
{
    AnimationControl control(nullptr, &timers, 0, 10);
    control.speed = 10.0f;
    control.looping = 1;
    control.Play();
    RunFrames(control, 10);
    EXPECT_EQ(control.loopsDone, 1u);
    EXPECT_NEAR(control.time, 1.0f, 1e-3f);
    control.loopLimit = 3;
    RunFrames(control, 30);
    EXPECT_EQ(control.loopsDone, 2u);
    EXPECT_FALSE(control.playing);
    EXPECT_EQ(control.GetFrameA(), 9u);
}

TEST_F(AnimationControlTest, ReversedRangePlaysDownwardsWithAMirroredBlend)
{
    AnimationControl control(nullptr, &timers, 0, 10);
    control.AddAnimation(7, 9, 0);
    control.SetAnimation(7);
    control.Update();
    EXPECT_EQ(control.GetFrameA(), 8u);
    EXPECT_EQ(control.GetFrameB(), 9u);
    EXPECT_FLOAT_EQ(control.GetBlend(), 1.0f);
    control.time = 1.5f;
    control.Update();
    EXPECT_EQ(control.GetFrameA(), 7u);
    EXPECT_EQ(control.GetFrameB(), 8u);
    EXPECT_FLOAT_EQ(control.GetBlend(), 0.5f);
    control.interpolate = 0;
    control.Update();
    EXPECT_FLOAT_EQ(control.GetBlend(), 0.0f);
}

TEST_F(AnimationControlTest, ModeOneBlendsTheLastFrameIntoTheFirst)
{
    AnimationControl control(nullptr, &timers, 1, 4);
    control.looping = 1;
    control.time = 3.5f;
    control.Update();
    EXPECT_EQ(control.GetFrameA(), 3u);
    EXPECT_EQ(control.GetFrameB(), 0u);
    EXPECT_FLOAT_EQ(control.GetBlend(), 0.5f);
    control.time = 4.25f;
    control.Update();
    EXPECT_EQ(control.GetFrameA(), 0u);
    EXPECT_EQ(control.loopsDone, 1u);
}

TEST_F(AnimationControlTest, OneFrameLoopingRangeStaysOnItsFrame)
{
    AnimationControl control(nullptr, &timers, 0, 4);
    control.SetAnimation(42);
    control.speed = 10.0f;
    control.looping = 1;
    control.Play();
    RunFrames(control, 3);
    EXPECT_FLOAT_EQ(control.time, 0.0f);
    EXPECT_EQ(control.GetFrameA(), 0u);
}

TEST_F(AnimationControlTest, RandomFrameWithoutDelayLandsInsideTheRange)
{
    SetRandomSeed(99);
    AnimationControl control(nullptr, &timers, 0, 10);
    control.looping = 1;
    control.SetRandomFrame();
    EXPECT_FLOAT_EQ(control.countdown, 0.0f);
    EXPECT_GE(control.time, 0.0f);
    EXPECT_LE(control.time, 9.0f);
    control.SetLastFrame();
    EXPECT_FLOAT_EQ(control.time, 9.0f);
}

TEST_F(AnimationControlTest, DelayedLoopWaitsOnTheLastFrame)
{
    AnimationControl control(nullptr, &timers, 0, 5);
    control.speed = 10.0f;
    control.looping = 1;
    control.minimumDelay = 1.0f;
    control.maximumDelay = 1.0f;
    control.Play();
    RunFrames(control, 5);
    EXPECT_FLOAT_EQ(control.time, 0.0f);
    RunFrames(control, 10);
    EXPECT_EQ(control.GetFrameA(), 4u);
    EXPECT_TRUE(control.playing);
}

TEST_F(AnimationControlTest, CopyTakesRangesAndPlaybackState)
{
    AnimationControl control(nullptr, &timers, 0, 10);
    control.AddAnimation(3, 2, 5);
    control.AddAnimation(3, 0, 1);
    control.SetAnimation(3);
    control.speed = 4.0f;
    control.Play();
    AnimationControl copy(control);
    EXPECT_EQ(copy.GetAnimation(), 3);
    EXPECT_TRUE(copy.playing);
    copy.SetLastFrame();
    EXPECT_FLOAT_EQ(copy.time, 3.0f);
}

TEST_F(AnimationControlTest, AHeldFrameStaysUntilTheAnimationIsChangedOrPlayed)
{
    AnimationControl control(nullptr, &timers, 0, 10);
    control.AddAnimation(4, 2, 5);
    control.SetAnimation(4);
    EXPECT_EQ(control.GetRangeFrameCount(), 4u);
    control.speed = 10.0f;
    control.HoldFrame(1);
    RunFrames(control, 3);
    EXPECT_EQ(control.GetFrameA(), 3u);
    EXPECT_EQ(control.GetFrameB(), 3u);
    EXPECT_FLOAT_EQ(control.GetBlend(), 0.0f);
    // Beyond the range: its last frame.
    control.HoldFrame(9);
    EXPECT_EQ(control.GetFrameA(), 5u);
    control.AddAnimation(5, 9, 6);
    control.SetAnimation(5);
    EXPECT_FALSE(control.IsHeld());
    control.HoldFrame(2);
    EXPECT_EQ(control.GetFrameA(), 7u);
    control.Play();
    RunFrames(control, 1);
    EXPECT_FALSE(control.IsHeld());
    EXPECT_NE(control.GetFrameA(), 7u);
}
