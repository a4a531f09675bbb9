#include "game/data/GameLogicData.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "game/LevelRecord.h"
#include "game/StageRecord.h"
#include "game_tools/XMLNode.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/LogProbe.h"
#include "tests/support/Watchdog.h"
#include "tools/LevelGeometryWriter.h"
#include "tools/ShaderWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

using namespace Halvard;
using Tamrisk::GameLogicData;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

namespace {

constexpr const char* kBlocks = "data\\game_objects\\blocks\\";
constexpr const char* kModels = "game_objects\\blocks\\models\\";

Tools::LevelBlock Block(const std::string& name, std::vector<std::uint16_t> supports = {},
                        std::vector<std::uint16_t> above = {})
{
    Tools::LevelBlock block;
    block.name = name;
    block.keyFrames.resize(1);
    block.supports = std::move(supports);
    block.above = std::move(above);
    return block;
}

class GameLogicDataTest : public ::testing::Test {
protected:
    GameLogicDataTest()
    {
        level_.geometryFile = "00_01.tkg";
        engine.Start();
    }

    void Description(const std::string& fileName, const std::string& text)
    {
        engine.folder.WriteFile(kBlocks + fileName, text);
    }

    void Geometry(const Tools::LevelGeometry& geometry)
    {
        const std::vector<std::uint8_t> bytes = Tools::BuildLevelGeometryFile(geometry);
        engine.folder.WriteFile("data\\levels_geometry\\00_01.tkg", std::string(bytes.begin(), bytes.end()));
    }

    std::unique_ptr<GameLogicData> LoadLevel();

    std::unique_ptr<GameLogicData> Load()
    {
        auto data = std::make_unique<GameLogicData>(&engine.Get(), "en", &stage_, &level_);
        data->Load();
        return data;
    }

    // A load that fails is fatal: its text is the last line of the log.
    std::string Refusal()
    {
        engine->GetMessageManager()->ClearMessages();
        std::string refusal;
        Testing::RunWithin(std::chrono::seconds(10), "level data", [&] {
            try {
                Load();
            } catch (const FatalError& error) {
                refusal = error.GetText();
            }
        });
        if (!refusal.empty())
            EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).Texts(MessageManager::kFatal),
                        ElementsAre("PROGRAM ABORTING: " + refusal + "\n"));
        return refusal;
    }

    // No model or texture file is written: the box that stands in for a
    // model carries the file's name, and the log names each missing file.
    std::vector<std::string> Errors()
    {
        std::vector<std::string> own;
        for (const std::string& line : Testing::LogProbe(*engine->GetMessageManager()).Lines(MessageManager::kError))
            if (line.find(".mlf\" file!") == std::string::npos && line.find(".tga\" file!") == std::string::npos)
                own.push_back(line);
        return own;
    }

    Testing::FakeEngine engine;
    Tamrisk::StageRecord stage_;
    Tamrisk::LevelRecord level_;
};

std::string FileOf(GameLogicData& data, const std::string& name) { return data.GetModel(name)->GetName(); }

const std::string& KindOf(const Tamrisk::BlockRecord& record)
{
    return record.description->GetAttribute("name")->GetString();
}

// Four blocks of two kinds, a kind no block names and one whose name's case
// keeps it from serving any: a brick on two supports that both stand on an
// animated steel block.
std::unique_ptr<GameLogicData> GameLogicDataTest::LoadLevel()
{
    Description("brick.xml", "<brick fragment_count=\"2\"/>");
    Description("steel.xml", "<steel collision_model=\"1\" fragment_count=\"-3\">"
                             "<shader frame_count=\"3\" animation_speed=\"2.5\"/></steel>");
    Description("Ghost.xml", "<ghost/>");
    Description("unused.xml", "<unused collision_model=\"1\" fragment_count=\"1\"/>");
    Tools::LevelGeometry geometry;
    geometry.keyFrameCount = 2;
    geometry.animationSpeed = 0.75f;
    geometry.textures = {"", "steel_0.tga", "steel_alpha.tga"};
    geometry.blocks = {Block("BRICK_Big", {1, 2}), Block("steel_brick_7", {3}, {0}), Block("brick", {3}, {0}),
                       Block("Steel", {}, {1, 2})};
    Tools::LevelBlock& steel = geometry.blocks[3];
    steel.flags = 1;
    steel.texture = 1;
    steel.opacityTexture = 2;
    steel.scale = {2.0f, 3.0f, 4.0f};
    steel.animated = true;
    steel.keyFrames = {{{1.0f, 2.0f, 3.0f}, {0.0f, 0.0f, 0.0f, 1.0f}}, {{4.0f, 5.0f, 6.0f}, {0.0f, 1.0f, 0.0f, 0.0f}}};
    Geometry(geometry);
    return Load();
}

TEST_F(GameLogicDataTest, ReadsTheBlocksWithTheirKindsMaterialsKeyFramesAndStacks)
{
    const std::unique_ptr<GameLogicData> data = LoadLevel();
    EXPECT_EQ(data->GetKeyFrameCount(), 2u);
    EXPECT_FLOAT_EQ(data->GetAnimationSpeed(), 0.75f);
    ASSERT_EQ(data->GetBlockDescriptions().size(), 4u);
    const auto& records = data->GetBlockRecords();
    ASSERT_EQ(records.size(), 4u);
    // Lower-cased names; the first kind in name order that occurs wins.
    EXPECT_EQ(KindOf(*records[0]), "brick");
    EXPECT_EQ(KindOf(*records[1]), "brick");
    EXPECT_EQ(KindOf(*records[2]), "brick");
    EXPECT_EQ(KindOf(*records[3]), "steel");
    EXPECT_THAT(records[0]->supports, ElementsAre(1, 2));
    EXPECT_THAT(records[3]->above, ElementsAre(1, 2));
    EXPECT_EQ(records[0]->keyFrames.size(), 1u);
    const Tamrisk::BlockRecord& steel = *records[3];
    EXPECT_EQ(steel.flags, 1u);
    EXPECT_FLOAT_EQ(steel.scale.y, 3.0f);
    ASSERT_EQ(steel.keyFrames.size(), 2u);
    EXPECT_FLOAT_EQ(steel.keyFrames[1].position.z, 6.0f);
    EXPECT_FLOAT_EQ(steel.keyFrames[1].rotation.y, 1.0f);

    const ShaderTextureStage& animated = steel.shaderUser->GetStage(0);
    EXPECT_EQ(animated.animationType, ShaderTextureStage::kNumberedDiffuse);
    EXPECT_EQ(animated.frameCount, 3u);
    EXPECT_FLOAT_EQ(animated.speed, 2.5f);
    EXPECT_EQ(animated.diffuseName, "game_objects\\blocks\\textures\\steel_0.tga");
    EXPECT_EQ(animated.opacityName, "game_objects\\blocks\\textures\\steel_alpha.tga");
    const ShaderTextureStage& untextured = records[0]->shaderUser->GetStage(0);
    EXPECT_EQ(untextured.animationType, ShaderTextureStage::kNoAnimation);
    EXPECT_NE(untextured.flags & ShaderTextureStage::kNoTexture, 0u);
    EXPECT_THAT(Errors(), IsEmpty());
}

TEST_F(GameLogicDataTest, RegistersTheModelsOfTheKindsInUseAndTheCommonFragments)
{
    const std::unique_ptr<GameLogicData> data = LoadLevel();
    EXPECT_EQ(FileOf(*data, "geometry/brick/model"), std::string(kModels) + "brick.mlf");
    EXPECT_EQ(FileOf(*data, "geometry/brick/fragments/01"), std::string(kModels) + "fragments\\brick_01.mlf");
    EXPECT_EQ(FileOf(*data, "geometry/steel/collision_model"), std::string(kModels) + "steel_collision.mlf");
    const std::string common = std::string(kModels) + "fragments\\common\\fragment_";
    EXPECT_EQ(FileOf(*data, "geometry/fragments/common/00"), common + "0.mlf");
    EXPECT_EQ(FileOf(*data, "geometry/fragments/common/09"), common + "9.mlf");
    EXPECT_THAT(Errors(), IsEmpty());
    // No collision model unasked, no fragment of a negative count, nothing
    // for a kind no block uses.
    for (const char* missing : {"geometry/brick/collision_model", "geometry/brick/fragments/02",
                                "geometry/steel/fragments/00", "geometry/unused/model", "geometry/Ghost/model"})
        EXPECT_EQ(FileOf(*data, missing), "box") << missing;
}

TEST_F(GameLogicDataTest, ABlockOfNoKnownKindIsAFileError)
{
    // Kind names keep the case of their files; block names are lower-cased.
    Description("Ghost.xml", "<ghost/>");
    Description("brick.xml", "<brick/>");
    Tools::LevelGeometry geometry;
    geometry.textures = {""};
    geometry.blocks = {Block("brick_1"), Block("Ghost_2")};
    Geometry(geometry);
    EXPECT_EQ(Refusal(), "Can't find block \"ghost_2\" in database");
}

TEST_F(GameLogicDataTest, ADamagedGeometryFileFailsTheLoadNamingTheFile)
{
    Description("brick.xml", "<brick/>");
    Tools::LevelGeometry geometry;
    geometry.textures = {""};
    geometry.blocks = {Block("brick", {1}), Block("brick", {0})};
    Geometry(geometry);
    EXPECT_THAT(Refusal(), HasSubstr("00_01.tkg"));
}

// Counts that would size loops and allocations beyond what the formats can
// hold, a speed that is not finite, and an integer written as anything but
// one, end the load at once, naming the
// description; the largest counts the formats hold, and any finite speed,
// still load. The cases that would only load too much come first, so that a
// lost bound shows as their failures before the huge counts run into the
// test's time limit.
TEST_F(GameLogicDataTest, CountsAndSpeedsBeyondWhatTheFormatsHoldFailAtOnceNamingTheDescription)
{
    struct Case {
        const char* text;
        bool refused;
    };
    const Case cases[] = {
        {"<brick fragment_count=\"101\"/>", true},
        {"<brick><shader frame_count=\"-1\"/></brick>", true},
        {"<brick><shader frame_count=\"10001\"/></brick>", true},
        {"<brick fragment_count=\"100\"><shader frame_count=\"10000\"/></brick>", false},
        {"<brick><shader frame_count=\"3\" animation_speed=\"inf\"/></brick>", true},
        {"<brick><shader frame_count=\"3\" animation_speed=\"nan\"/></brick>", true},
        {"<brick><shader frame_count=\"3\" animation_speed=\"-1e30\"/></brick>", false},
        {"<brick><shader frame_count=\"2000000000\"/></brick>", true},
        {"<brick fragment_count=\"4123456799\"/>", true},
        {"<brick fragment_count=\"1e9\"/>", true},
        {"<brick strength=\"2.5\"/>", true},
        {"<brick><shader frame_count=\"3x\"/></brick>", true},
    };
    Tools::LevelGeometry geometry;
    geometry.textures = {""};
    geometry.blocks = {Block("brick")};
    Geometry(geometry);
    for (const Case& test : cases) {
        Description("brick.xml", test.text);
        const std::string refusal = Refusal();
        EXPECT_EQ(!refusal.empty(), test.refused) << test.text;
        if (test.refused) {
            EXPECT_THAT(refusal, HasSubstr("data\\game_objects\\blocks\\brick.xml")) << test.text;
            EXPECT_THAT(refusal, StartsWith("Incorrect \"")) << test.text;
        }
    }
}

// Counted from the pictures' headers before any is decoded, each picture
// once for each kind and texture pair that shows it: three of 16 MiB pass
// the bound, one shown by many blocks does not; a fragment's model counts
// the pictures of its shader file.
TEST_F(GameLogicDataTest, BlocksWhosePicturesTakeMoreThan32MiBFailTheLoadNamingTheGeometryFile)
{
    const std::string refusal = "Incorrect blocks: their files take more than 33554432 bytes once loaded in "
                                "\"data\\levels_geometry\\00_01.tkg\"";
    Description("brick.xml", "<brick/>");
    for (const char* name : {"a.tga", "b.tga", "c.tga"})
        engine.folder.WriteFile(std::string(kBlocks) + "textures\\" + name, Testing::RunLengthTga(2048));
    Tools::LevelGeometry geometry;
    geometry.textures = {"", "a.tga", "b.tga", "c.tga"};
    geometry.blocks = {Block("brick"), Block("brick"), Block("brick"), Block("brick")};
    for (std::uint16_t i = 0; i < 4; ++i)
        geometry.blocks[i].texture = i < 3 ? 1 : 2;
    Geometry(geometry);
    EXPECT_EQ(Refusal(), "");
    Description("brick.xml", "<brick fragment_count=\"1\"/>");
    const std::string fragment = std::string("data\\") + kModels + "fragments\\brick_00.";
    engine.folder.WriteFile(fragment + "mlf", std::string(1024, 'x'));
    Tools::ShaderData shader;
    shader.stages.resize(1);
    shader.stages[0].diffuseName = "c.tga";
    const std::vector<std::uint8_t> shaderFile = Tools::BuildShaderFile(shader);
    engine.folder.WriteFile(fragment + "srf", std::string(shaderFile.begin(), shaderFile.end()));
    engine.folder.WriteFile(std::string("data\\") + kModels + "fragments\\c.tga", Testing::RunLengthTga(2048));
    EXPECT_EQ(Refusal(), refusal);
    Description("brick.xml", "<brick/>");
    geometry.blocks[0].texture = 3;
    Geometry(geometry);
    EXPECT_EQ(Refusal(), refusal);
}

TEST(GameLogicDataFragments, TheCountIsNeverNegative)
{
    const std::pair<const char*, Halvard::u32> cases[] = {{nullptr, 0}, {"4", 4}, {"0", 0}, {"-1", 0}};
    for (const auto& [text, expected] : cases) {
        GameTools::XMLNode description("brick", nullptr);
        if (text != nullptr)
            description.SetAttribute("fragment_count", text);
        EXPECT_EQ(GameLogicData::ReadFragmentCount(description), expected) << (text ? text : "absent");
    }
}

} // namespace
