#include "engine/core/Image.h"

#include "engine/core/BmpReader.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TgaReader.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <type_traits>

#include <jpeglib.h>
#include <jerror.h>

namespace Halvard {

static_assert(std::is_same_v<boolean, int>, "the source callbacks are declared with int results");

namespace {

constexpr u32 kJpegBufferSize = 4096;

u8 ToByte(float value) { return static_cast<u8>(std::clamp(value * 255.0f, 0.0f, 255.0f)); }

// Weights of the grey value of a red, green, blue pixel.
constexpr double kGreyRed = 0.222;
constexpr double kGreyGreen = 0.707;
constexpr double kGreyBlue = 0.071;

void ConvertPixel(const u8* in, u32 inBits, u8* out, u32 outBits)
{
    if (outBits == 8) {
        out[0] = inBits == 32 ? in[3]
                              : static_cast<u8>(in[0] * kGreyRed + in[1] * kGreyGreen + in[2] * kGreyBlue);
        return;
    }
    if (inBits == 8) {
        out[0] = out[1] = out[2] = in[0];
    } else {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
    }
    if (outBits == 32)
        out[3] = 255;
}

// The interpolation of the cubic filter, t in 128ths.
i64 Cubic(i64 p0, i64 p1, i64 p2, i64 p3, i64 t)
{
    const i64 cubed = t * (p3 - p2 + p1 - p0);
    const i64 squared = (p2 - p3 + 2 * (p0 - p1)) * 128;
    return ((((p2 - p0) * 16384 + (cubed + squared) * t) * t) + p1 * 2097152) >> 21;
}

// Where output x of count falls on the source's span of size, in units of
// 1 / scale source pixels. A single output pixel takes the first source one.
i64 SourcePosition(u32 size, u32 x, u32 count, i64 scale)
{
    return count > 1 ? static_cast<i64>(size - 1) * x * scale / (count - 1) : 0;
}

// The scans a progressive picture may have. The library's own progressive
// scripts write 10 (6 for grey), and encoders that tune theirs a few more;
// each scan walks the whole picture again, and a damaged or hostile file
// may hold thousands.
constexpr int kMostScans = 100;

// The library's error manager, extended by the place to return to: a corrupt
// stream must come back to the loader instead of ending the program. The
// progress monitor lives beside it.
struct JpegErrors {
    jpeg_error_mgr manager;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr decompressor)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(decompressor->err)->jump, 1);
}

// The library reads on past damaged or missing data and leaves what it
// lacks grey: a warning of that kind refuses the picture as an error does.
// Warnings about what lies beside the pixels (an unknown JFIF version or
// Adobe transform, a damaged colour profile) leave it whole.
void JpegEmitMessage(j_common_ptr decompressor, int level)
{
    constexpr int kDamage[] = {JWRN_ARITH_BAD_CODE, JWRN_BOGUS_PROGRESSION, JWRN_EXTRANEOUS_DATA, JWRN_HIT_MARKER,
                               JWRN_HUFF_BAD_CODE,  JWRN_MUST_RESYNC,       JWRN_NOT_SEQUENTIAL};
    if (level < 0 && std::find(std::begin(kDamage), std::end(kDamage), decompressor->err->msg_code) !=
                         std::end(kDamage))
        JpegErrorExit(decompressor);
}

// Called before each stretch of input the library takes in: a picture past
// the bound is refused before its next scan is decoded.
void JpegProgress(j_common_ptr decompressor)
{
    if (reinterpret_cast<j_decompress_ptr>(decompressor)->input_scan_number > kMostScans)
        JpegErrorExit(decompressor);
}

void InstallErrors(jpeg_decompress_struct& decompressor, JpegErrors& errors)
{
    decompressor.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JpegErrorExit;
    errors.manager.emit_message = JpegEmitMessage;
    errors.progress.progress_monitor = JpegProgress;
}

struct JpegSource {
    jpeg_source_mgr manager;
    FileBinary* file;
    JOCTET* buffer;
};

JpegSource* SourceOf(j_decompress_ptr decompressor) { return reinterpret_cast<JpegSource*>(decompressor->src); }

bool FitsSides(u64 width, u64 height) { return width <= Image::kMaxSide && height <= Image::kMaxSide; }

} // namespace

FileError Image::FormatError(const char* word, const std::string& path)
{
    return FileError(std::string(word) + " \"" + path + "\" file format");
}

void Image::CheckSides(u64 width, u64 height, const std::string& path)
{
    if (!FitsSides(width, height))
        throw FormatError("Incorrect", path);
}

Image::~Image() { Free(); }

std::size_t Image::GetByteSize() const { return GetRowSize() * height_; }

std::size_t Image::GetRowSize() const { return static_cast<std::size_t>(width_) * GetBytesPerPixel(); }

void Image::Free()
{
    data_.reset();
    width_ = 0;
    height_ = 0;
    bitsPerPixel_ = 0;
}

void Image::Create(MessageManager* messages, u32 width, u32 height, u32 bitsPerPixel)
{
    Free();
    messages_ = messages;
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    data_.reset(new u8[GetByteSize()]);
}

void Image::Copy(const Image& source)
{
    if (&source == this)
        return;
    if (source.IsEmpty()) {
        Free();
        return;
    }
    Create(source.messages_, source.width_, source.height_, source.bitsPerPixel_);
    std::memcpy(data_.get(), source.data_.get(), GetByteSize());
}

void Image::TakePixels(Image& other)
{
    messages_ = other.messages_;
    width_ = other.width_;
    height_ = other.height_;
    bitsPerPixel_ = other.bitsPerPixel_;
    data_ = std::move(other.data_);
}

Image& Image::Target(Image* destination)
{
    if (destination == nullptr)
        return *this;
    destination->Create(messages_, width_, height_, bitsPerPixel_);
    return *destination;
}

void Image::LogError(const std::string& text) const
{
    if (messages_ != nullptr)
        messages_->LogError(text);
}

bool Image::Load(MessageManager* messages, FileManager* files, const std::string& path)
{
    const std::string extension = ToLower(GetFileExtension(path));
    if (extension == "bmp")
        return LoadBMP(messages, files, path);
    if (extension == "tga")
        return LoadTGA(messages, files, path);
    if (extension == "jpg" || extension == "jpeg")
        return LoadJPEG(messages, files, path);
    if (messages != nullptr)
        messages->LogError("Unknown \"" + extension + "\" image file type");
    return false;
}

bool Image::LoadBMP(MessageManager* messages, FileManager* files, const std::string& path)
{
    return LoadFile(messages, files, path, FileLoading::kBySize, &Image::ReadBMP);
}

bool Image::LoadTGA(MessageManager* messages, FileManager* files, const std::string& path)
{
    return LoadFile(messages, files, path, FileLoading::kBySize, &Image::ReadTGA);
}

bool Image::LoadJPEG(MessageManager* messages, FileManager* files, const std::string& path)
{
    return LoadFile(messages, files, path, FileLoading::kWhole, &Image::ReadJPEG);
}

bool Image::LoadFile(MessageManager* messages, FileManager* files, const std::string& path, FileLoading loading,
                     Reader reader)
{
    Free();
    messages_ = messages;
    try {
        const std::unique_ptr<FileBinary> file = files->OpenFileBinary(path, FileAccess::kRead, loading);
        (this->*reader)(*file, path);
        return true;
    } catch (const FileError& error) {
        LogError(error.GetText());
    }
    Free();
    return false;
}

bool Image::PeekByteSize(FileManager* files, const std::string& path, u64& bytes)
{
    const std::string extension = ToLower(GetFileExtension(path));
    const bool jpeg = extension == "jpg" || extension == "jpeg";
    if (extension != "bmp" && extension != "tga" && !jpeg)
        return false;
    try {
        const std::unique_ptr<FileBinary> file = files->OpenFileBinary(path, FileAccess::kRead, FileLoading::kStreamed);
        if (extension == "bmp")
            bytes = BmpReader(*file, path).GetImageByteSize();
        else if (extension == "tga")
            bytes = TgaReader(*file, path).GetImageByteSize();
        else
            bytes = PeekJPEG(*file, path);
        return true;
    } catch (const FileError&) {
        return false;
    }
}

void Image::ReadBMP(FileBinary& file, const std::string& path) { BmpReader(file, path).Read(messages_, *this); }

void Image::ReadTGA(FileBinary& file, const std::string& path) { TgaReader(file, path).Read(messages_, *this); }

void Image::ReadJPEG(FileBinary& file, const std::string& path)
{
    jpeg_decompress_struct decompressor{};
    JpegErrors errors{};
    InstallErrors(decompressor, errors);
    const char* failure = DecodeJPEG(decompressor, file);
    jpeg_destroy_decompress(&decompressor);
    if (failure != nullptr)
        throw FormatError(failure, path);
}

// The library leaves through JpegErrorExit back to the setjmp below, passing
// over its own frames only; nothing in this frame needs destroying.
const char* Image::DecodeJPEG(jpeg_decompress_struct& decompressor, FileBinary& file)
{
    JpegErrors& errors = *reinterpret_cast<JpegErrors*>(decompressor.err);
    if (setjmp(errors.jump) != 0)
        return "Incorrect";
    if (const char* failure = ReadJpegHeader(decompressor, file))
        return failure;
    if (!FitsSides(decompressor.image_width, decompressor.image_height))
        return "Incorrect";
    jpeg_start_decompress(&decompressor);
    const u32 components = decompressor.output_components;
    Create(messages_, decompressor.output_width, decompressor.output_height, 8 * components);
    while (decompressor.output_scanline < decompressor.output_height) {
        JSAMPROW row = GetRow(height_ - 1 - decompressor.output_scanline);
        jpeg_read_scanlines(&decompressor, &row, 1);
    }
    jpeg_finish_decompress(&decompressor);
    return nullptr;
}

u64 Image::PeekJPEG(FileBinary& file, const std::string& path)
{
    jpeg_decompress_struct decompressor{};
    JpegErrors errors{};
    InstallErrors(decompressor, errors);
    const char* failure = PeekJpegHeader(decompressor, file);
    const u64 bytes =
        static_cast<u64>(decompressor.output_width) * decompressor.output_height * decompressor.output_components;
    jpeg_destroy_decompress(&decompressor);
    if (failure != nullptr)
        throw FormatError(failure, path);
    return bytes;
}

// The error return as in DecodeJPEG.
const char* Image::PeekJpegHeader(jpeg_decompress_struct& decompressor, FileBinary& file)
{
    JpegErrors& errors = *reinterpret_cast<JpegErrors*>(decompressor.err);
    if (setjmp(errors.jump) != 0)
        return "Incorrect";
    return ReadJpegHeader(decompressor, file);
}

const char* Image::ReadJpegHeader(jpeg_decompress_struct& decompressor, FileBinary& file)
{
    jpeg_create_decompress(&decompressor);
    // Made after the creation, which clears every field but the error manager.
    decompressor.progress = &reinterpret_cast<JpegErrors*>(decompressor.err)->progress;
    SetJpegSource(&decompressor, &file);
    jpeg_read_header(&decompressor, TRUE);
    if (decompressor.image_width == 0 || decompressor.image_height == 0)
        return "Incorrect";
    jpeg_calc_output_dimensions(&decompressor);
    const u32 components = decompressor.output_components;
    if (components != 1 && components != 3)
        return "Unsupported";
    return nullptr;
}

void Image::SetJpegSource(jpeg_decompress_struct* decompressor, FileBinary* file)
{
    auto* source = static_cast<JpegSource*>(
        (*decompressor->mem->alloc_small)(reinterpret_cast<j_common_ptr>(decompressor), JPOOL_PERMANENT,
                                          sizeof(JpegSource)));
    source->buffer = static_cast<JOCTET*>((*decompressor->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(decompressor), JPOOL_PERMANENT, kJpegBufferSize));
    source->file = file;
    source->manager.init_source = JpegLeaveSource;
    source->manager.fill_input_buffer = JpegFillInputBuffer;
    source->manager.skip_input_data = JpegSkipInputData;
    source->manager.resync_to_restart = jpeg_resync_to_restart;
    source->manager.term_source = JpegLeaveSource;
    source->manager.bytes_in_buffer = 0;
    source->manager.next_input_byte = nullptr;
    decompressor->src = &source->manager;
}

int Image::JpegFillInputBuffer(jpeg_decompress_struct* decompressor)
{
    JpegSource* source = SourceOf(decompressor);
    u32 count = 0;
    source->file->Read(source->buffer, kJpegBufferSize, &count);
    // A file that ends before its picture does is refused: the end marker
    // the library's own sources make up would leave the rest grey.
    if (count == 0)
        ERREXIT(decompressor, JERR_INPUT_EOF);
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = count;
    return TRUE;
}

void Image::JpegSkipInputData(jpeg_decompress_struct* decompressor, long count)
{
    JpegSource* source = SourceOf(decompressor);
    if (count < 1)
        return;
    while (count > static_cast<long>(source->manager.bytes_in_buffer)) {
        count -= static_cast<long>(source->manager.bytes_in_buffer);
        JpegFillInputBuffer(decompressor);
    }
    source->manager.next_input_byte += count;
    source->manager.bytes_in_buffer -= count;
}

void Image::JpegLeaveSource(jpeg_decompress_struct*) {}

void Image::ResizeInto(u32 width, u32 height, u32 filter, Image& destination) const
{
    if (IsEmpty() || (width == width_ && height == height_)) {
        destination.Copy(*this);
        return;
    }
    destination.Create(messages_, width, height, bitsPerPixel_);
    if (filter == 0)
        ResizeNearest(destination);
    else if (filter == 1)
        ResizeBilinear(destination);
    else
        ResizeCubic(destination);
}

void Image::Resize(u32 width, u32 height, u32 filter)
{
    Image resized;
    ResizeInto(width, height, filter, resized);
    TakePixels(resized);
}

u8 Image::GetByte(i64 column, i64 row, u32 channel) const
{
    const i64 x = std::clamp<i64>(column, 0, width_ - 1);
    const i64 y = std::clamp<i64>(row, 0, height_ - 1);
    return data_[(static_cast<std::size_t>(y) * width_ + x) * GetBytesPerPixel() + channel];
}

void Image::ResizeNearest(Image& destination) const
{
    const u32 bytes = GetBytesPerPixel();
    u8* out = destination.GetData();
    for (u32 y = 0; y < destination.height_; ++y) {
        const i64 row = SourcePosition(height_, y, destination.height_, 1);
        for (u32 x = 0; x < destination.width_; ++x) {
            const i64 column = SourcePosition(width_, x, destination.width_, 1);
            for (u32 channel = 0; channel < bytes; ++channel)
                *out++ = GetByte(column, row, channel);
        }
    }
}

// 8-bit fractions; the last output row is pulled just inside the picture so
// that it still blends with the row above.
void Image::ResizeBilinear(Image& destination) const
{
    const u32 bytes = GetBytesPerPixel();
    u8* out = destination.GetData();
    for (u32 y = 0; y < destination.height_; ++y) {
        i64 fy = SourcePosition(height_, y, destination.height_, 256);
        if (y == destination.height_ - 1)
            fy = std::max<i64>(fy - 1, 0);
        const i64 row = fy >> 8;
        const i64 ay = fy & 255;
        for (u32 x = 0; x < destination.width_; ++x) {
            const i64 fx = SourcePosition(width_, x, destination.width_, 256);
            const i64 column = fx >> 8;
            const i64 ax = fx & 255;
            for (u32 channel = 0; channel < bytes; ++channel) {
                const i64 p00 = GetByte(column, row, channel);
                const i64 p01 = GetByte(column, row + 1, channel);
                const i64 p10 = GetByte(column + 1, row, channel);
                const i64 p11 = GetByte(column + 1, row + 1, channel);
                *out++ = static_cast<u8>(((256 - ax) * (256 - ay) * p00 + (256 - ax) * ay * p01 +
                                          ax * (256 - ay) * p10 + ax * ay * p11) >>
                                         16);
            }
        }
    }
}

void Image::ResizeCubic(Image& destination) const
{
    const u32 bytes = GetBytesPerPixel();
    u8* out = destination.GetData();
    for (u32 y = 0; y < destination.height_; ++y) {
        const i64 fy = SourcePosition(height_, y, destination.height_, 128);
        const i64 row = fy >> 7;
        for (u32 x = 0; x < destination.width_; ++x) {
            const i64 fx = SourcePosition(width_, x, destination.width_, 128);
            const i64 column = fx >> 7;
            for (u32 channel = 0; channel < bytes; ++channel) {
                i64 rows[4];
                for (i64 r = 0; r < 4; ++r) {
                    const i64 at = row - 1 + r;
                    rows[r] = Cubic(GetByte(column - 1, at, channel), GetByte(column, at, channel),
                                    GetByte(column + 1, at, channel), GetByte(column + 2, at, channel), fx & 127);
                }
                *out++ = static_cast<u8>(std::clamp<i64>(Cubic(rows[0], rows[1], rows[2], rows[3], fy & 127), 0, 255));
            }
        }
    }
}

bool Image::HasNoAlpha() const
{
    if (bitsPerPixel_ != 32)
        return false;
    for (std::size_t i = 3; i < GetByteSize(); i += 4) {
        if (data_[i] != 0)
            return false;
    }
    return true;
}

void Image::SetOpaque()
{
    if (bitsPerPixel_ != 32)
        return;
    for (std::size_t i = 3; i < GetByteSize(); i += 4)
        data_[i] = 255;
}

void Image::FlipVertical(Image* destination)
{
    Image flipped;
    flipped.Create(messages_, width_, height_, bitsPerPixel_);
    for (u32 row = 0; row < height_; ++row)
        std::memcpy(flipped.GetRow(row), GetRow(height_ - 1 - row), GetRowSize());
    (destination != nullptr ? *destination : *this).TakePixels(flipped);
}

void Image::SwapRedBlue(Image* destination)
{
    Image& target = Target(destination);
    if (&target != this)
        std::memcpy(target.GetData(), GetData(), GetByteSize());
    if (bitsPerPixel_ == 8)
        return;
    const u32 bytes = GetBytesPerPixel();
    u8* pixel = target.GetData();
    for (std::size_t i = 0; i < static_cast<std::size_t>(width_) * height_; ++i, pixel += bytes)
        std::swap(pixel[0], pixel[2]);
}

void Image::ConvertBitsPerPixel(u32 bitsPerPixel, Image* destination)
{
    if (bitsPerPixel == bitsPerPixel_) {
        if (destination != nullptr)
            destination->Copy(*this);
        return;
    }
    Image converted;
    converted.Create(messages_, width_, height_, bitsPerPixel);
    const u32 inBytes = GetBytesPerPixel();
    const u32 outBytes = bitsPerPixel / 8;
    const std::size_t pixels = static_cast<std::size_t>(width_) * height_;
    for (std::size_t i = 0; i < pixels; ++i)
        ConvertPixel(GetData() + i * inBytes, bitsPerPixel_, converted.GetData() + i * outBytes, bitsPerPixel);
    (destination != nullptr ? *destination : *this).TakePixels(converted);
}

void Image::Blit(u32 x, u32 y, const Image& source, Image* destination)
{
    Image& target = destination != nullptr ? *destination : *this;
    if (destination != nullptr)
        destination->Copy(*this);
    if (x >= width_ || y >= height_)
        return;
    Image converted;
    const Image* pixels = &source;
    if (source.bitsPerPixel_ != bitsPerPixel_) {
        converted.Copy(source);
        converted.ConvertBitsPerPixel(bitsPerPixel_);
        pixels = &converted;
    }
    const u32 columns = std::min(pixels->width_, width_ - x);
    const u32 rows = std::min(pixels->height_, height_ - y);
    const std::size_t bytes = static_cast<std::size_t>(columns) * GetBytesPerPixel();
    for (u32 r = 0; r < rows; ++r)
        std::memcpy(target.GetRow(y + r) + static_cast<std::size_t>(x) * GetBytesPerPixel(), pixels->GetRow(r), bytes);
}

void Image::Fill(const Vector4& color, Image* destination)
{
    Image& target = Target(destination);
    const u32 bytes = GetBytesPerPixel();
    u8 pixel[4] = {ToByte(color.x), ToByte(color.y), ToByte(color.z), ToByte(color.w)};
    if (bytes == 1)
        pixel[0] = ToByte(color.x * static_cast<float>(kGreyRed) + color.y * static_cast<float>(kGreyGreen) +
                          color.z * static_cast<float>(kGreyBlue));
    u8* out = target.GetData();
    for (std::size_t i = 0; i < static_cast<std::size_t>(width_) * height_; ++i, out += bytes)
        std::memcpy(out, pixel, bytes);
}

void Image::CreateCheckerboard(MessageManager* messages)
{
    constexpr u32 kSize = 64;
    constexpr u32 kCell = 8;
    Create(messages, kSize, kSize, 24);
    Fill(Vector4(0.0f, 0.0f, 0.0f, 1.0f));
    Image cell;
    cell.Create(messages, kCell, kCell, 32);
    cell.Fill(Vector4(1.0f, 1.0f, 0.0f, 1.0f));
    for (u32 i = 0; i < kSize / kCell; ++i) {
        for (u32 j = 0; j < kSize / kCell; ++j) {
            if ((i + j) % 2 == 0)
                Blit(kCell * i, kCell * j, cell);
        }
    }
}

} // namespace Halvard
