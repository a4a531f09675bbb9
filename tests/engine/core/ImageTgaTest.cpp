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
constexpr u8 kOneAlphaBit = 1;

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

TEST_F(ImageTgaTest, SixteenBitPixelsWithOneAlphaBitWidenToThirtyTwoBits)
{
    ASSERT_TRUE(Load(Tools::TgaFile(Header(2, 1, 16, 2, kOneAlphaBit), {0x1F, 0x80, 0x00, 0x7C})));
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

// A 2 x 2 grey picture, bottom row 10, 20, stored from each corner.
TEST_F(ImageTgaTest, EveryOriginCornerGivesTheSamePicture)
{
    const struct {
        const char* corner;
        u8 descriptor;
        std::vector<u8> pixels;
    } cases[] = {
        {"bottom left", 0, {10, 20, 30, 40}},
        {"bottom right", 16, {20, 10, 40, 30}},
        {"top left", 32, {30, 40, 10, 20}},
        {"top right", 48, {40, 30, 20, 10}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.corner);
        ASSERT_TRUE(Load(Tools::TgaFile(Header(2, 2, 8, 3, test.descriptor), test.pixels)));
        EXPECT_THAT(Bytes(), ElementsAre(10, 20, 30, 40));
        ASSERT_TRUE(Load(Tools::TgaFile(Header(2, 1, 24, 2, test.descriptor),
                                        test.descriptor & 16 ? std::vector<u8>{6, 5, 4, 3, 2, 1}
                                                             : std::vector<u8>{3, 2, 1, 6, 5, 4})));
        EXPECT_THAT(Bytes(), ElementsAre(1, 2, 3, 4, 5, 6));
    }
}

TEST_F(ImageTgaTest, SixteenBitGreyIsGreyAndAlpha)
{
    for (const u8 type : {u8{3}, u8{11}}) {
        SCOPED_TRACE(int{type});
        const std::vector<u8> data =
            type == 3 ? std::vector<u8>{100, 200, 50, 0, 7, 255} : std::vector<u8>{0x02, 100, 200, 50, 0, 7, 255};
        ASSERT_TRUE(Load(Tools::TgaFile(Header(3, 1, 16, type), data)));
        EXPECT_EQ(image.GetBitsPerPixel(), 32u);
        EXPECT_THAT(Bytes(), ElementsAre(100, 100, 100, 200, 50, 50, 50, 0, 7, 7, 7, 255));
    }
}

TEST_F(ImageTgaTest, ColourMappedPixelsTakeTheirMapEntries)
{
    Tools::TgaHeader header = Header(3, 1, 8, 1);
    header.colorMapLength = 3;
    header.colorMapEntryBits = 24;
    header.colorMap = {3, 2, 1, 6, 5, 4, 9, 8, 7};
    ASSERT_TRUE(Load(Tools::TgaFile(header, {2, 0, 1})));
    EXPECT_EQ(image.GetBitsPerPixel(), 24u);
    EXPECT_THAT(Bytes(), ElementsAre(7, 8, 9, 1, 2, 3, 4, 5, 6));

    // Run-length encoded, 32-bit entries, the map starting at index 5.
    header = Header(3, 1, 8, 9, kTopLeft);
    header.id = "id";
    header.colorMapFirst = 5;
    header.colorMapLength = 2;
    header.colorMapEntryBits = 32;
    header.colorMap = {3, 2, 1, 4, 7, 6, 5, 8};
    ASSERT_TRUE(Load(Tools::TgaFile(header, {0x81, 6, 0x00, 5})));
    EXPECT_EQ(image.GetBitsPerPixel(), 32u);
    EXPECT_THAT(Bytes(), ElementsAre(5, 6, 7, 8, 5, 6, 7, 8, 1, 2, 3, 4));
}

TEST_F(ImageTgaTest, LayoutsNotDecodedAreRefusedNamingTheFile)
{
    const auto mapped = [](u8 depth, u8 entryBits, u16 first) {
        Tools::TgaHeader header = Header(2, 1, depth, 1);
        header.colorMapFirst = first;
        header.colorMapLength = 2;
        header.colorMapEntryBits = entryBits;
        return Tools::TgaFile(header, std::vector<u8>(2 * depth / 8, 1));
    };
    const struct {
        const char* name;
        std::string bytes;
        const char* word;
    } cases[] = {
        {"16-bit map entries", mapped(8, 16, 0), "Unsupported"},
        {"15-bit map entries", mapped(8, 15, 0), "Unsupported"},
        {"16-bit indices", mapped(16, 24, 0), "Unsupported"},
        {"index below the map", mapped(8, 24, 2), "Incorrect"},
        {"index past the map", mapped(8, 24, 0).substr(0, 24) + std::string{'\0', '\2'}, "Incorrect"},
        {"no image data", Tools::TgaFile(Header(1, 1, 8, 0), {1}), "Unsupported"},
        {"Huffman coded", Tools::TgaFile(Header(1, 1, 8, 32), {1}), "Unsupported"},
        {"wider than 2048", Tools::TgaFile(Header(2049, 1, 8, 3), std::vector<u8>(2049, 1)), "Incorrect"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        ExpectRejected(test.bytes, std::string(test.word) + " \"pic.tga\" file format");
    }
}

namespace {

// A 24-bit true-colour picture of 2 x 1 pixels, (1, 2, 3) and (4, 5, 6),
// after a colour map of three entries of the given size that it does not use.
std::string TrueColourAfterAMap(u8 entryBits, u8 type = 2)
{
    Tools::TgaHeader header = Header(2, 1, 24, type);
    header.colorMapLength = 3;
    header.colorMapEntryBits = entryBits;
    header.colorMap = std::vector<u8>(3 * ((entryBits + 7) / 8), 0x5A);
    const std::vector<u8> pixels = {3, 2, 1, 6, 5, 4};
    const std::vector<u8> packets = {0x01, 3, 2, 1, 6, 5, 4};
    return Tools::TgaFile(header, type == kRunLength ? packets : pixels);
}

// Two pixels of the one entry of a 32-bit colour map, (1, 2, 3, alpha).
std::string MappedOfAlpha(u8 alpha)
{
    Tools::TgaHeader header = Header(2, 1, 8, 1);
    header.colorMapLength = 1;
    header.colorMapEntryBits = 32;
    header.colorMap = {3, 2, 1, alpha};
    return Tools::TgaFile(header, {0, 0});
}

} // namespace

// Headers that other programs write for pictures the reader takes: each
// loads with the pixels the file holds.
TEST_F(ImageTgaTest, PicturesLoadWithThePixelsTheFileHolds)
{
    const struct {
        const char* name;
        std::string bytes;
        std::vector<u8> pixels;
    } cases[] = {
        {"16 bits, no alpha bits: opaque", Tools::TgaFile(Header(2, 1, 16), {0x1F, 0x80, 0x00, 0x7C}),
         {0, 0, 248, 255, 248, 0, 0, 255}},
        {"16 bits, run-length, no alpha bits: opaque",
         Tools::TgaFile(Header(2, 1, 16, kRunLength), {0x81, 0x00, 0x7C}), {248, 0, 0, 255, 248, 0, 0, 255}},
        {"16 bits, one alpha bit: the top bit",
         Tools::TgaFile(Header(2, 1, 16, 2, kOneAlphaBit), {0x00, 0x7C, 0x00, 0xFC}), {248, 0, 0, 0, 248, 0, 0, 255}},
        {"after a 15-bit map", TrueColourAfterAMap(15), {1, 2, 3, 4, 5, 6}},
        {"after a 16-bit map", TrueColourAfterAMap(16), {1, 2, 3, 4, 5, 6}},
        {"run-length after a 15-bit map", TrueColourAfterAMap(15, kRunLength), {1, 2, 3, 4, 5, 6}},
        {"after a 24-bit map", TrueColourAfterAMap(24), {1, 2, 3, 4, 5, 6}},
        {"32 bits, no alpha bits, fourth byte 0: opaque", Tools::TgaFile(Header(2, 1, 32), {3, 2, 1, 0, 6, 5, 4, 0}),
         {1, 2, 3, 255, 4, 5, 6, 255}},
        {"32 bits, no alpha bits, a fourth byte not 0: alpha",
         Tools::TgaFile(Header(2, 1, 32), {3, 2, 1, 0, 6, 5, 4, 9}), {1, 2, 3, 0, 4, 5, 6, 9}},
        {"32 bits, eight alpha bits, alpha 0", Tools::TgaFile(Header(2, 1, 32, 2, 8), {3, 2, 1, 0, 6, 5, 4, 0}),
         {1, 2, 3, 0, 4, 5, 6, 0}},
        {"32 bits, run-length, no alpha bits, fourth byte 0: opaque",
         Tools::TgaFile(Header(2, 1, 32, kRunLength), {0x81, 3, 2, 1, 0}), {1, 2, 3, 255, 1, 2, 3, 255}},
        {"32-bit map entries, no alpha bits, fourth byte 0: opaque", MappedOfAlpha(0), {1, 2, 3, 255, 1, 2, 3, 255}},
        {"32-bit map entries, no alpha bits, a fourth byte not 0: alpha", MappedOfAlpha(7), {1, 2, 3, 7, 1, 2, 3, 7}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        ASSERT_TRUE(Load(test.bytes)) << folder.LogText();
        EXPECT_EQ(Bytes(), test.pixels);
    }
}

// Pixel sizes no picture of the type is written with: reading them as the
// type's would show their bytes as garbage.
TEST_F(ImageTgaTest, PixelSizesTheTypeCannotHoldAreIncorrect)
{
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"true colour of 8 bits", Tools::TgaFile(Header(2, 1, 8), {7, 7})},
        {"run-length true colour of 8 bits", Tools::TgaFile(Header(2, 1, 8, kRunLength), {0x81, 7})},
        {"grey of 24 bits", Tools::TgaFile(Header(2, 1, 24, 3), {1, 2, 3, 4, 5, 6})},
        {"run-length grey of 24 bits", Tools::TgaFile(Header(2, 1, 24, 11), {0x81, 1, 2, 3})},
        {"grey of 32 bits", Tools::TgaFile(Header(1, 1, 32, 3), {1, 2, 3, 4})},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        ExpectRejected(test.bytes, "Incorrect \"pic.tga\" file format");
    }
}
