#include "gui_tools/GUIBackgroundBase.h"

#include "engine/core/MessageManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/SpriteGroup.h"
#include "game_tools/DataKeeper.h"
#include "gui_tools/GUIBackgroundLayer.h"
#include "tests/support/BackgroundFiles.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/LogProbe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Halvard;
using GUITools::GUIBackgroundBase;
using GUITools::GUIBackgroundLayer;

namespace {

constexpr const char* kDescription = "data\\bg\\background.xml";
// Frames that add up exactly in floats: 16 make a second.
constexpr double kFrame = 0.0625;

class GUIBackgroundBaseTest : public ::testing::Test {
protected:
    GUIBackgroundBaseTest()
    {
        Testing::BackgroundFiles::Write(engine.folder);
        engine.Start();
        resources = std::make_unique<GameTools::DataKeeper>(&engine.Get(), "en", false);
        resources->AddResourcesFile(Testing::BackgroundFiles::kList, true);
    }

    // A description of the entries under the prefix "bg".
    GUIBackgroundBase& Make(const std::string& entries)
    {
        engine.folder.WriteFile(kDescription, "<background resources_prefix=\"bg\">\n" + entries + "</background>\n");
        background = std::make_unique<GUIBackgroundBase>(&engine.Get(), resources.get(), nullptr, kDescription);
        return *background;
    }

    // Frames of the timers and the background.
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            engine.Step(kFrame);
            background->Update();
        }
    }

    GUIBackgroundLayer& Layer(std::size_t i) { return *background->GetLayers().at(i); }
    // The alpha the layer's particles are drawn with: exact, unlike the
    // packed vertex colours.
    float ParticleAlpha(std::size_t i) { return Layer(i).GetParticleSystem()->GetSpriteGroup()->color.w; }
    std::vector<std::string> Errors() { return Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(); }

    Testing::FakeEngine engine;
    std::unique_ptr<GameTools::DataKeeper> resources;
    std::unique_ptr<GUIBackgroundBase> background;
};

TEST_F(GUIBackgroundBaseTest, EntriesTakeTheirPlaceAmongAllEntriesAsLayerAndTheUpperWindowLiesAbove)
{
    GUIBackgroundBase& made = Make("<model name=\"quad\"/>\n"
                                   "<model/>\n"
                                   "<sprite name=\"quad\"/>\n"
                                   "<particles name=\"dots\" additional=\"1\"/>\n"
                                   "<model name=\"quad\" additional=\"0\"/>\n");
    EXPECT_EQ(made.GetUpperWindow()->GetLayer(), 5 + 3);
    EXPECT_EQ(made.GetResourcePrefix(), "bg");
    EXPECT_TRUE(made.GetLayers().empty());
    made.LoadBasicLayers();
    ASSERT_EQ(made.GetLayers().size(), 2u);
    EXPECT_EQ(Layer(0).GetWindow()->GetLayer(), 1);
    EXPECT_EQ(Layer(1).GetWindow()->GetLayer(), 5);
    made.LoadAdditionalLayers();
    ASSERT_EQ(made.GetLayers().size(), 3u);
    EXPECT_EQ(Layer(2).GetName(), "bg/dots");
    EXPECT_EQ(Layer(2).GetWindow()->GetLayer(), 4);
    EXPECT_NE(Layer(2).GetParticleSystem(), nullptr);
    EXPECT_LT(Layer(1).GetWindow()->GetDepth(), Layer(0).GetWindow()->GetDepth());
    EXPECT_LT(made.GetUpperWindow()->GetDepth(), Layer(1).GetWindow()->GetDepth());
    EXPECT_THAT(Errors(), ::testing::IsEmpty());
}

// The reader takes only a non-zero number as true.
TEST_F(GUIBackgroundBaseTest, OnlyANumberOtherThanZeroMakesAnEntryAdditional)
{
    const struct {
        const char* attribute;
        bool additional;
    } cases[] = {{"additional=\"1\"", true}, {"additional=\"2\"", true}, {"additional=\"0\"", false},
                 {"additional=\"true\"", false}, {"", false}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.attribute);
        GUIBackgroundBase& made = Make(std::string("<model name=\"quad\" ") + entry.attribute + "/>\n");
        made.LoadBasicLayers();
        EXPECT_EQ(made.GetLayers().size(), entry.additional ? 0u : 1u);
        made.LoadAdditionalLayers();
        EXPECT_EQ(made.GetLayers().size(), 1u);
    }
}

TEST_F(GUIBackgroundBaseTest, AMissingDescriptionIsLoggedAndLeavesAnEmptyBackground)
{
    const std::size_t windows = engine->GetGUIManager()->GetWindows().GetCount();
    GUIBackgroundBase made(&engine.Get(), resources.get(), nullptr, "data\\bg\\none.xml");
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_THAT(Errors()[0], ::testing::HasSubstr("none.xml"));
    EXPECT_EQ(made.GetUpperWindow()->GetLayer(), 1);
    EXPECT_EQ(made.GetResourcePrefix(), "");
    made.LoadBasicLayers();
    made.LoadAdditionalLayers();
    EXPECT_TRUE(made.GetLayers().empty());
    made.StartFade(true, true, 1.0f);
    made.Update();
    EXPECT_TRUE(made.IsVisible());
    EXPECT_EQ(engine->GetGUIManager()->GetWindows().GetCount(), windows + 3);
}

// A speed that is not finite would hold every frame the layer shows: the
// description is refused as a whole, logged naming it, like one that cannot
// be read.
TEST_F(GUIBackgroundBaseTest, ASpeedThatIsNotFiniteRefusesTheDescriptionNamingIt)
{
    for (const char* speed : {"inf", "-inf", "nan"}) {
        SCOPED_TRACE(speed);
        engine->GetMessageManager()->ClearMessages();
        GUIBackgroundBase& made = Make(std::string("<model name=\"quad\"/>\n<model name=\"path\" animation_speed=\"") +
                                       speed + "\"/>\n");
        EXPECT_THAT(Errors(), ::testing::ElementsAre(::testing::HasSubstr(
                                  "Incorrect \"animation_speed\" in \"data\\bg\\background.xml\" file")));
        EXPECT_EQ(made.GetResourcePrefix(), "");
        made.LoadBasicLayers();
        made.LoadAdditionalLayers();
        EXPECT_TRUE(made.GetLayers().empty());
    }
}

TEST_F(GUIBackgroundBaseTest, ItStartsHiddenAndHidesItsLayersWithIt)
{
    GUIBackgroundBase& made = Make("<model name=\"quad\"/><particles name=\"dots\"/>\n");
    made.LoadBasicLayers();
    EXPECT_FALSE(made.IsVisible());
    EXPECT_FALSE(Layer(0).GetWindow()->visible);
    EXPECT_FALSE(Layer(1).GetParticleSystem()->IsVisible());
    made.StartFade(true, false, 1.0f);
    EXPECT_TRUE(made.IsVisible());
    EXPECT_TRUE(Layer(0).GetWindow()->visible);
    EXPECT_TRUE(Layer(1).GetParticleSystem()->IsVisible());
    EXPECT_FLOAT_EQ(ParticleAlpha(1), 1.0f);
}

// Alpha of the layers after the frames, from a background shown at once.
TEST_F(GUIBackgroundBaseTest, FadesRunAtTheirSpeedAndAFadeOutEndsHidden)
{
    const struct {
        bool show;
        float speed;
        int frames;
        float alpha;
        bool fading;
        bool visible;
    } cases[] = {
        {true, 1.0f, 0, 1.0f, true, true},    {true, 1.0f, 8, 0.5f, true, true},
        {true, 1.0f, 16, 1.0f, false, true},  {true, 2.0f, 4, 0.5f, true, true},
        {true, 2.0f, 8, 1.0f, false, true},   {false, 1.0f, 4, 0.75f, true, true},
        {false, 1.0f, 15, 0.0625f, true, true}, {false, 1.0f, 16, 0.0f, false, false},
        {false, 2.0f, 8, 0.0f, false, false},
        // A fade that would never end takes no time.
        {true, 0.0f, 1, 1.0f, false, true},   {false, 0.0f, 0, 0.0f, false, false},
        {false, -1.0f, 0, 0.0f, false, false},
    };
    for (const auto& fade : cases) {
        SCOPED_TRACE(testing::Message() << fade.show << " " << fade.speed << " " << fade.frames);
        GUIBackgroundBase& made = Make("<particles name=\"dots\"/>\n");
        made.LoadBasicLayers();
        made.StartFade(true, false, 1.0f);
        made.StartFade(fade.show, true, fade.speed);
        Frames(fade.frames);
        if (fade.frames > 0) {
            EXPECT_FLOAT_EQ(ParticleAlpha(0), fade.alpha);
        }
        EXPECT_EQ(made.IsFading(), fade.fading);
        EXPECT_EQ(made.IsVisible(), fade.visible);
        EXPECT_EQ(Layer(0).GetParticleSystem()->IsVisible(), fade.visible);
    }
}

TEST_F(GUIBackgroundBaseTest, HidingWithoutFadeHidesAtOnceAndTheHiddenBackgroundStandsStill)
{
    GUIBackgroundBase& made = Make("<model name=\"quad\" animator_model=\"path\" random_start_frame=\"0\"/>\n");
    made.LoadBasicLayers();
    made.StartFade(true, false, 1.0f);
    Frames(1);
    made.StartFade(false, false, 1.0f);
    EXPECT_FALSE(made.IsVisible());
    EXPECT_FALSE(made.IsFading());
    const float x = Layer(0).GetWindow()->position.x;
    Frames(4);
    EXPECT_EQ(Layer(0).GetWindow()->position.x, x);
}

TEST_F(GUIBackgroundBaseTest, ALayerBuiltWhileVisibleFadesInOnItsOwnOverASecond)
{
    GUIBackgroundBase& made = Make("<particles name=\"dots\" additional=\"1\"/>\n");
    made.StartFade(true, false, 1.0f);
    made.LoadAdditionalLayers();
    EXPECT_TRUE(Layer(0).IsFading());
    EXPECT_FLOAT_EQ(ParticleAlpha(0), 0.0f);
    Frames(8);
    EXPECT_FLOAT_EQ(Layer(0).GetOwnAlpha(), 0.5f);
    EXPECT_FLOAT_EQ(ParticleAlpha(0), 0.5f);
    Frames(8);
    EXPECT_FLOAT_EQ(ParticleAlpha(0), 1.0f);
    EXPECT_FALSE(Layer(0).IsFading());
}

// Shown with its set while the background is hidden, the particles would be
// simulated and drawn over whatever the screen shows instead.
TEST_F(GUIBackgroundBaseTest, ALayerBuiltWhileHiddenStaysHiddenUntilTheBackgroundShows)
{
    GUIBackgroundBase& made = Make("<particles name=\"dots\" additional=\"1\"/>\n");
    made.LoadAdditionalLayers();
    EXPECT_FALSE(Layer(0).GetParticleSystem()->IsVisible());
    engine.Step(1.0);
    engine->GetParticleSystemManager()->Update();
    EXPECT_EQ(Layer(0).GetParticleSystem()->liveCount, 0u);
    made.StartFade(true, true, 1.0f);
    EXPECT_TRUE(Layer(0).GetParticleSystem()->IsVisible());
}

// Half a second into the path from (100, 50) to (300, 50) at the speed.
TEST_F(GUIBackgroundBaseTest, TheAnimatorMovesTheLayerAtTheEntrysSpeedOrItsOwn)
{
    const struct {
        const char* speed;
        float x;
    } cases[] = {{"", 200.0f}, {"animation_speed=\"-1\"", 200.0f}, {"animation_speed=\"0.5\"", 150.0f},
                 {"animation_speed=\"0\"", 100.0f}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.speed);
        GUIBackgroundBase& made =
            Make(std::string("<model name=\"quad\" animator_model=\"path\" random_start_frame=\"0\" ") + entry.speed +
                 "/>\n");
        made.LoadBasicLayers();
        made.StartFade(true, false, 1.0f);
        Frames(8);
        EXPECT_FLOAT_EQ(Layer(0).GetWindow()->position.x, entry.x);
        EXPECT_FLOAT_EQ(Layer(0).GetWindow()->position.y, 50.0f);
        ASSERT_NE(Layer(0).GetAnimatorModel(), nullptr);
    }
}

TEST_F(GUIBackgroundBaseTest, TheLayersModelLoopsAtTheEntrysSpeedOrItsOwn)
{
    const struct {
        const char* speed;
        float expected;
    } cases[] = {{"", 1.0f}, {"animation_speed=\"-1\"", 1.0f}, {"animation_speed=\"2.5\"", 2.5f},
                 {"animation_speed=\"0\"", 0.0f}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.speed);
        GUIBackgroundBase& made = Make(std::string("<model name=\"path\" ") + entry.speed + "/>\n");
        made.LoadBasicLayers();
        const AnimationControl* animation = Layer(0).GetWindow()->GetAnimation();
        ASSERT_NE(animation, nullptr);
        EXPECT_FLOAT_EQ(animation->speed, entry.expected);
        EXPECT_EQ(animation->looping, 1);
        EXPECT_EQ(animation->playing, 1);
    }
}

TEST_F(GUIBackgroundBaseTest, PointEmittersStandOnTheWindowAndBoxEmittersAreCentredOnIt)
{
    GUIBackgroundBase& made = Make("<particles name=\"dots\" animator_model=\"path\" random_start_frame=\"0\"/>\n"
                                   "<particles name=\"box_dots\" animator_model=\"path\" random_start_frame=\"0\"/>\n");
    made.LoadBasicLayers();
    made.StartFade(true, false, 1.0f);
    Frames(8);
    engine->GetParticleSystemManager()->Update();
    ParticleSystem* dots = Layer(0).GetParticleSystem();
    ASSERT_GT(dots->liveCount, 0u);
    const SpriteGroup::Sprite* dot = dots->GetSpriteGroup()->GetSprite(0);
    ASSERT_NE(dot, nullptr);
    EXPECT_FLOAT_EQ(dot->position.x, 200.0f);
    EXPECT_FLOAT_EQ(dot->position.y, 50.0f);
    const BoundingBox& box = Layer(1).GetParticleSystem()->GetEmitterBox();
    EXPECT_FLOAT_EQ(box.GetCenter().x, 200.0f);
    EXPECT_FLOAT_EQ(box.GetCenter().y, 50.0f);
    EXPECT_FLOAT_EQ(box.GetCenter().z, 0.0f);
    EXPECT_FLOAT_EQ(box.GetHalfSize().x, 10.0f);
    EXPECT_FLOAT_EQ(box.GetHalfSize().y, 20.0f);
}

TEST_F(GUIBackgroundBaseTest, LayersBlendWithTheNamedShaderAndDrawInTheirColour)
{
    GUIBackgroundBase& made = Make("<model name=\"quad\" color=\"0.5 0.25 1 0.5\"/>\n"
                                   "<particles name=\"dots\" shader=\"tint\" color=\"1 0.5 0.5 0.25\"/>\n"
                                   "<model name=\"quad\" shader=\"tint\"/>\n");
    made.LoadBasicLayers();
    made.StartFade(true, false, 1.0f);
    const ShaderUser* model = Layer(0).GetWindow()->GetModel()->GetShaderUser();
    const ShaderUser* particles = Layer(1).GetParticleSystem()->GetShaderUser();
    const ShaderUser* shaded = Layer(2).GetWindow()->GetModel()->GetShaderUser();
    for (const ShaderUser* shader : {model, particles, shaded}) {
        EXPECT_NE(shader->GetFlags() & ShaderDescriptor::kAlphaBlending, 0u);
        EXPECT_EQ(shader->GetSourceBlend(), 4u);
        EXPECT_EQ(shader->GetDestinationBlend(), 5u);
    }
    EXPECT_EQ(model->GetStageCount(), 0u);
    for (const ShaderUser* shader : {particles, shaded}) {
        ASSERT_EQ(shader->GetStageCount(), 1u);
        EXPECT_EQ(shader->GetStage(0).diffuseName, "bg\\dot.tga");
    }
    const Vector4 color = Layer(0).GetWindow()->GetColor();
    EXPECT_NEAR(color.x, 0.5f, 0.01f);
    EXPECT_NEAR(color.y, 0.25f, 0.01f);
    EXPECT_NEAR(color.w, 0.5f, 0.01f);
    const Vector4& tint = Layer(1).GetParticleSystem()->GetSpriteGroup()->color;
    EXPECT_FLOAT_EQ(tint.y, 0.5f);
    EXPECT_FLOAT_EQ(tint.w, 0.25f);
    EXPECT_THAT(Errors(), ::testing::IsEmpty());
}

TEST_F(GUIBackgroundBaseTest, AMissingResourceGivesTheDefaultAndItsErrorLine)
{
    GUIBackgroundBase& made = Make("<model name=\"nothing\"/>\n");
    made.LoadBasicLayers();
    ASSERT_EQ(made.GetLayers().size(), 1u);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_THAT(Errors()[0], ::testing::HasSubstr("bg/nothing"));
}

TEST_F(GUIBackgroundBaseTest, DestroyingTheBackgroundTakesItsWindowsAndParticlesWithIt)
{
    const std::size_t windows = engine->GetGUIManager()->GetWindows().GetCount();
    const std::size_t systems = engine->GetParticleSystemManager()->GetSystems().GetCount();
    GUIBackgroundBase& made = Make("<model name=\"quad\"/><particles name=\"dots\" animator_model=\"path\"/>\n");
    made.LoadBasicLayers();
    EXPECT_EQ(engine->GetGUIManager()->GetWindows().GetCount(), windows + 5);
    EXPECT_EQ(engine->GetParticleSystemManager()->GetSystems().GetCount(), systems + 1);
    background.reset();
    EXPECT_EQ(engine->GetGUIManager()->GetWindows().GetCount(), windows);
    EXPECT_EQ(engine->GetParticleSystemManager()->GetSystems().GetCount(), systems);
}

} // namespace
