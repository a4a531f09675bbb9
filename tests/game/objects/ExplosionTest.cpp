#include "game/objects/Explosion.h"

#include "engine/render/Model.h"
#include "game/level/Shadow.h"
#include "tests/game/objects/ExplosionBed.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Halvard;
using Tamrisk::Explosion;
using Tamrisk::Fragment;
using Tamrisk::FragmentSettings;

namespace {

// Frames of 1/16 s add up exactly.
constexpr double kFrame = 0.0625;
constexpr float kPieceHalfSize = 5.0f;

struct FlightCase {
    const char* name;
    FragmentSettings settings;
    // The piece's largest half size half a second and a second into the
    // flight.
    float sizeAtHalfSecond;
    float sizeAtOneSecond;
};

class ExplosionFlightTest : public testing::TestWithParam<FlightCase> {
protected:
    void Step(Explosion& explosion)
    {
        bed.engine.Step(kFrame);
        explosion.Update();
    }

    Testing::ExplosionBed bed;
};

// Launched high enough to fly for more than a second, then it lands, lies on
// the floor for the sink delay, sinks at 4 units a second and is gone once
// its top is below -0.2.
TEST_P(ExplosionFlightTest, PiecesShrinkInFlightLieForTheSinkDelayThenSinkAndTheBurstEnds)
{
    const FlightCase& c = GetParam();
    bed.AddPiece("burst/00", Vector3(0.0f, 0.0f, 5.0f), kPieceHalfSize);
    Explosion explosion(&bed.engine.Get(), bed.data.get(), bed.effects.get(), "burst", 1, true, c.settings);
    explosion.Start(*bed.MakeSource(Vector3(0.0f, 0.0f, 60.0f)), true);
    const Fragment& fragment = *explosion.GetFragments()[0];
    const Model& model = *fragment.GetModel();
    const BoundingBox& box = model.boundingBox;
    ASSERT_EQ(fragment.GetOwnSize(), kPieceHalfSize);
    EXPECT_NEAR(box.GetCenter().z, 65.0f, 1e-4f);

    for (int frame = 1; frame <= 16; ++frame) {
        Step(explosion);
        ASSERT_GT(box.GetCenter().z, c.settings.floorLevel + 1.0f) << "landed early";
        if (frame == 8) {
            EXPECT_NEAR(kPieceHalfSize * Testing::ExplosionBed::ScaleOf(model.worldMatrix), c.sizeAtHalfSecond, 1e-4f);
        }
    }
    EXPECT_NEAR(kPieceHalfSize * Testing::ExplosionBed::ScaleOf(model.worldMatrix), c.sizeAtOneSecond, 1e-4f);
    EXPECT_TRUE(fragment.GetShadow()->IsVisible());

    int flying = 16;
    while (box.GetCenter().z > c.settings.floorLevel + 1e-3f && flying < 200) {
        Step(explosion);
        ++flying;
    }
    const float landedSize = kPieceHalfSize * Testing::ExplosionBed::ScaleOf(model.worldMatrix);
    EXPECT_NEAR(landedSize, c.sizeAtOneSecond, 1e-4f);

    // The frame of landing counts towards the time on the floor.
    for (int lying = 1; fragment.IsActive(); ++lying) {
        ASSERT_LT(lying, 1000);
        const float landed = static_cast<float>(lying * kFrame);
        const float sunk = std::max(0.0f, landed - c.settings.sinkDelay) * 4.0f;
        ASSERT_NEAR(box.GetCenter().z, c.settings.floorLevel - sunk, 1e-3f) << "after " << landed << " s";
        EXPECT_EQ(fragment.GetShadow()->IsVisible(), landed < 1.0f);
        if (landed < 1.0f) {
            EXPECT_NEAR(fragment.GetShadow()->GetAlpha(), 0.25f * (1.0f - landed), 1e-5f);
        }
        ASSERT_GE(box.GetWorldMax().z, -0.2f);
        ASSERT_TRUE(explosion.IsRunning());
        Step(explosion);
    }
    EXPECT_LT(box.GetWorldMax().z, -0.2f);
    EXPECT_EQ(model.GetFlags() & Model::kVisible, 0u);
    EXPECT_FALSE(explosion.IsRunning());
    EXPECT_NEAR(kPieceHalfSize * Testing::ExplosionBed::ScaleOf(model.worldMatrix), landedSize, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(Owners, ExplosionFlightTest,
                         testing::Values(FlightCase{"Block", FragmentSettings{1.0f, 1.0f, 2.8f, 12.0f, 0.0f},
                                                    3.9f, 2.8f},
                                         FlightCase{"Bat", FragmentSettings{1.0f, 0.8f, 100.0f, 0.5f, 1.0f},
                                                    kPieceHalfSize, kPieceHalfSize}),
                         [](const testing::TestParamInfo<FlightCase>& info) { return info.param.name; });

} // namespace
