#include "engine/core/Image.h"
#include "engine/core/VersionedHeader.h"
#include "tests/support/ImageFiles.h"
#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/font/FontAtlas.h"
#include "tools/data_builder/generators/font/FontCharacters.h"
#include "tools/data_builder/generators/font/FontGenerator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <stdexcept>

using namespace Tools;
using ::testing::HasSubstr;

namespace {

constexpr std::size_t kLargestSet = 4 * 1024 * 1024;

// The files every language folder holds, as the game names them.
const std::vector<std::string> kFontFiles = {
    "console.fnt", "console_opacity.tga", "console_diffuse.tga", "common.fnt", "common_opacity.tga",
    "common_0_diffuse.tga", "common_1_diffuse.tga", "common_2_diffuse.tga", "main_menu.fnt",
    "main_menu_opacity.tga", "main_menu_0_diffuse.tga", "main_menu_1_diffuse.tga", "main_menu_2_diffuse.tga",
    "tip.fnt", "tip_opacity.tga", "tip_diffuse.tga"};
const std::vector<std::string> kFontNames = {"console", "common", "main_menu", "tip"};

// A glyph record as the font reads it.
struct Record {
    char16_t character;
    float u, v, uSize, vSize, width;
};

// The glyphs of a font file, checked as strictly as the font reads it.
std::map<char16_t, Record> ReadFont(const std::vector<std::uint8_t>& bytes)
{
    const auto header = Halvard::VersionedHeader::Decode(bytes.data());
    EXPECT_EQ(header.Check({"HVFNT", 201, 201}, static_cast<Halvard::u32>(bytes.size())),
              Halvard::VersionedHeader::Verdict::kGood);
    std::uint32_t count = 0;
    std::memcpy(&count, bytes.data() + 13, 4);
    EXPECT_EQ(bytes.size(), 17u + 22u * count);
    std::map<char16_t, Record> glyphs;
    for (std::uint32_t index = 0; index < count; ++index) {
        const std::uint8_t* at = bytes.data() + 17 + 22 * index;
        Record record{};
        std::uint16_t character = 0;
        std::memcpy(&character, at, 2);
        std::memcpy(&record.u, at + 2, 20);
        record.character = character;
        EXPECT_TRUE(glyphs.emplace(record.character, record).second) << "repeated " << character;
    }
    return glyphs;
}

const DataSet& Generated()
{
    static const DataSet set = [] {
        DataSet made;
        GenerateFonts(made);
        return made;
    }();
    return set;
}

std::string FontPath(const std::string& language, const std::string& file)
{
    return "data\\ui\\fonts\\" + language + "\\" + file;
}

// An image of the set, loaded the way the engine loads its textures.
class LoadedImage {
public:
    explicit LoadedImage(const std::vector<std::uint8_t>& bytes)
    {
        folder_.Write("atlas.tga", std::string(bytes.begin(), bytes.end()));
        loaded_ = image_.Load(&folder_.Log(), &folder_.Files(), "atlas.tga");
    }
    bool Loaded() const { return loaded_; }
    const Halvard::Image& Get() const { return image_; }
    // Pixels of an 8-bit row above half coverage between two columns.
    std::uint32_t Ink(std::uint32_t row, std::uint32_t from, std::uint32_t to) const
    {
        const std::uint8_t* pixels = image_.GetData() + static_cast<std::size_t>(row) * image_.GetWidth();
        return static_cast<std::uint32_t>(std::count_if(pixels + from, pixels + to, [](auto c) { return c > 128; }));
    }

private:
    Testing::ImageFolder folder_;
    Halvard::Image image_;
    bool loaded_ = false;
};

} // namespace

TEST(FontGenerator, ShipsTheSameFontsInEveryLanguageFolderWithinTheSizeLimit)
{
    std::size_t total = 0;
    std::set<std::string> paths;
    for (const auto& [path, bytes] : Generated().GetFiles()) {
        paths.insert(path);
        total += bytes.size();
    }
    std::set<std::string> expected;
    for (const std::string& language : {"en", "ru"}) {
        for (const std::string& file : kFontFiles)
            expected.insert(FontPath(language, file));
    }
    EXPECT_EQ(paths, expected);
    for (const std::string& file : kFontFiles)
        EXPECT_EQ(Generated().Get(FontPath("en", file)), Generated().Get(FontPath("ru", file))) << file;
    EXPECT_LT(total, kLargestSet);
}

TEST(FontGenerator, TwoRunsMakeTheSameBytes)
{
    DataSet again;
    GenerateFonts(again);
    EXPECT_TRUE(again.GetFiles() == Generated().GetFiles());
}

TEST(FontGenerator, EveryFontHoldsEveryPrintableCharacterOfBothCodePagesAndNoBlank)
{
    const std::u16string named = u"AZaz09~@\u00E9\u00FF\u00C0\u0416\u044F\u0401\u0451\u201C\u201D\u2013\u2014\u2026"
                                 u"\u20AC\u2116";
    const std::vector<char16_t> characters = FontCharacters();
    for (const std::string& name : kFontNames) {
        SCOPED_TRACE(name);
        const std::map<char16_t, Record> glyphs = ReadFont(Generated().Get(FontPath("en", name + ".fnt")));
        std::vector<char16_t> inFont;
        for (const auto& [character, record] : glyphs)
            inFont.push_back(character);
        EXPECT_EQ(inFont, characters);
        for (const char16_t character : named)
            EXPECT_EQ(glyphs.count(character), 1u) << static_cast<unsigned>(character);
        EXPECT_EQ(glyphs.count(u' '), 0u);
        EXPECT_EQ(glyphs.count(u'\u00A0'), 0u);
    }
}

// Each glyph's rectangle lies in its power-of-two texture, whose images all
// load at one size; a cell is its width (over its height) wide; the console
// keeps one pitch.
TEST(FontGenerator, GlyphCellsLieInsideAPowerOfTwoAtlasAndKeepTheirAspect)
{
    for (const std::string& name : kFontNames) {
        SCOPED_TRACE(name);
        const LoadedImage opacity(Generated().Get(FontPath("en", name + "_opacity.tga")));
        ASSERT_TRUE(opacity.Loaded());
        const float width = static_cast<float>(opacity.Get().GetWidth());
        const float height = static_cast<float>(opacity.Get().GetHeight());
        EXPECT_LE(width, 1024.0f);
        EXPECT_LE(height, 1024.0f);
        EXPECT_EQ(opacity.Get().GetBitsPerPixel(), 8u);
        std::set<float> widths;
        for (const auto& [character, glyph] : ReadFont(Generated().Get(FontPath("en", name + ".fnt")))) {
            EXPECT_GT(glyph.u, 0.0f);
            EXPECT_GT(glyph.v, 0.0f);
            EXPECT_LT(glyph.u + glyph.uSize, 1.0f);
            EXPECT_LT(glyph.v + glyph.vSize, 1.0f);
            EXPECT_NEAR(glyph.width, glyph.uSize * width / (glyph.vSize * height), 1e-5f);
            widths.insert(glyph.width);
        }
        if (name == "console")
            EXPECT_EQ(widths.size(), 1u);
        for (const std::string& file : kFontFiles) {
            if (file.rfind(name + "_", 0) != 0 || file.find("diffuse") == std::string::npos)
                continue;
            const LoadedImage diffuse(Generated().Get(FontPath("en", file)));
            ASSERT_TRUE(diffuse.Loaded()) << file;
            EXPECT_EQ(diffuse.Get().GetWidth(), opacity.Get().GetWidth()) << file;
            EXPECT_EQ(diffuse.Get().GetHeight(), opacity.Get().GetHeight()) << file;
        }
    }
}

// The quad's top edge samples v + vSize, its bottom edge v, and image row r
// is what v = r / height samples: a "T" has its bar at the rows near
// v + vSize and only its stem near v.
TEST(FontGenerator, GlyphsStandUprightAsTheEngineSamplesThem)
{
    for (const std::string& name : kFontNames) {
        SCOPED_TRACE(name);
        const Record t = ReadFont(Generated().Get(FontPath("en", name + ".fnt"))).at(u'T');
        const LoadedImage opacity(Generated().Get(FontPath("en", name + "_opacity.tga")));
        ASSERT_TRUE(opacity.Loaded());
        const auto column = [&](float u) { return static_cast<std::uint32_t>(u * opacity.Get().GetWidth() + 0.5f); };
        const auto row = [&](float v) { return static_cast<std::uint32_t>(v * opacity.Get().GetHeight() + 0.5f); };
        const std::uint32_t left = column(t.u);
        const std::uint32_t right = column(t.u + t.uSize);
        std::vector<std::uint32_t> ink;
        for (std::uint32_t r = row(t.v); r < row(t.v + t.vSize); ++r)
            ink.push_back(opacity.Ink(r, left, right));
        const std::uint32_t widest = *std::max_element(ink.begin(), ink.end());
        const auto bar = std::find(ink.begin(), ink.end(), widest) - ink.begin();
        const auto stemRow = std::find_if(ink.begin(), ink.end(), [](std::uint32_t n) { return n > 0; }) - ink.begin();
        EXPECT_GT(bar, stemRow + 3) << "the bar lies above the stem's foot";
        EXPECT_GT(widest, 2 * ink[stemRow]);
    }
}

TEST(FontAtlas, TakesTheSmallestPowerOfTwoThatHoldsTheCells)
{
    struct Case {
        std::vector<std::uint32_t> widths;
        std::uint32_t height;
        std::uint32_t atlasWidth;
        std::uint32_t atlasHeight;
    };
    const Case cases[] = {
        {{6, 6, 6, 6}, 6, 16, 16},
        {{6, 6, 6, 6, 6}, 6, 32, 16},
        {{14}, 14, 16, 16},
        {{15}, 14, 32, 16},
        {{14}, 15, 32, 32},
        {std::vector<std::uint32_t>(300, 10), 19, 512, 256},
    };
    for (const Case& test : cases) {
        const std::optional<FontAtlas> atlas = FontAtlas::Pack(test.widths, test.height);
        ASSERT_TRUE(atlas.has_value());
        EXPECT_EQ(atlas->Width(), test.atlasWidth);
        EXPECT_EQ(atlas->Height(), test.atlasHeight);
        ASSERT_EQ(atlas->Cells().size(), test.widths.size());
        for (std::size_t index = 1; index < test.widths.size(); ++index) {
            const FontAtlas::Cell& before = atlas->Cells()[index - 1];
            const FontAtlas::Cell& cell = atlas->Cells()[index];
            EXPECT_TRUE(cell.y == before.y ? cell.x >= before.x + test.widths[index - 1] + 1
                                           : cell.y >= before.y + test.height + 1);
        }
    }
    EXPECT_FALSE(FontAtlas::Pack({1023}, 10).has_value());
    EXPECT_FALSE(FontAtlas::Pack(std::vector<std::uint32_t>(4000, 60), 60).has_value());
}

TEST(FontGenerator, AFaceThatCannotServeARecipeIsNamed)
{
    const std::pair<FontRecipe, std::string> cases[] = {
        {{"lost", "missing.ttf", 16, {{1, 1, 1}}}, "missing.ttf\" cannot be read"},
        {{"maths", "DejaVuMathTeXGyre.ttf", 16, {{1, 1, 1}}}, "has no glyph for U+"},
        {{"pale", "DejaVuSans.ttf", 16, {}}, "Font \"pale\" has no colour"},
        {{"huge", "DejaVuSans.ttf", 400, {{1, 1, 1}}}, "Font \"huge\" does not fit"},
    };
    for (const auto& [recipe, message] : cases) {
        SCOPED_TRACE(recipe.name);
        try {
            BuildFont(recipe, DefaultFaceFolder());
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& error) {
            EXPECT_THAT(error.what(), HasSubstr(message));
        }
    }
}
