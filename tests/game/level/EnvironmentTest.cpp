#include "game/level/Environment.h"

#include "engine/core/Error.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "game_tools/DataKeeper.h"
#include "tests/support/FakeEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using Tamrisk::Environment;
using ::testing::SizeIs;

namespace {

constexpr u32 kTransparent = Model::kSecondList;
constexpr u32 kOrdered = Model::kFixedDepth | Model::kNoDepthWrite;

class EnvironmentTest : public ::testing::Test {
protected:
    EnvironmentTest()
    {
        engine.Start();
        level = std::make_unique<GameTools::DataKeeper>(&engine.Get(), "en", false);
        const float min[3] = {-1.0f, -1.0f, -1.0f};
        const float max[3] = {1.0f, 1.0f, 1.0f};
        level->AddModel("floor",
                        engine->GetModelManager()->NewModelFromArrays(min, max, nullptr, nullptr, Model::kColored));
        ShaderManager& shaders = *engine->GetShaderManager();
        level->AddShaderUser("glass", shaders.CreateShaderUser(MakeShaderDescriptor("g.tga", "g_alpha.tga", false)));
        level->AddShaderUser("stone", shaders.CreateShaderUser(MakeShaderDescriptor("s.tga", "", false)));
    }

    Testing::FakeEngine engine;
    std::unique_ptr<GameTools::DataKeeper> level;
};

TEST_F(EnvironmentTest, PlacesTheDescribedModelsWithTheirShadersDepthsColoursAndLighting)
{
    engine.folder.WriteFile("data\\environment\\grove.xml", R"(<environment>
        <model shader="glass"/>
        <model name="floor"/>
        <model name="floor" shader="glass" depth="3"/>
        <model name="floor" shader="stone" depth="3" color="0.5 0.25 1"/>
        <model name="floor" lighting="0" animation_speed="2.5"/>
        <model name="floor" shader="glass" lighting="1"/>
        <light name="floor"/>
    </environment>)");
    const u32 before = engine->GetModelManager()->GetModels().GetCount();
    {
        const Environment environment(&engine.Get(), level.get(), "grove");
        const auto& models = environment.GetModels();
        ASSERT_THAT(models, SizeIs(5));
        EXPECT_EQ(engine->GetModelManager()->GetModels().GetCount(), before + 5);

        // Opaque and undescribed: lit, in the first list, no depth.
        EXPECT_EQ(models[0]->GetFlags() & (Model::kLit | kTransparent | kOrdered), Model::kLit);
        // Seen through and ordered: never lit.
        EXPECT_EQ(models[1]->GetFlags() & (Model::kLit | kTransparent | kOrdered), kTransparent | kOrdered);
        EXPECT_FLOAT_EQ(models[1]->depth, -5.03f);
        EXPECT_NE(models[1]->GetShaderUser()->GetFlags() & ShaderDescriptor::kAlphaBlending, 0u);
        // A depth for an opaque model changes nothing.
        EXPECT_EQ(models[2]->GetFlags() & (Model::kLit | kTransparent | kOrdered), Model::kLit);
        EXPECT_FLOAT_EQ(models[2]->depth, 0.0f);
        EXPECT_EQ(models[2]->GetShaderUser()->GetStage(0).diffuseName, "s.tga");
        EXPECT_NEAR(models[2]->GetColor().y, 0.25f, 1.0f / 255);
        EXPECT_FLOAT_EQ(models[2]->GetColor().w, 1.0f);
        EXPECT_EQ(models[3]->GetFlags() & Model::kLit, 0u);
        EXPECT_FLOAT_EQ(models[3]->GetAnimationControl().speed, 2.5f);
        EXPECT_EQ(models[3]->GetAnimationControl().looping, 1);
        EXPECT_EQ(models[3]->GetAnimationControl().playing, 1);
        EXPECT_EQ(models[4]->GetFlags() & Model::kLit, 0u);
    }
    EXPECT_EQ(engine->GetModelManager()->GetModels().GetCount(), before);
}

// A speed that is not finite would hold every frame the scenery shows, and
// an order written as a fraction is not the one meant: the description is
// refused, naming it, before any of its models is placed.
TEST_F(EnvironmentTest, ASpeedThatIsNotFiniteRefusesTheDescriptionBeforeAnyModel)
{
    const u32 before = engine->GetModelManager()->GetModels().GetCount();
    const std::pair<const char*, const char*> cases[] = {
        {"animation_speed", "inf"}, {"animation_speed", "-inf"}, {"animation_speed", "nan"}, {"depth", "1.5"}};
    for (const auto& [attribute, value] : cases) {
        SCOPED_TRACE(value);
        engine.folder.WriteFile("data\\environment\\grove.xml", std::string(R"(<environment>
            <model name="floor" animation_speed="1" depth="2"/>
            <model name="floor" )") + attribute + "=\"" + value + R"("/>
        </environment>)");
        try {
            const Environment environment(&engine.Get(), level.get(), "grove");
            ADD_FAILURE() << "placed";
        } catch (const FileError& error) {
            EXPECT_EQ(error.GetText(),
                      "Incorrect \"" + std::string(attribute) + "\" in \"data\\environment\\grove.xml\" file");
        }
        EXPECT_EQ(engine->GetModelManager()->GetModels().GetCount(), before);
    }
}

TEST_F(EnvironmentTest, ADescriptionWithoutItsElementPlacesNothing)
{
    engine.folder.WriteFile("data\\environment\\bare.xml", R"(<scenery><model name="floor"/></scenery>)");
    const Environment environment(&engine.Get(), level.get(), "bare");
    EXPECT_TRUE(environment.GetModels().empty());
}

} // namespace
