#include "tests/support/ImageFiles.h"

#include "engine/app/EngineSettings.h"
#include "tests/support/FileBytes.h"
#include "tests/support/LogProbe.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

using namespace Halvard;

namespace Testing {

namespace {

void Put16(std::string& out, u32 value)
{
    out += static_cast<char>(value & 255);
    out += static_cast<char>((value >> 8) & 255);
}

void Put32(std::string& out, u32 value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void Append(std::string& out, const u8* bytes, std::size_t count)
{
    out.append(reinterpret_cast<const char*>(bytes), count);
}

} // namespace

std::string BmpFile(u32 width, u32 height, u32 bitCount, const std::vector<u8>& rows, const std::vector<u8>& palette)
{
    const u32 rowSize = width * bitCount / 8;
    const u32 padded = (rowSize + 3) & ~3u;
    const u32 dataOffset = 54 + static_cast<u32>(palette.size());
    std::string out = "BM";
    Put32(out, dataOffset + padded * height);
    Put32(out, 0);
    Put32(out, dataOffset);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);
    Put16(out, bitCount);
    Put32(out, 0);
    Put32(out, padded * height);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, palette.empty() ? 0 : 256);
    Put32(out, 0);
    Append(out, palette.data(), palette.size());
    for (u32 row = 0; row < height; ++row) {
        Append(out, rows.data() + row * rowSize, rowSize);
        out.append(padded - rowSize, '\x5A');
    }
    return out;
}

std::string TgaFile(const TgaHeader& header, const std::vector<u8>& data)
{
    std::string out;
    out += static_cast<char>(header.id.size());
    out += static_cast<char>(header.colorMapLength > 0 ? 1 : 0);
    out += static_cast<char>(header.imageType);
    Put16(out, 0);
    Put16(out, header.colorMapLength);
    out += static_cast<char>(header.colorMapEntryBits);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, header.width);
    Put16(out, header.height);
    out += static_cast<char>(header.depth);
    out += static_cast<char>(header.descriptor);
    out += header.id;
    out.append(header.colorMapLength * header.colorMapEntryBits / 8, '\0');
    Append(out, data.data(), data.size());
    return out;
}

std::string JpegFile(u32 width, u32 height, u32 components, const std::vector<u8>& rows, int quality)
{
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
    jpeg_start_compress(&compressor, TRUE);
    while (compressor.next_scanline < height) {
        JSAMPROW row = const_cast<u8*>(rows.data()) + compressor.next_scanline * width * components;
        jpeg_write_scanlines(&compressor, &row, 1);
    }
    jpeg_finish_compress(&compressor);
    jpeg_destroy_compress(&compressor);
    std::string out(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return out;
}

ImageFolder::ImageFolder() : files_(&log_, folder_.Internal(), "") {}

std::string ImageFolder::LogText() const
{
    return LogProbe(log_).Joined();
}

bool ImageFormatTest::Load(const std::string& bytes)
{
    folder.Write(fileName_, bytes);
    return image.Load(&folder.Log(), &folder.Files(), fileName_);
}

std::vector<u8> ImageFormatTest::Bytes() const
{
    return ImageBytes(image);
}

void ImageFormatTest::ExpectRejected(const std::string& bytes, const std::string& text)
{
    EXPECT_FALSE(Load(bytes));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_THAT(folder.LogText(), ::testing::HasSubstr(text));
}

} // namespace Testing
