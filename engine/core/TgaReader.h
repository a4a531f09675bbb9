#pragma once

#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace Halvard {

class FileBinary;
class Image;
class MessageManager;

// Decodes one TGA file into an image, bottom row first: true-colour pixels
// of 16 bits (five a channel and a top bit that is alpha where the
// descriptor counts alpha bits, else unused and the pixel opaque; widened
// to 32), 24 or 32 bits; grey pixels of 8 bits, or 16 (grey and alpha,
// widened to 32); colour-mapped pixels of 8-bit indices into a map of 24- or
// 32-bit entries. An alpha byte is alpha unless the descriptor counts no
// alpha bits and the byte is 0 in every pixel: the picture is then opaque.
// Each may be run-length encoded and start from any of the four corners. A
// colour map before true-colour or grey pixels is passed over, whatever its
// entries. Other image types and maps are refused, so that no picture is
// ever shown with its bytes misread.
class TgaReader {
public:
    // The file and path must outlive the reader.
    TgaReader(FileBinary& file, const std::string& path) : file_(file), path_(path) {}

    // Throws FileError naming the file: "Incorrect" for a damaged file,
    // "Unsupported" for a layout not decoded here.
    void Read(MessageManager* messages, Image& image);
    // The bytes of the image Read would make, from the header alone: no
    // pixel is read. Throws as Read does for a header it refuses.
    u64 GetImageByteSize();

private:
    // The header, checked against the file's size.
    void ReadLayout();
    void ReadHeader();
    void CheckLayout() const;
    void CheckSizes() const;
    u64 GetPixelCount() const;
    bool IsColorMapped() const;
    // The bits of a pixel once decoded: what the image is created with.
    u32 GetImageBits() const;
    // The identification field and the colour map, before the pixels.
    u64 GetSkippedBytes() const;
    std::vector<u8> ReadPixels();
    // Replaces each index by its map entry.
    std::vector<u8> LookUpColors(const std::vector<u8>& indices);
    void Convert(const std::vector<u8>& pixels, u32 depth, Image& image) const;

    FileBinary& file_;
    const std::string& path_;
    u32 idLength_ = 0;
    u32 imageType_ = 0;
    u32 mapFirst_ = 0;
    u32 mapLength_ = 0;
    u32 mapEntryBits_ = 0;
    u32 width_ = 0;
    u32 height_ = 0;
    u32 depth_ = 0;
    u32 descriptor_ = 0;
};

} // namespace Halvard
