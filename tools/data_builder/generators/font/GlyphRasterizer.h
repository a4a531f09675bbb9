#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Tools {

// One character drawn into its cell: the cell is the advance wide and the
// face's line high, baseline where the face puts it; ink beyond the cell is
// cut off. Coverage 0 to 255, row 0 the cell's bottom, as images are kept.
struct RasterGlyph {
    char16_t character = 0;
    std::uint32_t advance = 0;
    std::vector<std::uint8_t> coverage;
};

// A font face opened at one pixel size, hinted and anti-aliased the way
// FreeType draws it by default, so the same face and size always give the
// same pixels.
class GlyphRasterizer {
public:
    // Throws std::runtime_error naming the face file when it cannot be read
    // or sized.
    GlyphRasterizer(const std::string& facePath, std::uint32_t pixelSize);
    // The em across and up in pixels of their own: a picture that the
    // screen stretches unevenly takes its text drawn with the stretch
    // undone, so that the letters show in their own proportions. Advances
    // count pixels across, line heights pixels up.
    GlyphRasterizer(const std::string& facePath, std::uint32_t pixelsAcross, std::uint32_t pixelsUp);
    ~GlyphRasterizer();
    GlyphRasterizer(const GlyphRasterizer&) = delete;
    GlyphRasterizer& operator=(const GlyphRasterizer&) = delete;

    // Ascender to descender, whole pixels.
    std::uint32_t LineHeight() const { return lineHeight_; }
    // Throws std::runtime_error naming the face and the character when the
    // face has no glyph for it or draws one FreeType cannot render.
    RasterGlyph Render(char16_t character) const;

private:
    struct Library;

    void Fail(const std::string& what) const;
    void CopyBitmap(RasterGlyph& glyph) const;

    std::string facePath_;
    std::unique_ptr<Library> library_;
    std::uint32_t lineHeight_ = 0;
    std::int32_t ascender_ = 0;
};

} // namespace Tools
