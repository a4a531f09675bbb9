#include "tools/data_builder/generators/model/VisualGenerator.h"

#include "engine/core/Error.h"
#include "engine/core/Image.h"
#include "engine/render/ModelFile.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"
#include "tools/data_builder/DataSet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace Halvard;
using namespace Tools;

namespace {

// The generated textures, models and particle systems, written below an
// engine's data folder and read back with its own readers.
class VisualGenerator : public ::testing::Test {
protected:
    VisualGenerator()
    {
        GenerateTextures(set);
        GenerateModels(set);
        GenerateParticleSystems(set);
        for (const auto& [path, bytes] : set.GetFiles())
            engine.Folder().WriteFile(path, std::string(bytes.begin(), bytes.end()));
    }

    // Below the data folder, as the readers take names.
    static std::string Relative(const std::string& path) { return path.substr(5); }

    DataSet set;
    Testing::TestEngine engine;
};

TEST_F(VisualGenerator, EveryModelReadsBackWithTheShapeItsRecipeGives)
{
    for (const ModelRecipe& recipe : GameModelRecipes()) {
        SCOPED_TRACE(recipe.path);
        const ModelFile file(engine->GetMessageManager(), engine->GetFileManager(), Relative(recipe.path));
        switch (recipe.shape) {
        case ModelShape::Quad:
            EXPECT_EQ(file.vertexCount, 4u);
            EXPECT_FLOAT_EQ(file.boundsMin[0].x, recipe.min[0]);
            EXPECT_FLOAT_EQ(file.boundsMax[0].y, recipe.max[1]);
            break;
        case ModelShape::Sprite:
            EXPECT_FLOAT_EQ(file.boundsMin[0].x, -recipe.side / 2.0f);
            EXPECT_FLOAT_EQ(file.boundsMax[0].y, recipe.side / 2.0f);
            break;
        case ModelShape::Box:
            EXPECT_EQ(file.vertexCount, 24u);
            EXPECT_FLOAT_EQ(file.boundsMin[0].z, recipe.low[2]);
            EXPECT_FLOAT_EQ(file.boundsMax[0].x, recipe.high[0]);
            break;
        case ModelShape::Path: {
            ASSERT_EQ(file.frameCount, recipe.points.size() + 1);
            EXPECT_EQ(file.flags & ModelFile::kVertexAnimated, ModelFile::kVertexAnimated);
            EXPECT_FLOAT_EQ(file.speed, recipe.speed);
            // The last frame closes the loop on the first point.
            for (const u32 frame : {0u, file.frameCount - 1}) {
                EXPECT_FLOAT_EQ((file.boundsMin[frame].x + file.boundsMax[frame].x) / 2.0f, recipe.points[0][0]);
                EXPECT_FLOAT_EQ((file.boundsMin[frame].y + file.boundsMax[frame].y) / 2.0f, recipe.points[0][1]);
            }
            break;
        }
        }
    }
}

// Upright: the picture's bottom row lies on the quad's bottom edge.
TEST_F(VisualGenerator, AQuadsTextureRunsUpTheQuad)
{
    ModelRecipe recipe{.path = "data\\q.mlf", .min = {10.0f, 20.0f}, .max = {30.0f, 60.0f}};
    const ModelFileData data = BuildModelData(recipe);
    ASSERT_EQ(data.vertices.size(), 4u);
    for (const ModelFileVertex& vertex : data.vertices) {
        EXPECT_FLOAT_EQ(vertex.u, vertex.position[0] == 10.0f ? 0.0f : 1.0f);
        EXPECT_FLOAT_EQ(vertex.v, vertex.position[1] == 20.0f ? 0.0f : 1.0f);
        EXPECT_FLOAT_EQ(vertex.normal[2], 1.0f);
    }
}

TEST_F(VisualGenerator, EveryShaderReadsBackWithItsTexturesBesideItInTheSet)
{
    std::vector<std::string> shaders;
    for (const ModelRecipe& recipe : GameModelRecipes())
        shaders.push_back(ShaderPathBeside(recipe.path));
    for (const ParticleRecipe& recipe : GameParticleRecipes())
        shaders.push_back(ShaderPathBeside(recipe.path));
    for (const std::string& path : shaders) {
        SCOPED_TRACE(path);
        const ShaderDescriptor shader(engine->GetMessageManager(), engine->GetFileManager(), Relative(path));
        for (u32 i = 0; i < shader.GetStageCount(); ++i) {
            EXPECT_TRUE(set.Contains("data\\" + shader.GetStage(i).diffuseName)) << shader.GetStage(i).diffuseName;
            const std::string& opacity = shader.GetStage(i).opacityName;
            EXPECT_TRUE(opacity.empty() || set.Contains("data\\" + opacity)) << opacity;
        }
    }
    EXPECT_TRUE(Testing::LogProbe(*engine->GetMessageManager()).HasNoErrorLine());
}

TEST_F(VisualGenerator, ShadersBlendAndAnimateAsTheirRecipesAsk)
{
    const ShaderData still = BuildShaderData({.diffuse = "a.tga", .clamp = false});
    EXPECT_EQ(still.flags, 0u);
    ASSERT_EQ(still.stages.size(), 1u);
    EXPECT_EQ(still.stages[0].animationType, 0u);
    EXPECT_EQ(still.stages[0].wrapU, 1u);
    const ShaderData grid =
        BuildShaderData({.diffuse = "a.tga", .opacity = "a.tga", .blending = true, .columns = 4, .rows = 2,
                         .speed = 8.0f});
    EXPECT_EQ(grid.flags, 1u);
    EXPECT_EQ(grid.sourceBlend, 4u);
    EXPECT_EQ(grid.destinationBlend, 5u);
    EXPECT_EQ(grid.stages[0].animationType, 1u);
    EXPECT_EQ(grid.stages[0].frameCount, 8u);
    EXPECT_EQ(grid.stages[0].wrapV, 0u);
    EXPECT_TRUE(BuildShaderData({}).stages.empty());
}

TEST_F(VisualGenerator, EveryParticleSystemAndTextureLoadsThroughTheEngine)
{
    for (const ParticleRecipe& recipe : GameParticleRecipes()) {
        SCOPED_TRACE(recipe.path);
        const ParticleSystem system(engine->GetMessageManager(), engine->GetFileManager(), engine->GetTimerManager(),
                                    engine->GetSpriteGroupManager(), Relative(recipe.path), nullptr);
        EXPECT_EQ(system.GetCapacity(), recipe.description.capacity);
        EXPECT_EQ(system.emitterShape, recipe.description.emitterShape);
    }
    for (const TextureRecipe& recipe : GameTextureRecipes()) {
        SCOPED_TRACE(recipe.path);
        Image image;
        ASSERT_TRUE(image.Load(engine->GetMessageManager(), engine->GetFileManager(), recipe.path));
        EXPECT_EQ(image.GetBitsPerPixel(), recipe.alpha == Pixmap::Alpha::With ? 32u : 24u);
    }
    EXPECT_TRUE(Testing::LogProbe(*engine->GetMessageManager()).HasNoErrorLine());
}

TEST_F(VisualGenerator, RecipesThatCannotMakeAModelAreRefusedByName)
{
    const ModelRecipe refused[] = {
        {.path = "data\\flat.mlf", .shape = ModelShape::Quad, .min = {5.0f, 0.0f}, .max = {5.0f, 10.0f}},
        {.path = "data\\dot.mlf", .shape = ModelShape::Sprite, .side = 0.0f},
        {.path = "data\\still.mlf", .shape = ModelShape::Path, .points = {{1.0f, 1.0f}}},
    };
    for (const ModelRecipe& recipe : refused) {
        SCOPED_TRACE(recipe.path);
        try {
            BuildModelData(recipe);
            ADD_FAILURE() << "not refused";
        } catch (const std::runtime_error& error) {
            EXPECT_THAT(error.what(), ::testing::HasSubstr(recipe.path));
        }
    }
}

TEST_F(VisualGenerator, ModelsBeforeTheirTexturesEndTheBuild)
{
    DataSet empty;
    EXPECT_THROW(GenerateModels(empty), std::runtime_error);
    EXPECT_THROW(GenerateParticleSystems(empty), std::runtime_error);
}

TEST(ShaderPathBeside, TakesTheStemOfTheFileAlone)
{
    EXPECT_EQ(ShaderPathBeside("data\\ui\\sky.mlf"), "data\\ui\\sky.srf");
    EXPECT_EQ(ShaderPathBeside("data\\ui.x\\sky"), "data\\ui.x\\sky.srf");
}

} // namespace
