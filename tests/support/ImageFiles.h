#pragma once

#include "engine/core/FileManager.h"
#include "engine/core/Image.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Types.h"
#include "tests/support/QuietLog.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Testing {

// The bytes of image files, made the way other programs write them.

// Rows in file order (bottom row first) and file byte order (blue, green,
// red, alpha), without padding; the padding to 4 bytes is added. An 8-bit
// file takes 256 palette entries of blue, green, red, reserved.
std::string BmpFile(Halvard::u32 width, Halvard::u32 height, Halvard::u32 bitCount,
                    const std::vector<Halvard::u8>& rows, const std::vector<Halvard::u8>& palette = {});

struct TgaHeader {
    Halvard::u8 imageType = 2;
    Halvard::u16 width = 0;
    Halvard::u16 height = 0;
    Halvard::u8 depth = 24;
    Halvard::u8 descriptor = 0;
    std::string id;
    Halvard::u16 colorMapLength = 0;
    Halvard::u8 colorMapEntryBits = 0;
};

// The header, the ID, a colour map of zero bytes and the data as given.
std::string TgaFile(const TgaHeader& header, const std::vector<Halvard::u8>& data);

// A JPEG of 1 (grey) or 3 (red, green, blue) components; rows top first.
std::string JpegFile(Halvard::u32 width, Halvard::u32 height, Halvard::u32 components,
                     const std::vector<Halvard::u8>& rows, int quality = 100);

// A temporary data folder with a file manager and a log that keeps entries
// only.
class ImageFolder {
public:
    ImageFolder();

    void Write(const std::string& name, const std::string& bytes) const { folder_.WriteFile(name, bytes); }
    Halvard::FileManager& Files() { return files_; }
    Halvard::MessageManager& Log() { return log_; }
    // Every logged line, in order, joined.
    std::string LogText() const;

private:
    TempFolder folder_;
    QuietLog log_;
    Halvard::FileManager files_;
};

// Loads bytes written under one file name into an image, for the tests of
// one image format.
class ImageFormatTest : public ::testing::Test {
protected:
    explicit ImageFormatTest(std::string fileName) : fileName_(std::move(fileName)) {}

    bool Load(const std::string& bytes);
    // The image's pixel bytes as loaded.
    std::vector<Halvard::u8> Bytes() const;
    // The load fails, leaves the image empty and logs a line holding text.
    void ExpectRejected(const std::string& bytes, const std::string& text);

    ImageFolder folder;
    Halvard::Image image;

private:
    std::string fileName_;
};

} // namespace Testing
