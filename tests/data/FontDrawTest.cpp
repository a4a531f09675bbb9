#include "engine/core/Config.h"
#include "engine/core/Image.h"
#include "engine/core/Window.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/TextureManager.h"
#include "engine/render/VertexBuffer.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/QuietLog.h"
#include "tools/data_builder/generators/FontGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace Halvard;

namespace {

constexpr u32 kWidth = 640;
constexpr u32 kHeight = 480;

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

// Draws one glyph of a generated font over the whole screen on the real
// video system, its quad laid out as the font lays its quads: vertex 0 the
// top left at (u, v + vSize), vertex 1 the bottom left at (u, v).
class FontDrawTest : public ::testing::Test {
protected:
    void DrawGlyph(const GlyphRectangle& glyph)
    {
        const auto vertices = render.CreateVertexBuffer(0, false, 4);
        PlainVertex* vertex = vertices->Lock<PlainVertex>(0, 4);
        vertex[0] = {-1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f, glyph.u, glyph.v + glyph.vSize};
        vertex[1] = {-1.0f, -1.0f, 0.0f, 0.0f, 0.0f, 1.0f, glyph.u, glyph.v};
        vertex[2] = {1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f, glyph.u + glyph.uSize, glyph.v + glyph.vSize};
        vertex[3] = {1.0f, -1.0f, 0.0f, 0.0f, 0.0f, 1.0f, glyph.u + glyph.uSize, glyph.v};
        vertices->Unlock();
        const auto indices = render.CreateIndexBuffer(0, 6);
        const u32 order[] = {0, 1, 2, 2, 1, 3};
        indices->SetIndices(0, 6, order);
        indices->SetIndexCount(6);
        render.SetLighting(false);
        render.SetZ(false);
        render.SetCullMode(RenderSystem::kCullNone);
        render.SetTextureFilter(0, RenderSystem::kFilterPoint);
        render.BeginScene();
        render.DrawIndexedPrimitive(false, *indices, *vertices, 2);
        render.EndScene();
    }

    // Lit pixels of each screen row, the top row first.
    std::vector<u32> InkByRow()
    {
        Image capture;
        render.CaptureScreen(capture);
        const u32 bytes = capture.GetBitsPerPixel() / 8;
        std::vector<u32> ink;
        for (u32 y = 0; y < capture.GetHeight(); ++y) {
            const u8* row = capture.GetData() + static_cast<std::size_t>(capture.GetHeight() - 1 - y) *
                                                    capture.GetWidth() * bytes;
            u32 lit = 0;
            for (u32 x = 0; x < capture.GetWidth(); ++x)
                lit += row[x * bytes] > 128 ? 1 : 0;
            ink.push_back(lit);
        }
        return ink;
    }

    Testing::QuietLog messages;
    Config config{&messages, nullptr, {.videoMode = "640x480x32"}};
    Window window{&messages, &config, {.title = "Fonts", .width = kWidth, .height = kHeight}};
    RenderSystem_D3D7 render{&messages, &config, &window, false, false};
    Testing::ImageFolder folder;
};

} // namespace

// The coverage image serves as the picture, so lit pixels are the glyph's
// ink: a "T" drawn so shows its bar in the upper half of the screen and only
// its stem in the lower.
TEST_F(FontDrawTest, AGlyphStandsUprightOnTheScreen)
{
    for (const Tools::FontRecipe& recipe : Tools::GameFontRecipes()) {
        SCOPED_TRACE(recipe.name);
        const auto files = Tools::BuildFont(recipe, Tools::DefaultFaceFolder());
        const std::vector<std::uint8_t>& opacity = files.at(recipe.name + "_opacity.tga");
        folder.Write(recipe.name + ".tga", std::string(opacity.begin(), opacity.end()));
        TextureManager textures(&messages, &folder.Files(), &render);
        render.SetTexture(0, textures.GetTexture(false, recipe.name + ".tga", ""));
        DrawGlyph(FindGlyph(files.at(recipe.name + ".fnt"), u'T'));

        const std::vector<u32> ink = InkByRow();
        const auto middle = ink.begin() + kHeight / 2;
        const u32 upper = *std::max_element(ink.begin(), middle);
        const u32 lower = *std::max_element(middle, ink.end());
        EXPECT_GT(lower, 0u) << "the stem reaches the lower half";
        EXPECT_GT(upper, 2 * lower) << "the bar is above the stem";
        render.SetTexture(0, nullptr);
    }
}
