#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/model/Mesh.h"
#include "tools/data_builder/generators/model/ObjectRecipe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <stdexcept>

namespace {

using namespace Tools;

std::map<std::string, ModelFileData> BuildAll()
{
    std::map<std::string, ModelFileData> models;
    for (const MeshModelRecipe& recipe : ObjectModelRecipes())
        models[recipe.path.substr(std::string(kObjectsFolder).size())] = recipe.build();
    return models;
}

const std::map<std::string, ModelFileData>& Models()
{
    static const std::map<std::string, ModelFileData> models = BuildAll();
    return models;
}

const ModelFileData& Model(const std::string& path)
{
    const auto found = Models().find(path);
    if (found == Models().end())
        throw std::runtime_error("no object model " + path);
    return found->second;
}

Float3 Minus(const Float3& a, const Float3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

Float3 Cross(const Float3& a, const Float3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

float Dot(const Float3& a, const Float3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Culling and lighting both rely on it: seen from where its normal points,
// every triangle of every frame winds counter-clockwise and has an area.
TEST(ObjectModels, EveryTriangleOfEveryFrameFacesWhereItsNormalsPoint)
{
    for (const auto& [path, model] : Models()) {
        SCOPED_TRACE(path);
        ASSERT_EQ(model.vertices.size(), static_cast<std::size_t>(model.vertexCount) * model.frameCount);
        int wrong = 0;
        for (std::uint32_t frame = 0; frame < model.frameCount; ++frame) {
            const ModelFileVertex* vertices =
                model.vertices.data() + static_cast<std::size_t>(frame) * model.vertexCount;
            for (std::size_t i = 0; i + 2 < model.indices.size(); i += 3) {
                const ModelFileVertex& a = vertices[model.indices[i]];
                const ModelFileVertex& b = vertices[model.indices[i + 1]];
                const ModelFileVertex& c = vertices[model.indices[i + 2]];
                const Float3 face = Cross(Minus(b.position, a.position), Minus(c.position, a.position));
                const Float3 normal{a.normal[0] + b.normal[0] + c.normal[0], a.normal[1] + b.normal[1] + c.normal[1],
                                    a.normal[2] + b.normal[2] + c.normal[2]};
                if (!(Dot(face, normal) > 0.0f))
                    ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

// Where an animation loops, or a pose is held and left from another frame,
// the two frames are the same pose, so nothing jumps.
struct SamePose {
    const char* path;
    std::uint32_t first;
    std::uint32_t second;
};

TEST(ObjectModels, LoopsCloseAndTheShotEndsOnThePoseTheGunIsHeldIn)
{
    const SamePose poses[] = {
        {"bonuses\\life.mlf", 0, 16},         {"bonuses\\hammer.mlf", 0, 16},
        {"barrier\\hardware_0.mlf", 0, 12},   {"barrier\\hardware_1.mlf", 0, 12},
        {"barrier\\rope_0.mlf", 0, 12},       {"barrier\\rope_2.mlf", 0, 12},
        {"guns\\arbalet\\gun.mlf", 33, 40},   {"guns\\ballista\\gun.mlf", 19, 25},
        {"hammer\\model.mlf", 0, 9},
    };
    for (const SamePose& pose : poses) {
        SCOPED_TRACE(pose.path);
        const ModelFileData& model = Model(pose.path);
        ASSERT_GT(model.frameCount, pose.second);
        float largest = 0.0f;
        for (std::uint32_t v = 0; v < model.vertexCount; ++v) {
            const Float3& a = model.vertices[pose.first * model.vertexCount + v].position;
            const Float3& b = model.vertices[pose.second * model.vertexCount + v].position;
            for (int axis = 0; axis < 3; ++axis)
                largest = std::max(largest, std::abs(a[axis] - b[axis]));
        }
        EXPECT_LT(largest, 1e-4f);
        // And the frame after the first moves: it is an animation.
        const ModelFileBounds& still = model.bounds[pose.first];
        const ModelFileBounds& moving = model.bounds[pose.first + 1];
        EXPECT_NE(std::make_pair(still.min, still.max), std::make_pair(moving.min, moving.max));
    }
}

// A piece flies from where it sat: at every stretch of the head its seven
// pieces lie inside its box, reach its ends and do not overlap.
TEST(ObjectModels, TheHeadsPiecesFillItsWidthAtEveryFrameWithoutOverlapping)
{
    const ModelFileData& head = Model("bat\\head.mlf");
    for (std::uint32_t frame = 0; frame < head.frameCount; ++frame) {
        SCOPED_TRACE(frame);
        const ModelFileBounds& whole = head.bounds[frame];
        float covered = 0.0f;
        for (int piece = 0; piece < 7; ++piece) {
            const ModelFileData& model = Model("bat\\fragments\\head_0" + std::to_string(piece) + ".mlf");
            ASSERT_EQ(model.frameCount, head.frameCount);
            const ModelFileBounds& box = model.bounds[frame];
            for (int axis = 0; axis < 3; ++axis) {
                EXPECT_GE(box.min[axis], whole.min[axis]);
                EXPECT_LE(box.max[axis], whole.max[axis]);
            }
            covered += box.max[0] - box.min[0];
        }
        EXPECT_FLOAT_EQ(Model("bat\\fragments\\head_00.mlf").bounds[frame].min[0], whole.min[0]);
        EXPECT_FLOAT_EQ(Model("bat\\fragments\\head_06.mlf").bounds[frame].max[0], whole.max[0]);
        EXPECT_NEAR(covered, whole.max[0] - whole.min[0], 1e-3f);
    }
}

TEST(ObjectModels, FramesThatDifferInTheirTrianglesAreRefused)
{
    Mesh box;
    AddBox(box, {0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f});
    Mesh two = box;
    AddBox(two, {2.0f, 0.0f, 0.0f}, {3.0f, 1.0f, 1.0f});
    EXPECT_THROW(AnimatedModel({box, two}, 1.0f), std::runtime_error);
    EXPECT_THROW(AnimatedModel({}, 1.0f), std::runtime_error);
    EXPECT_THROW(StaticModel(Mesh{}), std::runtime_error);
    const ModelFileData moving = AnimatedModel({box, Moved(box, {0.0f, 0.0f, 5.0f})}, 2.0f);
    EXPECT_EQ(moving.frameCount, 2u);
    EXPECT_FLOAT_EQ(moving.bounds[1].min[2], 5.0f);
}

TEST(ObjectModels, ModelsBeforeTheirTexturesEndTheBuildNamingTheTexture)
{
    DataSet empty;
    try {
        GenerateObjectModels(empty);
        ADD_FAILURE() << "not refused";
    } catch (const std::runtime_error& error) {
        EXPECT_THAT(error.what(), ::testing::HasSubstr("head.tga"));
    }
}

} // namespace
