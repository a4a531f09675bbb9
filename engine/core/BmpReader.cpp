#include "engine/core/BmpReader.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/Image.h"
#include "engine/core/LittleEndian.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <vector>

namespace Halvard {

namespace {

constexpr u32 kFileHeaderSize = 14;
// The file header and the oldest information header, read as one block.
constexpr u32 kHeaderBlockSize = 54;
constexpr u16 kSignature = 19778;
constexpr u32 kUncompressed = 0;
constexpr u32 kBitFields = 3;
constexpr u32 kInfoSizes[] = {40, 52, 56, 108, 124};
constexpr u32 kOldestInfoSize = 40;
constexpr u32 kAlphaMaskInfoSize = 56;
constexpr u32 kMaskBytes = 4;
constexpr u32 kPaletteEntries = 256;
constexpr u32 kPaletteEntryBytes = 4;
// The plain 32-bit layout: blue, green, red, alpha from the first byte on.
constexpr u32 kRedMask = 0x00FF0000;
constexpr u32 kGreenMask = 0x0000FF00;
constexpr u32 kBlueMask = 0x000000FF;
constexpr u32 kAlphaMask = 0xFF000000;

} // namespace

void BmpReader::Read(MessageManager* messages, Image& image)
{
    ReadLayout();
    Image::CheckSides(static_cast<u64>(width_), static_cast<u64>(height_), path_);
    if (bitCount_ == 8)
        ReadPalette();
    ReadRows(messages, image);
}

u64 BmpReader::GetImageByteSize()
{
    ReadLayout();
    return static_cast<u64>(width_) * static_cast<u64>(height_) * (GetImageBits() / 8);
}

void BmpReader::ReadLayout()
{
    ReadHeaders();
    CheckLayout();
    if (compression_ == kBitFields)
        ReadBitFields();
    CheckSizes();
}

void BmpReader::ReadHeaders()
{
    u8 header[kHeaderBlockSize];
    file_.Read(header, kHeaderBlockSize);
    if (ReadLittleEndian16(header) != kSignature)
        throw Image::FormatError("Incorrect", path_);
    dataOffset_ = ReadLittleEndian32(header + 10);
    infoSize_ = ReadLittleEndian32(header + 14);
    width_ = static_cast<i32>(ReadLittleEndian32(header + 18));
    height_ = static_cast<i32>(ReadLittleEndian32(header + 22));
    bitCount_ = ReadLittleEndian16(header + 28);
    compression_ = ReadLittleEndian32(header + 30);
    colorsUsed_ = ReadLittleEndian32(header + 46);
}

void BmpReader::CheckLayout() const
{
    if (std::find(std::begin(kInfoSizes), std::end(kInfoSizes), infoSize_) == std::end(kInfoSizes))
        throw Image::FormatError("Unsupported", path_);
    if (bitCount_ != 8 && bitCount_ != 24 && bitCount_ != 32)
        throw Image::FormatError("Unsupported", path_);
    const bool fields = compression_ == kBitFields && bitCount_ == 32;
    if (compression_ != kUncompressed && !fields)
        throw Image::FormatError("Unsupported", path_);
    if (width_ <= 0 || height_ <= 0 || (bitCount_ == 8 && colorsUsed_ > kPaletteEntries))
        throw Image::FormatError("Incorrect", path_);
}

void BmpReader::ReadBitFields()
{
    const bool alphaMasked = infoSize_ >= kAlphaMaskInfoSize;
    u8 masks[4 * kMaskBytes] = {};
    file_.Read(masks, (alphaMasked ? 4 : 3) * kMaskBytes);
    const u32 alpha = ReadLittleEndian32(masks + 3 * kMaskBytes);
    if (ReadLittleEndian32(masks) != kRedMask || ReadLittleEndian32(masks + kMaskBytes) != kGreenMask ||
        ReadLittleEndian32(masks + 2 * kMaskBytes) != kBlueMask || (alpha != kAlphaMask && alpha != 0))
        throw Image::FormatError("Unsupported", path_);
    opaque_ = alpha == 0;
}

void BmpReader::ReadPalette()
{
    file_.Seek(0, static_cast<i32>(kFileHeaderSize + infoSize_));
    file_.Read(palette_, GetPaletteEntries() * kPaletteEntryBytes);
}

u32 BmpReader::GetPaletteEntries() const { return colorsUsed_ == 0 ? kPaletteEntries : colorsUsed_; }

u64 BmpReader::GetTablesEnd() const
{
    u64 end = kFileHeaderSize + infoSize_;
    if (compression_ == kBitFields && infoSize_ == kOldestInfoSize)
        end += 3 * kMaskBytes;
    if (bitCount_ == 8)
        end += GetPaletteEntries() * kPaletteEntryBytes;
    return end;
}

u32 BmpReader::GetImageBits() const { return bitCount_ == 32 ? 32 : 24; }

u64 BmpReader::GetFileRowSize() const { return (static_cast<u64>(width_) * (bitCount_ / 8) + 3) & ~u64(3); }

// Where the pixels lie and what they make, against the file's size, before
// any of them is read.
void BmpReader::CheckSizes() const
{
    const u64 fileRowSize = GetFileRowSize();
    const u64 fileSize = file_.GetSize();
    if (dataOffset_ < GetTablesEnd() || dataOffset_ > static_cast<u32>(std::numeric_limits<i32>::max()) ||
        fileRowSize > fileSize || dataOffset_ + fileRowSize * static_cast<u64>(height_) > fileSize)
        throw Image::FormatError("Incorrect", path_);
}

void BmpReader::ReadRows(MessageManager* messages, Image& image)
{
    image.Create(messages, static_cast<u32>(width_), static_cast<u32>(height_), GetImageBits());
    file_.Seek(0, static_cast<i32>(dataOffset_));
    const std::size_t rowSize = static_cast<std::size_t>(width_) * (GetImageBits() / 8);
    std::vector<u8> fileRow(GetFileRowSize());
    for (std::size_t row = 0; row < static_cast<std::size_t>(height_); ++row) {
        file_.Read(fileRow.data(), static_cast<u32>(fileRow.size()));
        u8* out = image.GetData() + rowSize * row;
        if (bitCount_ == 8)
            LookUpColors(fileRow.data(), out);
        else
            std::memcpy(out, fileRow.data(), rowSize);
    }
    if (bitCount_ == 8)
        return;
    image.SwapRedBlue();
    if (opaque_ || (compression_ == kUncompressed && image.HasNoAlpha()))
        image.SetOpaque();
}

// An index past the entries the file gives names no colour: damage, which
// must not be drawn as black.
void BmpReader::LookUpColors(const u8* indices, u8* out) const
{
    const u32 entries = GetPaletteEntries();
    for (std::size_t x = 0; x < static_cast<std::size_t>(width_); ++x) {
        if (indices[x] >= entries)
            throw Image::FormatError("Incorrect", path_);
        const u8* entry = palette_ + indices[x] * kPaletteEntryBytes;
        out[x * 3] = entry[2];
        out[x * 3 + 1] = entry[1];
        out[x * 3 + 2] = entry[0];
    }
}

} // namespace Halvard
