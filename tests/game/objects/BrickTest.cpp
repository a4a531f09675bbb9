#include "game/objects/Brick.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "game/level/Effects.h"
#include "game/objects/GameGeometry.h"

#include "tests/support/game/BlockBed.h"

#include <gtest/gtest.h>

namespace {

using namespace Tamrisk;
using Testing::TestBlock;

class BrickTest : public Testing::BlockBed, public testing::Test {
protected:
    // Builds the blocks and lets them appear.
    void Stand(std::vector<Tools::LevelBlock> blocks)
    {
        Build(std::move(blocks));
        RunFor(1.5);
    }

    float DamageFrame(Block& block) { return block.GetModel()->GetShaderUser()->GetAnimation(0).time; }
};

struct StrengthCase {
    const char* kind;
    // Hits of a simple ball it takes; a super ball breaks any in one.
    unsigned hits;
    bool counts;
    // The score kind of its crash.
    Halvard::u32 crashScore;
};

class BrickStrengthTest : public BrickTest, public testing::WithParamInterface<StrengthCase> {};

TEST_P(BrickStrengthTest, BreaksAfterItsHitsOrOneSuperHitAndCountsOnlyWhenBreakable)
{
    const StrengthCase& brick = GetParam();
    Stand({TestBlock(brick.kind, 0.0f, 0.0f), TestBlock(brick.kind, 10.0f, 0.0f)});
    EXPECT_EQ(geometry->GetBlocksToDestroy(), brick.counts ? 2u : 0u);
    Block& simple = At(0);
    for (unsigned hit = 1; hit < brick.hits; ++hit) {
        simple.Destroy(Block::kSimple, false);
        ASSERT_TRUE(simple.IsAlive()) << "hit " << hit;
    }
    simple.Destroy(Block::kSimple, false);
    EXPECT_FALSE(simple.IsAlive());
    At(1).Destroy(Block::kSuper, false);
    EXPECT_FALSE(At(1).IsAlive());
    EXPECT_EQ(Scored(brick.crashScore), 2u);
    RunFor(0.01);
    EXPECT_EQ(geometry->GetBlocksToDestroy(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BrickStrengthTest,
                         testing::Values(StrengthCase{"box", 1, true, 1}, StrengthCase{"hard", 3, true, 3},
                                         StrengthCase{"steel", 25, false, 7}, StrengthCase{"bomb", 1, true, 6}),
                         [](const auto& info) { return std::string(info.param.kind); });

TEST_F(BrickTest, AHardBrickShowsMoreDamageWithEachHitThatLeavesItStanding)
{
    Stand({TestBlock("hard", 0.0f, 0.0f)});
    Block& brick = At(0);
    At(0).Destroy(Block::kSimple, false);
    EXPECT_FLOAT_EQ(DamageFrame(brick), 1.0f);
    EXPECT_EQ(Scored(2), 1u);
    At(0).Destroy(Block::kSimple, false);
    EXPECT_FLOAT_EQ(DamageFrame(brick), 2.0f);
    EXPECT_EQ(Scored(2), 2u);
    EXPECT_EQ(Scored(3), 0u);
}

TEST_F(BrickTest, AStrengthBeyondTheTexturesFramesShowsTheFirstFrame)
{
    Stand({TestBlock("tough", 0.0f, 0.0f)});
    At(0).Destroy(Block::kSimple, false);
    EXPECT_FLOAT_EQ(DamageFrame(At(0)), 0.0f);
    RunFor(0.1);
    At(0).Destroy(Block::kSimple, false);
    At(0).Destroy(Block::kSimple, false);
    EXPECT_FLOAT_EQ(DamageFrame(At(0)), 1.0f) << "strength 2 of 3 frames";
}

TEST_F(BrickTest, AnExplosiveBrickSetsOffTheExplosiveBricksBesideItInAChain)
{
    Stand({TestBlock("bomb", 0.0f, 0.0f), TestBlock("bomb", 2.4f, 0.0f), TestBlock("bomb", 4.8f, 0.0f),
           TestBlock("wall", 20.0f, 0.0f)});
    Block* wall = &At(3);
    At(0).Destroy(Block::kSimple, false);
    EXPECT_TRUE(At(1).IsMarked());
    EXPECT_FALSE(At(2).IsMarked()) << "out of the first blast's reach";
    RunFor(1.0);
    ASSERT_EQ(geometry->GetBlocks().size(), 1u);
    EXPECT_EQ(&At(0), wall);
    EXPECT_EQ(Scored(6), 3u);
}

TEST_F(BrickTest, ABrickDestroyedTwiceInOneFrameScoresOnce)
{
    Stand({TestBlock("box", 0.0f, 0.0f)});
    const std::size_t playing = effects->GetEffects().size();
    At(0).Destroy(Block::kSimple, false);
    At(0).Destroy(Block::kSuper, true);
    EXPECT_EQ(Scored(1), 1u);
    EXPECT_EQ(effects->GetEffects().size(), playing + 1) << "one destruction effect";
}

} // namespace
