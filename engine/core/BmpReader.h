#pragma once

#include "engine/core/Types.h"

#include <string>

namespace Halvard {

class FileBinary;
class Image;
class MessageManager;

// Decodes one BMP file into an image, bottom row first. It reads the file
// header and an information header of 40 bytes or one of the longer versions
// that painting programs write (52, 56, 108 or 124 bytes), with 8-bit palette
// indices, 24-bit or 32-bit pixels stored plainly (the fourth byte alpha,
// unless it is 0 in every pixel: then opaque), or 32-bit bit fields that
// place blue, green, red (and alpha) in the plain layout's bytes. The pixels
// start where the file header's data offset says, whatever lies between. An
// index past the entries the palette gives is damage.
// Every other header size, compression or bit layout is refused, so that no
// picture is ever shown with its bytes misread.
class BmpReader {
public:
    // The file and path must outlive the reader.
    BmpReader(FileBinary& file, const std::string& path) : file_(file), path_(path) {}

    // Throws FileError naming the file: "Incorrect" for a damaged file,
    // "Unsupported" for a layout not decoded here.
    void Read(MessageManager* messages, Image& image);
    // The bytes of the image Read would make, from the headers alone: no
    // pixel is read. Throws as Read does for headers it refuses.
    u64 GetImageByteSize();

private:
    // The headers and masks, checked against the file's size.
    void ReadLayout();
    void ReadHeaders();
    void CheckLayout() const;
    void CheckSizes() const;
    u32 GetImageBits() const;
    u64 GetFileRowSize() const;
    // The masks lie after the 40 bytes of the oldest information header,
    // inside the longer ones; alpha has a mask only from 56 bytes on.
    void ReadBitFields();
    void ReadPalette();
    u32 GetPaletteEntries() const;
    // Where the headers, the masks and the palette end: the pixels may not
    // start before.
    u64 GetTablesEnd() const;
    void ReadRows(MessageManager* messages, Image& image);
    // One row of indices into red, green, blue pixels.
    void LookUpColors(const u8* indices, u8* out) const;

    FileBinary& file_;
    const std::string& path_;
    u32 dataOffset_ = 0;
    u32 infoSize_ = 0;
    i32 width_ = 0;
    i32 height_ = 0;
    u32 bitCount_ = 0;
    u32 compression_ = 0;
    u32 colorsUsed_ = 0;
    // Bit fields that give no alpha leave the fourth byte unused: such
    // pixels are opaque. So are plain 32-bit pixels whose fourth byte is 0
    // in every pixel; any other fourth byte is alpha.
    bool opaque_ = false;
    u8 palette_[1024] = {};
};

} // namespace Halvard
