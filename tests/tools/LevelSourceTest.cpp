#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/level/LevelSource.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

using ::testing::HasSubstr;
using Tools::DataSet;

constexpr const char* kSource = "data\\levels_geometry\\sources\\00_00.xml";

// One stage of one level, four kinds, the textures they use; the hard
// brick's middle frame is missing.
DataSet LevelSet(const std::string& source)
{
    DataSet set;
    set.Add("data\\levels\\levels.xml", "<levels><stage environment=\"grove\"><level/></stage></levels>");
    set.Add("data\\game_objects\\blocks\\brick_simple.xml", "<block fragment_count=\"4\"/>");
    set.Add("data\\game_objects\\blocks\\brick_steel.xml", "<block strength=\"0\" fragment_count=\"4\"/>");
    set.Add("data\\game_objects\\blocks\\brick_hard.xml",
            "<block strength=\"2\" fragment_count=\"6\"><shader frame_count=\"3\"/></block>");
    set.Add("data\\game_objects\\blocks\\keeper_simple.xml", "<block type=\"ball_keeper\" fragment_count=\"4\"/>");
    for (const char* texture : {"brick_simple.tga", "brick_hard_0.tga", "brick_hard_2.tga"})
        set.Add(std::string("data\\game_objects\\blocks\\textures\\") + texture, "TGA");
    set.AddSource(kSource, std::vector<std::uint8_t>(source.begin(), source.end()));
    return set;
}

std::string Level(const std::string& blocks, const std::string& header = "")
{
    return "<level" + header + "><texture file=\"\"/><texture file=\"brick_simple.tga\"/>" + blocks + "</level>";
}

// A brick to break, far from where the cases put their blocks.
const std::string kTarget = "<block name=\"brick_simple\" texture=\"brick_simple.tga\" x=\"60\" y=\"100\"/>";

std::string Refusal(const std::string& source)
{
    DataSet set = LevelSet(source);
    try {
        Tools::GenerateLevelGeometry(set);
        return "";
    } catch (const std::runtime_error& error) {
        return error.what();
    }
}

TEST(LevelSource, StacksBlocksOnTheBlocksUnderThemAndWritesTheirKeyFrames)
{
    DataSet set = LevelSet(Level(
        "<grid id=\"base\" name=\"brick_simple\" x=\"-6\" columns=\"2\" step_x=\"12\"/>"
        "<block name=\"brick_steel\" texture=\"brick_simple.tga\" on=\"base\" scale=\"-1 1 1\"/>"
        "<block name=\"brick_steel\" y=\"30\" path=\"0 0 0; 10 0 180; 0 0 360\"/>" + kTarget,
        " key_frame_count=\"3\" animation_speed=\"2\""));
    Tools::GenerateLevelGeometry(set);
    const std::vector<std::uint8_t>& file = set.Get("data\\levels_geometry\\00_00.tkg");
    const DataSet source = LevelSet("");
    const Tools::LevelGeometry level = Tools::AssembleLevel(
        kSource,
        Tools::ParseLevelSource(kSource, set.GetSources().at(kSource)),
        Tools::ReadBlockKinds(source), source);
    EXPECT_EQ(Tools::BuildLevelGeometryFile(level), file);
    ASSERT_EQ(level.blocks.size(), 5u);
    EXPECT_EQ(level.blocks[2].supports, (std::vector<std::uint16_t>{0, 1}));
    EXPECT_EQ(level.blocks[0].above, (std::vector<std::uint16_t>{2}));
    EXPECT_FLOAT_EQ(level.blocks[2].keyFrames[0].position[2], 4.0f);
    EXPECT_FLOAT_EQ(level.blocks[2].scale[0], -1.0f);
    ASSERT_TRUE(level.blocks[3].animated);
    ASSERT_EQ(level.blocks[3].keyFrames.size(), 3u);
    EXPECT_FLOAT_EQ(level.blocks[3].keyFrames[1].position[0], 10.0f);
    // Half a turn about z.
    EXPECT_NEAR(level.blocks[3].keyFrames[1].rotation[2], 1.0f, 1e-6f);
    EXPECT_NEAR(level.blocks[3].keyFrames[1].rotation[3], 0.0f, 1e-6f);
}

struct Broken {
    std::string source;
    std::string problem;
};

TEST(LevelSource, TheBuildRefusesASourceThatBreaksWhatTheGameReliesOn)
{
    const std::string simple = "<block name=\"brick_simple\" texture=\"brick_simple.tga\" ";
    const Broken cases[] = {
        {"<level><texture file=\"brick_simple.tga\"/>" + kTarget + "</level>", "texture entry 0 must be \"\""},
        {Level("<grid name=\"brick_simple\" columns=\"784\"/>"), "784 blocks, more than the 783"},
        {Level("<block name=\"brick_steel\"/><block name=\"keeper_simple\" y=\"30\"/>"), "no block counts"},
        {Level(kTarget + "<block name=\"stone\"/>"), "block 1 (stone at 0, 0) names no kind"},
        {Level(kTarget + "<block name=\"brick_simple_keeper_simple\"/>"), "holds the names of both"},
        {Level(kTarget + simple + "scale=\"1 1 0.5\"/>"), "is 2 tall: a ball rolling at z = 1.5"},
        {Level(kTarget + simple + "scale=\"1 1 -1\"/>"), "upside down"},
        {Level(kTarget + simple + "x=\"71\"/>"), "reaches out of the block area"},
        {Level(kTarget + simple + "y=\"114\"/>"), "reaches out of the block area"},
        {Level(kTarget + simple + "x=\"3\"/>" + simple + "/>"), "block 2 (brick_simple at 0, 0) overlaps block 1"},
        {Level(kTarget + "<block id=\"a\" name=\"brick_simple\"/>" + simple + "y=\"20\" on=\"a\"/>"),
         "stands on nothing"},
        {Level(kTarget + simple + "on=\"nobody\"/>"), "which no block or grid is called"},
        {Level(kTarget + "<block id=\"a\" name=\"brick_simple\" on=\"a\"/>"), "stands on itself"},
        {Level(kTarget + "<block id=\"a\" name=\"brick_simple\" on=\"b\"/>"
                         "<block id=\"b\" name=\"brick_simple\" on=\"a\"/>"),
         "a cycle"},
        {Level(kTarget + "<block id=\"low\" name=\"brick_simple\" x=\"-6\"/>"
                         "<block id=\"low\" name=\"keeper_simple\" x=\"6\"/>" + simple + "on=\"low\"/>"),
         "tops differ (4 and 6)"},
        {Level(kTarget + simple + "path=\"0 0 0\"/>"), "fewer than 2 key frames"},
        {Level(kTarget + simple + "path=\"0 0 0; 5 0 0\"/>", " key_frame_count=\"3\" animation_speed=\"1\""),
         "has 2 key frames, the level 3"},
        {Level(kTarget + "<block id=\"m\" name=\"brick_simple\" path=\"0 0 0; 5 0 0\"/>" + simple + "on=\"m\"/>",
               " key_frame_count=\"2\" animation_speed=\"1\""),
         "moves and carries"},
        {Level(kTarget + simple + "x=\"20\"/>" + simple + "x=\"-40\" path=\"0 0 0; 60 0 0\"/>",
               " key_frame_count=\"2\" animation_speed=\"1\""),
         "overlaps block 1 (brick_simple at 20, 0) at key frame 1"},
        {Level(kTarget + "<block name=\"brick_simple\" texture=\"gold.tga\"/>"), "the texture table does not list"},
        {Level("<texture file=\"brick_lost.tga\"/>" + kTarget), "textures\\brick_lost.tga, which is not made"},
        {Level("<texture file=\"brick_hard_0.tga\"/>" + kTarget +
               "<block name=\"brick_hard\" texture=\"brick_hard_0.tga\"/>"),
         "textures\\brick_hard_1.tga, which is not made"},
        {Level(kTarget + simple + "colour=\"red\"/>"), "<block> has no attribute colour"},
        {Level(kTarget + simple + "x=\"1O\"/>"), "block x \"1O\" is not a number"},
        {Level(kTarget + simple + "x=\"inf\"/>"), "line 1: block x \"inf\" is not a finite number"},
        {Level(kTarget + "\n\n" + simple + "y=\"nan\"/>"), "line 3: block y \"nan\" is not a finite number"},
        {Level(kTarget + simple + "angle=\"-Infinity\"/>"), "block angle \"-Infinity\" is not a finite number"},
        {Level(kTarget + simple + "scale=\"1 NAN 1\"/>"), "scale \"NAN\" is not a finite number"},
        {Level(kTarget + "\n" + simple + "path=\"0 0 0; nan(1) 0 0\"/>",
               " key_frame_count=\"2\" animation_speed=\"1\""),
         "line 2: path \"nan(1)\" is not a finite number"},
        {Level(kTarget, " key_frame_count=\"2\" animation_speed=\"inf\""),
         "line 1: level animation_speed \"inf\" is not a finite number"},
        {Level("<grid name=\"brick_simple\" step_x=\"inf\"/>"), "grid step_x \"inf\" is not a finite number"},
        {Level(kTarget + "<wall/>"), "not <wall>"},
        {Level(kTarget + "<!-- a brick's place -->"), "a comment holds an unpaired quote"},
    };
    for (const Broken& broken : cases) {
        SCOPED_TRACE(broken.problem);
        const std::string refusal = Refusal(broken.source);
        EXPECT_THAT(refusal, HasSubstr(kSource));
        EXPECT_THAT(refusal, HasSubstr(broken.problem));
    }
}

TEST(LevelSource, EveryListedLevelNeedsASourceAndEverySourceAListedLevel)
{
    DataSet unlisted = LevelSet(Level(kTarget));
    unlisted.AddSource("data\\levels_geometry\\sources\\00_05.xml", {'<', 'x', '/', '>'});
    EXPECT_THROW(
        {
            try {
                Tools::GenerateLevelGeometry(unlisted);
            } catch (const std::runtime_error& error) {
                EXPECT_THAT(error.what(), HasSubstr("lists no level 00_05"));
                throw;
            }
        },
        std::runtime_error);
    DataSet empty;
    empty.Add("data\\levels\\levels.xml", "<levels><stage><level/><level/></stage></levels>");
    try {
        Tools::GenerateLevelGeometry(empty);
        ADD_FAILURE() << "a listed level without a source was taken";
    } catch (const std::runtime_error& error) {
        EXPECT_THAT(error.what(), HasSubstr("lists the level 00_00, but data\\levels_geometry\\sources\\00_00.xml"));
    }
}

} // namespace
