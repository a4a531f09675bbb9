#pragma once

#include "engine/core/FileManager.h"
#include "engine/core/Image.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Types.h"
#include "tests/support/QuietLog.h"
#include "tests/support/TempFolder.h"
#include "tools/ImageWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Testing {

// A TGA header of the size, pixel depth and image type given, the rest as
// the writer's defaults.
Tools::TgaHeader TgaHeaderOf(Halvard::u16 width, Halvard::u16 height, Halvard::u8 depth, Halvard::u8 type);

// A square run-length TGA of 32 bits in one colour: its file holds 5 bytes
// for every 512 it decodes to.
std::string RunLengthTga(Halvard::u16 side);

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
