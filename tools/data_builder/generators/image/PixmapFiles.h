#pragma once

#include "tools/data_builder/generators/image/Pixmap.h"

#include <string>

namespace Tools {

// A generated picture as the bytes of an image file the engine reads.

// 24-bit, alpha dropped.
std::string PixmapToBmp(const Pixmap& pixmap);
// 32-bit with alpha, or 24-bit without; bottom-left origin.
std::string PixmapToTga(const Pixmap& pixmap, Pixmap::Alpha alpha);
// Colour JPEG, alpha dropped.
std::string PixmapToJpeg(const Pixmap& pixmap, int quality = 90);
// The alpha alone as a grey JPEG: the opacity picture the engine reads
// beside a diffuse one.
std::string PixmapAlphaToJpeg(const Pixmap& pixmap, int quality = 95);

} // namespace Tools
