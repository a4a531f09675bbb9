#include "game/objects/BallManager.h"

#include "engine/core/BoundingBox.h"
#include "game/SoundTable.h"
#include "game/objects/Ball.h"
#include "game/objects/Barrier.h"
#include "game/objects/Block.h"
#include "tests/game/objects/BallBed.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using Halvard::u32;
using Halvard::Vector2;
using Tamrisk::Ball;
using Testing::BallBed;

constexpr double kFrame = 0.02;
// Where a ball comes down: over the head's middle, near its end, between
// the two, or beside the bat straight onto the barrier.
enum class Spot { kMiddle, kBetween, kEnd, kBeside };

struct LandingCase {
    std::string name;
    u32 ballCount;
    // The place in the list of the ball that comes down; the others rise.
    u32 landing;
    Spot spot;
    bool barrierUp;
};

void PrintTo(const LandingCase& c, std::ostream* out) { *out << c.name; }

// The x of the spot on the bat standing at the field's middle.
float SpotX(const Halvard::BoundingBox& head, Spot spot)
{
    const float centre = head.GetCenter().x;
    const float half = head.GetHalfSize().x;
    switch (spot) {
    case Spot::kMiddle:
        return centre;
    case Spot::kBetween:
        return centre + 0.5f * half;
    case Spot::kEnd:
        return centre - half + 1.0f;
    case Spot::kBeside:
        break;
    }
    return centre + half + 2.0f * BallBed::kBallRadius;
}

class BallLandingTest : public testing::TestWithParam<LandingCase> {};

// A ball moving away from the bat passes through the bat and the barrier;
// a later ball of the same frame that comes down onto them still bounces.
TEST_P(BallLandingTest, ABallComingDownBouncesThoughAnEarlierBallOfTheFrameRises)
{
    const LandingCase& c = GetParam();
    BallBed bed;
    bed.RaiseBat();
    if (c.barrierUp)
        bed.barrier->Activate();
    const Halvard::BoundingBox& head = bed.bat->GetHeadBox();
    // Half a unit above what it meets, so that the first frame's step of
    // more than a unit reaches it: the bat's box 3 units nearer the player
    // than its head, or the rope.
    const float face = c.spot == Spot::kBeside ? bed.barrier->GetBox().GetWorldMax().y : head.GetWorldMax().y - 3.0f;
    const Vector2 landingStart(SpotX(head, c.spot), face + BallBed::kBallRadius + 0.5f);
    std::vector<Ball*> balls;
    for (u32 i = 0; i < c.ballCount; ++i) {
        if (i == c.landing)
            balls.push_back(bed.Throw(landingStart, Vector2(0.0f, -1.0f)));
        else
            balls.push_back(bed.Throw(Vector2(-60.0f + 20.0f * static_cast<float>(i), 0.0f), Vector2(0.0f, 1.0f)));
    }
    const Ball& landing = *balls[c.landing];

    bed.Frame(kFrame);
    EXPECT_GT(landing.GetDirection().y, 0.0f) << "the ball turned back up in the frame it arrived";
    EXPECT_GE(landing.GetPosition().y, face + BallBed::kBallRadius - 1e-3f) << "it stops at the face";
    if (c.spot == Spot::kBeside) {
        EXPECT_EQ(bed.Plays(Tamrisk::kSoundBallHitBarrier), 1);
        EXPECT_EQ(bed.barrier->GetStrength(), 0u);
    } else {
        EXPECT_EQ(bed.Plays(Tamrisk::kSoundBallHitBat), 1);
        EXPECT_EQ(bed.barrier->GetStrength(), c.barrierUp ? 1u : 0u);
    }
    bed.Frames(10, kFrame);
    EXPECT_EQ(bed.Balls().GetBalls().size(), c.ballCount) << "no ball is lost";
    EXPECT_EQ(bed.Plays(Tamrisk::kSoundBallLost), 0);
}

LandingCase Landing(u32 count, u32 landing, Spot spot, bool barrierUp)
{
    static const char* const kSpots[] = {"Middle", "Between", "End", "Beside"};
    return {std::to_string(count) + "BallsNumber" + std::to_string(landing + 1) + "Lands" +
                kSpots[static_cast<int>(spot)] + (barrierUp ? "WithBarrier" : ""),
            count, landing, spot, barrierUp};
}

std::vector<LandingCase> LandingCases()
{
    std::vector<LandingCase> cases;
    const struct {
        u32 count;
        u32 landing;
    } orders[] = {{2, 1}, {3, 1}, {3, 2}};
    for (const auto& order : orders) {
        for (Spot spot : {Spot::kMiddle, Spot::kBetween, Spot::kEnd}) {
            cases.push_back(Landing(order.count, order.landing, spot, false));
            cases.push_back(Landing(order.count, order.landing, spot, true));
        }
        cases.push_back(Landing(order.count, order.landing, Spot::kBeside, true));
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Frames, BallLandingTest, testing::ValuesIn(LandingCases()),
                         [](const testing::TestParamInfo<LandingCase>& info) { return info.param.name; });

// What one ball uses up in a frame stays used up for the balls after it: a
// block it broke, the last rope of the barrier.
TEST(BallSharedExclusionTest, ALaterBallOfTheFramePassesWhereAnEarlierBallBrokeABlock)
{
    // A 4 x 4 x 4 block whose near face stands at y 38, met by two rising
    // balls side by side in the same frame.
    BallBed bed({.blocks = {BallBed::Box(0.0f, 40.0f, 0.0f, {2.0f, 2.0f, 2.0f})}});
    Ball* first = bed.Throw(Vector2(-0.5f, 35.5f), Vector2(0.0f, 1.0f));
    Ball* second = bed.Throw(Vector2(0.5f, 35.5f), Vector2(0.0f, 1.0f));
    bed.Frame(kFrame);
    EXPECT_FALSE(bed.geometry->GetBlocks().at(0)->IsAlive());
    EXPECT_LT(first->GetDirection().y, 0.0f) << "the first bounces off the block it breaks";
    EXPECT_GT(second->GetDirection().y, 0.0f) << "the second goes on through where it stood";
    EXPECT_GT(second->GetPosition().y, 36.0f);
}

TEST(BallSharedExclusionTest, ALaterBallOfTheFramePassesTheBarrierWhoseLastRopeAnEarlierBallTook)
{
    BallBed bed;
    bed.RaiseBat();
    bed.barrier->Activate();
    const float landing = bed.barrier->GetBox().GetWorldMax().y + BallBed::kBallRadius + 0.5f;
    Ball* first = bed.Throw(Vector2(40.0f, landing), Vector2(0.0f, -1.0f));
    Ball* second = bed.Throw(Vector2(50.0f, landing), Vector2(0.0f, -1.0f));
    bed.Frame(kFrame);
    EXPECT_EQ(bed.barrier->GetStrength(), 0u);
    EXPECT_GT(first->GetDirection().y, 0.0f);
    EXPECT_LT(second->GetDirection().y, 0.0f);
    EXPECT_EQ(bed.Plays(Tamrisk::kSoundBallHitBarrier), 1);
    bed.Frames(20, kFrame);
    EXPECT_EQ(bed.Plays(Tamrisk::kSoundBallLost), 1);
}

// A ball leaving the bat is never stopped by it or by the barrier, though
// it starts inside the boxes they meet balls with.
TEST(BallSharedExclusionTest, ARisingBallLeavesTheBatAndTheBarrierFromInsideTheirBoxes)
{
    BallBed bed;
    bed.RaiseBat();
    bed.barrier->Activate();
    const Halvard::BoundingBox& head = bed.bat->GetHeadBox();
    const float batBox = head.GetWorldMax().y - 3.0f - 1.0f;
    const float rope = bed.barrier->GetBox().GetCenter().y;
    Ball* fromBat = bed.Throw(Vector2(head.GetCenter().x, batBox), Vector2(0.0f, 1.0f));
    Ball* fromRope = bed.Throw(Vector2(50.0f, rope), Vector2(0.0f, 1.0f));
    bed.Frames(10, kFrame);
    EXPECT_GT(fromBat->GetDirection().y, 0.0f);
    EXPECT_GT(fromBat->GetPosition().y, batBox + 10.0f);
    EXPECT_GT(fromRope->GetPosition().y, rope + 10.0f);
    EXPECT_EQ(bed.Plays(Tamrisk::kSoundBallHitBat), 0);
    EXPECT_EQ(bed.Plays(Tamrisk::kSoundBallHitBarrier), 0);
    EXPECT_EQ(bed.barrier->GetStrength(), 1u);
}

} // namespace
