#include "tests/support/ImageFiles.h"

#include "engine/app/EngineSettings.h"
#include "tests/support/FileBytes.h"
#include "tests/support/LogProbe.h"

#include <gmock/gmock.h>

using namespace Halvard;

namespace Testing {

Tools::TgaHeader TgaHeaderOf(Halvard::u16 width, Halvard::u16 height, Halvard::u8 depth, Halvard::u8 type)
{
    Tools::TgaHeader header;
    header.width = width;
    header.height = height;
    header.depth = depth;
    header.imageType = type;
    return header;
}

std::string RunLengthTga(Halvard::u16 side)
{
    std::vector<Halvard::u8> packets;
    for (std::size_t i = 0; i < static_cast<std::size_t>(side) * side / 128; ++i)
        packets.insert(packets.end(), {0xFF, 1, 2, 3, 4});
    return Tools::TgaFile(TgaHeaderOf(side, side, 32, 10), packets);
}

ImageFolder::ImageFolder() : files_(&log_, folder_.Internal(), "") {}

std::string ImageFolder::LogText() const
{
    return LogProbe(log_).Joined();
}

bool ImageFormatTest::Load(const std::string& bytes)
{
    folder.Write(fileName_, bytes);
    return image.Load(&folder.Log(), &folder.Files(), fileName_);
}

std::vector<u8> ImageFormatTest::Bytes() const
{
    return ImageBytes(image);
}

void ImageFormatTest::ExpectRejected(const std::string& bytes, const std::string& text)
{
    EXPECT_FALSE(Load(bytes));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_THAT(folder.LogText(), ::testing::HasSubstr(text));
}

} // namespace Testing
