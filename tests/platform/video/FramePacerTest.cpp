#include "platform/video/FramePacer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace {

using Platform::FramePacer;
using namespace std::chrono_literals;

// A pacer on a made-up clock: frames take a given time to draw, and the
// pacer's sleeps move the clock on.
struct PacedFrames {
    FramePacer::Clock::time_point now{};
    std::vector<FramePacer::Clock::duration> sleeps;
    // What the next sleep overruns by.
    FramePacer::Clock::duration overrun{};
    FramePacer pacer{[this] { return now; },
                     [this](FramePacer::Clock::duration wait) {
                         sleeps.push_back(wait);
                         now += wait + overrun;
                         overrun = {};
                     }};

    // The presents' times of that many frames, each drawn in the given time.
    std::vector<FramePacer::Clock::time_point> Run(int frames, FramePacer::Clock::duration drawing,
                                                  FramePacer::Clock::duration period)
    {
        std::vector<FramePacer::Clock::time_point> presents;
        for (int frame = 0; frame < frames; ++frame) {
            now += drawing;
            pacer.AfterSwap(period);
            presents.push_back(now);
        }
        return presents;
    }
};

constexpr auto kPeriod = std::chrono::duration_cast<FramePacer::Clock::duration>(1s) / 60;

TEST(FramePacer, FramesFasterThanTheDisplayComeOncePerRefresh)
{
    for (auto drawing : {0ms, 1ms, 4ms, 16ms}) {
        PacedFrames paced;
        const auto presents = paced.Run(121, drawing, kPeriod);
        EXPECT_EQ(presents.back() - presents.front(), 120 * kPeriod) << drawing.count();
        for (size_t i = 1; i < presents.size(); ++i)
            EXPECT_EQ(presents[i] - presents[i - 1], kPeriod) << drawing.count() << " frame " << i;
    }
}

TEST(FramePacer, FramesSlowerThanTheDisplayAreNeverHeldBack)
{
    PacedFrames paced;
    paced.Run(30, 25ms, kPeriod);
    EXPECT_TRUE(paced.sleeps.empty());
}

// A sleep that overran is made up by the next frame, so the rate holds; a
// frame that ran long does not let the next ones run free to catch up.
TEST(FramePacer, TheRateHoldsOverLateWakesAndLongFrames)
{
    PacedFrames paced;
    const auto start = paced.Run(2, 1ms, kPeriod).front();
    paced.overrun = 3ms;
    const auto late = paced.Run(1, 1ms, kPeriod).back();
    const auto caughtUp = paced.Run(1, 1ms, kPeriod).back();
    EXPECT_EQ(late - start, 2 * kPeriod + 3ms);
    EXPECT_EQ(caughtUp - start, 3 * kPeriod);

    const auto beforeLong = paced.Run(1, 100ms, kPeriod).back();
    const auto presents = paced.Run(60, 1ms, kPeriod);
    EXPECT_EQ(presents.front() - beforeLong, kPeriod);
    for (size_t i = 1; i < presents.size(); ++i)
        EXPECT_EQ(presents[i] - presents[i - 1], kPeriod) << i;
}

TEST(FramePacer, AnUnsynchronisedSwapLeavesNothingToWaitFor)
{
    PacedFrames paced;
    paced.Run(1, 1ms, kPeriod);
    paced.pacer.Forget();
    paced.Run(1, 1ms, kPeriod);
    EXPECT_TRUE(paced.sleeps.empty());
}

} // namespace
