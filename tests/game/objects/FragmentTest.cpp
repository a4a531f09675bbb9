#include "game/objects/Fragment.h"

#include "engine/core/StringUtils.h"
#include "engine/render/Model.h"
#include "game/level/Shadow.h"
#include "tests/game/objects/ExplosionBed.h"
#include "tests/support/VectorMatchers.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Halvard;
using Tamrisk::Fragment;
using Tamrisk::FragmentSettings;

namespace {

struct CommonPieceCase {
    const char* name;
    float commonHalfSize;
    float pieceHalfSize;
    // The common piece's scale that gives it the piece's size.
    float scale;
};

class CommonPieceTest : public testing::TestWithParam<CommonPieceCase> {};

TEST_P(CommonPieceTest, ACommonPieceTakesTheSizeOfThePieceItStandsForWhenItHasAny)
{
    const CommonPieceCase& c = GetParam();
    Testing::ExplosionBed bed;
    for (u32 i = 0; i < 10; ++i)
        bed.AddPiece("geometry/fragments/common/" + UIntToString(i, 2), Vector3(1.0f, 2.0f, 3.0f), c.commonHalfSize);
    bed.AddPiece("steel/00", Vector3(0.0f, 0.0f, 4.0f), c.pieceHalfSize);
    Fragment fragment(&bed.engine.Get(), bed.data.get(), bed.effects.get(), "steel/00", false, FragmentSettings{});
    const Model& model = *fragment.GetModel();
    for (float element : model.localMatrix.m)
        ASSERT_TRUE(std::isfinite(element));
    EXPECT_NEAR(Testing::ExplosionBed::ScaleOf(model.localMatrix), c.scale, 1e-5f);
    EXPECT_EQ(model.GetFlags() & Model::kVisible, 0u);

    fragment.Start(*bed.MakeSource(Vector3(10.0f, 0.0f, 0.0f)), false);
    EXPECT_NE(model.GetFlags() & Model::kVisible, 0u);
    EXPECT_FALSE(fragment.GetShadow()->IsVisible());
    // Shown where the piece sat in the block, at the piece's size.
    EXPECT_THAT(model.boundingBox.GetCenter(), Testing::IsNearVector3(Vector3(10.0f, 0.0f, 4.0f), 1e-4f));
    EXPECT_NEAR(model.boundingBox.GetHalfSize().x, c.commonHalfSize * c.scale, 1e-4f);
    bed.engine.Step(0.0625);
    fragment.Update();
    EXPECT_TRUE(std::isfinite(model.boundingBox.GetCenter().z));
}

INSTANTIATE_TEST_SUITE_P(Sizes, CommonPieceTest,
                         testing::Values(CommonPieceCase{"Grown", 2.0f, 4.0f, 2.0f},
                                         CommonPieceCase{"Shrunk", 4.0f, 1.0f, 0.25f},
                                         // No extent to scale from: shown as it is.
                                         CommonPieceCase{"WithoutExtent", 0.0f, 4.0f, 1.0f}),
                         [](const testing::TestParamInfo<CommonPieceCase>& info) { return info.param.name; });

} // namespace
