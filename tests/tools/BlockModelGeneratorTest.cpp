#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/level/BlockKinds.h"
#include "tools/data_builder/generators/level/BlockModelGenerator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using ::testing::HasSubstr;
using Tools::DataSet;

std::string Description(const std::string& kind) { return "data\\game_objects\\blocks\\" + kind + ".xml"; }

std::string Refusal(const std::vector<std::pair<std::string, std::string>>& kinds)
{
    DataSet set;
    for (const auto& [kind, text] : kinds)
        set.Add(Description(kind), text);
    try {
        Tools::GenerateBlockModels(set);
        return "";
    } catch (const std::runtime_error& error) {
        return error.what();
    }
}

TEST(BlockModels, EveryKindGetsItsModelCollisionModelPiecesAndShadersAndTheCommonPiecesFollow)
{
    DataSet set;
    set.Add(Description("keeper_simple"), "<block type=\"ball_keeper\" collision_model=\"1\" fragment_count=\"4\"/>");
    set.Add(Description("brick_hard"),
            "<block strength=\"3\" fragment_count=\"6\"><shader frame_count=\"3\"/></block>");
    Tools::GenerateBlockModels(set);
    const std::string models = "data\\game_objects\\blocks\\models\\";
    std::vector<std::string> expected = {models + "keeper_simple.mlf", models + "keeper_simple_collision.mlf",
                                         models + "fragments\\keeper_simple_03.mlf", models + "brick_hard.mlf",
                                         models + "fragments\\brick_hard_05.mlf",
                                         models + "fragments\\common\\fragment_9.mlf"};
    for (const std::string& model : expected) {
        EXPECT_TRUE(set.Contains(model)) << model;
        EXPECT_TRUE(set.Contains(model.substr(0, model.size() - 3) + "srf")) << model;
    }
    EXPECT_FALSE(set.Contains(models + "brick_hard_collision.mlf"));
    EXPECT_FALSE(set.Contains(models + "fragments\\brick_hard_06.mlf"));
    EXPECT_FALSE(set.Contains(models + "fragments\\common\\fragment_10.mlf"));
}

// A piece flies from where it sat: the pieces fill the block's box exactly.
TEST(BlockModels, ThePiecesOfEveryKindFillItsBoxWithoutOverlapping)
{
    for (const char* kind : {"brick_simple", "brick_hard", "keeper_super"}) {
        SCOPED_TRACE(kind);
        const Tools::BlockShape& shape = Tools::BlockShapeOf(kind);
        const std::vector<Tools::ModelFileData> pieces = Tools::BuildBlockFragments(shape);
        ASSERT_EQ(static_cast<int>(pieces.size()), shape.PieceCount());
        float volume = 0.0f;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const Tools::ModelFileBounds& box = pieces[i].bounds[0];
            volume += (box.max[0] - box.min[0]) * (box.max[1] - box.min[1]) * (box.max[2] - box.min[2]);
            for (int axis = 0; axis < 3; ++axis) {
                EXPECT_GE(box.min[axis], shape.min[axis]);
                EXPECT_LE(box.max[axis], shape.max[axis]);
            }
            for (std::size_t j = 0; j < i; ++j) {
                const Tools::ModelFileBounds& other = pieces[j].bounds[0];
                bool apart = false;
                for (int axis = 0; axis < 3; ++axis)
                    apart = apart || box.min[axis] >= other.max[axis] || other.min[axis] >= box.max[axis];
                EXPECT_TRUE(apart) << i << " and " << j;
            }
        }
        const float whole =
            (shape.max[0] - shape.min[0]) * (shape.max[1] - shape.min[1]) * (shape.max[2] - shape.min[2]);
        EXPECT_FLOAT_EQ(volume, whole);
        EXPECT_FLOAT_EQ(shape.min[2], 0.0f);
    }
}

TEST(BlockModels, TheBuildRefusesADescriptionTheGameWouldMisreadNamingIt)
{
    const struct {
        std::vector<std::pair<std::string, std::string>> kinds;
        std::string problem;
    } cases[] = {
        {{{"brick_simple", "<block explosive=\"true\" fragment_count=\"4\"/>"}},
         "brick_simple.xml: explosive=\"true\": write booleans \"1\" or \"0\""},
        {{{"brick", "<block/>"}, {"brick_simple", "<block fragment_count=\"4\"/>"}},
         "brick_simple.xml: its name holds the name of the kind brick"},
        {{{"brick_hard", "<block strength=\"3\" fragment_count=\"6\"><shader frame_count=\"2\"/></block>"}},
         "brick_hard.xml: a hard brick needs a texture frame for every hit"},
        {{{"brick_simple", "<block fragment_count=\"-1\"/>"}}, "must not be negative"},
        {{{"brick_simple", "<block fragment_count=\"5\"/>"}},
         "brick_simple.xml: fragment_count is 5, its model breaks into 4 pieces"},
        {{{"brick_gold", "<block/>"}}, "no model shape is known for the block kind brick_gold"},
    };
    for (const auto& [kinds, problem] : cases) {
        SCOPED_TRACE(problem);
        EXPECT_THAT(Refusal(kinds), HasSubstr(problem));
    }
}

} // namespace
