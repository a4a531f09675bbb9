#include "engine/gui/GUIFont.h"

#include "engine/core/FileManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/LogProbe.h"
#include "tests/support/QuietLog.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFonts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace Halvard;
using Tools::FontGlyph;

namespace {

FontGlyph MakeGlyph(std::uint16_t character, float width)
{
    FontGlyph glyph;
    glyph.character = character;
    glyph.u = 0.25f;
    glyph.v = 0.5f;
    glyph.uSize = 0.125f;
    glyph.vSize = 0.0625f;
    glyph.width = width;
    return glyph;
}

// Fonts read from files written into a folder of their own, measured only:
// there is no model manager, so nothing is drawn.
class GUIFontTest : public testing::Test {
protected:
    std::unique_ptr<GUIFont> Load(const std::string& bytes, const std::string& name = "test.fnt")
    {
        folder.WriteFile("data\\fonts\\" + name, bytes);
        GUIFontServices services;
        services.messages = &log;
        services.files = &files;
        return std::make_unique<GUIFont>(services, MakeDefaultShaderDescriptor(), "fonts\\" + name);
    }

    // A and B half their height wide at size 0.1, the blank missing.
    std::unique_ptr<GUIFont> LoadAB()
    {
        auto font = Load(Testing::FontFileBytes({MakeGlyph('A', 0.5f), MakeGlyph('B', 0.5f)}));
        font->SetSize(0.1f);
        font->SetSpace(0.5f);
        return font;
    }

    std::vector<std::string> Errors() const { return Testing::LogProbe(log).ErrorLines(); }

    Testing::TempFolder folder;
    Testing::QuietLog log;
    FileManager files{&log, folder.Internal(), ""};
};

} // namespace

TEST_F(GUIFontTest, ProportionalTextMeasuresGlyphsAndBlanks)
{
    const auto font = LoadAB();
    EXPECT_NEAR(font->MeasureText(L"A B", 0.0f, -1.0f).x, 0.15f, 1e-6f);
    EXPECT_NEAR(font->MeasureText(L"A B", 0.0f, -1.0f).y, 0.1f, 1e-6f);
    EXPECT_NEAR(font->MeasureText(L"A B", 0.0f, 0.2f).x, 0.30f, 1e-6f);
    EXPECT_EQ(font->MeasureText(L"", 0.0f, -1.0f).x, 0.0f);
}

TEST_F(GUIFontTest, MonospaceCentresEachGlyphInTheWidestGlyphsCell)
{
    auto font = Load(Testing::FontFileBytes({MakeGlyph('A', 0.5f), MakeGlyph('B', 0.5f), MakeGlyph('M', 0.8f)}));
    font->SetSize(0.1f);
    font->SetSpace(0.5f);
    font->SetMonospace(true);
    // A starts 0.015 into its cell; the blank takes a whole cell.
    EXPECT_NEAR(font->MeasureText(L"A B", 0.0f, -1.0f).x, 0.21f, 1e-6f);
}

TEST_F(GUIFontTest, ATextTurnedAQuarterMeasuresUpwards)
{
    const auto font = LoadAB();
    const Vector2 extent = font->MeasureText(L"AB", 1.5707964f, -1.0f);
    EXPECT_NEAR(extent.x, 0.1f, 1e-5f);
    EXPECT_NEAR(extent.y, 0.1f, 1e-5f);
}

TEST_F(GUIFontTest, WriterAndReaderAgreeOnEveryField)
{
    FontGlyph odd = MakeGlyph(0x0416, 0.75f);
    odd.u = 0.1f;
    odd.v = 0.9f;
    odd.uSize = 0.3f;
    odd.vSize = 0.7f;
    const auto font = Load(Testing::FontFileBytes({MakeGlyph('A', 0.5f), odd, MakeGlyph('A', 3.0f)}));
    EXPECT_THAT(Errors(), testing::IsEmpty());
    EXPECT_EQ(font->GetGlyphCount(), 2u);
    const Glyph* read = font->FindGlyph(0x0416);
    ASSERT_NE(read, nullptr);
    EXPECT_FLOAT_EQ(read->u, 0.1f);
    EXPECT_FLOAT_EQ(read->v, 0.9f);
    EXPECT_FLOAT_EQ(read->uSize, 0.3f);
    EXPECT_FLOAT_EQ(read->vSize, 0.7f);
    EXPECT_FLOAT_EQ(read->width, 0.75f);
    // A repeated character keeps its first record.
    EXPECT_FLOAT_EQ(font->FindGlyph(L'A')->width, 0.5f);
    EXPECT_FLOAT_EQ(font->GetMaxGlyphWidth(), 0.75f);
    EXPECT_FLOAT_EQ(font->GetSize(), 1.0f);
    EXPECT_FALSE(font->IsMonospace());
}

TEST_F(GUIFontTest, ABadHeaderIsLoggedAndLeavesAnEmptyFont)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string error;
    };
    std::string sizeOff = Testing::FontFileBytes({MakeGlyph('A', 0.5f)});
    sizeOff[0] = static_cast<char>(sizeOff[0] + 1);
    const std::vector<Case> cases = {
        {"size.fnt", sizeOff, "Error: Incorrect \"fonts\\size.fnt\" file format!"},
        {"version.fnt", Testing::FontFileBytes({MakeGlyph('A', 0.5f)}, 202),
         "Error: Incorrect \"fonts\\version.fnt\" format version, current is 201!"},
    };
    for (const Case& c : cases) {
        const std::size_t before = Errors().size();
        const auto font = Load(c.bytes, c.name);
        ASSERT_EQ(Errors().size(), before + 1) << c.name;
        EXPECT_EQ(Errors().back(), c.error) << c.name;
        EXPECT_EQ(font->GetGlyphCount(), 0u) << c.name;
        EXPECT_FALSE(font->HasGlyph('A')) << c.name;
    }
}

TEST_F(GUIFontTest, ACountBeyondTheFileKeepsTheGlyphsReadBeforeTheEnd)
{
    std::string bytes = Testing::FontFileBytes({MakeGlyph('A', 0.5f), MakeGlyph('B', 0.5f)});
    // The count field claims about four billion records.
    bytes[13] = bytes[14] = bytes[15] = bytes[16] = '\xff';
    const auto font = Load(bytes);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_THAT(Errors()[0], testing::HasSubstr("Failed to read"));
    EXPECT_TRUE(font->HasGlyph('A'));
    EXPECT_TRUE(font->HasGlyph('B'));
}

TEST_F(GUIFontTest, TruncatedAndRandomFilesAreSurvived)
{
    const std::string whole = Testing::FontFileBytes(Testing::EvenGlyphs());
    for (std::size_t length : {std::size_t{0}, std::size_t{5}, std::size_t{13}, std::size_t{16}, std::size_t{40},
                               whole.size() - 1}) {
        std::string cut = whole.substr(0, length);
        // The size field is made to match, so the body is what is short.
        if (length >= 4)
            cut[0] = static_cast<char>(length), cut[1] = static_cast<char>(length >> 8), cut[2] = cut[3] = 0;
        const auto font = Load(cut, "cut.fnt");
        EXPECT_LE(font->GetGlyphCount(), Testing::EvenGlyphs().size());
    }
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::string noise = whole;
        for (int flip = 0; flip < 16; ++flip)
            noise[random() % noise.size()] = static_cast<char>(random());
        const auto font = Load(noise, "noise.fnt");
        font->MeasureText(L"Hello", 0.3f, -1.0f);
    }
}

TEST_F(GUIFontTest, CaseGlyphsFillOnlyTheMissingOtherCase)
{
    auto font = Load(Testing::FontFileBytes({MakeGlyph('A', 0.5f), MakeGlyph('b', 0.7f), MakeGlyph('B', 0.9f)}));
    font->AddLowerCaseGlyphs();
    ASSERT_TRUE(font->HasGlyph('a'));
    EXPECT_FLOAT_EQ(font->FindGlyph('a')->width, 0.5f);
    EXPECT_FLOAT_EQ(font->FindGlyph('b')->width, 0.7f);
    font->AddUpperCaseGlyphs();
    EXPECT_FLOAT_EQ(font->FindGlyph('B')->width, 0.9f);
}
