#pragma once

#include "engine/core/Image.h"
#include "tools/PackWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Testing {

// Reading back what the data writers wrote, little-endian. Out-of-range
// offsets throw std::out_of_range rather than read past the bytes.
std::uint32_t UIntAt(const std::vector<std::uint8_t>& bytes, std::size_t at);
float FloatAt(const std::vector<std::uint8_t>& bytes, std::size_t at);
std::string TextAt(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t count);

// The same bytes as a byte vector and as a string, for files and pack
// entries that tests write as text.
std::vector<std::uint8_t> BytesOf(const std::string& text);
std::string TextOf(const std::vector<std::uint8_t>& bytes);
Tools::PackEntry TextEntry(const std::string& name, const std::string& contents);

// An image's pixel bytes in its own order: all of them, or the one pixel's
// (as many as it has bytes), rows counted as the image keeps them.
std::vector<std::uint8_t> ImageBytes(const Halvard::Image& image);
std::vector<std::uint8_t> PixelBytes(const Halvard::Image& image, Halvard::u32 x, Halvard::u32 y);

} // namespace Testing
