#include "engine/core/Image.h"

#include "tests/support/ImageFiles.h"
#include "tools/ImageWriter.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Halvard;

// The size of a picture read from its header, as a resource list counts it
// before anything is decoded: it must be what the load makes, and a header
// the load refuses gives none.

namespace {

struct Picture {
    const char* name;
    std::string bytes;
};

std::string ColourMapped()
{
    Tools::TgaHeader header = Testing::TgaHeaderOf(3, 1, 8, 1);
    header.colorMapLength = 2;
    header.colorMapEntryBits = 24;
    return Tools::TgaFile(header, {0, 1, 0});
}

// 128 x 4 pixels of 32 bits in four run-length packets.
std::string RunLength()
{
    std::vector<u8> packets;
    for (int packet = 0; packet < 4; ++packet)
        packets.insert(packets.end(), {0xFF, 1, 2, 3, 4});
    return Tools::TgaFile(Testing::TgaHeaderOf(128, 4, 32, 10), packets);
}

std::vector<u8> Bytes(std::size_t count) { return std::vector<u8>(count, 77); }

// Peeks at the picture's header, then loads it: the peek logs nothing and
// gives a size exactly when the load succeeds, the loaded image's size.
// Whether the picture loaded.
bool PeekAgreesWithLoad(const Picture& picture)
{
    SCOPED_TRACE(picture.name);
    Testing::ImageFolder folder;
    folder.Write(picture.name, picture.bytes);
    const u32 logged = folder.Log().GetLogEntryCount();
    u64 bytes = 0;
    const bool peeked = Image::PeekByteSize(&folder.Files(), picture.name, bytes);
    EXPECT_EQ(folder.Log().GetLogEntryCount(), logged);
    Image image;
    const bool loaded = image.Load(&folder.Log(), &folder.Files(), picture.name);
    EXPECT_EQ(peeked, loaded);
    if (peeked && loaded)
        EXPECT_EQ(bytes, image.GetByteSize());
    return loaded;
}

} // namespace

TEST(ImagePeek, TheHeaderGivesTheBytesOfTheLoadedPicture)
{
    const Picture pictures[] = {
        {"rgb.bmp", Tools::BmpFile(3, 2, 24, Bytes(18))},
        {"rgba.bmp", Tools::BmpFile(2, 2, 32, Bytes(16))},
        {"indexed.bmp", Tools::BmpFile(3, 2, 8, Bytes(6), Bytes(1024))},
        {"rgb.tga", Tools::TgaFile(Testing::TgaHeaderOf(5, 3, 24, 2), Bytes(45))},
        {"sixteen.tga", Tools::TgaFile(Testing::TgaHeaderOf(2, 3, 16, 2), Bytes(12))},
        {"grey-alpha.tga", Tools::TgaFile(Testing::TgaHeaderOf(2, 1, 16, 3), Bytes(4))},
        {"mapped.tga", ColourMapped()},
        {"packed.tga", RunLength()},
        {"colour.jpg", Tools::JpegFile(24, 16, 3, Bytes(24 * 16 * 3))},
        {"GREY.JPEG", Tools::JpegFile(9, 7, 1, Bytes(9 * 7))},
        {"widest.bmp", Tools::BmpFile(2048, 1, 24, Bytes(2048 * 3))},
        {"highest.tga", Tools::TgaFile(Testing::TgaHeaderOf(1, 2048, 8, 3), Bytes(2048))},
        {"widest.jpg", Tools::JpegFile(2048, 1, 1, Bytes(2048))},
    };
    for (const Picture& picture : pictures)
        EXPECT_TRUE(PeekAgreesWithLoad(picture)) << picture.name;
}

TEST(ImagePeek, AHeaderTheLoadRefusesGivesNoSizeAndLogsNothing)
{
    std::string badSignature = Tools::BmpFile(1, 1, 24, Bytes(3));
    badSignature[0] = 'X';
    const Picture pictures[] = {
        {"pic.png", "\x89PNG"},
        {"bad.bmp", badSignature},
        {"sixteen.bmp", Tools::BmpFile(2, 1, 16, Bytes(4))},
        {"short.bmp", Tools::BmpFile(4, 4, 24, Bytes(48)).substr(0, 100)},
        {"grey24.tga", Tools::TgaFile(Testing::TgaHeaderOf(2, 1, 24, 3), Bytes(6))},
        {"short.tga", Tools::TgaFile(Testing::TgaHeaderOf(2, 2, 24, 2), Bytes(11))},
        {"huge.tga", Tools::TgaFile(Testing::TgaHeaderOf(65535, 65535, 32, 10), {0xFF, 1, 2, 3, 4})},
        {"text.jpg", "not a picture at all"},
        {"cut.jpg", Tools::JpegFile(8, 8, 3, Bytes(8 * 8 * 3)).substr(0, 20)},
    };
    for (const Picture& picture : pictures)
        EXPECT_FALSE(PeekAgreesWithLoad(picture)) << picture.name;
    Testing::ImageFolder folder;
    u64 bytes = 0;
    EXPECT_FALSE(Image::PeekByteSize(&folder.Files(), "missing.tga", bytes));
}

// A count of what a set of pictures takes must see what such a picture
// claims, so that the set is refused as it would be had it been decoded.
TEST(ImagePeek, APictureBeyondTheSideBoundGivesWhatItsHeaderClaimsAndDoesNotLoad)
{
    const struct {
        Picture picture;
        u64 claimed;
    } pictures[] = {
        {{"too-high.bmp", Tools::BmpFile(1, 2049, 24, Bytes(2049 * 4))}, 2049 * 3},
        {{"too-wide.tga", Tools::TgaFile(Testing::TgaHeaderOf(2049, 1, 8, 3), Bytes(2049))}, 2049},
        {{"too-high.jpg", Tools::JpegFile(1, 2049, 1, Bytes(2049))}, 2049},
    };
    for (const auto& [picture, claimed] : pictures) {
        SCOPED_TRACE(picture.name);
        Testing::ImageFolder folder;
        folder.Write(picture.name, picture.bytes);
        u64 bytes = 0;
        EXPECT_TRUE(Image::PeekByteSize(&folder.Files(), picture.name, bytes));
        EXPECT_EQ(bytes, claimed);
        Image image;
        EXPECT_FALSE(image.Load(&folder.Log(), &folder.Files(), picture.name));
    }
}
