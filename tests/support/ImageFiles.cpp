#include "tests/support/ImageFiles.h"

#include "engine/app/EngineSettings.h"

#include <gmock/gmock.h>

using namespace Halvard;

namespace Testing {

ImageFolder::ImageFolder() : log_("", false, false, "", ""), files_(&log_, folder_.Internal(), "") {}

std::string ImageFolder::LogText() const
{
    std::string text;
    for (u32 i = 0; i < log_.GetLogEntryCount(); ++i)
        text += log_.GetLogEntry(i).text;
    return text;
}

bool ImageFormatTest::Load(const std::string& bytes)
{
    folder.Write(fileName_, bytes);
    return image.Load(&folder.Log(), &folder.Files(), fileName_);
}

std::vector<u8> ImageFormatTest::Bytes() const
{
    return std::vector<u8>(image.GetData(), image.GetData() + image.GetByteSize());
}

void ImageFormatTest::ExpectRejected(const std::string& bytes, const std::string& text)
{
    EXPECT_FALSE(Load(bytes));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_THAT(folder.LogText(), ::testing::HasSubstr(text));
}

} // namespace Testing
