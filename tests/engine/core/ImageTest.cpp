#include "engine/core/Image.h"

#include "tests/support/FileBytes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace Halvard;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

using Testing::ImageBytes;
using Testing::PixelBytes;

void Make(Image& image, u32 width, u32 height, u32 bits, const std::vector<u8>& bytes)
{
    image.Create(nullptr, width, height, bits);
    std::memcpy(image.GetData(), bytes.data(), bytes.size());
}

} // namespace

TEST(ImageBuffer, CreateSizesTheBufferAndFreeEmptiesIt)
{
    Image image;
    EXPECT_TRUE(image.IsEmpty());
    image.Create(nullptr, 3, 2, 24);
    EXPECT_FALSE(image.IsEmpty());
    EXPECT_EQ(image.GetByteSize(), 18u);
    image.Free();
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetWidth(), 0u);
}

TEST(ImageBuffer, CopyTakesTheSourceBytesAndAnEmptySourceEmptiesTheCopy)
{
    Image source;
    Make(source, 2, 1, 8, {7, 9});
    Image copy;
    copy.Copy(source);
    EXPECT_THAT(ImageBytes(copy), ElementsAre(7, 9));
    copy.Copy(Image());
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(ImageResize, SameSizeLeavesThePixelsUnchanged)
{
    Image image;
    Make(image, 2, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    for (u32 filter = 0; filter < 3; ++filter) {
        image.Resize(2, 2, filter);
        EXPECT_THAT(ImageBytes(image), ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12));
    }
}

TEST(ImageResize, NearestToThreeByThreeRepeatsTheSourcePixels)
{
    Image image;
    Make(image, 2, 2, 8, {10, 20, 30, 40});
    image.Resize(3, 3, 0);
    EXPECT_THAT(ImageBytes(image), ElementsAre(10, 10, 20, 10, 10, 20, 30, 30, 40));
}

TEST(ImageResize, BilinearBlendsNeighboursAndKeepsTheCorners)
{
    Image image;
    Make(image, 2, 1, 8, {0, 200});
    image.Resize(3, 1, 1);
    EXPECT_THAT(ImageBytes(image), ElementsAre(0, 100, 200));
}

TEST(ImageResize, BilinearLastRowBlendsWithTheRowAbove)
{
    Image image;
    Make(image, 1, 2, 8, {0, 255});
    image.Resize(1, 3, 1);
    // The last row sits 1/256 above the source's last row.
    EXPECT_THAT(ImageBytes(image), ElementsAre(0, 127, 254));
}

TEST(ImageResize, ToWidthOrHeightOneTakesTheFirstPixel)
{
    for (u32 filter = 0; filter < 3; ++filter) {
        Image image;
        Make(image, 3, 3, 8, {5, 6, 7, 8, 9, 10, 11, 12, 13});
        image.Resize(1, 1, filter);
        EXPECT_THAT(ImageBytes(image), ElementsAre(5)) << "filter " << filter;
        Make(image, 3, 3, 8, {5, 6, 7, 8, 9, 10, 11, 12, 13});
        image.Resize(3, 1, filter);
        EXPECT_THAT(ImageBytes(image), ElementsAre(5, 6, 7)) << "filter " << filter;
    }
}

TEST(ImageResize, FromSinglePixelRepeatsItForEveryFilter)
{
    for (u32 filter = 0; filter < 3; ++filter) {
        Image image;
        Make(image, 1, 1, 24, {9, 99, 199});
        image.Resize(4, 2, filter);
        ASSERT_EQ(image.GetByteSize(), 24u);
        for (u32 i = 0; i < 8; ++i)
            EXPECT_THAT(PixelBytes(image, i % 4, i / 4), ElementsAre(9, 99, 199)) << "filter " << filter;
    }
}

TEST(ImageResize, CubicKeepsAFlatPictureFlat)
{
    Image image;
    Make(image, 3, 3, 8, std::vector<u8>(9, 77));
    image.Resize(7, 5, 2);
    EXPECT_THAT(ImageBytes(image), ElementsAreArray(std::vector<u8>(35, 77)));
}

TEST(ImageResize, CubicClampsOvershootToTheByteRange)
{
    Image image;
    Make(image, 4, 1, 8, {0, 255, 255, 0});
    image.Resize(7, 1, 2);
    const std::vector<u8> bytes = ImageBytes(image);
    EXPECT_EQ(bytes.front(), 0);
    EXPECT_EQ(bytes[3], 255);
    EXPECT_EQ(bytes.back(), 0);
}

TEST(ImageResize, ResizeIntoLeavesTheSourceAlone)
{
    Image image;
    Make(image, 2, 1, 8, {1, 2});
    Image bigger;
    image.ResizeInto(4, 1, 0, bigger);
    EXPECT_EQ(bigger.GetWidth(), 4u);
    EXPECT_THAT(ImageBytes(image), ElementsAre(1, 2));
}

TEST(ImagePixels, FlipVerticalReversesTheRows)
{
    Image image;
    Make(image, 2, 3, 8, {1, 2, 3, 4, 5, 6});
    Image flipped;
    image.FlipVertical(&flipped);
    EXPECT_THAT(ImageBytes(flipped), ElementsAre(5, 6, 3, 4, 1, 2));
    EXPECT_THAT(ImageBytes(image), ElementsAre(1, 2, 3, 4, 5, 6));
    image.FlipVertical();
    EXPECT_THAT(ImageBytes(image), ElementsAre(5, 6, 3, 4, 1, 2));
}

TEST(ImagePixels, SwapRedBlueKeepsAlphaAndOnlyCopiesGrey)
{
    Image image;
    Make(image, 1, 1, 32, {1, 2, 3, 4});
    image.SwapRedBlue();
    EXPECT_THAT(ImageBytes(image), ElementsAre(3, 2, 1, 4));
    Image grey;
    Make(grey, 2, 1, 8, {1, 2});
    Image copy;
    grey.SwapRedBlue(&copy);
    EXPECT_THAT(ImageBytes(copy), ElementsAre(1, 2));
}

TEST(ImagePixels, ConvertToGreyWeighsTheChannels)
{
    Image image;
    Make(image, 3, 1, 24, {100, 0, 0, 0, 100, 0, 0, 0, 100});
    image.ConvertBitsPerPixel(8);
    EXPECT_THAT(ImageBytes(image), ElementsAre(22, 70, 7));
}

TEST(ImagePixels, ConvertBetweenColourDepths)
{
    Image image;
    Make(image, 1, 1, 24, {1, 2, 3});
    Image wide;
    image.ConvertBitsPerPixel(32, &wide);
    EXPECT_THAT(ImageBytes(wide), ElementsAre(1, 2, 3, 255));
    Make(wide, 1, 1, 32, {1, 2, 3, 4});
    Image alpha;
    wide.ConvertBitsPerPixel(8, &alpha);
    EXPECT_THAT(ImageBytes(alpha), ElementsAre(4));
    wide.ConvertBitsPerPixel(24);
    EXPECT_THAT(ImageBytes(wide), ElementsAre(1, 2, 3));
}

TEST(ImagePixels, GreyWidensToEqualChannelsAndOpaqueAlpha)
{
    Image image;
    Make(image, 1, 1, 8, {42});
    image.ConvertBitsPerPixel(32);
    EXPECT_THAT(ImageBytes(image), ElementsAre(42, 42, 42, 255));
}

TEST(ImagePixels, BlitCutsTheSourceAtTheEdges)
{
    Image target;
    Make(target, 3, 2, 8, {0, 0, 0, 0, 0, 0});
    Image source;
    Make(source, 2, 2, 8, {1, 2, 3, 4});
    target.Blit(2, 1, source);
    EXPECT_THAT(ImageBytes(target), ElementsAre(0, 0, 0, 0, 0, 1));
    target.Blit(3, 0, source);
    target.Blit(0, 2, source);
    EXPECT_THAT(ImageBytes(target), ElementsAre(0, 0, 0, 0, 0, 1));
}

TEST(ImagePixels, BlitConvertsTheSourceDepthAndCanWriteElsewhere)
{
    Image target;
    Make(target, 2, 1, 24, {0, 0, 0, 0, 0, 0});
    Image source;
    Make(source, 1, 1, 32, {9, 8, 7, 6});
    Image result;
    target.Blit(1, 0, source, &result);
    EXPECT_THAT(ImageBytes(result), ElementsAre(0, 0, 0, 9, 8, 7));
    EXPECT_THAT(ImageBytes(target), ElementsAre(0, 0, 0, 0, 0, 0));
}

TEST(ImagePixels, FillSetsEveryPixelByDepth)
{
    Image image;
    image.Create(nullptr, 2, 1, 32);
    image.Fill(Vector4(1.0f, 0.5f, 0.0f, 0.25f));
    EXPECT_THAT(ImageBytes(image), ElementsAre(255, 127, 0, 63, 255, 127, 0, 63));
    Image grey;
    grey.Create(nullptr, 1, 1, 8);
    grey.Fill(Vector4(1.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_THAT(ImageBytes(grey), ElementsAre(56));
    Image filled;
    grey.Fill(Vector4(2.0f, 2.0f, -1.0f, 1.0f), &filled);
    EXPECT_THAT(ImageBytes(filled), ElementsAre(255));
    EXPECT_EQ(ImageBytes(grey)[0], 56);
}

TEST(ImageCheckerboard, IsYellowAndBlackEightPixelCells)
{
    Image board;
    board.CreateCheckerboard(nullptr);
    EXPECT_EQ(board.GetWidth(), 64u);
    EXPECT_EQ(board.GetHeight(), 64u);
    EXPECT_EQ(board.GetBitsPerPixel(), 24u);
    EXPECT_THAT(PixelBytes(board, 0, 0), ElementsAre(255, 255, 0));
    EXPECT_THAT(PixelBytes(board, 8, 0), ElementsAre(0, 0, 0));
    EXPECT_THAT(PixelBytes(board, 0, 8), ElementsAre(0, 0, 0));
    EXPECT_THAT(PixelBytes(board, 15, 15), ElementsAre(255, 255, 0));
    EXPECT_THAT(PixelBytes(board, 63, 0), ElementsAre(0, 0, 0));
}
