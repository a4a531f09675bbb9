#include "game/objects/BallManager.h"

#include "engine/render/Model.h"
#include "game/SoundTable.h"
#include "game/objects/Ball.h"
#include "game/objects/BallKeeper.h"
#include "game/objects/Barrier.h"
#include "game/objects/Block.h"
#include "tests/game/objects/BallBed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using Halvard::u32;
using Halvard::Vector2;
using Tamrisk::Ball;
using Testing::BallBed;

constexpr float kPi = 3.14159265358979f;
constexpr float kDegree = kPi / 180.0f;

Vector2 Unit(float degrees) { return Vector2(std::cos(degrees * kDegree), std::sin(degrees * kDegree)); }

float AngleBetween(const Vector2& a, const Vector2& b)
{
    return std::acos(std::clamp(a.x * b.x + a.y * b.y, -1.0f, 1.0f)) / kDegree;
}

// Frames until the ball's direction changes, at most 30.
void UntilBounced(BallBed& bed, const Ball& ball)
{
    const Vector2 heading = ball.GetDirection();
    for (int frame = 0; frame < 30; ++frame) {
        bed.Frame(0.02);
        if (ball.GetDirection().x != heading.x || ball.GetDirection().y != heading.y)
            return;
    }
}

TEST(BallManagerSpeedTest, TheSpeedBoundsFollowTheSpareLives)
{
    struct Case {
        u32 lives;
        float min, base, max;
    };
    const Case cases[] = {{0, 31.6f, 41.6f, 106.6f}, {3, 47.7f, 57.7f, 122.7f}, {4, 50.0f, 60.0f, 125.0f},
                          {7, 63.8f, 73.8f, 138.8f}, {10, 77.6f, 87.6f, 152.6f}, {11, 82.2f, 92.2f, 157.2f},
                          {40, 82.2f, 92.2f, 157.2f}};
    BallBed bed;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lives);
        bed.Balls().Update(c.lives, 1.0f);
        EXPECT_NEAR(bed.Balls().GetMinSpeed(), c.min, 1e-4f);
        EXPECT_NEAR(bed.Balls().GetBaseSpeed(), c.base, 1e-4f);
        EXPECT_NEAR(bed.Balls().GetMaxSpeed(), c.max, 1e-4f);
    }
}

// The ball is free but the game's time stands still, so it stays where it
// is while the effect's own clock runs on the frame time.
TEST(BallManagerSpeedTest, ASpeedUpAddsThirtyInASecondHoldsItToTenSecondsAndIsGoneAtEleven)
{
    BallBed bed;
    bed.Balls().AddBall(Ball::kSimple);
    bed.Balls().SpeedUp();
    bed.Frames(50, 0.02, 0.0f);
    EXPECT_FLOAT_EQ(bed.Balls().GetSpeed(), 60.0f) << "the clock stands still while no ball is in play";

    bed.Throw(Vector2(0.0f, 0.0f), Vector2(0.0f, 1.0f));
    // Seconds since the throw: 0.5, 1, 9.9, 10.5, 11.1, 12.1.
    const struct {
        int frames;
        float speed;
        float tolerance;
    } checks[] = {{25, 75.0f, 0.01f}, {25, 90.0f, 0.01f}, {445, 90.0f, 0.01f},
                  {30, 75.0f, 0.7f},  {30, 60.0f, 0.01f}, {50, 60.0f, 0.01f}};
    double elapsed = 0.0;
    for (const auto& check : checks) {
        bed.Frames(check.frames, 0.02, 0.0f);
        elapsed += check.frames * 0.02;
        EXPECT_NEAR(bed.Balls().GetSpeed(), check.speed, check.tolerance) << "after " << elapsed << " s";
    }
}

TEST(BallManagerTest, ASplitSendsTwoMoreBallsOffAtThirdsOfATurnAndStopsOnceTwelveAreInPlay)
{
    BallBed bed;
    const Vector2 heading = Unit(53.0f);
    bed.Throw(Vector2(5.0f, 10.0f), heading, Ball::kSuper);
    bed.Balls().Split();
    const std::vector<Ball*>& balls = bed.Balls().GetBalls();
    ASSERT_EQ(balls.size(), 3u);
    for (u32 k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_FALSE(balls[k]->IsHeld());
        EXPECT_EQ(balls[k]->GetType(), u32{Ball::kSuper});
        EXPECT_FLOAT_EQ(balls[k]->GetPosition().x, 5.0f);
        EXPECT_FLOAT_EQ(balls[k]->GetPosition().y, 10.0f);
        EXPECT_NEAR(AngleBetween(balls[k]->GetDirection(), Unit(53.0f + 120.0f * k)), 0.0f, 0.01f);
    }
    for (std::size_t expected : {9u, 13u, 15u}) {
        bed.Balls().Split();
        EXPECT_EQ(balls.size(), expected);
    }
}

TEST(BallManagerTest, ABallSplitFromTheBatGoesUpAndItsTwoCompanionsLeaveAThirdOfATurnApart)
{
    BallBed bed;
    bed.RaiseBat();
    bed.Balls().AddBall(Ball::kSimple);
    bed.Balls().Split();
    const std::vector<Ball*>& balls = bed.Balls().GetBalls();
    ASSERT_EQ(balls.size(), 3u);
    EXPECT_TRUE(balls[0]->IsHeld());
    const Vector2 a = balls[1]->GetDirection();
    const Vector2 b = balls[2]->GetDirection();
    EXPECT_NEAR(AngleBetween(a, b), 120.0f, 0.01f);
    // The base direction, a third of a turn before the first, points up.
    const float baseAngle = std::atan2(a.y, a.x) - 120.0f * kDegree;
    EXPECT_GT(std::sin(baseAngle), 0.0f);
}

TEST(BallManagerTest, WithEighteenBallsInPlayAnotherIsTheFirstOfItsTypeAgainAndTheListStays)
{
    BallBed bed;
    for (u32 i = 0; i < Tamrisk::BallManager::kMaxBalls; ++i)
        bed.Balls().AddBall(i < 9 ? Ball::kSimple : Ball::kSuper);
    const auto& pool = bed.Balls().GetPool();
    EXPECT_EQ(bed.Balls().AddBall(Ball::kSuper), pool[9].get());
    EXPECT_EQ(bed.Balls().AddBall(Ball::kSimple), pool[0].get());
    EXPECT_EQ(bed.Balls().GetBalls().size(), 18u);
    EXPECT_TRUE(pool[0]->IsHeld());
}

TEST(BallManagerTest, ABallIsLostOnlyOnceItsEdgeIsBelowTheLossLine)
{
    struct Case {
        float edge;
        bool lost;
    };
    for (const Case& c : {Case{-100.0f, false}, Case{-100.25f, true}}) {
        SCOPED_TRACE(c.edge);
        BallBed bed;
        bed.Throw(Vector2(50.0f, c.edge - BallBed::kBallRadius), Vector2(0.0f, -1.0f));
        bed.Frame(0.02, 0.0f);
        EXPECT_EQ(bed.Balls().GetBalls().empty(), c.lost);
        EXPECT_EQ(bed.Plays(Tamrisk::kSoundBallLost), c.lost ? 1 : 0);
    }
}

TEST(BallManagerTest, BallsThatLeftTheFieldComeBackAsOneBallOfTheFirstsTypeOnTheBat)
{
    BallBed bed;
    bed.RaiseBat();
    bed.Throw(Vector2(400.0f, 0.0f), Vector2(1.0f, 0.0f), Ball::kSuper);
    bed.Throw(Vector2(-400.0f, 0.0f), Vector2(1.0f, 0.0f), Ball::kSimple);
    bed.Frame(0.02);
    const std::vector<Ball*>& balls = bed.Balls().GetBalls();
    ASSERT_EQ(balls.size(), 1u);
    EXPECT_TRUE(balls[0]->IsHeld());
    EXPECT_EQ(balls[0]->GetType(), u32{Ball::kSuper});
    EXPECT_EQ(bed.Plays(Tamrisk::kSoundBallLost), 0);
}

// Walls and blocks turn a bounce a few degrees off the mirror image: 9 at 45
// degrees, about 3 head-on. The bat sends a ball where its place on the bat
// says, untouched.
TEST(BallManagerTest, BouncesOffWallsAreTurnedAFewDegreesAndOffTheBatNot)
{
    const float batAngle = 90.0f * 0.85f * 0.25f;
    struct Case {
        const char* name;
        Vector2 start;
        Vector2 heading;
        Vector2 reference;
        float turn;
        float tolerance;
        u32 sound;
    };
    const Case cases[] = {
        {"WallAt45", {-77.0f, 0.0f}, Unit(225.0f), Unit(-45.0f), 9.0f, 0.01f, Tamrisk::kSoundBallHitFieldSimple},
        {"WallHeadOn", {-77.0f, 0.0f}, Unit(180.0f), Unit(0.0f), 3.0f, 1.0f, Tamrisk::kSoundBallHitFieldSimple},
        {"FarWall", {30.0f, 117.0f}, Unit(60.0f), Unit(-60.0f), 7.0f, 0.01f, Tamrisk::kSoundBallHitFieldSimple},
        {"Bat", {5.0f, -80.0f}, Unit(-90.0f), Unit(90.0f - batAngle), 0.0f, 0.001f, Tamrisk::kSoundBallHitBat},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BallBed bed;
        bed.RaiseBat();
        Ball* ball = bed.Throw(c.start, c.heading);
        UntilBounced(bed, *ball);
        EXPECT_NEAR(AngleBetween(ball->GetDirection(), c.reference), c.turn, c.tolerance);
        EXPECT_EQ(bed.Plays(c.sound), 1);
    }
}

TEST(BallManagerTest, AWallBounceLeavesTheBallTouchingTheWall)
{
    BallBed bed;
    Ball* ball = bed.Throw(Vector2(-77.5f, 0.0f), Unit(200.0f));
    bed.Frame(0.02);
    EXPECT_FLOAT_EQ(ball->GetPosition().x, -80.0f + BallBed::kBallRadius);
    EXPECT_GT(ball->GetDirection().x, 0.0f);
}

TEST(BallManagerTest, FourBarrierBonusesLeaveThreeRopesAndBouncesTakeThemInTheReverseOrder)
{
    BallBed bed;
    bed.RaiseBat();
    Tamrisk::Barrier& barrier = *bed.barrier;
    for (int i = 0; i < 4; ++i)
        barrier.Activate();
    ASSERT_EQ(barrier.GetStrength(), 3u);
    const auto ropeShown = [&](u32 rope) { return (barrier.GetRopes()[rope]->GetFlags() & Halvard::Model::kVisible) != 0; };
    for (u32 rope = 0; rope < 3; ++rope)
        EXPECT_TRUE(ropeShown(rope));

    for (u32 bounce = 0; bounce < 3; ++bounce) {
        SCOPED_TRACE(bounce);
        Ball* ball = bed.Throw(Vector2(50.0f, -85.0f), Vector2(0.0f, -1.0f));
        UntilBounced(bed, *ball);
        EXPECT_NEAR(ball->GetDirection().x, 0.0f, 1e-6f) << "a barrier bounce is not turned";
        EXPECT_GT(ball->GetDirection().y, 0.0f);
        EXPECT_EQ(barrier.GetStrength(), 2u - bounce);
        for (u32 rope = 0; rope < 3; ++rope)
            EXPECT_EQ(ropeShown(rope), rope < 2u - bounce) << rope;
        bed.Balls().RemoveBall(0);
    }
    EXPECT_EQ(bed.Plays(Tamrisk::kSoundBallHitBarrier), 3);
    bed.Throw(Vector2(50.0f, -85.0f), Vector2(0.0f, -1.0f));
    bed.Frames(30, 0.02);
    EXPECT_TRUE(bed.Balls().GetBalls().empty());
    EXPECT_EQ(bed.Plays(Tamrisk::kSoundBallLost), 1);
}

struct BreakCase {
    const char* name;
    const char* kind;
    u32 ballType;
    // Whether the level counts the block towards its end.
    bool counts;
};

class BallBreakTest : public testing::TestWithParam<BreakCase> {};

// Breaking a block raises the speed by a share of the way from the base to
// the maximum; a level that counts no block must not divide by that count.
TEST_P(BallBreakTest, ABallBreaksABlockStopsAtItsFaceAndSpeedsUpOnlyWhenBlocksCount)
{
    const BreakCase& test = GetParam();
    // A 4 x 4 x 4 block whose near face stands at y 38.
    BallBed bed({.blocks = {BallBed::Box(0.0f, 40.0f, 0.0f, {2.0f, 2.0f, 2.0f}, test.kind)}});
    ASSERT_EQ(bed.geometry->GetInitialBlocksToDestroy(), test.counts ? 1u : 0u);
    Tamrisk::Block& block = *bed.geometry->GetBlocks().at(0);
    Ball* ball = bed.Throw(Vector2(0.0f, 30.0f), Vector2(0.0f, 1.0f), test.ballType);
    const float radius = ball->GetRadius();
    UntilBounced(bed, *ball);
    EXPECT_FALSE(block.IsAlive());
    EXPECT_NEAR(ball->GetPosition().y, 38.0f - radius, 1e-3f);
    EXPECT_LT(ball->GetDirection().y, 0.0f);
    bed.Frame(0.02);
    Tamrisk::BallManager& balls = bed.Balls();
    const float growth = 0.78f * balls.GetMaxSpeed() + 0.22f * balls.GetBaseSpeed() - balls.GetBaseSpeed();
    EXPECT_NEAR(balls.GetSpeed(), balls.GetBaseSpeed() + (test.counts ? growth : 0.0f), 1e-3f);
}

TEST(BallManagerTest, ABrokenKeeperSetsItsBallFreeWhereItStoodGoingTheHittingBallsWay)
{
    BallBed bed({.blocks = {BallBed::Box(0.0f, 40.0f, 0.0f, {2.0f, 2.0f, 2.0f}, "keeper")}});
    auto& keeper = static_cast<Tamrisk::BallKeeper&>(*bed.geometry->GetBlocks().at(0));
    Ball* ball = bed.Throw(Vector2(0.0f, 30.0f), Vector2(0.0f, 1.0f));
    UntilBounced(bed, *ball);
    EXPECT_FALSE(keeper.IsAlive());
    ASSERT_EQ(bed.Balls().GetBalls().size(), 2u);
    const Ball* released = keeper.GetReleasedBall();
    ASSERT_NE(released, nullptr);
    EXPECT_FALSE(released->IsHeld());
    EXPECT_NEAR(released->GetPosition().x, 0.0f, 1e-3f);
    EXPECT_NEAR(released->GetDirection().y, 1.0f, 1e-3f) << "the way the hitting ball came";
}

TEST(BallManagerTest, AKeeperBlownUpSendsItsBallAwayFromTheBlast)
{
    BallBed bed({.blocks = {BallBed::Box(0.0f, 40.0f, 0.0f, {2.0f, 2.0f, 2.0f}, "keeper")}});
    auto& keeper = static_cast<Tamrisk::BallKeeper&>(*bed.geometry->GetBlocks().at(0));
    bed.Frames(100, 0.02);
    keeper.MarkForExplosion(Halvard::Vector3(-10.0f, 40.0f, 2.0f));
    for (int frame = 0; frame < 30 && keeper.IsAlive(); ++frame) {
        bed.Frame(0.02);
        bed.geometry->Update(1.0f);
    }
    ASSERT_NE(keeper.GetReleasedBall(), nullptr);
    EXPECT_NEAR(keeper.GetReleasedBall()->GetDirection().x, 1.0f, 1e-3f);
}

INSTANTIATE_TEST_SUITE_P(Blocks, BallBreakTest,
                         testing::Values(BreakCase{"CountingBrick", "box", Ball::kSimple, true},
                                         BreakCase{"SteelBySuperBall", "steel", Ball::kSuper, false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
