#include "tests/data/DataChecker.h"
#include "tests/support/TestEngine.h"
#include "tools/FontWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

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
    };
    Write("data\\ui\\broken.xml", "<a></b>");
    Write("data\\ui\\two.xml", "<a/><b/>");
    Write("data\\ui\\odd.tga", TgaOf(3, 4));
    for (const char* junk : {"data\\ui\\junk.bmp", "data\\models\\junk.mlf", "data\\models\\junk.srf",
                             "data\\particles\\junk.psf", "data\\audio\\menu\\junk.wav", "data\\audio\\music\\junk.ogg",
                             "data\\junk.pak", "data\\notes.txt"})
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
