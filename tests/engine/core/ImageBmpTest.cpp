#include "engine/core/Image.h"

#include "tests/support/ImageFiles.h"
#include "tools/ImageWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using ::testing::ElementsAre;

namespace {

class ImageBmpTest : public Testing::ImageFormatTest {
protected:
    ImageBmpTest() : ImageFormatTest("pic.bmp") {}
};

} // namespace

TEST_F(ImageBmpTest, TwentyFourBitRowsSkipPaddingAndKeepTheFileRowOrder)
{
    ASSERT_TRUE(Load(Tools::BmpFile(3, 2, 24, {3, 2, 1, 6, 5, 4, 9, 8, 7, 13, 12, 11, 16, 15, 14, 19, 18, 17})));
    EXPECT_EQ(image.GetBitsPerPixel(), 24u);
    EXPECT_THAT(Bytes(), ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19));
}

TEST_F(ImageBmpTest, ThirtyTwoBitKeepsAlpha)
{
    ASSERT_TRUE(Load(Tools::BmpFile(1, 1, 32, {30, 20, 10, 40})));
    EXPECT_EQ(image.GetBitsPerPixel(), 32u);
    EXPECT_THAT(Bytes(), ElementsAre(10, 20, 30, 40));
}

TEST_F(ImageBmpTest, EightBitLooksColoursUpInThePalette)
{
    std::vector<u8> palette(1024, 0);
    palette[4 * 5 + 0] = 50;
    palette[4 * 5 + 1] = 60;
    palette[4 * 5 + 2] = 70;
    palette[4 * 255 + 2] = 255;
    ASSERT_TRUE(Load(Tools::BmpFile(2, 1, 8, {5, 255}, palette)));
    EXPECT_EQ(image.GetBitsPerPixel(), 24u);
    EXPECT_THAT(Bytes(), ElementsAre(70, 60, 50, 255, 0, 0));
}

TEST_F(ImageBmpTest, WrongSignatureIsAnIncorrectFormat)
{
    std::string bytes = Tools::BmpFile(1, 1, 24, {1, 2, 3});
    bytes[0] = 'X';
    ExpectRejected(bytes, "Incorrect \"pic.bmp\" file format");
}

TEST_F(ImageBmpTest, CompressedEightBitIsUnsupported)
{
    std::string bytes = Tools::BmpFile(2, 1, 8, {0, 0}, std::vector<u8>(1024, 0));
    bytes[30] = 1;
    ExpectRejected(bytes, "Unsupported \"pic.bmp\" file format");
}

TEST_F(ImageBmpTest, BitCountsWithoutADecoderAreUnsupported)
{
    ExpectRejected(Tools::BmpFile(2, 1, 16, {0, 0, 0, 0}), "Unsupported \"pic.bmp\" file format");
}

TEST_F(ImageBmpTest, PixelDataShorterThanTheSizeSaysIsIncorrect)
{
    const std::string bytes = Tools::BmpFile(4, 4, 24, std::vector<u8>(48, 1));
    ExpectRejected(bytes.substr(0, bytes.size() - 1), "Incorrect \"pic.bmp\" file format");
}

TEST_F(ImageBmpTest, ZeroOrNegativeSizesAreIncorrect)
{
    std::string bytes = Tools::BmpFile(1, 1, 24, {1, 2, 3});
    bytes[18] = 0;
    ExpectRejected(bytes, "Incorrect \"pic.bmp\" file format");
    bytes = Tools::BmpFile(1, 1, 24, {1, 2, 3});
    bytes[25] = '\xFF';
    ExpectRejected(bytes, "Incorrect \"pic.bmp\" file format");
}

TEST_F(ImageBmpTest, HugeDeclaredSizeInASmallFileIsIncorrect)
{
    std::string bytes = Tools::BmpFile(1, 1, 32, {1, 2, 3, 4});
    bytes[21] = 0x7F;
    bytes[25] = 0x7F;
    ExpectRejected(bytes, "Incorrect \"pic.bmp\" file format");
}

TEST_F(ImageBmpTest, FileShorterThanTheHeaderLogsTheReadError)
{
    ExpectRejected(Tools::BmpFile(1, 1, 24, {1, 2, 3}).substr(0, 20), "Failed to read 54 bytes");
}
