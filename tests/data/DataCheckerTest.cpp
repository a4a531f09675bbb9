#include "tests/data/DataChecker.h"
#include "tests/support/TestEngine.h"
#include "tools/FieldWriter.h"
#include "tools/FontWriter.h"
#include "tools/LevelGeometryWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// A TGA header for an uncompressed 24-bit picture, then its pixels.
std::string TgaOf(unsigned width, unsigned height)
{
    std::string bytes(18, '\0');
    bytes[2] = 2;
    bytes[12] = static_cast<char>(width);
    bytes[14] = static_cast<char>(height);
    bytes[16] = 24;
    return bytes + std::string(3 * width * height, '\x40');
}

// The checker must catch what a broken shipped file would do to the game.
class DataChecker : public ::testing::Test {
protected:
    void Write(const std::string& path, const std::string& bytes) { engine.Folder().WriteFile(path, bytes); }

    Testing::TestEngine engine;
    Testing::DataChecker checker{engine.Get()};
};

TEST_F(DataChecker, ReportsEveryFileItsReaderRefusesNamingIt)
{
    const std::pair<std::string, std::string> cases[] = {
        {"data\\notes.txt", "no check knows the extension \"txt\""},
        {"data\\ui\\broken.xml", "XML format error"},
        {"data\\ui\\two.xml", "2 root elements"},
        {"data\\ui\\odd.tga", "3 x 4 is not a power of two"},
        {"data\\ui\\junk.bmp", "the image does not load"},
        {"data\\models\\junk.mlf", "data\\models\\junk.mlf: "},
        {"data\\models\\junk.srf", "data\\models\\junk.srf: "},
        {"data\\particles\\junk.psf", "data\\particles\\junk.psf: "},
        {"data\\audio\\menu\\junk.wav", "Failed to load"},
        {"data\\audio\\music\\junk.ogg", "Failed to load"},
        {"data\\junk.pak", "Incorrect pack file format"},
        {"data\\ui\\map\\junk.gmf", "data\\ui\\map\\junk.gmf: "},
    };
    Write("data\\ui\\broken.xml", "<a></b>");
    Write("data\\ui\\two.xml", "<a/><b/>");
    Write("data\\ui\\odd.tga", TgaOf(3, 4));
    for (const char* junk : {"data\\ui\\junk.bmp", "data\\models\\junk.mlf", "data\\models\\junk.srf",
                             "data\\particles\\junk.psf", "data\\audio\\menu\\junk.wav", "data\\audio\\music\\junk.ogg",
                             "data\\junk.pak", "data\\notes.txt", "data\\ui\\map\\junk.gmf"})
        Write(junk, "junk bytes");
    for (const auto& [path, problem] : cases) {
        SCOPED_TRACE(path);
        const std::vector<std::string> problems = checker.CheckFile(path);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_THAT(problems[0], HasSubstr(path));
        EXPECT_THAT(problems[0], HasSubstr(problem));
    }
    Write("data\\ui\\square.tga", TgaOf(4, 2));
    EXPECT_THAT(checker.CheckFile("data\\ui\\square.tga"), IsEmpty());
}

TEST_F(DataChecker, ReadsFontFilesStrictly)
{
    const Tools::FontGlyph a{'A', 0.0f, 0.5f, 0.25f, 0.5f, 0.5f};
    const Tools::FontGlyph b{'B', 0.25f, 0.5f, 0.25f, 0.5f, 0.5f};
    Tools::FontGlyph outside = b;
    outside.u = 0.9f;
    std::vector<std::uint8_t> overCounted = Tools::BuildFontFile({a, b});
    overCounted[13] = 3;
    const std::pair<std::vector<std::uint8_t>, std::string> cases[] = {
        {Tools::BuildFontFile({a, b}, 202), "not font version 201"},
        {overCounted, "3 glyphs do not fill the file"},
        {Tools::BuildFontFile({a, a}), "glyph 1 is repeated or out of place"},
        {Tools::BuildFontFile({a, outside}), "glyph 1 is repeated or out of place"},
        {{'j', 'u', 'n', 'k'}, "Failed to read 13 bytes"},
    };
    for (const auto& [bytes, problem] : cases) {
        SCOPED_TRACE(problem);
        Write("data\\ui\\fonts\\en\\bad.fnt", std::string(bytes.begin(), bytes.end()));
        EXPECT_THAT(checker.CheckFile("data\\ui\\fonts\\en\\bad.fnt"), ElementsAre(HasSubstr(problem)));
    }
    const std::vector<std::uint8_t> good = Tools::BuildFontFile({a, b});
    Write("data\\ui\\fonts\\en\\good.fnt", std::string(good.begin(), good.end()));
    EXPECT_THAT(checker.CheckFile("data\\ui\\fonts\\en\\good.fnt"), IsEmpty());
}

std::string Bytes(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// One simple brick standing on the field, textured from the table.
Tools::LevelGeometry OneBrick()
{
    Tools::LevelGeometry level;
    level.textures = {"", "brick_simple.tga"};
    Tools::LevelBlock block;
    block.name = "brick_simple";
    block.texture = 1;
    block.keyFrames = {Tools::LevelBlockKeyFrame{}};
    level.blocks = {block};
    return level;
}

TEST_F(DataChecker, ReadsLevelGeometryFieldAndLightingFilesStrictly)
{
    Write("data\\game_objects\\blocks\\brick_simple.xml", "<block/>");
    Write("data\\game_objects\\blocks\\brick_hard.xml", "<block strength=\"3\"><shader frame_count=\"3\"/></block>");
    for (const char* texture : {"brick_simple.tga", "brick_hard_0.tga", "brick_hard_2.tga"})
        Write(std::string("data\\game_objects\\blocks\\textures\\") + texture, TgaOf(2, 2));
    const std::string sound = Bytes(Tools::BuildLevelGeometryFile(OneBrick()));
    std::vector<std::uint8_t> truncated = Tools::BuildLevelGeometryFile(OneBrick());
    truncated.resize(truncated.size() - 3);
    Tools::LevelGeometry unknown = OneBrick(), pastTable = OneBrick(), self = OneBrick(), missing = OneBrick(),
                         noEmpty = OneBrick(), frames = OneBrick();
    unknown.blocks[0].name = "brick_golden";
    pastTable.blocks[0].opacityTexture = 2;
    self.blocks[0].supports = {0};
    missing.textures[1] = "brick_lost.tga";
    noEmpty.textures = {"brick_simple.tga"};
    noEmpty.blocks[0].texture = 0;
    frames.blocks[0].name = "brick_hard";
    frames.textures[1] = "brick_hard_0.tga";
    const std::uint32_t four = 4;
    const std::string geometry = "data\\levels_geometry\\00_00.tkg";
    const std::string field = "data\\environment\\field.tkf";
    const std::string lighting = "data\\environment\\lighting\\lighting.ini";
    const struct {
        std::string path;
        std::string bytes;
        std::string problem;
    } cases[] = {
        {geometry, Bytes(Tools::BuildLevelGeometryFile(OneBrick(), 104)), "not level geometry version 105"},
        {geometry, Bytes(truncated), "not a level geometry file"},
        {geometry, Bytes(Tools::BuildLevelGeometryFile(unknown)), "\"brick_golden\" finds no kind"},
        {geometry, Bytes(Tools::BuildLevelGeometryFile(pastTable)), "names a texture past the table"},
        {geometry, Bytes(Tools::BuildLevelGeometryFile(self)), "block 0 is related to block 0"},
        {geometry, Bytes(Tools::BuildLevelGeometryFile(missing)), "textures\\brick_lost.tga does not exist"},
        {geometry, Bytes(Tools::BuildLevelGeometryFile(noEmpty)), "texture entry 0 is not \"\""},
        {geometry, Bytes(Tools::BuildLevelGeometryFile(frames)), "textures\\brick_hard_1.tga does not exist"},
        {field, Bytes(Tools::BuildFieldFile({Tools::FieldBox{}}, 100, &four)), "4 boxes do not fill the file"},
        {field, Bytes(Tools::BuildFieldFile({Tools::FieldBox{{1, 0, 0}, {0, 1, 1}}})), "box 0 has its corners swapped"},
        {lighting, "96 96 104 1 0 0 0", "7 numbers, 19 expected"},
        {lighting, "96 96 104 9", "not a whole number from 0 to 8"},
        {lighting, "96 96 104 0 x", "\"x\" is not a number"},
        {lighting, "96 96 300 0", "number 2 is a colour outside 0 to 255"},
    };
    for (const auto& [path, bytes, problem] : cases) {
        SCOPED_TRACE(problem);
        Write(path, bytes);
        EXPECT_THAT(checker.CheckFile(path), ElementsAre(AllOf(HasSubstr(path), HasSubstr(problem))));
    }
    Write("data\\levels_geometry\\00_00.tkg", sound);
    EXPECT_THAT(checker.CheckFile("data\\levels_geometry\\00_00.tkg"), IsEmpty());
}

TEST_F(DataChecker, FindsTheFilesAResourceListNamesThatDoNotExist)
{
    Write("data\\ui\\resources_basic.xml",
          "<resources><menu><loop counter=\"k\" start=\"0\" count=\"2\">"
          "<model name=\"star%k%\" file_name=\"stars\\star%k2%.mlf\"/></loop>"
          "<shader name=\"glow\" diffuse_file_name=\"..\\textures\\glow.tga\" opacity_file_name=\"32bit\"/>"
          "<particles name=\"spark\"/></menu></resources>");
    Write("data\\ui\\stars\\star00.mlf", "m");
    EXPECT_THAT(checker.CheckFile("data\\ui\\resources_basic.xml"),
                ElementsAre(HasSubstr("names data\\ui\\stars\\star01.mlf"), HasSubstr("names data\\textures\\glow.tga"),
                            HasSubstr("names data\\ui\\unknown_file_name")));
    Write("data\\ui\\stars\\star01.mlf", "m");
    Write("data\\textures\\glow.tga", TgaOf(2, 2));
    Write("data\\ui\\unknown_file_name", "");
    EXPECT_THAT(checker.CheckResourceList("data\\ui\\resources_basic.xml"), IsEmpty());
}

TEST_F(DataChecker, FindsModelsAndParticlesWithoutShaderAndOggSoundsShadowedByWav)
{
    Write("data\\models\\ball.srf", "s");
    Write("data\\audio\\music\\menu.wav", "w");
    EXPECT_THAT(checker.CheckShaderFiles({"data\\models\\ball.mlf", "data\\models\\bat.mlf", "data\\fx\\spark.psf",
                                          "data\\ui\\x.xml"}),
                ElementsAre(HasSubstr("data\\models\\bat.srf"), HasSubstr("data\\fx\\spark.srf")));
    EXPECT_THAT(checker.CheckSoundNames({"data\\audio\\music\\menu.ogg", "data\\audio\\music\\game0.ogg"}),
                ElementsAre(HasSubstr("data\\audio\\music\\menu.wav would be played instead")));
}

} // namespace
