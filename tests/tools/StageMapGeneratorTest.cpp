#include "tools/data_builder/generators/level/StageMapGenerator.h"

#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/image/StageMapPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>
#include <string>

namespace {

using Tools::LayOutStageMap;
using Tools::StageMapElement;

std::string Kinds(const std::vector<StageMapElement>& elements)
{
    std::string kinds;
    for (const StageMapElement& element : elements)
        kinds += std::to_string(element.kind);
    return kinds;
}

TEST(StageMapGenerator, OnePointPerLevelStartCheckPointsDotsAndFinish)
{
    struct Case {
        std::vector<std::uint32_t> stages;
        std::string kinds;
    };
    const Case cases[] = {
        {{3, 3}, "033231"},
        {{1, 1, 2}, "0221"},
        {{4}, "0331"},
        {{2, 1}, "031"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Kinds(LayOutStageMap(c.stages)), c.kinds) << c.kinds;
}

TEST(StageMapGenerator, PointsLieInsideTheInterfaceLeftToRightSizedByKind)
{
    const std::vector<StageMapElement> elements = LayOutStageMap({3, 3});
    float lastX = 0.0f;
    for (const StageMapElement& element : elements) {
        const float size = element.placement[0];
        EXPECT_EQ(size, element.kind == 3 ? Tools::kStageMapDotSize : Tools::kStageMapMarkSize);
        EXPECT_EQ(element.placement[5], size);
        const float left = element.placement[3];
        const float bottom = element.placement[7];
        EXPECT_GT(left, lastX);
        EXPECT_GE(bottom, 100.0f);
        EXPECT_LE(bottom + size, 520.0f);
        EXPECT_LE(left + size, 800.0f);
        lastX = left + size;
    }
}

TEST(StageMapGenerator, AnEmptyStageEndsTheBuild)
{
    EXPECT_THROW(LayOutStageMap({3, 0, 2}), std::runtime_error);
    EXPECT_THROW(LayOutStageMap({0}), std::runtime_error);
}

TEST(StageMapGenerator, TheMapFollowsTheLevelList)
{
    Tools::DataSet set;
    set.Add("data\\levels\\levels.xml",
            std::string("<levels><stage><level/><level/></stage><stage><level/></stage>"
                        "<stage><level/><level/></stage></levels>"),
            Tools::DataSet::Origin::HandWritten);
    Tools::GenerateStageMap(set);
    EXPECT_EQ(set.Get(Tools::kStageMapPath), Tools::BuildStageMapFile(LayOutStageMap({2, 1, 2})));
    EXPECT_TRUE(set.Contains(Tools::kStageMapPicturePath));
}

// The mean colour of the picture within a radius of a point, both in the
// interface's 800 x 600 units.
Tools::Color MeanAround(const Tools::Pixmap& picture, float x, float y, float radius)
{
    const float perX = picture.Width() / 800.0f;
    const float perY = picture.Height() / 600.0f;
    Tools::Color sum{0.0f, 0.0f, 0.0f, 0.0f};
    float count = 0.0f;
    for (std::uint32_t py = 0; py < picture.Height(); ++py) {
        for (std::uint32_t px = 0; px < picture.Width(); ++px) {
            if (std::hypot(px / perX - x, py / perY - y) > radius)
                continue;
            const Tools::Color& c = picture.At(px, py);
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b, sum.a + c.a};
            count += 1.0f;
        }
    }
    return {sum.r / count, sum.g / count, sum.b / count, sum.a / count};
}

// Under every point lies the land of its stage in its environment's look,
// a grove green and a citadel slate, with the way running through the
// point; far from the way the picture is clear.
TEST(StageMapGenerator, ThePictureLaysEachStagesLandUnderItsPointsAndTheWayThroughThem)
{
    const std::vector<std::uint32_t> stages = {3, 3};
    const std::vector<StageMapElement> points = LayOutStageMap(stages);
    const Tools::Pixmap picture = Tools::PaintStageMap(points, {"grove", "citadel"}, stages).picture;
    for (std::size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE(i);
        const float x = points[i].placement[3] + points[i].placement[0] / 2.0f;
        const float y = points[i].placement[7] + points[i].placement[5] / 2.0f;
        const Tools::Color way = MeanAround(picture, x, y, 2.0f);
        EXPECT_GT(way.a, 0.95f);
        EXPECT_GT(way.r, 0.7f) << "the way is sand";
        const Tools::Color land = MeanAround(picture, x, y, 40.0f);
        EXPECT_GT(land.a, 0.8f);
        if (i < 3)
            EXPECT_GT(land.g, std::max(land.r, land.b)) << "grove";
        else
            EXPECT_GT(land.b, land.g) << "citadel";
    }
    for (const auto& [x, y] : {std::pair{10.0f, 10.0f}, std::pair{790.0f, 590.0f}, std::pair{400.0f, 40.0f}})
        EXPECT_EQ(MeanAround(picture, x, y, 6.0f).a, 0.0f) << x << ", " << y;
}

} // namespace
