#include "tools/data_builder/generators/image/Lettering.h"

#include "tools/data_builder/generators/font/FontRecipe.h"
#include "tools/data_builder/generators/font/GlyphRasterizer.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace Tools {

namespace {

constexpr const char* kLetteringFace = "DejaVuSans-Bold.ttf";

std::string FacePath() { return DefaultFaceFolder() + "/" + kLetteringFace; }

std::vector<RasterGlyph> Glyphs(const GlyphRasterizer& face, const std::string& text)
{
    std::vector<RasterGlyph> glyphs;
    for (const char character : text)
        glyphs.push_back(face.Render(static_cast<char16_t>(static_cast<unsigned char>(character))));
    return glyphs;
}

std::uint32_t Width(const std::vector<RasterGlyph>& glyphs)
{
    std::uint32_t width = 0;
    for (const RasterGlyph& glyph : glyphs)
        width += glyph.advance;
    return width;
}

// Each glyph's cell after the one before, at its advance.
Pixmap SetSideBySide(const std::vector<RasterGlyph>& glyphs, std::uint32_t lineHeight)
{
    Pixmap letters(Width(glyphs), lineHeight, Color{1.0f, 1.0f, 1.0f, 0.0f});
    std::uint32_t pen = 0;
    for (const RasterGlyph& glyph : glyphs) {
        for (std::uint32_t y = 0; y < lineHeight; ++y)
            for (std::uint32_t x = 0; x < glyph.advance; ++x)
                letters.At(pen + x, y).a =
                    std::max(letters.At(pen + x, y).a, glyph.coverage[y * glyph.advance + x] / 255.0f);
        pen += glyph.advance;
    }
    return letters;
}

} // namespace

Pixmap Lettering(const std::string& text, const EmPixels& em)
{
    const GlyphRasterizer face(FacePath(), em.across, em.up);
    const std::vector<RasterGlyph> glyphs = Glyphs(face, text);
    if (glyphs.empty())
        throw std::runtime_error("no lettering without text");
    return SetSideBySide(glyphs, face.LineHeight());
}

Pixmap Lettering(const std::string& text, std::uint32_t pixelSize, std::uint32_t maxWidth)
{
    for (std::uint32_t size = pixelSize; size >= 6; --size) {
        const GlyphRasterizer face(FacePath(), size);
        const std::vector<RasterGlyph> glyphs = Glyphs(face, text);
        const std::uint32_t width = Width(glyphs);
        if (width > 0 && width <= maxWidth)
            return SetSideBySide(glyphs, face.LineHeight());
    }
    throw std::runtime_error("\"" + text + "\" fits " + std::to_string(maxWidth) + " pixels at no size");
}

void Stamp(Pixmap& target, const Pixmap& letters, std::uint32_t x0, std::uint32_t y0, const Paint& paint)
{
    for (std::uint32_t y = 0; y < letters.Height() && y0 + y < target.Height(); ++y) {
        for (std::uint32_t x = 0; x < letters.Width() && x0 + x < target.Width(); ++x) {
            const float cover = letters.At(x, y).a;
            if (cover > 0.0f)
                Blend(target.At(x0 + x, y0 + y), paint({static_cast<float>(x), static_cast<float>(y)}), cover);
        }
    }
}

} // namespace Tools
