#include "engine/core/Image.h"
#include "engine/core/LittleEndian.h"

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

// A fourth byte of 0 in every pixel is one the writer left unused, unless
// a bit field names it alpha.
TEST_F(ImageBmpTest, ThirtyTwoBitKeepsAlphaUnlessItIsZeroEverywhere)
{
    ASSERT_TRUE(Load(Tools::BmpFile(1, 1, 32, {30, 20, 10, 40})));
    EXPECT_EQ(image.GetBitsPerPixel(), 32u);
    EXPECT_THAT(Bytes(), ElementsAre(10, 20, 30, 40));
    ASSERT_TRUE(Load(Tools::BmpFile(2, 1, 32, {3, 2, 1, 0, 6, 5, 4, 9})));
    EXPECT_THAT(Bytes(), ElementsAre(1, 2, 3, 0, 4, 5, 6, 9));
    for (const u32 infoSize : {40u, 124u}) {
        ASSERT_TRUE(Load(Tools::BmpFile(2, 1, 32, {3, 2, 1, 0, 6, 5, 4, 0}, {}, {infoSize, 0, {}, 0})));
        EXPECT_THAT(Bytes(), ElementsAre(1, 2, 3, 255, 4, 5, 6, 255)) << infoSize;
    }
    const Tools::BmpLayout alphaField = {124, 3, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, 0};
    ASSERT_TRUE(Load(Tools::BmpFile(2, 1, 32, {3, 2, 1, 0, 6, 5, 4, 0}, {}, alphaField)));
    EXPECT_THAT(Bytes(), ElementsAre(1, 2, 3, 0, 4, 5, 6, 0));
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

namespace {

constexpr Halvard::u32 kBitFields = 3;
// Red, green, blue, alpha masks of the plain 32-bit byte order.
const std::vector<Halvard::u32> kPlainMasks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
const std::vector<Halvard::u32> kMasksWithoutAlpha = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};

struct LayoutCase {
    const char* name;
    Halvard::u32 bitCount;
    Tools::BmpLayout layout;
};

} // namespace

// Painting programs write longer headers, bit fields and gaps: the pixels are
// where the file header points, and decode as from the plain layout.
TEST_F(ImageBmpTest, PixelsAreReadFromTheDataOffsetOfEveryHeaderVersion)
{
    const LayoutCase cases[] = {
        {"40-byte header, gap", 24, {40, 0, {}, 6}},
        {"52-byte header", 24, {52, 0, {}, 0}},
        {"56-byte header", 24, {56, 0, {}, 0}},
        {"108-byte header", 24, {108, 0, {}, 0}},
        {"124-byte header", 24, {124, 0, {}, 0}},
        {"124-byte header, gap", 24, {124, 0, {}, 10}},
        {"32 bits, 124-byte header", 32, {124, 0, {}, 0}},
        {"bit fields with alpha, 124-byte header", 32, {124, kBitFields, kPlainMasks, 0}},
        {"bit fields with alpha, 108-byte header, gap", 32, {108, kBitFields, kPlainMasks, 4}},
        {"bit fields with alpha, 56-byte header", 32, {56, kBitFields, kPlainMasks, 0}},
    };
    for (const LayoutCase& test : cases) {
        SCOPED_TRACE(test.name);
        if (test.bitCount == 24) {
            ASSERT_TRUE(Load(Tools::BmpFile(2, 2, 24, {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}, {}, test.layout)));
            EXPECT_THAT(Bytes(), ElementsAre(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12));
        } else {
            ASSERT_TRUE(Load(Tools::BmpFile(2, 1, 32, {3, 2, 1, 40, 6, 5, 4, 80}, {}, test.layout)));
            EXPECT_THAT(Bytes(), ElementsAre(1, 2, 3, 40, 4, 5, 6, 80));
        }
    }
}

// Fields that give no alpha leave the fourth byte unused, often zero: the
// picture must not turn transparent.
TEST_F(ImageBmpTest, BitFieldsWithoutAlphaAreOpaque)
{
    const LayoutCase cases[] = {
        {"masks after a 40-byte header", 32, {40, kBitFields, {0x00FF0000, 0x0000FF00, 0x000000FF}, 0}},
        {"52-byte header", 32, {52, kBitFields, kPlainMasks, 0}},
        {"124-byte header, alpha mask 0", 32, {124, kBitFields, kMasksWithoutAlpha, 0}},
    };
    for (const LayoutCase& test : cases) {
        SCOPED_TRACE(test.name);
        ASSERT_TRUE(Load(Tools::BmpFile(2, 1, 32, {3, 2, 1, 0, 6, 5, 4, 9}, {}, test.layout)));
        EXPECT_THAT(Bytes(), ElementsAre(1, 2, 3, 255, 4, 5, 6, 255));
    }
}

TEST_F(ImageBmpTest, PaletteOfFewerEntriesLiesBetweenTheHeaderAndTheDataOffset)
{
    const std::vector<u8> palette = {10, 20, 30, 0, 40, 50, 60, 0};
    for (const Halvard::u32 infoSize : {40u, 124u}) {
        SCOPED_TRACE(infoSize);
        ASSERT_TRUE(Load(Tools::BmpFile(3, 1, 8, {1, 0, 1}, palette, {infoSize, 0, {}, 2})));
        EXPECT_THAT(Bytes(), ElementsAre(60, 50, 40, 30, 20, 10, 60, 50, 40));
    }
}

// An index past the entries the palette gives names no colour: drawn, it
// would show black where the picture has none.
TEST_F(ImageBmpTest, IndexPastThePaletteIsIncorrectAndTheLastEntryLoads)
{
    const std::vector<u8> twoEntries = {10, 20, 30, 0, 40, 50, 60, 0};
    std::vector<u8> fullPalette(1024, 0);
    fullPalette[4 * 255] = 9;
    const struct {
        const char* name;
        std::string bytes;
        std::vector<u8> pixels;
    } cases[] = {
        {"two entries, last one used", Tools::BmpFile(2, 1, 8, {1, 1}, twoEntries), {60, 50, 40, 60, 50, 40}},
        {"two entries, index 2", Tools::BmpFile(2, 1, 8, {1, 2}, twoEntries), {}},
        {"two entries, index 255 in the top row", Tools::BmpFile(1, 2, 8, {0, 255}, twoEntries), {}},
        {"two entries after a 124-byte header, index 3", Tools::BmpFile(1, 1, 8, {3}, twoEntries, {124, 0, {}, 2}),
         {}},
        {"a whole palette, index 255", Tools::BmpFile(1, 1, 8, {255}, fullPalette), {0, 0, 9}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        if (test.pixels.empty()) {
            ExpectRejected(test.bytes, "Incorrect \"pic.bmp\" file format");
        } else {
            ASSERT_TRUE(Load(test.bytes));
            EXPECT_EQ(Bytes(), test.pixels);
        }
    }
}

TEST_F(ImageBmpTest, LayoutsNotDecodedAreRefusedNamingTheFile)
{
    const std::vector<u8> rows24(12, 1);
    const std::vector<u8> rows32(8, 1);
    const struct {
        const char* name;
        std::string bytes;
        const char* word;
    } cases[] = {
        {"12-byte header", Tools::BmpFile(2, 2, 24, rows24, {}, {12, 0, {}, 0}), "Unsupported"},
        {"64-byte header", Tools::BmpFile(2, 2, 24, rows24, {}, {64, 0, {}, 0}), "Unsupported"},
        {"bit fields of 24 bits", Tools::BmpFile(2, 2, 24, rows24, {}, {124, kBitFields, kPlainMasks, 0}),
         "Unsupported"},
        {"red and blue fields swapped",
         Tools::BmpFile(2, 1, 32, rows32, {}, {124, kBitFields, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, 0}),
         "Unsupported"},
        {"alpha in the first byte",
         Tools::BmpFile(2, 1, 32, rows32, {}, {124, kBitFields, {0xFF000000, 0xFF0000, 0xFF00, 0xFF}, 0}),
         "Unsupported"},
        {"run-length 24 bits", Tools::BmpFile(2, 2, 24, rows24, {}, {40, 1, {}, 0}), "Unsupported"},
        {"embedded PNG", Tools::BmpFile(2, 2, 24, rows24, {}, {124, 5, {}, 0}), "Unsupported"},
        {"alpha bit fields code", Tools::BmpFile(2, 1, 32, rows32, {}, {40, 6, kPlainMasks, 0}), "Unsupported"},
        {"more than 256 colours", Tools::BmpFile(1, 1, 8, {0}, std::vector<u8>(1028, 0)), "Incorrect"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        ExpectRejected(test.bytes, std::string(test.word) + " \"pic.bmp\" file format");
    }
}

TEST_F(ImageBmpTest, DataOffsetInsideTheHeadersOrPastThePixelsIsIncorrect)
{
    for (const Halvard::u32 offset : {0u, 53u, 137u, 139u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        SCOPED_TRACE(offset);
        std::string bytes = Tools::BmpFile(2, 2, 24, std::vector<u8>(12, 1), {}, {124, 0, {}, 0});
        Halvard::WriteLittleEndian32(reinterpret_cast<u8*>(bytes.data()) + 10, offset);
        ExpectRejected(bytes, "Incorrect \"pic.bmp\" file format");
    }
}
