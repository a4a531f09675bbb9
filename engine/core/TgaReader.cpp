#include "engine/core/TgaReader.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/Image.h"
#include "engine/core/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace Halvard {

namespace {

constexpr u32 kHeaderSize = 18;
constexpr u32 kRunLengthBit = 8;
constexpr u32 kColorMapped = 1;
constexpr u32 kTrueColor = 2;
constexpr u32 kGrey = 3;
constexpr u32 kRightOriginBit = 16;
constexpr u32 kTopOriginBit = 32;
// The descriptor's count of alpha bits in a pixel.
constexpr u32 kAlphaBits = 15;
// One packet byte and one pixel make at most this many pixels.
constexpr u64 kMaxRun = 128;

// Run-length packets: a count byte, then one pixel repeated (bit 7 set) or
// that many literal pixels. False when the packets end before the picture.
bool DecodeRunLength(const u8* packets, std::size_t packetBytes, u8* out, std::size_t pixels,
                     u32 bytesPerPixel)
{
    std::size_t in = 0;
    std::size_t done = 0;
    while (done < pixels) {
        if (in >= packetBytes)
            return false;
        const u8 packet = packets[in++];
        const std::size_t count = std::min<std::size_t>((packet & 127) + 1, pixels - done);
        const bool repeated = (packet & 128) != 0;
        const std::size_t needed = (repeated ? 1 : count) * bytesPerPixel;
        if (packetBytes - in < needed)
            return false;
        for (std::size_t i = 0; i < count; ++i) {
            const u8* pixel = packets + in + (repeated ? 0 : i * bytesPerPixel);
            std::memcpy(out + (done + i) * bytesPerPixel, pixel, bytesPerPixel);
        }
        in += needed;
        done += count;
    }
    return true;
}

// File pixels are blue, green, red (alpha); a 16-bit colour pixel holds five
// bits a channel and a top bit that is alpha only where the descriptor counts
// an alpha bit (pictures written without alpha leave it clear), a 16-bit
// grey one grey, then alpha.
void ConvertPixel(const u8* in, u32 depth, bool greyAlpha, bool topBitAlpha, u8* out)
{
    if (depth == 8) {
        out[0] = in[0];
    } else if (greyAlpha) {
        out[0] = out[1] = out[2] = in[0];
        out[3] = in[1];
    } else if (depth == 16) {
        const u32 value = ReadLittleEndian16(in);
        out[0] = static_cast<u8>(((value >> 10) & 31) * 8);
        out[1] = static_cast<u8>(((value >> 5) & 31) * 8);
        out[2] = static_cast<u8>((value & 31) * 8);
        out[3] = !topBitAlpha || value > 32767 ? 255 : 0;
    } else {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        if (depth == 32)
            out[3] = in[3];
    }
}

} // namespace

void TgaReader::Read(MessageManager* messages, Image& image)
{
    ReadLayout();
    Image::CheckSides(width_, height_, path_);
    std::vector<u8> pixels = ReadPixels();
    if (IsColorMapped())
        pixels = LookUpColors(pixels);
    image.Create(messages, width_, height_, GetImageBits());
    Convert(pixels, IsColorMapped() ? mapEntryBits_ : depth_, image);
    // Writers that count no alpha bit and leave the alpha byte 0 meant no
    // alpha; where the header counts alpha bits, or a pixel's byte is not 0,
    // it is alpha.
    if ((descriptor_ & kAlphaBits) == 0 && image.HasNoAlpha())
        image.SetOpaque();
}

u64 TgaReader::GetImageByteSize()
{
    ReadLayout();
    return GetPixelCount() * (GetImageBits() / 8);
}

void TgaReader::ReadLayout()
{
    ReadHeader();
    CheckLayout();
    CheckSizes();
}

void TgaReader::ReadHeader()
{
    u8 header[kHeaderSize];
    file_.Read(header, kHeaderSize);
    idLength_ = header[0];
    imageType_ = header[2];
    mapFirst_ = ReadLittleEndian16(header + 3);
    mapLength_ = ReadLittleEndian16(header + 5);
    mapEntryBits_ = header[7];
    width_ = ReadLittleEndian16(header + 12);
    height_ = ReadLittleEndian16(header + 14);
    depth_ = header[16];
    descriptor_ = header[17];
}

bool TgaReader::IsColorMapped() const { return (imageType_ & ~kRunLengthBit) == kColorMapped; }

u32 TgaReader::GetImageBits() const
{
    if (IsColorMapped())
        return mapEntryBits_;
    return depth_ == 16 ? 32 : depth_;
}

u64 TgaReader::GetPixelCount() const { return static_cast<u64>(width_) * height_; }

// A map entry takes whole bytes: 15 bits take two.
u64 TgaReader::GetSkippedBytes() const
{
    return idLength_ + static_cast<u64>(mapLength_) * ((mapEntryBits_ + 7) / 8);
}

// A true-colour pixel of 8 bits or a grey one of more than 16 has no layout
// that could be read: such a header is damage, not a kind of picture.
void TgaReader::CheckLayout() const
{
    const u32 type = imageType_ & ~kRunLengthBit;
    if (type != kColorMapped && type != kTrueColor && type != kGrey)
        throw Image::FormatError("Unsupported", path_);
    if (depth_ != 8 && depth_ != 16 && depth_ != 24 && depth_ != 32)
        throw Image::FormatError("Unsupported", path_);
    if (IsColorMapped() && (depth_ != 8 || (mapEntryBits_ != 24 && mapEntryBits_ != 32)))
        throw Image::FormatError("Unsupported", path_);
    if ((type == kTrueColor && depth_ == 8) || (type == kGrey && depth_ > 16))
        throw Image::FormatError("Incorrect", path_);
    if (width_ == 0 || height_ == 0 || kHeaderSize + GetSkippedBytes() > file_.GetSize())
        throw Image::FormatError("Incorrect", path_);
}

// What the header promises against the bytes that follow it, before any of
// them is read.
void TgaReader::CheckSizes() const
{
    const u64 dataBytes = file_.GetSize() - kHeaderSize - GetSkippedBytes();
    const bool runLength = (imageType_ & kRunLengthBit) != 0;
    const u64 pixels = GetPixelCount();
    if (runLength ? pixels > kMaxRun * dataBytes : dataBytes < pixels * (depth_ / 8))
        throw Image::FormatError("Incorrect", path_);
}

// The pixels as the file stores them, depth / 8 bytes each, run-length
// packets decoded.
std::vector<u8> TgaReader::ReadPixels()
{
    const u64 start = kHeaderSize + GetSkippedBytes();
    file_.Seek(0, static_cast<i32>(start));
    std::vector<u8> data(file_.GetSize() - start);
    file_.Read(data.data(), static_cast<u32>(data.size()));
    if ((imageType_ & kRunLengthBit) == 0)
        return data;
    const u32 bytesPerPixel = depth_ / 8;
    const auto pixels = static_cast<std::size_t>(GetPixelCount());
    std::vector<u8> decoded(pixels * bytesPerPixel);
    if (!DecodeRunLength(data.data(), data.size(), decoded.data(), pixels, bytesPerPixel))
        throw Image::FormatError("Incorrect", path_);
    return decoded;
}

// An index outside the map is damage, not a colour.
std::vector<u8> TgaReader::LookUpColors(const std::vector<u8>& indices)
{
    const u32 entryBytes = mapEntryBits_ / 8;
    std::vector<u8> map(static_cast<std::size_t>(mapLength_) * entryBytes);
    file_.Seek(0, static_cast<i32>(kHeaderSize + idLength_));
    file_.Read(map.data(), static_cast<u32>(map.size()));
    const std::size_t pixels = static_cast<std::size_t>(width_) * height_;
    std::vector<u8> colors(pixels * entryBytes);
    for (std::size_t i = 0; i < pixels; ++i) {
        const u32 index = indices[i];
        if (index < mapFirst_ || index - mapFirst_ >= mapLength_)
            throw Image::FormatError("Incorrect", path_);
        std::memcpy(colors.data() + i * entryBytes, map.data() + (index - mapFirst_) * entryBytes, entryBytes);
    }
    return colors;
}

// File rows run from the bottom unless the top-origin bit is set, and
// columns from the left unless the right-origin bit is.
void TgaReader::Convert(const std::vector<u8>& pixels, u32 depth, Image& image) const
{
    const bool greyAlpha = (imageType_ & ~kRunLengthBit) == kGrey && depth == 16;
    const bool topBitAlpha = (descriptor_ & kAlphaBits) != 0;
    const bool topOrigin = (descriptor_ & kTopOriginBit) != 0;
    const bool rightOrigin = (descriptor_ & kRightOriginBit) != 0;
    const u32 inBytes = depth / 8;
    const u32 outBytes = image.GetBitsPerPixel() / 8;
    const std::size_t rowSize = static_cast<std::size_t>(width_) * outBytes;
    const u8* in = pixels.data();
    for (u32 fileRow = 0; fileRow < height_; ++fileRow) {
        u8* row = image.GetData() + rowSize * (topOrigin ? height_ - 1 - fileRow : fileRow);
        for (u32 x = 0; x < width_; ++x, in += inBytes) {
            const u32 column = rightOrigin ? width_ - 1 - x : x;
            ConvertPixel(in, depth, greyAlpha, topBitAlpha, row + static_cast<std::size_t>(column) * outBytes);
        }
    }
}

} // namespace Halvard
