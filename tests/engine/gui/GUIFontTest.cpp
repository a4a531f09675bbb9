#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"

#include <gtest/gtest.h>

using namespace Halvard;

namespace {

// A and B half their height wide, the blank missing from the table.
class GUIFontTest : public testing::Test {
protected:
    GUIFontTest()
    {
        font.SetSize(0.1f);
        font.SetSpace(0.5f);
        Glyph half;
        half.width = 0.5f;
        font.AddGlyph(L'A', half);
        font.AddGlyph(L'B', half);
    }

    GUIFont font;
};

} // namespace

TEST_F(GUIFontTest, ProportionalTextMeasuresGlyphsAndBlanks)
{
    EXPECT_NEAR(font.MeasureText(L"A B", 0.0f, -1.0f).x, 0.15f, 1e-6f);
    EXPECT_NEAR(font.MeasureText(L"A B", 0.0f, -1.0f).y, 0.1f, 1e-6f);
    EXPECT_NEAR(font.MeasureText(L"A B", 0.0f, 0.2f).x, 0.30f, 1e-6f);
    EXPECT_EQ(font.MeasureText(L"", 0.0f, -1.0f).x, 0.0f);
}

TEST_F(GUIFontTest, MonospaceCentresEachGlyphInTheWidestGlyphsCell)
{
    Glyph wide;
    wide.width = 0.8f;
    font.AddGlyph(L'M', wide);
    font.SetMonospace(true);
    // A starts 0.015 into its cell; the blank takes a whole cell.
    EXPECT_NEAR(font.MeasureText(L"A B", 0.0f, -1.0f).x, 0.21f, 1e-6f);
}

TEST_F(GUIFontTest, ARepeatedCharacterKeepsItsFirstGlyph)
{
    Glyph wide;
    wide.width = 3.0f;
    font.AddGlyph(L'A', wide);
    EXPECT_NEAR(font.MeasureText(L"A", 0.0f, -1.0f).x, 0.05f, 1e-6f);
}

TEST_F(GUIFontTest, ATextTurnedAQuarterMeasuresUpwards)
{
    const Vector2 extent = font.MeasureText(L"AB", 1.5707964f, -1.0f);
    EXPECT_NEAR(extent.x, 0.1f, 1e-5f);
    EXPECT_NEAR(extent.y, 0.1f, 1e-5f);
}

TEST(GUIFontManagerTest, FontsAreFoundByIdentifierAndTheFirstOfAnIdentifierStays)
{
    GUIFontManager fonts;
    GUIFont* first = fonts.AddFont(4);
    EXPECT_EQ(fonts.AddFont(4), first);
    EXPECT_EQ(fonts.GetFont(4), first);
    EXPECT_EQ(fonts.GetFont(5), nullptr);
    fonts.RemoveFont(4);
    EXPECT_EQ(fonts.GetFont(4), nullptr);
}
