#pragma once

#include "tools/data_builder/generators/image/PixmapDrawing.h"

#include <cstdint>
#include <string>

namespace Tools {

// Text written into generated pictures, in the bold DejaVu face of the main
// menu's font, rasterised by FreeType like the game's fonts.

// Pixels per em across and up: equal for a picture shown at its own
// proportions, unequal for one the screen stretches unevenly, so that its
// letters show undistorted once stretched.
struct EmPixels {
    std::uint32_t across = 0;
    std::uint32_t up = 0;
};

// The text's coverage as the alpha of a white picture one line of the face
// high and as wide as the text's advances. Throws std::runtime_error naming
// the face when it cannot be read or lacks a character.
Pixmap Lettering(const std::string& text, const EmPixels& em);
// The same at the largest square size up to the given one whose line fits
// the width; throws std::runtime_error also when nothing fits.
Pixmap Lettering(const std::string& text, std::uint32_t pixelSize, std::uint32_t maxWidth);

// Lays the paint over the target where the lettering covers it, the
// lettering's lower left corner at (x, y); the paint sees the lettering's
// own pixel coordinates. What falls beyond the target is cut off.
void Stamp(Pixmap& target, const Pixmap& letters, std::uint32_t x, std::uint32_t y, const Paint& paint);

} // namespace Tools
