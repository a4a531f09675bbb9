#pragma once

#include <cstdint>
#include <vector>

namespace Tools {

// One glyph record of a font file: the character, its rectangle in the font
// texture and its width in units of its height.
struct FontGlyph {
    std::uint16_t character = 0;
    float u = 0.0f;
    float v = 0.0f;
    float uSize = 0.0f;
    float vSize = 0.0f;
    float width = 0.0f;
};

// The bytes of a font file ("HVFNT"): the header, the glyph count, then one
// 22-byte record per glyph in the order given. Writes whatever it is given,
// repeated characters and other versions too, so that tests can make broken
// files.
std::vector<std::uint8_t> BuildFontFile(const std::vector<FontGlyph>& glyphs, std::uint32_t version = 201);

} // namespace Tools
