#include "tools/ImageWriter.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace Tools {

namespace {

void Put16(std::string& out, std::uint32_t value)
{
    out += static_cast<char>(value & 255);
    out += static_cast<char>((value >> 8) & 255);
}

void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void Append(std::string& out, const std::uint8_t* bytes, std::size_t count)
{
    out.append(reinterpret_cast<const char*>(bytes), count);
}

void CheckSize(const char* format, const std::vector<std::uint8_t>& bytes, std::size_t needed)
{
    if (bytes.size() < needed)
        throw std::runtime_error(std::string(format) + " image: " + std::to_string(bytes.size()) +
                                 " bytes of pixels, " + std::to_string(needed) + " needed");
}

constexpr std::uint32_t kAcCoefficients = 63;

std::vector<jpeg_scan_info> ProgressiveScript(std::uint32_t components, std::uint32_t scans)
{
    const std::uint32_t bands = scans - 1;
    if (bands < components || bands > kAcCoefficients * components)
        throw std::runtime_error("JPEG image: " + std::to_string(scans) + " scans");
    jpeg_scan_info dc{};
    dc.comps_in_scan = static_cast<int>(components);
    for (std::uint32_t c = 0; c < components; ++c)
        dc.component_index[c] = static_cast<int>(c);
    std::vector<jpeg_scan_info> script{dc};
    for (std::uint32_t c = 0; c < components; ++c) {
        const std::uint32_t own = bands / components + (c < bands % components ? 1 : 0);
        for (std::uint32_t band = 0; band < own; ++band) {
            jpeg_scan_info scan{};
            scan.comps_in_scan = 1;
            scan.component_index[0] = static_cast<int>(c);
            scan.Ss = static_cast<int>(1 + kAcCoefficients * band / own);
            scan.Se = static_cast<int>(kAcCoefficients * (band + 1) / own);
            script.push_back(scan);
        }
    }
    return script;
}

} // namespace

std::string BmpFile(std::uint32_t width, std::uint32_t height, std::uint32_t bitCount,
                    const std::vector<std::uint8_t>& rows, const std::vector<std::uint8_t>& palette,
                    const BmpLayout& layout)
{
    const std::uint32_t rowSize = width * bitCount / 8;
    const std::uint32_t padded = (rowSize + 3) & ~3u;
    CheckSize("BMP", rows, static_cast<std::size_t>(rowSize) * height);
    std::string info;
    Put32(info, layout.infoSize);
    Put32(info, width);
    Put32(info, height);
    Put16(info, 1);
    Put16(info, bitCount);
    Put32(info, layout.compression);
    Put32(info, padded * height);
    Put32(info, 2835);
    Put32(info, 2835);
    Put32(info, static_cast<std::uint32_t>(palette.size() / 4));
    Put32(info, 0);
    for (std::size_t i = 0; i < layout.masks.size() && (layout.infoSize == 40 || info.size() < layout.infoSize); ++i)
        Put32(info, layout.masks[i]);
    if (info.size() < layout.infoSize)
        info.append(layout.infoSize - info.size(), '\0');
    const auto dataOffset = static_cast<std::uint32_t>(14 + info.size() + palette.size() + layout.gap);
    std::string out = "BM";
    Put32(out, dataOffset + padded * height);
    Put32(out, 0);
    Put32(out, dataOffset);
    out += info;
    Append(out, palette.data(), palette.size());
    out.append(layout.gap, '\x77');
    for (std::uint32_t row = 0; row < height; ++row) {
        Append(out, rows.data() + static_cast<std::size_t>(row) * rowSize, rowSize);
        out.append(padded - rowSize, '\x5A');
    }
    return out;
}

std::string TgaFile(const TgaHeader& header, const std::vector<std::uint8_t>& data)
{
    std::string out;
    out += static_cast<char>(header.id.size());
    out += static_cast<char>(header.colorMapLength > 0 ? 1 : 0);
    out += static_cast<char>(header.imageType);
    Put16(out, header.colorMapFirst);
    Put16(out, header.colorMapLength);
    out += static_cast<char>(header.colorMapEntryBits);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, header.width);
    Put16(out, header.height);
    out += static_cast<char>(header.depth);
    out += static_cast<char>(header.descriptor);
    out += header.id;
    if (header.colorMap.empty())
        out.append(header.colorMapLength * ((header.colorMapEntryBits + 7) / 8), '\0');
    Append(out, header.colorMap.data(), header.colorMap.size());
    Append(out, data.data(), data.size());
    return out;
}

std::string JpegFile(std::uint32_t width, std::uint32_t height, std::uint32_t components,
                     const std::vector<std::uint8_t>& rows, int quality, std::uint32_t scans)
{
    if (components != 1 && components != 3)
        throw std::runtime_error("JPEG image: " + std::to_string(components) + " components");
    CheckSize("JPEG", rows, static_cast<std::size_t>(width) * height * components);
    const std::vector<jpeg_scan_info> script =
        scans > 1 ? ProgressiveScript(components, scans) : std::vector<jpeg_scan_info>{};
    jpeg_compress_struct compressor;
    jpeg_error_mgr errors;
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compressor, &buffer, &size);
    compressor.image_width = width;
    compressor.image_height = height;
    compressor.input_components = static_cast<int>(components);
    compressor.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, quality, TRUE);
    if (!script.empty()) {
        compressor.scan_info = script.data();
        compressor.num_scans = static_cast<int>(script.size());
    }
    jpeg_start_compress(&compressor, TRUE);
    while (compressor.next_scanline < height) {
        JSAMPROW row = const_cast<std::uint8_t*>(rows.data()) +
                       static_cast<std::size_t>(compressor.next_scanline) * width * components;
        jpeg_write_scanlines(&compressor, &row, 1);
    }
    jpeg_finish_compress(&compressor);
    jpeg_destroy_compress(&compressor);
    std::string out(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return out;
}

} // namespace Tools
