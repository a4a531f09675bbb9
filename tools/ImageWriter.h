#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Tools {

// The bytes of image files, made the way other programs write them. The
// builder ships textures through these; tests make damaged files with them.

// How a BMP file lays out what comes before its pixels, as painting programs
// vary it: the information header's size (40, or a later version's 52, 56,
// 108 or 124 bytes), the compression code, the bit-field masks (red, green,
// blue, alpha; after a 40-byte header, else inside the header as far as it
// holds them; the header's other added bytes are zero) and a gap of unused
// bytes before the pixels.
struct BmpLayout {
    std::uint32_t infoSize = 40;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> masks;
    std::uint32_t gap = 0;
};

// Rows in file order (bottom row first) and file byte order (blue, green,
// red, alpha), without padding; the padding to 4 bytes is added. An 8-bit
// file takes its palette entries of blue, green, red, reserved (the header
// counts them). Throws std::runtime_error when rows holds fewer bytes than
// the size needs.
std::string BmpFile(std::uint32_t width, std::uint32_t height, std::uint32_t bitCount,
                    const std::vector<std::uint8_t>& rows, const std::vector<std::uint8_t>& palette = {},
                    const BmpLayout& layout = {});

struct TgaHeader {
    std::uint8_t imageType = 2;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t depth = 24;
    std::uint8_t descriptor = 0;
    std::string id;
    std::uint16_t colorMapFirst = 0;
    std::uint16_t colorMapLength = 0;
    std::uint8_t colorMapEntryBits = 0;
    // The colour map's bytes; when empty, zero bytes of the size the length
    // and entry size give, each entry in whole bytes.
    std::vector<std::uint8_t> colorMap;
};

// The header, the ID, the colour map and the data as given, so that a test
// may hand over data that does not fit the header.
std::string TgaFile(const TgaHeader& header, const std::vector<std::uint8_t>& data);

// A JPEG of 1 (grey) or 3 (red, green, blue) components; rows top first.
// One scan makes a sequential file; more make a progressive one: the DC
// coefficients of every component in the first scan, then each component's
// AC coefficients in bands, a band a scan (from 1 + components to
// 1 + 63 x components scans). Throws std::runtime_error for another
// component or scan count or too few bytes.
std::string JpegFile(std::uint32_t width, std::uint32_t height, std::uint32_t components,
                     const std::vector<std::uint8_t>& rows, int quality = 100, std::uint32_t scans = 1);

} // namespace Tools
