#include "engine/core/Image.h"

#include "tests/support/ImageFiles.h"
#include "tools/ImageWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace Halvard;
using ::testing::HasSubstr;

namespace {

// 16 x 16, the top half red and the bottom half blue.
std::string RedOverBlue()
{
    std::vector<u8> rows;
    for (u32 y = 0; y < 16; ++y) {
        for (u32 x = 0; x < 16; ++x) {
            const bool top = y < 8;
            rows.insert(rows.end(), {u8(top ? 255 : 0), 0, u8(top ? 0 : 255)});
        }
    }
    return Tools::JpegFile(16, 16, 3, rows);
}

class ImageJpegTest : public ::testing::Test {
protected:
    bool Load(const std::string& bytes, const std::string& name = "pic.jpg")
    {
        folder.Write(name, bytes);
        return image.Load(&folder.Log(), &folder.Files(), name);
    }

    void ExpectNear(u32 x, u32 y, std::initializer_list<int> expected) const
    {
        const u32 bytes = image.GetBitsPerPixel() / 8;
        const u8* pixel = image.GetData() + (y * image.GetWidth() + x) * bytes;
        u32 channel = 0;
        for (int value : expected)
            EXPECT_LE(std::abs(pixel[channel++] - value), 4) << "pixel " << x << ", " << y;
    }

    void ExpectRejected(const std::string& bytes)
    {
        EXPECT_FALSE(Load(bytes));
        EXPECT_TRUE(image.IsEmpty());
        EXPECT_THAT(folder.LogText(), HasSubstr("Incorrect \"pic.jpg\" file format"));
    }

    Testing::ImageFolder folder;
    Image image;
};

} // namespace

TEST_F(ImageJpegTest, ColourPictureLoadsBottomRowFirst)
{
    ASSERT_TRUE(Load(RedOverBlue()));
    EXPECT_EQ(image.GetWidth(), 16u);
    EXPECT_EQ(image.GetHeight(), 16u);
    EXPECT_EQ(image.GetBitsPerPixel(), 24u);
    ExpectNear(3, 0, {0, 0, 255});
    ExpectNear(3, 15, {255, 0, 0});
}

TEST_F(ImageJpegTest, GreyPictureLoadsAsEightBits)
{
    std::vector<u8> rows(8 * 8, 200);
    ASSERT_TRUE(Load(Tools::JpegFile(8, 8, 1, rows)));
    EXPECT_EQ(image.GetBitsPerPixel(), 8u);
    ExpectNear(4, 4, {200});
}

TEST_F(ImageJpegTest, BothExtensionsInAnyCaseReachTheJpegLoader)
{
    EXPECT_TRUE(Load(RedOverBlue(), "PIC.JPEG"));
    EXPECT_TRUE(Load(RedOverBlue(), "pic.jpg"));
}

TEST_F(ImageJpegTest, PictureLargerThanTheReadBufferLoads)
{
    std::vector<u8> rows(128 * 96 * 3);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<u8>(i * 7919 % 251);
    const std::string bytes = Tools::JpegFile(128, 96, 3, rows);
    ASSERT_GT(bytes.size(), 4096u);
    ASSERT_TRUE(Load(bytes));
    EXPECT_EQ(image.GetWidth(), 128u);
}

namespace {

std::vector<u8> Noise(std::size_t count)
{
    std::vector<u8> rows(count);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<u8>(i * 31 % 256);
    return rows;
}

} // namespace

// The library reads on past damaged or missing data, leaving what it lacks
// grey, and past any number of scans.
TEST_F(ImageJpegTest, DamagedDataAndScansPastTheBoundAreRejected)
{
    const std::string whole = Tools::JpegFile(64, 64, 3, Noise(64 * 64 * 3));
    const std::size_t frame = whole.find("\xFF\xC0");
    const std::size_t data = whole.find("\xFF\xDA");
    ASSERT_NE(data, std::string::npos);
    const std::size_t middle = (data + whole.size()) / 2;
    std::string claimsMore = whole;
    claimsMore.replace(frame + 5, 4, std::string("\x08\x00\x08\x00", 4));
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"cut", whole.substr(0, whole.size() / 2)},
        {"cut, then its end marker", whole.substr(0, middle) + "\xFF\xD9"},
        {"a stray marker in its data", whole.substr(0, middle) + "\xFF\xD0" + whole.substr(middle)},
        {"a header of 2048 x 2048 over 64 x 64 data", claimsMore},
        {"101 scans", Tools::JpegFile(16, 16, 3, Noise(16 * 16 * 3), 100, 101)},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        ExpectRejected(test.bytes);
    }
}

TEST_F(ImageJpegTest, ProgressivePicturesUpToTheBoundOfScansLoad)
{
    ASSERT_TRUE(Load(Tools::JpegFile(8, 8, 1, std::vector<u8>(8 * 8, 200), 100, 64)));
    ExpectNear(4, 4, {200});
    ASSERT_TRUE(Load(Tools::JpegFile(16, 16, 3, Noise(16 * 16 * 3), 100, 100)));
}

TEST_F(ImageJpegTest, CorruptHeaderReturnsToTheLoader)
{
    std::string bytes = RedOverBlue();
    for (std::size_t i = 2; i < 200 && i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(0xA5);
    ExpectRejected(bytes);
}

TEST_F(ImageJpegTest, FileThatIsNoJpegAtAllIsRejected)
{
    ExpectRejected("this is plain text, not a picture");
    ExpectRejected("");
}

TEST_F(ImageJpegTest, ZeroHeightInTheFrameHeaderIsRejected)
{
    std::string bytes = RedOverBlue();
    const std::size_t frame = bytes.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    bytes[frame + 5] = 0;
    bytes[frame + 6] = 0;
    ExpectRejected(bytes);
}
