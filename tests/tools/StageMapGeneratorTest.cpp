#include "tools/data_builder/generators/StageMapGenerator.h"

#include "tools/data_builder/DataSet.h"

#include <gtest/gtest.h>

#include <stdexcept>
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
}

} // namespace
