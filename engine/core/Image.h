#pragma once

#include "engine/core/FileAccess.h"
#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <cstddef>
#include <memory>
#include <string>

struct jpeg_decompress_struct;

namespace Halvard {

class FileBinary;
class FileError;
class FileManager;
class MessageManager;

// A picture in memory: 8-bit intensity (grey or opacity), 24-bit red, green,
// blue or 32-bit red, green, blue, alpha pixels, rows packed without padding.
// Row 0 is the bottom row of the picture; every loader stores the rows
// bottom-up, the order the texture upload expects.
//
// The loaders never throw: a file that cannot be read is logged as an error
// and the loader answers false, leaving the image empty. Operations that take
// an optional destination write their result there and leave this image
// unchanged; without one the result replaces this image's pixels. A
// destination must not be this image.
class Image {
public:
    // No loader accepts a picture wider or higher, read from its header
    // before any pixel is decoded: twice the largest shipped picture's side
    // (1024), so that one picture takes 16 MiB at most once decoded.
    static constexpr u32 kMaxSide = 2048;

    // The error of a file a loader cannot take: word "Incorrect" for a
    // damaged file, "Unsupported" for a layout it does not decode.
    static FileError FormatError(const char* word, const std::string& path);
    // Throws the "Incorrect" error for a side beyond kMaxSide.
    static void CheckSides(u64 width, u64 height, const std::string& path);

    Image() = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    virtual ~Image();

    u8* GetData() { return data_.get(); }
    const u8* GetData() const { return data_.get(); }
    u32 GetWidth() const { return width_; }
    u32 GetHeight() const { return height_; }
    u32 GetBitsPerPixel() const { return bitsPerPixel_; }
    bool IsEmpty() const { return data_ == nullptr; }
    // Bytes of the pixel buffer.
    std::size_t GetByteSize() const;

    void Free();
    // The new buffer's contents are undefined. The log is kept with the
    // image and handed to the images derived from it; it may be null.
    void Create(MessageManager* messages, u32 width, u32 height, u32 bitsPerPixel);
    // Copying an empty image empties this one.
    void Copy(const Image& source);

    // Chooses the loader by the path's extension: bmp, tga, jpg or jpeg.
    bool Load(MessageManager* messages, FileManager* files, const std::string& path);
    bool LoadBMP(MessageManager* messages, FileManager* files, const std::string& path);
    bool LoadTGA(MessageManager* messages, FileManager* files, const std::string& path);
    bool LoadJPEG(MessageManager* messages, FileManager* files, const std::string& path);
    // The bytes the pixels of the picture at path take once loaded, read
    // from its header through the loader Load would choose: no pixel is
    // decoded, nor the file read whole. False, logging nothing, when that
    // loader would refuse the header or the file cannot be read; the load
    // then logs why. A picture wider or higher than kMaxSide gives what its
    // header claims, though the load refuses it: a count of what a set of
    // pictures takes then refuses the set that names it, as it would had
    // the picture been decoded.
    static bool PeekByteSize(FileManager* files, const std::string& path, u64& bytes);

    // A 32-bit picture whose alpha is 0 in every pixel: what writers that
    // leave the fourth byte unused store. False for other depths.
    bool HasNoAlpha() const;
    // Alpha 255 in every pixel of a 32-bit picture.
    void SetOpaque();

    // Filters: 0 nearest, 1 bilinear, 2 cubic. Neighbours beyond the
    // picture's edges repeat the edge pixels.
    void ResizeInto(u32 width, u32 height, u32 filter, Image& destination) const;
    void Resize(u32 width, u32 height, u32 filter);

    void FlipVertical(Image* destination = nullptr);
    // 8-bit images are only copied.
    void SwapRedBlue(Image* destination = nullptr);
    // An 8-bit picture widens as grey: red, green and blue take the byte,
    // alpha is opaque.
    void ConvertBitsPerPixel(u32 bitsPerPixel, Image* destination = nullptr);
    // Copies the source, converted to this image's depth, with its lower
    // left corner at x, y; what lies beyond this image is cut away.
    void Blit(u32 x, u32 y, const Image& source, Image* destination = nullptr);
    // Colour channels from 0 to 1; values outside are clamped.
    void Fill(const Vector4& color, Image* destination = nullptr);
    // 64 x 64 black with yellow 8 x 8 cells where column + row is even: the
    // stand-in for a picture that cannot be read.
    void CreateCheckerboard(MessageManager* messages);

private:
    u32 GetBytesPerPixel() const { return bitsPerPixel_ / 8; }
    std::size_t GetRowSize() const;
    u8* GetRow(u32 row) { return data_.get() + GetRowSize() * row; }
    const u8* GetRow(u32 row) const { return data_.get() + GetRowSize() * row; }
    Image& Target(Image* destination);
    void TakePixels(Image& other);

    using Reader = void (Image::*)(FileBinary& file, const std::string& path);
    bool LoadFile(MessageManager* messages, FileManager* files, const std::string& path, FileLoading loading,
                  Reader reader);
    // The readers throw FileError for a file they cannot take.
    void ReadBMP(FileBinary& file, const std::string& path);
    void ReadTGA(FileBinary& file, const std::string& path);
    void ReadJPEG(FileBinary& file, const std::string& path);
    // Null when the picture was decoded, else the word that says why not.
    const char* DecodeJPEG(jpeg_decompress_struct& decompressor, FileBinary& file);
    static u64 PeekJPEG(FileBinary& file, const std::string& path);
    static const char* PeekJpegHeader(jpeg_decompress_struct& decompressor, FileBinary& file);
    // Reads the header and works out the output size, under the caller's
    // error return; null when the picture can be decoded, else the word
    // that says why not.
    static const char* ReadJpegHeader(jpeg_decompress_struct& decompressor, FileBinary& file);
    void LogError(const std::string& text) const;

    void ResizeNearest(Image& destination) const;
    void ResizeBilinear(Image& destination) const;
    void ResizeCubic(Image& destination) const;
    u8 GetByte(i64 column, i64 row, u32 channel) const;

    // The library's source manager over the file, in pieces of a few KiB.
    static void SetJpegSource(jpeg_decompress_struct* decompressor, FileBinary* file);
    static int JpegFillInputBuffer(jpeg_decompress_struct* decompressor);
    static void JpegSkipInputData(jpeg_decompress_struct* decompressor, long count);
    // Nothing to do at the start of the input or its end.
    static void JpegLeaveSource(jpeg_decompress_struct* decompressor);

    MessageManager* messages_ = nullptr;
    u32 width_ = 0;
    u32 height_ = 0;
    u32 bitsPerPixel_ = 0;
    std::unique_ptr<u8[]> data_;
};

} // namespace Halvard
