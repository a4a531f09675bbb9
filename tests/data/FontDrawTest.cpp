#include "engine/core/Image.h"
#include "engine/render/TextureManager.h"
#include "engine/render/VertexBuffer.h"
#include "tests/support/ScreenQuad.h"
#include "tools/data_builder/generators/font/FontGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace Halvard;

namespace {

struct GlyphRectangle {
    float u = 0.0f;
    float v = 0.0f;
    float uSize = 0.0f;
    float vSize = 0.0f;
};

// The rectangle of one character in a font file the generator made.
GlyphRectangle FindGlyph(const std::vector<std::uint8_t>& font, char16_t character)
{
    std::uint32_t count = 0;
    std::memcpy(&count, font.data() + 13, 4);
    for (std::uint32_t index = 0; index < count; ++index) {
        const std::uint8_t* record = font.data() + 17 + 22 * index;
        std::uint16_t code = 0;
        std::memcpy(&code, record, 2);
        GlyphRectangle glyph;
        std::memcpy(&glyph, record + 2, sizeof glyph);
        if (code == character)
            return glyph;
    }
    ADD_FAILURE() << "no glyph " << static_cast<unsigned>(character);
    return {};
}

// Lit pixels of each screen row, the top row first.
std::vector<u32> InkByRow(const Image& capture)
{
    std::vector<u32> ink;
    for (u32 y = 0; y < capture.GetHeight(); ++y) {
        u32 lit = 0;
        for (u32 x = 0; x < capture.GetWidth(); ++x)
            lit += Testing::ScreenQuad::Pixel(capture, x, y)[0] > 128 ? 1 : 0;
        ink.push_back(lit);
    }
    return ink;
}

} // namespace

// The coverage image serves as the picture, so lit pixels are the glyph's
// ink: a "T" drawn so shows its bar in the upper half of the screen and only
// its stem in the lower.
TEST(FontDraw, AGlyphStandsUprightOnTheScreen)
{
    Testing::ScreenQuad screen;
    for (const Tools::FontRecipe& recipe : Tools::GameFontRecipes()) {
        SCOPED_TRACE(recipe.name);
        const auto files = Tools::BuildFont(recipe, Tools::DefaultFaceFolder());
        const std::vector<std::uint8_t>& opacity = files.at(recipe.name + "_opacity.tga");
        screen.folder.Write(recipe.name + ".tga", std::string(opacity.begin(), opacity.end()));
        TextureManager textures(&screen.messages, &screen.folder.Files(), &screen.render);
        screen.render.SetTexture(0, textures.GetTexture(false, recipe.name + ".tga", ""));
        // Laid out as the font lays a glyph's quad: vertex 0 the top left at
        // (u, v + vSize), vertex 1 the bottom left at (u, v).
        const GlyphRectangle t = FindGlyph(files.at(recipe.name + ".fnt"), u'T');
        screen.Draw({PlainVertex{-1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f, t.u, t.v + t.vSize},
                     PlainVertex{-1.0f, -1.0f, 0.0f, 0.0f, 0.0f, 1.0f, t.u, t.v},
                     PlainVertex{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f, t.u + t.uSize, t.v + t.vSize},
                     PlainVertex{1.0f, -1.0f, 0.0f, 0.0f, 0.0f, 1.0f, t.u + t.uSize, t.v}},
                    RenderSystem::kFilterPoint);

        Image capture;
        screen.render.CaptureScreen(capture);
        const std::vector<u32> ink = InkByRow(capture);
        const auto middle = ink.begin() + Testing::ScreenQuad::kHeight / 2;
        const u32 upper = *std::max_element(ink.begin(), middle);
        const u32 lower = *std::max_element(middle, ink.end());
        EXPECT_GT(lower, 0u) << "the stem reaches the lower half";
        EXPECT_GT(upper, 2 * lower) << "the bar is above the stem";
        screen.render.SetTexture(0, nullptr);
    }
}
