#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Tools {

// The bytes of image files, made the way other programs write them. The
// builder ships textures through these; tests make damaged files with them.

// Rows in file order (bottom row first) and file byte order (blue, green,
// red, alpha), without padding; the padding to 4 bytes is added. An 8-bit
// file takes 256 palette entries of blue, green, red, reserved. Throws
// std::runtime_error when rows holds fewer bytes than the size needs.
std::string BmpFile(std::uint32_t width, std::uint32_t height, std::uint32_t bitCount,
                    const std::vector<std::uint8_t>& rows, const std::vector<std::uint8_t>& palette = {});

struct TgaHeader {
    std::uint8_t imageType = 2;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t depth = 24;
    std::uint8_t descriptor = 0;
    std::string id;
    std::uint16_t colorMapLength = 0;
    std::uint8_t colorMapEntryBits = 0;
};

// The header, the ID, a colour map of zero bytes and the data as given, so
// that a test may hand over data that does not fit the header.
std::string TgaFile(const TgaHeader& header, const std::vector<std::uint8_t>& data);

// A JPEG of 1 (grey) or 3 (red, green, blue) components; rows top first.
// Throws std::runtime_error for another component count or too few bytes.
std::string JpegFile(std::uint32_t width, std::uint32_t height, std::uint32_t components,
                     const std::vector<std::uint8_t>& rows, int quality = 100);

} // namespace Tools
