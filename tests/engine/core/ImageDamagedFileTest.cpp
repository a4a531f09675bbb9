#include "engine/core/Image.h"

#include "tests/support/ImageFiles.h"
#include "tools/ImageWriter.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Halvard;

// Every cut-short copy of a good file and copies with single bytes
// overwritten. A loader either rejects the file, logging why and leaving no
// picture, or gives a picture whose buffer matches its size. Built with
// AddressSanitizer this also shows that no loader reads past the file.

namespace {

struct Sample {
    std::string name;
    std::string bytes;
};

std::vector<u8> Pattern(std::size_t count)
{
    std::vector<u8> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<u8>(i * 37 + 11);
    return bytes;
}

std::vector<Sample> Samples()
{
    std::vector<Sample> samples;
    samples.push_back({"rgb.bmp", Tools::BmpFile(5, 3, 24, Pattern(5 * 3 * 3))});
    samples.push_back({"rgba.bmp", Tools::BmpFile(2, 2, 32, Pattern(2 * 2 * 4))});
    samples.push_back({"indexed.bmp", Tools::BmpFile(3, 2, 8, Pattern(3 * 2), Pattern(1024))});
    Tools::TgaHeader mapped = Testing::TgaHeaderOf(3, 2, 24, 2);
    mapped.id = "id";
    mapped.colorMapLength = 2;
    mapped.colorMapEntryBits = 24;
    samples.push_back({"rgb.tga", Tools::TgaFile(mapped, Pattern(3 * 2 * 3))});
    samples.push_back({"short.tga", Tools::TgaFile(Testing::TgaHeaderOf(2, 2, 16, 2), Pattern(2 * 2 * 2))});
    samples.push_back({"packed.tga", Tools::TgaFile(Testing::TgaHeaderOf(4, 2, 32, 10), {0x82, 1, 2, 3, 4, 0x04, 5, 6, 7, 8, 9, 10, 11, 12, 13,
                                                                   14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24})});
    samples.push_back({"colour.jpg", Tools::JpegFile(24, 16, 3, Pattern(24 * 16 * 3), 90)});
    samples.push_back({"grey.jpg", Tools::JpegFile(8, 8, 1, Pattern(8 * 8), 90)});
    samples.push_back({"progressive.jpg", Tools::JpegFile(16, 8, 3, Pattern(16 * 8 * 3), 90, 10)});
    return samples;
}

class ImageDamagedFileTest : public ::testing::Test {
protected:
    // Loads the bytes and checks that the outcome is whole either way.
    bool LoadChecked(const Sample& sample, const std::string& bytes, const std::string& what)
    {
        folder.Write(sample.name, bytes);
        const u32 logged = folder.Log().GetLogEntryCount();
        Image image;
        const bool loaded = image.Load(&folder.Log(), &folder.Files(), sample.name);
        if (loaded) {
            EXPECT_FALSE(image.IsEmpty()) << sample.name << " " << what;
            EXPECT_EQ(image.GetByteSize(),
                      static_cast<std::size_t>(image.GetWidth()) * image.GetHeight() * image.GetBitsPerPixel() / 8)
                << sample.name << " " << what;
        } else {
            EXPECT_TRUE(image.IsEmpty()) << sample.name << " " << what;
            EXPECT_GT(folder.Log().GetLogEntryCount(), logged) << sample.name << " " << what;
        }
        return loaded;
    }

    Testing::ImageFolder folder;
};

} // namespace

TEST_F(ImageDamagedFileTest, EveryCutShortFileIsRejected)
{
    for (const Sample& sample : Samples()) {
        ASSERT_TRUE(LoadChecked(sample, sample.bytes, "whole")) << sample.name;
        for (std::size_t size = 0; size < sample.bytes.size(); ++size)
            EXPECT_FALSE(LoadChecked(sample, sample.bytes.substr(0, size), "cut to " + std::to_string(size)))
                << sample.name << " cut to " << size;
    }
}

TEST_F(ImageDamagedFileTest, OverwrittenBytesNeverBreakTheLoader)
{
    for (const Sample& sample : Samples()) {
        for (std::size_t at = 0; at < sample.bytes.size(); ++at) {
            for (const char value : {'\x00', '\xFF', '\x7F'}) {
                std::string damaged = sample.bytes;
                if (damaged[at] == value)
                    continue;
                damaged[at] = value;
                LoadChecked(sample, damaged, "byte " + std::to_string(at));
            }
        }
    }
}
