#include "game_tools/DataKeeper.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/Image.h"
#include "engine/core/MessageManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/TextureManager.h"
#include "platform/os/WorkerThread.h"
#include "platform/video/GLVideoSystem.h"
#include "tools/ModelWriter.h"
#include "tools/ParticleWriter.h"
#include "tools/ShaderWriter.h"

#include "tests/support/FrameStepper.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/TestEngine.h"
#include "tests/support/Watchdog.h"
#include "tools/ImageWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace Halvard;
using GameTools::DataKeeper;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class DataKeeperTest : public ::testing::Test {
protected:
    DataKeeperTest() { engine->GetMessageManager()->ClearMessages(); }

    // Writes a resource list below the data folder and names it as the
    // game does.
    std::string List(const std::string& path, const std::string& body)
    {
        engine.Folder().WriteFile("data\\" + path, "<resources>\n" + body + "\n</resources>\n");
        return "data\\" + path;
    }

    template <typename Bytes>
    void Data(const std::string& path, const Bytes& bytes)
    {
        engine.Folder().WriteFile("data\\" + path, std::string(bytes.begin(), bytes.end()));
    }

    // The registry's own errors. Most lists here name model files that are
    // never written: the box stands in, and the model manager logs each.
    std::vector<std::string> Errors()
    {
        std::vector<std::string> own;
        for (const std::string& line : Testing::LogProbe(*engine->GetMessageManager()).Lines(MessageManager::kError))
            if (line.find(".mlf\" file!") == std::string::npos)
                own.push_back(line);
        return own;
    }

    // The name of each model as the model manager made it: a file model and
    // the box that stands in for a missing file both carry the file's name.
    std::string FileOf(DataKeeper& keeper, const std::string& name) { return keeper.GetModel(name)->GetName(); }

    Testing::TestEngine engine;
};

} // namespace

TEST_F(DataKeeperTest, LoopsRepeatTheirEntriesWithTheCounterInNamesAndFiles)
{
    DataKeeper keeper(engine.operator->(), "en", false);
    keeper.AddResourcesFile(List("ui\\resources.xml", R"(
        <loop counter="k" count="3"><model name="star%k%" file_name="stars\star%k%.mlf"/></loop>
        <loop counter="n" start="2" count="5"><model name="big%n%" file_name="big.mlf"/></loop>
        <loop counter="e" start="3" count="3"><model name="never%e%" file_name="x.mlf"/></loop>
        <loop><model name="none%i%" file_name="x.mlf"/></loop>)"),
                            true);

    EXPECT_EQ(FileOf(keeper, "star0"), "ui\\stars\\star0.mlf");
    EXPECT_EQ(FileOf(keeper, "star1"), "ui\\stars\\star1.mlf");
    EXPECT_EQ(FileOf(keeper, "star2"), "ui\\stars\\star2.mlf");
    EXPECT_EQ(FileOf(keeper, "big2"), "ui\\big.mlf");
    EXPECT_EQ(FileOf(keeper, "big4"), "ui\\big.mlf");
    EXPECT_THAT(Errors(), IsEmpty());
    for (const char* missing : {"star3", "big1", "big5", "never3", "none0"})
        EXPECT_EQ(keeper.GetModel(missing)->GetName(), "box") << missing;
    EXPECT_EQ(Errors().size(), 5u);
}

TEST_F(DataKeeperTest, NestedLoopsGroupsAndDigitCountsMakeTheFullNames)
{
    DataKeeper keeper(engine.operator->(), "en", false);
    keeper.AddResourcesFile(List("ui\\resources.xml", R"(
        <menu>
            <model name="button" file_name="button.mlf"/>
            <loop counter="row" count="2">
                <bricks>
                    <loop counter="k" start="5" count="6">
                        <model name="brick%row%_%k2%" file_name="b%k3%_%row%.mlf"/>
                    </loop>
                </bricks>
            </loop>
        </menu>
        <texts name="ignored"><model name="inside" file_name="inside.mlf"/></texts>)"),
                            true);

    EXPECT_EQ(FileOf(keeper, "menu/button"), "ui\\button.mlf");
    EXPECT_EQ(FileOf(keeper, "menu/bricks/brick0_05"), "ui\\b005_0.mlf");
    EXPECT_EQ(FileOf(keeper, "menu/bricks/brick1_05"), "ui\\b005_1.mlf");
    EXPECT_THAT(Errors(), IsEmpty());
    EXPECT_EQ(keeper.GetModel("inside")->GetName(), "box");
    EXPECT_EQ(keeper.GetModel("texts/inside")->GetName(), "box");
}

TEST_F(DataKeeperTest, CounterSubstitutionStaysBoundedAndLeavesOtherTextAlone)
{
    const std::vector<std::string> names = {"i", "j"};
    const std::vector<u32> values = {7, 12};
    EXPECT_EQ(DataKeeper::SubstituteCounters("brick%i%", names, values), "brick7");
    EXPECT_EQ(DataKeeper::SubstituteCounters("brick%i3%", names, values), "brick007");
    EXPECT_EQ(DataKeeper::SubstituteCounters("%i%-%j%-%i%", names, values), "7-12-7");
    EXPECT_EQ(DataKeeper::SubstituteCounters("plain", names, values), "plain");
    EXPECT_EQ(DataKeeper::SubstituteCounters("open%i", names, values), "open%i");
    EXPECT_EQ(DataKeeper::SubstituteCounters("%j%", {"j"}, {4294967295u}), "4294967295");
    // An absurd digit count from a list makes a long name, not an overflow.
    const std::string padded = DataKeeper::SubstituteCounters("%i4000000000%", names, values);
    EXPECT_LE(padded.size(), 64u);
    EXPECT_EQ(padded.back(), '7');
    EXPECT_EQ(padded.find_first_not_of('0'), padded.size() - 1);
}

TEST_F(DataKeeperTest, EntriesOfAnotherLanguageAreSkipped)
{
    const std::string list = List("ui\\resources.xml", R"(
        <model name="title" language="ru" file_name="title_ru.mlf"/>
        <model name="logo" file_name="logo.mlf"/>)");
    DataKeeper english(engine.operator->(), "en", false);
    english.AddResourcesFile(list, true);
    DataKeeper russian(engine.operator->(), "ru", false);
    russian.AddResourcesFile(list, true);

    EXPECT_EQ(FileOf(russian, "title"), "ui\\title_ru.mlf");
    EXPECT_EQ(FileOf(russian, "logo"), "ui\\logo.mlf");
    EXPECT_EQ(FileOf(english, "logo"), "ui\\logo.mlf");
    EXPECT_THAT(Errors(), IsEmpty());
    EXPECT_EQ(english.GetModel("title")->GetName(), "box");
}

TEST_F(DataKeeperTest, MissingNamesAreLoggedEachTimeAndAnsweredWithTheDefaults)
{
    DataKeeper keeper(engine.operator->(), "en", false);
    Model* box = keeper.GetModel("nothing");
    EXPECT_EQ(keeper.GetModel("nothing"), box);
    EXPECT_EQ(box->GetName(), "box");
    EXPECT_EQ(box->boundingBox.GetLocalMax().x, 1.0f);
    ShaderUser* plain = keeper.GetShaderUser("nothing");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetStageCount(), 0u);
    ParticleSystem* particles = keeper.GetParticleSystem("nothing");
    ASSERT_NE(particles, nullptr);
    EXPECT_EQ(particles->GetName(), "self_made");
    EXPECT_FALSE(particles->IsVisible());

    EXPECT_THAT(Errors(), ElementsAre("Error: (DataKeeper::GetModel): There is no \"nothing\" resource!",
                                      "Error: (DataKeeper::GetModel): There is no \"nothing\" resource!",
                                      "Error: (DataKeeper::GetShaderUser): There is no \"nothing\" resource!",
                                      "Error: (DataKeeper::GetParticleSystem): There is no \"nothing\" resource!"));
    // Defaults are templates: nothing of them is drawn or simulated.
    EXPECT_EQ(engine->GetParticleSystemManager()->GetSystems().GetCount(), 0u);
    EXPECT_EQ(engine->GetSpriteGroupManager()->GetGroups().GetCount(), 0u);
}

TEST_F(DataKeeperTest, ADuplicateNameKeepsTheFirstAndLogsTheSecond)
{
    DataKeeper keeper(engine.operator->(), "en", false);
    ModelManager& models = *engine->GetModelManager();
    const float min[3] = {0.0f, 0.0f, 0.0f};
    const float max[3] = {2.0f, 2.0f, 2.0f};
    std::unique_ptr<Model> first(models.NewModelFromArrays(min, max, nullptr, nullptr, 0));
    std::unique_ptr<Model> second(models.NewModelFromArrays(min, max, nullptr, nullptr, 0));
    EXPECT_TRUE(keeper.AddModel("crate", first.get()));
    first.release();
    EXPECT_FALSE(keeper.AddModel("crate", second.get()));
    EXPECT_FALSE(keeper.AddModel("empty", nullptr));
    EXPECT_EQ(keeper.GetModel("crate")->boundingBox.GetLocalMax().x, 2.0f);
    EXPECT_THAT(Errors(), ElementsAre("Error: (DataKeeper::AddModel): Model \"crate\" is duplicated!"));

    // Listed twice: the second template is made, refused and let go.
    ShaderManager& shaders = *engine->GetShaderManager();
    const u32 users = shaders.GetShaderUserCount();
    keeper.AddResourcesFile(List("ui\\twice.xml", R"(
        <shader name="glow" diffuse_file_name="a.bmp"/>
        <shader name="glow" diffuse_file_name="b.bmp"/>)"),
                            true);
    EXPECT_EQ(shaders.GetShaderUserCount(), users + 1);
    keeper.AddResourcesFile(List("ui\\again.xml", R"(
        <particles name="spark" file_name="a.psf"/>
        <particles name="spark" file_name="b.psf"/>)"),
                            true);
    // One sprite model, with its shader user, for the one template kept.
    EXPECT_EQ(shaders.GetShaderUserCount(), users + 2);
    EXPECT_EQ(keeper.GetShaderUser("glow")->GetStage(0).diffuseName, "ui\\a.bmp");
    EXPECT_THAT(Errors(), ::testing::Contains("Error: (DataKeeper::AddShaderUser): Shader User \"glow\" is duplicated!"));
    EXPECT_THAT(Errors(), ::testing::Contains(
                              "Error: (DataKeeper::AddParticleSystem): Particle System \"spark\" is duplicated!"));
}

TEST_F(DataKeeperTest, AnonymousShaderUsersAreNumberedFromTheCountOfUsers)
{
    DataKeeper keeper(engine.operator->(), "en", false);
    ShaderManager& shaders = *engine->GetShaderManager();
    ShaderUser* a = shaders.CreateShaderUser(ShaderDescriptor(0));
    ShaderUser* b = shaders.CreateShaderUser(ShaderDescriptor(0));
    keeper.AddAnonymousShaderUser(a);
    keeper.AddAnonymousShaderUser(nullptr);
    keeper.AddAnonymousShaderUser(b);
    EXPECT_EQ(keeper.GetShaderUser("123456789"), a);
    EXPECT_EQ(keeper.GetShaderUser("123456790"), b);
    EXPECT_THAT(Errors(), IsEmpty());
}

TEST_F(DataKeeperTest, ShaderEntriesDescribeTheirTexturesAndAnimation)
{
    DataKeeper keeper(engine.operator->(), "en", false);
    keeper.AddResourcesFile(List("ui\\fx\\resources.xml", R"(
        <loop count="2">
            <shader name="flash%i%" diffuse_file_name="flash%i2%.bmp" opacity_file_name="32bit" clamp="0"
                    animation_type="net" net_size="4 2" frame_count="8" animation_speed="12.5"/>
        </loop>
        <shader name="still" diffuse_file_name="still.bmp" opacity_file_name="still_a.bmp"
                animation_type="spin"/>)"),
                            true);

    const ShaderUser& flash = *keeper.GetShaderUser("flash1");
    const ShaderTextureStage& stage = flash.GetStage(0);
    EXPECT_EQ(stage.diffuseName, "ui\\fx\\flash01.bmp");
    EXPECT_EQ(stage.opacityName, "");
    EXPECT_NE(flash.GetFlags() & ShaderDescriptor::kAlphaBlending, 0u);
    EXPECT_EQ(stage.animationType, ShaderTextureStage::kGrid);
    EXPECT_EQ(stage.columns, 4u);
    EXPECT_EQ(stage.rows, 2u);
    EXPECT_EQ(stage.frameCount, 8u);
    EXPECT_FLOAT_EQ(stage.speed, 12.5f);
    EXPECT_EQ(stage.wrapU, 1u);

    const ShaderTextureStage& still = keeper.GetShaderUser("still")->GetStage(0);
    EXPECT_EQ(still.opacityName, "ui\\fx\\still_a.bmp");
    EXPECT_EQ(still.animationType, ShaderTextureStage::kNoAnimation);
    EXPECT_EQ(still.columns, 1u);
    EXPECT_EQ(still.wrapU, 0u);
}

TEST_F(DataKeeperTest, ModelEntriesReadTheirFilesWithTheirOptions)
{
    Data("ui\\crate.mlf", Tools::BuildModelFile(Tools::MakeBoxModelData({0.0f, 0.0f, 0.0f}, {3.0f, 3.0f, 3.0f})));
    DataKeeper keeper(engine.operator->(), "en", false);
    keeper.AddResourcesFile(List("ui\\resources.xml", R"(
        <model name="crate" file_name="crate.mlf" animation_speed="2.5"/>
        <model name="lit" file_name="crate.mlf" color_verticies="1"/>
        <model name="lost"/>)"),
                            true);

    Model& crate = *keeper.GetModel("crate");
    EXPECT_EQ(crate.boundingBox.GetLocalMax().x, 3.0f);
    EXPECT_FLOAT_EQ(crate.GetAnimationControl().speed, 2.5f);
    EXPECT_EQ(crate.GetFlags() & Model::kColored, 0u);
    EXPECT_NE(keeper.GetModel("lit")->GetFlags() & Model::kColored, 0u);
    EXPECT_EQ(FileOf(keeper, "lost"), "ui\\unknown_file_name");
    // Templates: none of them is drawn.
    for (Model* model : engine->GetModelManager()->GetModels().GetObjects())
        EXPECT_NE(model, &crate);
}

TEST_F(DataKeeperTest, AListThatCannotBeReadIsFatal)
{
    DataKeeper keeper(engine.operator->(), "en", false);
    EXPECT_THROW(keeper.AddResourcesFile("data\\ui\\missing.xml", true), FatalError);
    engine.Folder().WriteFile("data\\ui\\broken.xml", "<resources><model name=\"a\"></resources>");
    keeper.AddResourcesFile("data\\ui\\broken.xml", false);
    EXPECT_THROW(keeper.Load(), FatalError);
    const MessageManager& log = *engine->GetMessageManager();
    const MessageManager::Entry last = log.GetLogEntry(log.GetLogEntryCount() - 1);
    EXPECT_EQ(last.level, MessageManager::kFatal);
    EXPECT_EQ(last.text.rfind("PROGRAM ABORTING: ", 0), 0u);
    EXPECT_THAT(last.text, testing::HasSubstr("XML format error at line 1"));
    EXPECT_THAT(last.text, testing::HasSubstr("code 2 in \"data\\ui\\broken.xml\"\n"));
}

TEST_F(DataKeeperTest, EverythingMadeGoesBackWithTheRegistry)
{
    ShaderManager& shaders = *engine->GetShaderManager();
    const u32 users = shaders.GetShaderUserCount();
    const u32 models = engine->GetModelManager()->GetModels().GetCount();
    {
        DataKeeper keeper(engine.operator->(), "en", false);
        keeper.AddResourcesFile(List("ui\\resources.xml", R"(
            <shader name="a" diffuse_file_name="a.bmp"/>
            <model name="m" file_name="m.mlf"/>
            <particles name="p" file_name="p.psf"/>)"),
                                true);
        keeper.AddAnonymousShaderUser(shaders.CreateShaderUser(ShaderDescriptor(0)));
        EXPECT_GT(shaders.GetShaderUserCount(), users);
    }
    EXPECT_EQ(shaders.GetShaderUserCount(), users);
    EXPECT_EQ(engine->GetModelManager()->GetModels().GetCount(), models);
}

namespace {

// The registry filled on a worker thread, as the loading window does it,
// then drawn by the engine on the real window and OpenGL backends.
class DataKeeperThreadTest : public DataKeeperTest {
protected:
    static void WaitFor(const Platform::WorkerThread& worker)
    {
        while (!worker.IsDone())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }

    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
};

} // namespace

TEST_F(DataKeeperThreadTest, ALoadOnAWorkerFillsTheRegistryWhoseTexturesTheMainThreadDraws)
{
    // A green 2 x 2 texture on one still particle of size 1, 4 units in
    // front of the default camera.
    std::string green = Tools::BmpFile(2, 2, 24, {0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0});
    engine.Folder().WriteFile("data\\ui\\fx\\green.bmp", green);
    Tools::ParticleSystemDescription d;
    d.capacity = 1;
    d.gravityOn = false;
    d.floorOn = false;
    d.interpolatedEmission = false;
    d.emission.fill(0.0f);
    d.emission[0] = 1.0f;
    d.lifetimeCentre.fill(100.0f);
    d.speedCentre.fill(0.0f);
    Data("ui\\fx\\glow.psf", Tools::BuildParticleFile(d));
    Tools::ShaderData shader;
    Tools::ShaderStageData stage;
    stage.diffuseName = "green.bmp";
    shader.stages.push_back(stage);
    Data("ui\\fx\\glow.srf", Tools::BuildShaderFile(shader));

    DataKeeper keeper(engine.operator->(), "en", false);
    keeper.AddResourcesFile(List("ui\\fx\\resources.xml", R"(
        <particles name="glow" file_name="glow.psf"/>
        <shader name="green" diffuse_file_name="green.bmp"/>)"),
                            false);
    Platform::WorkerThread worker([&] { keeper.Load(); });
    WaitFor(worker);
    worker.Finish();
    EXPECT_TRUE(worker.HasOwnThread());
    ASSERT_THAT(Errors(), IsEmpty());
    EXPECT_EQ(keeper.GetShaderUser("green")->GetShader()->GetFrame(0, 0),
              keeper.GetParticleSystem("glow")->GetShaderUser()->GetShader()->GetFrame(0, 0));

    ParticleSystem* system = engine->GetParticleSystemManager()->CopyParticleSystem(*keeper.GetParticleSystem("glow"));
    system->SetPosition(Vector3(0.0f, 0.0f, -4.0f));
    system->SetVisible(true);
    system->emitting = true;
    Testing::RunEngineFrames(engine.Get(), 2);
    Image image;
    static_cast<RenderSystem_D3D7&>(*engine->GetRenderSystem()).CaptureScreen(image);
    const u8* middle = image.GetData() + (240u * image.GetWidth() + 320u) * 4u;
    EXPECT_THAT(std::vector<int>(middle, middle + 3), ElementsAre(0, 255, 0));
    const u8* corner = image.GetData();
    EXPECT_THAT(std::vector<int>(corner, corner + 3), ElementsAre(0, 0, 0));
}

TEST_F(DataKeeperThreadTest, AFailedLoadOnAWorkerIsThrownOnTheMainThread)
{
    DataKeeper keeper(engine.operator->(), "en", false);
    keeper.AddResourcesFile("data\\ui\\missing.xml", false);
    Platform::WorkerThread worker([&] { keeper.Load(); });
    WaitFor(worker);
    EXPECT_THROW(worker.Finish(), FatalError);
}

// A frame count no picture set can have fails the list at once, naming it and
// the entry, before a texture is looked for; the largest count still loads.
TEST_F(DataKeeperTest, AFrameCountBeyondTheBoundFailsTheListNamingIt)
{
    const std::pair<const char*, bool> cases[] = {{"-1", true}, {"30000", true}, {"10001", true}, {"10000", false}};
    for (const auto& entry : cases) {
        const char* count = entry.first;
        const bool refused = entry.second;
        const std::string list = List("ui\\resources_basic.xml",
                                      std::string("<shader name=\"fire\" diffuse_file_name=\"fire0000.tga\" "
                                                  "animation_type=\"diffuse\" frame_count=\"") +
                                          count + "\"/>");
        DataKeeper keeper(engine.operator->(), "en", false);
        const u32 texturesBefore = engine->GetShaderManager()->GetTextureManager()->GetTextureCount();
        Testing::RunWithin(std::chrono::seconds(10), std::string("frame count ") + count, [&] {
            try {
                keeper.AddResourcesFile(list, true);
                EXPECT_FALSE(refused) << count;
            } catch (const FatalError& error) {
                EXPECT_TRUE(refused) << count;
                EXPECT_EQ(error.GetText(),
                          "Incorrect \"frame_count\" of \"fire\" in \"data\\ui\\resources_basic.xml\"") << count;
                EXPECT_EQ(engine->GetShaderManager()->GetTextureManager()->GetTextureCount(), texturesBefore) << count;
            }
        });
    }
}

// A speed that is not finite would hold every frame that shows the entry:
// the list fails naming it and the entry, before the entry's model is read;
// any finite speed loads.
TEST_F(DataKeeperTest, ASpeedThatIsNotFiniteFailsTheListNamingIt)
{
    struct Case {
        const char* entry;
        const char* name;
        bool refused;
    };
    const Case cases[] = {
        {"<model name=\"crate\" file_name=\"crate.mlf\" animation_speed=\"inf\"/>", "crate", true},
        {"<model name=\"crate\" file_name=\"crate.mlf\" animation_speed=\"nan\"/>", "crate", true},
        {"<model name=\"crate\" file_name=\"crate.mlf\" animation_speed=\"1e30\"/>", "crate", false},
        {"<shader name=\"fire\" diffuse_file_name=\"fire.tga\" animation_type=\"net\" net_size=\"2 2\" "
         "frame_count=\"4\" animation_speed=\"-inf\"/>",
         "fire", true},
        {"<shader name=\"fire\" diffuse_file_name=\"fire.tga\" animation_type=\"net\" net_size=\"2 2\" "
         "frame_count=\"4\" animation_speed=\"NAN\"/>",
         "fire", true},
        {"<loop count=\"2\"><shader name=\"fire%i%\" diffuse_file_name=\"fire.tga\" animation_speed=\"INF\"/></loop>",
         "fire0", true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.entry);
        engine->GetMessageManager()->ClearMessages();
        const std::string list = List("ui\\resources_basic.xml", test.entry);
        DataKeeper keeper(engine.operator->(), "en", false);
        try {
            keeper.AddResourcesFile(list, true);
            EXPECT_FALSE(test.refused);
        } catch (const FatalError& error) {
            EXPECT_TRUE(test.refused);
            EXPECT_EQ(error.GetText(), std::string("Incorrect \"animation_speed\" of \"") + test.name +
                                           "\" in \"data\\ui\\resources_basic.xml\"");
        }
        EXPECT_EQ(keeper.GetModel("crate")->GetName(), test.refused ? "box" : "ui\\crate.mlf");
    }
}

// A loop's count is bounded, and so is what a list reads in all, every
// element counted once for each pass of the loops around it: a list beyond
// either fails naming itself before any of its entries is read (the model
// "before" stands ahead of the loops); the bounds themselves load. Each case
// runs under a watchdog, since without the bounds some read for minutes or
// for ever.
TEST_F(DataKeeperTest, LoopsBeyondTheirBoundsFailTheListBeforeAnyEntryIsRead)
{
    const std::string countError = "Incorrect \"count\" of loop \"i\"";
    const std::string totalError = "Incorrect resources: they read more than 1000 elements";
    struct Case {
        const char* name;
        std::string loops;
        std::string error;
        // A model that the list registers when it loads.
        const char* loaded;
    };
    const Case cases[] = {
        {"a count below the start", R"(<loop counter="k" start="5" count="4"><model name="m%k%"/></loop>)",
         "Incorrect \"count\" of loop \"k\"", nullptr},
        {"a start below 0", R"(<loop start="-1" count="3"><model name="m%i%"/></loop>)",
         "Incorrect \"start\" of loop \"i\"", nullptr},
        {"the bound itself", R"(<loop start="9998" count="10000"><model name="m%i%" file_name="m%i%.mlf"/></loop>)",
         "", "m9999"},
        {"an empty loop of the bound", R"(<loop count="10000"/>)", "", "before"},
        {"nested loops within the total",
         R"(<loop count="9"><loop counter="j" count="98"><note name="n"/></loop>
                <model name="m%i%" file_name="m%i%.mlf"/></loop>)",
         "", "m8"},
        {"a count of -1", R"(<loop count="-1"><model name="m%i%"/></loop>)", countError, nullptr},
        {"a count just over the bound", R"(<loop count="10001"><model name="m%i%"/></loop>)", countError, nullptr},
        {"a count beyond any integer", R"(<loop count="99999999999"/>)", countError, nullptr},
        {"one loop of the bound", R"(<loop count="10000"><note name="n%i%"/></loop>)", totalError, nullptr},
        {"nested loops just over the total",
         R"(<group><loop count="10"><loop counter="j" count="99"><model name="m%i%_%j%"/></loop></loop></group>)",
         totalError, nullptr},
        {"nested loops of the bound",
         R"(<loop count="10000"><loop counter="j" count="10000"><model name="m%i%_%j%"/></loop></loop>)",
         totalError, nullptr},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        engine->GetMessageManager()->ClearMessages();
        const std::string list = List("ui\\resources_basic.xml",
                                      "<model name=\"before\" file_name=\"before.mlf\"/>\n" + test.loops);
        DataKeeper keeper(engine.operator->(), "en", false);
        std::string error;
        Testing::RunWithin(std::chrono::seconds(10), std::string("DataKeeper loops: ") + test.name, [&] {
            try {
                keeper.AddResourcesFile(list, true);
            } catch (const FatalError& refused) {
                error = refused.GetText();
            }
        });
        if (test.error.empty()) {
            EXPECT_EQ(error, "");
            EXPECT_THAT(Errors(), IsEmpty());
            EXPECT_NE(keeper.GetModel(test.loaded)->GetName(), "box");
        } else {
            EXPECT_EQ(error, test.error + " in \"data\\ui\\resources_basic.xml\"");
            EXPECT_EQ(keeper.GetModel("before")->GetName(), "box");
        }
    }
}
