#include "game_tools/DataKeeper.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/render/Model.h"

#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"
#include "tests/support/Watchdog.h"
#include "tools/ImageWriter.h"
#include "tools/ShaderWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

using namespace Halvard;
using GameTools::DataKeeper;
using ::testing::HasSubstr;

namespace {

const std::string kList = "data\\ui\\resources_basic.xml";
const std::string kNamed = " in \"data\\ui\\resources_basic.xml\"";

std::string Repeated(const std::string& text, size_t count)
{
    std::string out;
    for (size_t i = 0; i < count; ++i)
        out += text;
    return out;
}

// A list of one entry inside that many group elements, one to a line.
std::string NestedGroups(size_t depth)
{
    return Repeated("<g>\n", depth) + "<model name=\"m\" file_name=\"m.mlf\"/>\n" + Repeated("</g>", depth);
}

class DataKeeperBoundsTest : public ::testing::Test {
protected:
    DataKeeperBoundsTest() { engine->GetMessageManager()->ClearMessages(); }

    void WriteList(const std::string& body)
    {
        engine.Folder().WriteFile(kList, "<resources>\n<model name=\"before\" file_name=\"before.mlf\"/>\n" + body +
                                             "\n</resources>\n");
    }

    // Reads the list at once under the watchdog: the text of the fatal error
    // that refused it, or empty when it loaded. A refusal is fatal in the
    // log too, and leaves nothing of the list made.
    std::string Refusal(DataKeeper& keeper)
    {
        std::string refusal;
        Testing::RunWithin(std::chrono::seconds(10), "resource list", [&] {
            try {
                keeper.AddResourcesFile(kList, true);
            } catch (const FatalError& error) {
                refusal = error.GetText();
            }
        });
        if (!refusal.empty()) {
            EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).Texts(MessageManager::kFatal),
                        ::testing::ElementsAre("PROGRAM ABORTING: " + refusal + "\n"));
            EXPECT_EQ(keeper.GetModel("before")->GetName(), "box");
        }
        return refusal;
    }

    // How often the log holds the text.
    size_t Naming(const std::string& text)
    {
        const std::string log = Testing::LogProbe(*engine->GetMessageManager()).Joined();
        size_t count = 0;
        for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
            ++count;
        return count;
    }


    Testing::TestEngine engine;
};

// Every list that asks for more than any list of the game could use is
// refused, naming itself, before anything of it is made, and the bounds
// themselves load. Without the bounds the cases take minutes, gigabytes or
// the stack.
TEST_F(DataKeeperBoundsTest, AListBeyondWhatAnyListUsesIsRefusedNamingIt)
{
    const std::string elements = "Incorrect resources: they read more than 1000 elements";
    const std::string bytes = "Incorrect resources: their files take more than 33554432 bytes once loaded";
    const std::string longName = "Incorrect \"name\" longer than 255 characters";
    engine.Folder().WriteFile("data\\ui\\bat\\head.mlf", std::string(1024, 'x'));
    engine.Folder().WriteFile("data\\ui\\huge.mlf", std::string(2 * 1024 * 1024, 'x'));
    engine.Folder().WriteFile("data\\ui\\huge.bmp", std::string(2 * 1024 * 1024, 'x'));
    struct Case {
        const char* name;
        std::string body;
        std::string refusal;
    };
    const Case cases[] = {
        {"groups nested to the XML bound", NestedGroups(62), ""},
        {"groups nested a hundred deep", NestedGroups(100),
         "XML format error at line 66: elements nested deeper than 64"},
        {"groups nested a thousand deep", NestedGroups(1000),
         "XML format error at line 66: elements nested deeper than 64"},
        {"elements at the bound", R"(<loop count="997"><note name="n%i%"/></loop>)", ""},
        {"elements over the bound", R"(<loop count="998"><note name="n%i%"/></loop>)", elements},
        {"a loop of real models", R"(<loop count="10000"><model name="m%i%" file_name="bat\head.mlf"/></loop>)",
         elements},
        {"a loop of one name", R"(<loop count="10000"><model name="m" file_name="bat\head.mlf"/></loop>)", elements},
        {"empty loops in a loop", R"(<loop count="10000"><loop counter="j" count="10000"/></loop>)", elements},
        {"file bytes at the bound", R"(<loop count="16"><model name="m%i%" file_name="huge.mlf"/></loop>)", ""},
        {"file bytes over the bound", R"(<loop count="17"><model name="m%i%" file_name="huge.mlf"/></loop>)", bytes},
        {"pictures over the bound",
         R"(<loop count="17"><shader name="s%i%" diffuse_file_name="huge.bmp" opacity_file_name="32bit"/></loop>)",
         bytes},
        {"a name at the bound", "<model name=\"" + std::string(255, 'n') + "\"/>", ""},
        {"a name over the bound", "<model name=\"" + std::string(256, 'n') + "\"/>", longName},
        {"a name filled in over the bound",
         "<loop count=\"1\"><model name=\"" + std::string(200, 'n') + "%i60%\"/></loop>", longName},
        {"a name in groups over the bound", "<" + std::string(250, 'g') + "><model name=\"member\"/></" +
                                                std::string(250, 'g') + ">",
         longName},
        {"a file name over the bound", "<model name=\"m\" file_name=\"" + std::string(256, 'f') + "\"/>",
         "Incorrect \"file_name\" of \"m\" longer than 255 characters"},
        {"a particle file name over the bound", "<particles name=\"p\" file_name=\"" + std::string(256, 'f') + "\"/>",
         "Incorrect \"file_name\" of \"p\" longer than 255 characters"},
        {"a picture name over the bound", "<shader name=\"s\" diffuse_file_name=\"" + std::string(256, 'f') + "\"/>",
         "Incorrect \"diffuse_file_name\" of \"s\" longer than 255 characters"},
        {"a name of many counters",
         R"(<loop count="10000"><model name=")" + Repeated("%i%", 34133) + R"(" file_name="m.mlf"/></loop>)",
         longName},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        engine->GetMessageManager()->ClearMessages();
        WriteList(test.body);
        DataKeeper keeper(engine.operator->(), "en", false);
        const std::string refusal = Refusal(keeper);
        EXPECT_EQ(refusal, test.refusal.empty() ? "" : test.refusal + kNamed);
        if (test.refusal.empty()) {
            EXPECT_EQ(keeper.GetModel("before")->GetName(), "ui\\before.mlf");
        }
    }
}

namespace {

// A run-length TGA of 32-bit pixels in as few packets as its size allows: a
// file of about a 25th of what it decodes to.
std::string RunLengthPicture(u16 width, u16 height)
{
    Tools::TgaHeader header;
    header.imageType = 10;
    header.width = width;
    header.height = height;
    header.depth = 32;
    std::vector<u8> packets;
    for (u64 left = u64{width} * height; left > 0; left -= std::min<u64>(left, 128))
        packets.insert(packets.end(), {static_cast<u8>(0x80 + std::min<u64>(left, 128) - 1), 40, 80, 120, 255});
    return Tools::TgaFile(header, packets);
}

std::string Shaders(u32 count, const std::string& picture)
{
    return "<loop count=\"" + std::to_string(count) + "\"><shader name=\"s%i%\" diffuse_file_name=\"" + picture +
           "\"/></loop>";
}

// One shader numbering its diffuse picture over that many frames.
std::string Frames(const std::string& picture, u32 frames)
{
    return "<shader name=\"a\" diffuse_file_name=\"" + picture + "\" animation_type=\"diffuse\" frame_count=\"" +
           std::to_string(frames) + "\"/>";
}

// A shader file of one stage naming the picture, numbered over that many
// frames when there are more than one.
std::string ShaderFile(const std::string& picture, u32 frames)
{
    Tools::ShaderStageData stage;
    stage.diffuseName = picture;
    if (frames > 1) {
        stage.animationType = 2;
        stage.frameCount = frames;
    }
    Tools::ShaderData shader;
    shader.stages.push_back(stage);
    const std::vector<u8> bytes = Tools::BuildShaderFile(shader);
    return std::string(bytes.begin(), bytes.end());
}

// The pictures the tests of what pictures cost read, and the files that
// name them: each frame of an animation, the shader files of a model and
// of a particle system, and a jpg's stand-in are 16 MiB of pixels or more.
void WritePictures(const Testing::TempFolder& folder)
{
    folder.WriteFile("data\\ui\\huge.mlf", std::string(2 * 1024 * 1024, 'x'));
    // 2 MiB of pixels, then 4 KiB more, each in a file of about 80 KiB.
    folder.WriteFile("data\\ui\\two.tga", RunLengthPicture(1024, 512));
    folder.WriteFile("data\\ui\\more.tga", RunLengthPicture(1024, 513));
    // 16 MiB of pixels in a file of 640 KiB.
    folder.WriteFile("data\\ui\\sixteen.tga", RunLengthPicture(2048, 2048));
    // Claims 256 MiB in a file of 2.5 MiB: beyond the side any loader takes.
    folder.WriteFile("data\\ui\\beyond.tga", RunLengthPicture(8192, 8192));
    // 4 MiB of grey pixels in a file of a few KiB; 3 MiB from a 1 MiB BMP.
    folder.WriteFile("data\\ui\\grey.jpg", Tools::JpegFile(2048, 2048, 1, std::vector<u8>(2048 * 2048, 90)));
    const std::string indexed =
        Tools::BmpFile(1024, 1024, 8, std::vector<u8>(1024 * 1024, 0), std::vector<u8>(1024, 9));
    folder.WriteFile("data\\ui\\indexed.bmp", indexed);
    folder.WriteFile("data\\ui\\photo.bmp", indexed);
    // Three numbered frames; two of another animation.
    for (const char* frame : {"f0", "f1", "f2", "g0", "g1"})
        folder.WriteFile("data\\ui\\" + std::string(frame) + ".tga", RunLengthPicture(2048, 2048));
    folder.WriteFile("data\\ui\\pictured.mlf", std::string(1024, 'x'));
    folder.WriteFile("data\\ui\\pictured.srf", ShaderFile("f0.tga", 3));
    folder.WriteFile("data\\ui\\sparks.par", std::string(1024, 'x'));
    folder.WriteFile("data\\ui\\sparks.srf", ShaderFile("sixteen.tga", 1));
    // A thousand empty frames: each still binds a texture.
    for (u32 frame = 0; frame < 1000; ++frame)
        folder.WriteFile("data\\ui\\e" + UIntToString(frame, 3) + ".tga", "");
}

} // namespace

// A picture costs what it decodes to, not what its file holds: read from
// the headers, so that a list is refused before any picture is decoded (the
// refusal leaves nothing of the list made). Run-length TGA and JPEG files
// are far smaller than their pixels, an 8-bit BMP a third of them. The
// pictures counted are those the entries will load: every frame up to the
// first missing one, the pictures of the shader file a model or particle
// system reads beside its own, the BMP a missing jpg gives way to; each
// costs a texture at least, so that no walk over frames runs long.
TEST_F(DataKeeperBoundsTest, PicturesCountWhatTheyDecodeToBeforeAnyIsDecoded)
{
    WritePictures(engine.Folder());
    const std::string bytes = "Incorrect resources: their files take more than 33554432 bytes once loaded";
    const std::string fifteenModels = R"(<loop counter="j" count="15"><model name="m%j%" file_name="huge.mlf"/></loop>)";
    struct Case {
        const char* name;
        std::string body;
        std::string refusal;
    };
    const Case cases[] = {
        {"models and a picture at the bound", fifteenModels + Shaders(1, "two.tga"), ""},
        {"models and a picture 4 KiB over the bound", fifteenModels + Shaders(1, "more.tga"), bytes},
        {"three run-length pictures", Shaders(3, "sixteen.tga"), bytes},
        {"one picture beyond the side bound", Shaders(1, "beyond.tga"), bytes},
        {"nine JPEG pictures", Shaders(9, "grey.jpg"), bytes},
        {"eleven 8-bit BMP pictures", Shaders(11, "indexed.bmp"), bytes},
        {"three frames of an animation", Frames("f0.tga", 3), bytes},
        {"three frames of a pattern no file has", Frames("fx.tga", 3), bytes},
        {"an animation that ends at its third frame, at the bound", Frames("g0.tga", 9), ""},
        {"a model whose shader file animates three frames", R"(<model name="m" file_name="pictured.mlf"/>)", bytes},
        {"three particle systems whose shader file names a picture",
         R"(<loop count="3"><particles name="p%i%" file_name="sparks.par"/></loop>)", bytes},
        {"eleven jpg names shipped as BMP", Shaders(11, "photo.jpg"), bytes},
        {"nine animations of a thousand empty frames",
         R"(<loop count="9"><shader name="e%i%" diffuse_file_name="e000.tga" animation_type="diffuse" )"
         R"(frame_count="1000"/></loop>)",
         bytes},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        engine->GetMessageManager()->ClearMessages();
        WriteList(test.body);
        DataKeeper keeper(engine.operator->(), "en", false);
        EXPECT_EQ(Refusal(keeper), test.refusal.empty() ? "" : test.refusal + kNamed);
    }
}

// The deepest list of the damaged ones: it took the program down with the
// stack. Refused by the XML reader before anything walks it.
TEST_F(DataKeeperBoundsTest, ThirtyThousandNestedGroupsAreRefusedNamingTheList)
{
    WriteList(NestedGroups(30000));
    DataKeeper keeper(engine.operator->(), "en", false);
    EXPECT_EQ(Refusal(keeper), "XML format error at line 66: elements nested deeper than 64" + kNamed);
}

// Every refusal, whichever reader finds it, goes the one fatal way: a line
// in the log, then FatalError with the list named.
TEST_F(DataKeeperBoundsTest, EveryRefusalOfAListIsFatalInTheLog)
{
    const std::pair<std::string, std::string> cases[] = {
        {R"(<loop count="-1"><model name="m%i%"/></loop>)", "Incorrect \"count\" of loop \"i\""},
        {R"(<loop start="-2" count="1"/>)", "Incorrect \"start\" of loop \"i\""},
        {R"(<model name="m" file_name="m.mlf" animation_speed="inf"/>)", "Incorrect \"animation_speed\" of \"m\""},
        {R"(<shader name="s" diffuse_file_name="s.tga" animation_type="diffuse" frame_count="10001"/>)",
         "Incorrect \"frame_count\" of \"s\""},
        {R"(<model name="m"></resources>)", "XML format error at line 3: code 2"},
        {R"(<loop count="1e4"><model name="m%i%"/></loop>)", "Incorrect \"count\" of loop \"i\""},
        {R"(<shader name="s" diffuse_file_name="s.tga" net_size="4 4.5"/>)", "Incorrect \"net_size\" of \"s\""},
    };
    for (const auto& [body, refusal] : cases) {
        SCOPED_TRACE(body);
        engine->GetMessageManager()->ClearMessages();
        WriteList(body);
        DataKeeper keeper(engine.operator->(), "en", false);
        EXPECT_EQ(Refusal(keeper), refusal + kNamed);
    }
}

// What a registry's own loading step reads beside its lists (a level's
// block descriptions and geometry) is refused the same fatal way.
TEST_F(DataKeeperBoundsTest, AFileErrorOfALoadingStepIsFatalInTheLog)
{
    class Keeper : public DataKeeper {
    public:
        using DataKeeper::DataKeeper;

    protected:
        void LoadResources() override
        {
            DataKeeper::LoadResources();
            throw FileError("Incorrect \"data\\levels\\1_1.tkg\" file format");
        }
    };
    Keeper keeper(engine.operator->(), "en", false);
    try {
        keeper.Load();
        ADD_FAILURE() << "the load went through";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.GetText(), "Incorrect \"data\\levels\\1_1.tkg\" file format");
    }
    EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).Texts(MessageManager::kFatal),
                ::testing::ElementsAre("PROGRAM ABORTING: Incorrect \"data\\levels\\1_1.tkg\" file format\n"));
}

// A second entry of a taken name is refused with its line before its file is
// read: no model is made and destroyed for it.
TEST_F(DataKeeperBoundsTest, ASecondEntryOfATakenNameReadsNoFile)
{
    WriteList(R"(<model name="m" file_name="first.mlf"/><model name="m" file_name="second.mlf"/>
                 <particles name="p" file_name="first.psf"/><particles name="p" file_name="second.psf"/>)");
    DataKeeper keeper(engine.operator->(), "en", false);
    EXPECT_EQ(Refusal(keeper), "");
    EXPECT_EQ(keeper.GetModel("m")->GetName(), "ui\\first.mlf");
    EXPECT_EQ(Naming("(DataKeeper::AddModel): Model \"m\" is duplicated"), 1u);
    EXPECT_EQ(Naming("(DataKeeper::AddParticleSystem): Particle System \"p\" is duplicated"), 1u);
    const std::string log = Testing::LogProbe(*engine->GetMessageManager()).Joined();
    EXPECT_THAT(log, HasSubstr("first.mlf"));
    EXPECT_THAT(log, ::testing::Not(HasSubstr("second.mlf")));
}

// Each counter fills its tokens in one pass over the text: a long text of
// many tokens takes no longer than reading it (filling token by token moved
// the rest of the text for every token and took minutes).
TEST(DataKeeperCounters, ACounterFillsALongTextInOnePass)
{
    const std::string text = Repeated("a%i%%j2%", 400000);
    std::string filled;
    Testing::RunWithin(std::chrono::seconds(10), "SubstituteCounters",
                       [&] { filled = DataKeeper::SubstituteCounters(text, {"i", "j"}, {7, 3}); });
    EXPECT_EQ(filled, Repeated("a703", 400000));
}

} // namespace
