#include "tools/data_builder/generators/font/GlyphRasterizer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <stdexcept>

namespace Tools {

// The library and the face live and die together; FreeType's handles are
// plain pointers.
struct GlyphRasterizer::Library {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~Library()
    {
        if (face != nullptr)
            FT_Done_Face(face);
        if (library != nullptr)
            FT_Done_FreeType(library);
    }
};

namespace {

std::string CodePoint(char16_t character)
{
    char text[8];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(character));
    return text;
}

// 26.6 fixed point to whole pixels; FreeType already rounds the scaled line
// metrics outwards.
std::int32_t Pixels(FT_Pos value)
{
    return static_cast<std::int32_t>(value >> 6);
}

} // namespace

GlyphRasterizer::GlyphRasterizer(const std::string& facePath, std::uint32_t pixelSize)
    : GlyphRasterizer(facePath, pixelSize, pixelSize)
{
}

GlyphRasterizer::GlyphRasterizer(const std::string& facePath, std::uint32_t pixelsAcross, std::uint32_t pixelsUp)
    : facePath_(facePath), library_(std::make_unique<Library>())
{
    if (FT_Init_FreeType(&library_->library) != 0)
        Fail("FreeType cannot start");
    if (FT_New_Face(library_->library, facePath.c_str(), 0, &library_->face) != 0)
        Fail("cannot be read");
    if (pixelsAcross == 0 || pixelsUp == 0 || FT_Set_Pixel_Sizes(library_->face, pixelsAcross, pixelsUp) != 0)
        Fail("cannot be set to " + std::to_string(pixelsAcross) + " x " + std::to_string(pixelsUp) + " pixels");
    const FT_Size_Metrics& metrics = library_->face->size->metrics;
    ascender_ = Pixels(metrics.ascender);
    const std::int32_t height = ascender_ - Pixels(metrics.descender);
    if (height <= 0)
        Fail("has no line height");
    lineHeight_ = static_cast<std::uint32_t>(height);
}

GlyphRasterizer::~GlyphRasterizer() = default;

void GlyphRasterizer::Fail(const std::string& what) const
{
    throw std::runtime_error("Font face \"" + facePath_ + "\" " + what);
}

RasterGlyph GlyphRasterizer::Render(char16_t character) const
{
    FT_Face face = library_->face;
    if (FT_Get_Char_Index(face, character) == 0)
        Fail("has no glyph for " + CodePoint(character));
    if (FT_Load_Char(face, character, FT_LOAD_RENDER) != 0 || face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        Fail("cannot render " + CodePoint(character));
    RasterGlyph glyph;
    glyph.character = character;
    const std::int32_t advance = Pixels(face->glyph->advance.x + 32);
    if (advance <= 0)
        Fail("gives " + CodePoint(character) + " no advance");
    glyph.advance = static_cast<std::uint32_t>(advance);
    glyph.coverage.assign(static_cast<std::size_t>(glyph.advance) * lineHeight_, 0);
    CopyBitmap(glyph);
    return glyph;
}

// Bitmap rows run from the top; the cell's run from the bottom.
void GlyphRasterizer::CopyBitmap(RasterGlyph& glyph) const
{
    const FT_GlyphSlot slot = library_->face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const std::int32_t width = static_cast<std::int32_t>(glyph.advance);
    const std::int32_t height = static_cast<std::int32_t>(lineHeight_);
    for (std::int32_t row = 0; row < static_cast<std::int32_t>(bitmap.rows); ++row) {
        const std::int32_t fromTop = ascender_ - slot->bitmap_top + row;
        if (fromTop < 0 || fromTop >= height)
            continue;
        const unsigned char* in = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        std::uint8_t* out = glyph.coverage.data() + static_cast<std::size_t>(height - 1 - fromTop) * width;
        for (std::int32_t column = 0; column < static_cast<std::int32_t>(bitmap.width); ++column) {
            const std::int32_t x = slot->bitmap_left + column;
            if (x >= 0 && x < width)
                out[x] = in[column];
        }
    }
}

} // namespace Tools
