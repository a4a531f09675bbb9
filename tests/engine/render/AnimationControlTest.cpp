#include "engine/render/AnimationControl.h"

#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FrameStepper.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/Watchdog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <string>

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

namespace {

// The wrap as it was, one span at a time, with the frames it gave: the
// reference for times a float still counts in whole frames (below 2^24),
// where taking one span off at a time was exact.
struct SteppedState {
    float time;
    u32 loopsDone;
    u8 playing;
    u32 frameA;
    u32 frameB;
    float blend;
};

SteppedState SteppedUpdate(const AnimationControl& control, u32 first, u32 last)
{
    SteppedState s{control.time, control.loopsDone, control.playing, 0, 0, 0.0f};
    const u32 lowest = std::min(first, last);
    u32 span = (last >= first ? last - first : first - last) + 1;
    const bool continuous = control.looping && control.maximumDelay < 0.0001f &&
                            (control.loopLimit == 0 || s.loopsDone + 1 < control.loopLimit);
    if (control.GetMode() == 1 && continuous)
        ++span;
    const float lastFrame = static_cast<float>(span - 1);
    if (continuous) {
        if (span <= 1)
            s.time = 0.0f;
        while (span > 1 && std::trunc(s.time) >= lastFrame) {
            s.time -= lastFrame;
            ++s.loopsDone;
        }
    } else if (std::trunc(s.time) >= lastFrame) {
        s.time = lastFrame;
        if (!control.looping || (control.loopLimit != 0 && s.loopsDone + 1 >= control.loopLimit))
            s.playing = 0;
    }
    s.frameA = static_cast<u32>(s.time);
    s.blend = s.time - static_cast<float>(s.frameA);
    s.frameB = s.frameA + 1 >= span ? s.frameA : s.frameA + 1;
    if (last < first) {
        s.frameA = span - s.frameA - 1;
        s.frameB = span - s.frameB - 1;
        s.blend = 1.0f - s.blend;
        std::swap(s.frameA, s.frameB);
    }
    s.frameA += lowest;
    s.frameB += lowest;
    if (s.frameA >= control.GetFrameCount())
        s.frameA = 0;
    if (s.frameB >= control.GetFrameCount())
        s.frameB = 0;
    return s;
}

} // namespace

// However many spans a frame passes, each counts as one loop, as the wrap
// of one span at a time counted them; the loop limit is looked at before
// the frame, as it was.
TEST_F(AnimationControlTest, EverySpanPassedInOneFrameCountsAsTheSteppedWrapCountedIt)
{
    struct Range {
        u32 mode;
        u32 frameCount;
        u32 first;
        u32 last;
    };
    const Range ranges[] = {{0, 10, 0, 9}, {0, 10, 9, 0}, {0, 10, 2, 3}, {0, 12, 4, 11}, {1, 4, 0, 3}};
    const float times[] = {0.0f, 0.5f, 8.99f, 9.0f, 9.5f, 18.0f, 27.25f, 1000.75f, 123456.5f, 9000000.0f};
    struct Loops {
        u32 limit;
        u32 done;
    };
    // No limit; a limit far off; a limit the frame passes; a limit reached.
    const Loops loops[] = {{0, 0}, {0, 7}, {1000000, 3}, {3, 0}, {3, 2}};
    for (const Range& range : ranges) {
        for (const float time : times) {
            for (const Loops& loop : loops) {
                AnimationControl control(nullptr, &timers, range.mode, range.frameCount);
                control.AddAnimation(1, range.first, range.last);
                control.SetAnimation(1);
                control.looping = 1;
                control.playing = 1;
                control.loopLimit = loop.limit;
                control.loopsDone = loop.done;
                control.time = time;
                SCOPED_TRACE(testing::Message() << "mode " << range.mode << ", range " << range.first << ".."
                                                << range.last << ", time " << time << ", limit " << loop.limit
                                                << ", loops done " << loop.done);
                const SteppedState expected = SteppedUpdate(control, range.first, range.last);
                control.Update();
                EXPECT_EQ(control.time, expected.time);
                EXPECT_EQ(control.loopsDone, expected.loopsDone);
                EXPECT_EQ(control.playing, expected.playing);
                EXPECT_EQ(control.GetFrameA(), expected.frameA);
                EXPECT_EQ(control.GetFrameB(), expected.frameB);
                EXPECT_EQ(control.GetBlend(), expected.blend);
            }
        }
    }
}

// Speeds and times no clock reaches: the frame ends at once, whatever the
// range, and shows frames inside it. Under a watchdog, since a wrap that
// takes one span at a time never ends once the span is below the float's
// step: those frames fail the test fast rather than hang it, after the
// cases that fail without hanging.
TEST_F(AnimationControlTest, AnySpeedOrTimeEndsTheFrameAtOnceInsideTheRange)
{
    constexpr float kInf = std::numeric_limits<float>::infinity();
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr u32 kMost = std::numeric_limits<u32>::max();
    struct Case {
        const char* name;
        u32 mode;
        u32 first;
        u32 last;
        u8 looping;
        u32 loopLimit;
        float speed;
        float time;
        // After three frames of 0.1 s.
        u8 playing;
        u32 leastLoops;
        u32 mostLoops;
    };
    const Case cases[] = {
        // Frames the stepped wrap ended; some showed frames it could not name.
        {"infinite speed, not looping", 0, 0, 9, 0, 0, kInf, 0.0f, 0, 0, 0},
        {"speed not a number", 0, 0, 9, 1, 0, kNaN, 0.0f, 1, 0, 0},
        {"time 1e30, not looping", 0, 0, 9, 0, 0, 0.0f, 1e30f, 0, 0, 0},
        {"time not a number", 0, 0, 9, 1, 0, 10.0f, kNaN, 1, 0, 0},
        {"time not a number, not looping", 0, 9, 0, 0, 0, 10.0f, kNaN, 0, 0, 0},
        {"time minus infinity", 0, 0, 9, 1, 0, 10.0f, -kInf, 1, 0, 0},
        {"time -1e30, not looping", 0, 2, 5, 0, 0, 0.0f, -1e30f, 1, 0, 0},
        // Frames it never ended.
        {"speed 5e9, looping", 0, 0, 9, 1, 0, 5e9f, 0.0f, 1, 100000000, kMost - 1},
        {"speed 5e9, backwards", 0, 9, 0, 1, 0, 5e9f, 0.0f, 1, 100000000, kMost - 1},
        {"speed 5e9, loop limit 3", 0, 0, 9, 1, 3, 5e9f, 0.0f, 0, 3, kMost - 1},
        {"speed 1e30, mode 1", 1, 0, 3, 1, 0, 1e30f, 0.0f, 1, kMost, kMost},
        {"largest speed", 0, 0, 9, 1, 0, std::numeric_limits<float>::max(), 0.0f, 1, kMost, kMost},
        {"infinite speed", 0, 0, 9, 1, 0, kInf, 0.0f, 1, kMost, kMost},
        {"infinite speed, backwards", 0, 9, 0, 1, 0, kInf, 0.0f, 1, kMost, kMost},
        {"infinite speed, loop limit 3", 0, 0, 9, 1, 3, kInf, 0.0f, 0, kMost, kMost},
        {"infinite speed, mode 1", 1, 0, 3, 1, 0, kInf, 0.0f, 1, kMost, kMost},
        {"infinite time", 0, 0, 9, 1, 0, 0.0f, kInf, 1, kMost, kMost},
        {"time 1e30, backwards", 0, 9, 0, 1, 0, 0.0f, 1e30f, 1, kMost, kMost},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        AnimationControl control(nullptr, &timers, test.mode, 10);
        control.AddAnimation(1, test.first, test.last);
        control.SetAnimation(1);
        control.looping = test.looping;
        control.loopLimit = test.loopLimit;
        control.speed = test.speed;
        control.Play();
        control.time = test.time;
        const u32 lowest = std::min(test.first, test.last);
        const u32 highest = std::max(test.first, test.last) + (test.mode == 1 ? 1 : 0);
        for (int frame = 0; frame < 3; ++frame) {
            Testing::RunWithin(std::chrono::seconds(5), std::string("AnimationControl: ") + test.name,
                               [&] { RunFrames(control, 1); });
            for (const u32 shown : {control.GetFrameA(), control.GetFrameB()}) {
                EXPECT_GE(shown, lowest) << "frame " << frame;
                EXPECT_LE(shown, highest) << "frame " << frame;
            }
            EXPECT_GE(control.GetBlend(), 0.0f) << "frame " << frame;
            EXPECT_LE(control.GetBlend(), 1.0f) << "frame " << frame;
        }
        EXPECT_EQ(control.playing, test.playing);
        EXPECT_GE(control.loopsDone, test.leastLoops);
        EXPECT_LE(control.loopsDone, test.mostLoops);
        if (test.playing == 0) {
            // Stopped on the range's last frame.
            EXPECT_EQ(control.GetFrameA(), test.last);
            EXPECT_EQ(control.GetFrameB(), test.last);
        }
    }
}
