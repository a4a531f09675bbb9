#include "engine/core/Image.h"

#include "tests/support/ImageFiles.h"
#include "tools/ImageWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using ::testing::ElementsAre;

namespace {

constexpr u8 kRunLength = 10;
constexpr u8 kTopLeft = 32;

Tools::TgaHeader Header(u16 width, u16 height, u8 depth, u8 type = 2, u8 descriptor = 0)
{
    Tools::TgaHeader header;
    header.width = width;
    header.height = height;
    header.depth = depth;
    header.imageType = type;
    header.descriptor = descriptor;
    return header;
}

class ImageTgaTest : public Testing::ImageFormatTest {
protected:
    ImageTgaTest() : ImageFormatTest("pic.tga") {}
};

} // namespace

TEST_F(ImageTgaTest, BottomLeftOriginKeepsTheFileRowsBottomUp)
{
    ASSERT_TRUE(Load(Tools::TgaFile(Header(1, 2, 24), {3, 2, 1, 6, 5, 4})));
    EXPECT_EQ(image.GetBitsPerPixel(), 24u);
    EXPECT_THAT(Bytes(), ElementsAre(1, 2, 3, 4, 5, 6));
}

TEST_F(ImageTgaTest, TopLeftAndBottomLeftOriginsOfOnePictureLoadAlike)
{
    ASSERT_TRUE(Load(Tools::TgaFile(Header(2, 2, 8, 3, kTopLeft), {30, 40, 10, 20})));
    EXPECT_THAT(Bytes(), ElementsAre(10, 20, 30, 40));
    ASSERT_TRUE(Load(Tools::TgaFile(Header(2, 2, 8, 3), {10, 20, 30, 40})));
    EXPECT_THAT(Bytes(), ElementsAre(10, 20, 30, 40));
}

TEST_F(ImageTgaTest, SixteenBitPixelsWidenToThirtyTwoBits)
{
    ASSERT_TRUE(Load(Tools::TgaFile(Header(2, 1, 16), {0x1F, 0x80, 0x00, 0x7C})));
    EXPECT_EQ(image.GetBitsPerPixel(), 32u);
    EXPECT_THAT(Bytes(), ElementsAre(0, 0, 248, 255, 248, 0, 0, 0));
}

TEST_F(ImageTgaTest, ThirtyTwoBitPixelsBecomeRedGreenBlueAlpha)
{
    ASSERT_TRUE(Load(Tools::TgaFile(Header(1, 1, 32), {3, 2, 1, 4})));
    EXPECT_THAT(Bytes(), ElementsAre(1, 2, 3, 4));
}

TEST_F(ImageTgaTest, IdentificationAndColourMapAreSkipped)
{
    Tools::TgaHeader header = Header(1, 1, 8, 3);
    header.id = "made by a test";
    header.colorMapLength = 3;
    header.colorMapEntryBits = 24;
    ASSERT_TRUE(Load(Tools::TgaFile(header, {99})));
    EXPECT_THAT(Bytes(), ElementsAre(99));
}

TEST_F(ImageTgaTest, RunLengthPacketsRepeatAndCopyPixels)
{
    ASSERT_TRUE(Load(Tools::TgaFile(Header(5, 1, 8, 11, kTopLeft), {0x82, 7, 0x01, 8, 9})));
    EXPECT_THAT(Bytes(), ElementsAre(7, 7, 7, 8, 9));
}

TEST_F(ImageTgaTest, RunLengthPacketRunningPastThePictureIsCut)
{
    ASSERT_TRUE(Load(Tools::TgaFile(Header(3, 1, 24, kRunLength), {0xFF, 3, 2, 1})));
    EXPECT_THAT(Bytes(), ElementsAre(1, 2, 3, 1, 2, 3, 1, 2, 3));
}

TEST_F(ImageTgaTest, UnsupportedDepthIsRejected)
{
    ExpectRejected(Tools::TgaFile(Header(1, 1, 15), {0, 0}), "Unsupported \"pic.tga\" file format");
}

TEST_F(ImageTgaTest, MissingPixelsAreIncorrect)
{
    ExpectRejected(Tools::TgaFile(Header(2, 2, 24), std::vector<u8>(11, 0)), "Incorrect \"pic.tga\" file format");
}

TEST_F(ImageTgaTest, RunLengthDataEndingEarlyIsIncorrect)
{
    ExpectRejected(Tools::TgaFile(Header(4, 1, 24, kRunLength), {0x81, 1, 2, 3}), "Incorrect \"pic.tga\" file format");
    ExpectRejected(Tools::TgaFile(Header(4, 1, 24, kRunLength), {0x03, 1, 2, 3, 4, 5}), "Incorrect \"pic.tga\" file format");
}

TEST_F(ImageTgaTest, RunLengthSizeBeyondWhatTheDataCanHoldIsIncorrect)
{
    ExpectRejected(Tools::TgaFile(Header(65535, 65535, 32, kRunLength), {0xFF, 1, 2, 3, 4}),
                   "Incorrect \"pic.tga\" file format");
}

TEST_F(ImageTgaTest, ZeroSizeOrSkipPastTheEndIsIncorrect)
{
    ExpectRejected(Tools::TgaFile(Header(0, 1, 8), {}), "Incorrect \"pic.tga\" file format");
    Tools::TgaHeader header = Header(1, 1, 8);
    header.colorMapLength = 1000;
    header.colorMapEntryBits = 24;
    ExpectRejected(Tools::TgaFile(header, {1}).substr(0, 100), "Incorrect \"pic.tga\" file format");
}

TEST_F(ImageTgaTest, ShortHeaderLogsTheReadError)
{
    ExpectRejected(std::string(10, '\0'), "Failed to read 18 bytes");
}
