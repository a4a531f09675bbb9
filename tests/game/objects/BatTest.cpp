#include "game/objects/Bat.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "game/SoundTable.h"
#include "game/objects/Explosion.h"
#include "tests/game/objects/BallBed.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Halvard::Vector2;
using Testing::BallBed;

constexpr float kDegree = 3.14159265358979f / 180.0f;

TEST(BatTest, ThreeEnlargementsGiveSixtyAndTheShownLengthCoversTwentyInAboutAThirdOfASecond)
{
    BallBed bed;
    Tamrisk::Bat& bat = *bed.bat;
    for (int i = 0; i < 3; ++i)
        bat.Enlarge();
    EXPECT_FLOAT_EQ(bat.GetTargetLength(), 60.0f);
    double reached40 = -1.0;
    for (int frame = 1; frame <= 50; ++frame) {
        bed.Frame(0.02);
        if (reached40 < 0.0 && bat.GetLength() >= 40.0f - 1e-3f)
            reached40 = frame * 0.02;
    }
    EXPECT_GE(reached40, 0.34);
    EXPECT_LE(reached40, 0.38);
    EXPECT_FLOAT_EQ(bat.GetLength(), 60.0f);
    EXPECT_FLOAT_EQ(bat.GetHead()->GetAnimationControl().time, 60.0f) << "the head shows the length as its frame";
    for (int i = 0; i < 4; ++i)
        bat.Shrink();
    EXPECT_FLOAT_EQ(bat.GetTargetLength(), 0.0f);
}

// The bat waits 1.8 s, then rises from 30 below its place, slowing down; a
// new bat after a lost life rises at once.
TEST(BatTest, TheBatRisesIntoPlaceAndSoundsItsCreationOncePerRiseInTheRisesFirstFrame)
{
    BallBed bed;
    Tamrisk::Bat& bat = *bed.bat;
    const auto creations = [&] { return bed.Plays(Tamrisk::kSoundBatCreation); };
    int waited = 0;
    while (!bat.IsPresent() && waited < 100) {
        bed.Frame(0.02);
        ++waited;
    }
    EXPECT_NEAR(waited * 0.02, 1.8, 0.021) << "present once the wait is over";
    EXPECT_FALSE(bat.HasRisen());
    EXPECT_FLOAT_EQ(bat.GetHeight(), -30.0f);
    EXPECT_EQ(creations(), 0);
    bed.Frame(0.02);
    EXPECT_EQ(creations(), 1);
    EXPECT_GT(bat.GetHeight(), -30.0f);
    bed.Frames(50, 0.02);
    EXPECT_TRUE(bat.HasRisen());
    EXPECT_FLOAT_EQ(bat.GetHeight(), 0.0f);
    EXPECT_NEAR(bat.GetHeadBox().GetCenter().y, -85.0f, 1e-4f);
    EXPECT_EQ(creations(), 1);

    bat.Respawn();
    EXPECT_FALSE(bat.IsPresent());
    bed.Frame(0.02);
    EXPECT_EQ(creations(), 2);
    bed.Frames(60, 0.02);
    EXPECT_TRUE(bat.HasRisen());
    EXPECT_EQ(creations(), 2);
}

TEST(BatTest, ABallLeavesTheMiddleStraightAheadAndAnEndAtThirtyEightAndAQuarterDegrees)
{
    struct Case {
        float x;
        float degrees;
    };
    BallBed bed;
    bed.RaiseBat();
    const float half = BallBed::kBatHalfWidth;
    for (const Case& c : {Case{0.0f, 0.0f}, Case{half, 38.25f}, Case{-half, -38.25f}, Case{half / 2, 19.125f}}) {
        SCOPED_TRACE(c.x);
        const Vector2 direction = bed.bat->GetBounceDirection(Vector2(c.x, -80.0f));
        EXPECT_NEAR(direction.x, std::sin(c.degrees * kDegree), 1e-5f);
        EXPECT_NEAR(direction.y, std::cos(c.degrees * kDegree), 1e-5f);
    }
}

TEST(BatTest, ARecoilPushesTheBatNineTenthsBackAndItSpringsIntoPlace)
{
    BallBed bed;
    bed.RaiseBat();
    Tamrisk::Bat& bat = *bed.bat;
    bat.Recoil();
    float deepest = 0.0f;
    for (int frame = 0; frame < 25; ++frame) {
        bed.Frame(0.02);
        deepest = std::min(deepest, bat.GetHeadBox().GetCenter().y + 85.0f);
    }
    EXPECT_NEAR(deepest, -0.9f, 1e-4f);
    EXPECT_FLOAT_EQ(bat.GetHeadBox().GetCenter().y, -85.0f);
}

TEST(BatTest, ADestroyedBatIsHiddenAtOnceAndGoneOnceItsPiecesHaveSettled)
{
    BallBed bed;
    bed.RaiseBat();
    Tamrisk::Bat& bat = *bed.bat;
    bat.Destroy();
    EXPECT_TRUE(bat.IsHidden());
    EXPECT_TRUE(bat.IsPresent());
    EXPECT_TRUE(bat.GetExplosion(1)->IsRunning());
    bed.Frame(0.02);
    EXPECT_EQ(bed.Plays(Tamrisk::kSoundBatDestruction), 1);
    for (int frame = 0; frame < 1000 && bat.IsPresent(); ++frame)
        bed.Frame(0.02);
    EXPECT_FALSE(bat.IsPresent());
    EXPECT_FALSE(bat.GetExplosion(0)->IsRunning() || bat.GetExplosion(1)->IsRunning() ||
                 bat.GetExplosion(2)->IsRunning());
}

} // namespace
