#include "game/objects/GameGeometry.h"

#include "engine/app/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Image.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem.h"
#include "platform/video/GLVideoSystem.h"
#include "game/LevelRecord.h"
#include "game/StageRecord.h"
#include "game/data/GameLogicData.h"
#include "game/level/Effects.h"
#include "game/level/Lighting.h"
#include "game/objects/Block.h"
#include "game/objects/Explosion.h"
#include "game/objects/ExplosionManager.h"
#include "game_tools/DataKeeper.h"
#include "tools/LevelGeometryWriter.h"

#include "tests/support/FakeClock.h"
#include "tests/support/FrameStepper.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/BlockBed.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

using namespace Tamrisk;
using Halvard::u16;

using Testing::TestBlock;

class GameGeometryTest : public Testing::BlockBed, public testing::Test {};

TEST_F(GameGeometryTest, StacksAppearFromTheGroundUpAndABlockFallsWhenItsSupportGoes)
{
    Build({TestBlock("box", 0.0f, 0.0f, {}, {1}), TestBlock("box", 0.0f, 2.0f, {0}, {}), TestBlock("wall", 10.0f, 0.0f)});
    EXPECT_TRUE(Testing::LogProbe(*engine->GetMessageManager()).Contains("...Blocks count: 3"));
    EXPECT_FLOAT_EQ(At(1).GetStackHeight(), 2.0f);
    EXPECT_FALSE(Visible(At(0)) || Visible(At(1)) || Visible(At(2)));

    double groundShown = -1.0, upperShown = -1.0;
    for (int frame = 1; frame <= 80; ++frame) {
        RunFor(0.01);
        if (groundShown < 0.0 && Visible(At(0)))
            groundShown = frame * 0.01;
        if (upperShown < 0.0 && Visible(At(1)))
            upperShown = frame * 0.01;
    }
    EXPECT_GE(groundShown, 0.15 - 1e-6);
    EXPECT_LE(groundShown, 0.36);
    EXPECT_GE(upperShown - groundShown, 0.15 - 0.011);
    EXPECT_LE(upperShown - groundShown, 0.36);

    At(0).Destroy(Block::kSimple, false);
    EXPECT_GT(At(1).GetFallSpeed(), 0.0f) << "the block above is jolted";
    RunFor(1.5);
    ASSERT_EQ(geometry->GetBlocks().size(), 2u);
    Block& fallen = At(0);
    EXPECT_TRUE(fallen.GetSupports().empty());
    EXPECT_NEAR(fallen.GetPosition().z, 0.0f, 1e-4f);
    EXPECT_FLOAT_EQ(fallen.GetFallSpeed(), 0.0f);
}

TEST_F(GameGeometryTest, ARemovedBlockLeavesTheBlockAboveItStandingOnWhatItStoodOn)
{
    Build({TestBlock("box", 0.0f, 0.0f, {}, {1}), TestBlock("box", 0.0f, 2.0f, {0}, {2}),
           TestBlock("box", 0.0f, 4.0f, {1}, {})});
    RunFor(1.5);
    Block* bottom = &At(0);
    Block* top = &At(2);
    At(1).Destroy(Block::kSimple, false);
    RunFor(1.0);
    ASSERT_EQ(geometry->GetBlocks().size(), 2u);
    EXPECT_EQ(top->GetSupports(), std::vector<Block*>{bottom});
    EXPECT_EQ(bottom->GetAbove(), std::vector<Block*>{top});
    EXPECT_NEAR(top->GetPosition().z, 2.0f, 1e-4f) << "it has fallen onto the bottom block";
}

TEST_F(GameGeometryTest, AMirroredBlockIsCulledTheOtherWayRound)
{
    Tools::LevelBlock mirrored = TestBlock("wall", 0.0f, 0.0f);
    mirrored.scale = {-1.0f, 1.0f, 1.0f};
    Build({TestBlock("wall", -5.0f, 0.0f), mirrored});
    const Halvard::u32 plain = At(0).GetModel()->GetFlags();
    const Halvard::u32 turned = At(1).GetModel()->GetFlags();
    EXPECT_NE(plain & Halvard::Model::kCullClockwise, 0u);
    EXPECT_EQ(plain & Halvard::Model::kCullCounterClockwise, 0u);
    EXPECT_EQ(turned & Halvard::Model::kCullClockwise, 0u);
    EXPECT_NE(turned & Halvard::Model::kCullCounterClockwise, 0u);
}

struct JoltCase {
    const char* name;
    float hitSupportZ;
    bool hops;
};

class GameGeometryJoltTest : public GameGeometryTest, public testing::WithParamInterface<JoltCase> {};

TEST_P(GameGeometryJoltTest, AJoltReachesABlockOnTwoSupportsOnlyWhenTheOtherSupportsTopMeetsTheJoltedOnes)
{
    Build({TestBlock("box", 0.0f, GetParam().hitSupportZ, {}, {2}), TestBlock("box", 2.0f, 0.0f, {}, {2}),
           TestBlock("box", 1.0f, 2.0f, {0, 1}, {})});
    RunFor(1.0);
    At(0).Fall();
    EXPECT_EQ(At(2).GetFallSpeed() > 0.0f, GetParam().hops);
}

INSTANTIATE_TEST_SUITE_P(Supports, GameGeometryJoltTest,
                         testing::Values(JoltCase{"LevelSupports", 0.0f, true},
                                         JoltCase{"HitSupportThreeLower", -3.0f, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameGeometryTest, BlocksDestroyedInOneFrameAreAllRemovedAtTheNextUpdate)
{
    Build({TestBlock("box", 0.0f, 0.0f), TestBlock("box", 4.0f, 0.0f), TestBlock("wall", 8.0f, 0.0f)});
    RunFor(1.0);
    Block* kept = &At(2);
    At(0).Destroy(Block::kSimple, false);
    At(1).Destroy(Block::kSimple, false);
    RunFor(0.01);
    ASSERT_EQ(geometry->GetBlocks().size(), 1u);
    EXPECT_EQ(&At(0), kept);
}

TEST_F(GameGeometryTest, ASuperBlastDestroysTheNeighboursWithinReachAFewTenthsLater)
{
    Build({TestBlock("box", 0.0f, 0.0f), TestBlock("wall", 2.2f, 0.0f), TestBlock("wall", 10.0f, 0.0f)});
    RunFor(1.0);
    Block* neighbour = &At(1);
    Block* distant = &At(2);
    At(0).Destroy(Block::kSuper, true);
    EXPECT_TRUE(neighbour->IsMarked());
    EXPECT_FALSE(distant->IsMarked());
    RunFor(0.1);
    ASSERT_EQ(geometry->GetBlocks().size(), 2u) << "the mark waits at least 0.1 s";
    RunFor(0.25);
    ASSERT_EQ(geometry->GetBlocks().size(), 1u);
    EXPECT_EQ(&At(0), distant);
}

TEST_F(GameGeometryTest, BlocksOfOneKindShareOneExplosionGroupSizedForTheirNumber)
{
    std::vector<Tools::LevelBlock> blocks;
    for (int i = 0; i < 5; ++i)
        blocks.push_back(TestBlock("box", 4.0f * i, 0.0f));
    blocks.push_back(TestBlock("wall", -10.0f, 0.0f));
    Build(blocks);
    const auto& records = geometry->GetExplosionManager()->GetRecords();
    ASSERT_EQ(records.size(), 3u) << "five blocks: min(5, 5 / 2 + 1)";
    for (const auto& record : records) {
        EXPECT_EQ(record.first, At(0).GetExplosionGroup());
        EXPECT_EQ(record.second->GetFragments().size(), 2u);
    }
    EXPECT_TRUE(At(4).HasExplosionGroup());
    EXPECT_FALSE(At(5).HasExplosionGroup());

    RunFor(1.0);
    At(0).Destroy(Block::kSimple, false);
    EXPECT_TRUE(records[0].second->IsRunning());
    EXPECT_FALSE(records[1].second->IsRunning());
}

// Seen from straight above, a white block over a green floor, both unlit: the
// block shows in its colour and its shadow darkens the floor on the side the
// light's direction (0.7071, -0.7071) points to, and only there.
struct RealVideo {
    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
};

class BlockShadowDrawTest : public RealVideo, public Testing::BlockBed, public testing::Test {
protected:
    BlockShadowDrawTest() : BlockBed({.stencilRequest = true, .videoMode = "1024x768x32"}) {}

    Halvard::Model* Floor()
    {
        const float lo[3] = {-40.0f, -40.0f, -1.0f};
        const float hi[3] = {40.0f, 40.0f, 0.0f};
        Halvard::Model* floor =
            engine->GetModelManager()->CreateModelFromArrays(lo, hi, nullptr, nullptr, Halvard::Model::kColored);
        floor->ClearFlags(Halvard::Model::kLit);
        floor->SetColor(Halvard::Vector4(0.0f, 0.8f, 0.0f, 1.0f));
        return floor;
    }

    // Red, green and blue of the pixel the world point projects to.
    std::array<int, 3> PixelAt(const Halvard::Vector3& world)
    {
        Halvard::Vector2 screen(0.0f, 0.0f);
        Halvard::CameraManager& cameras = *engine.Get().GetCameraManager();
        cameras.ProjectPoint(screen, cameras.GetDefaultCamera(), world);
        const Halvard::u8* p = image.GetData() +
                               (static_cast<std::size_t>(screen.y) * image.GetWidth() + static_cast<Halvard::u32>(screen.x)) * 4u;
        return {p[0], p[1], p[2]};
    }

    Halvard::Image image;
};

TEST_F(BlockShadowDrawTest, ABlockShowsInItsColourAndItsShadowFallsAlongTheLightsDirection)
{
    ASSERT_TRUE(engine->GetRenderSystem()->IsStencilPresent());
    Halvard::Camera& camera = *engine->GetCameraManager()->GetDefaultCamera();
    camera.SetPosition(Halvard::Vector3(0.0f, 0.0f, 12.0f));
    Floor();
    Build({TestBlock("box", 0.0f, 1.0f)});
    At(0).GetModel()->ClearFlags(Halvard::Model::kLit);
    Testing::FrameStepper(clock, *engine->GetTimerManager(), 0.02).Run(50, [this] {
        geometry->Update(1.0f);
        effects->Update();
        engine->BeginFrame();
        engine->EndFrame(0);
    });
    engine->GetRenderSystem()->CaptureScreen(image);

    // The block's own box has no colours of its own: it shows white.
    const std::array<int, 3> top = PixelAt({0.0f, 0.0f, 2.0f});
    EXPECT_GT(top[0], 200);
    EXPECT_GT(top[2], 200);
    // The block covers -1..1; its shadow, the same square moved by the
    // direction, lies past its right and lower edges only.
    const std::array<int, 3> floor = PixelAt({-3.0f, 3.0f, 0.0f});
    const std::array<int, 3> shadowed = PixelAt({1.35f, -1.35f, 0.0f});
    const std::array<int, 3> unshadowed = PixelAt({-1.35f, 1.35f, 0.0f});
    EXPECT_GT(floor[1], 150);
    EXPECT_LT(shadowed[1], floor[1] - 20) << "the shadow darkens the floor";
    EXPECT_NEAR(shadowed[1], floor[1] * 0.75, 12) << "a shadow on the field has alpha 0.25";
    EXPECT_NEAR(unshadowed[1], floor[1], 3) << "no shadow against the light";
}

} // namespace
