#include "engine/core/Image.h"

#include "tests/support/ImageFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using ::testing::HasSubstr;

TEST(ImageLoad, UnknownExtensionLogsItsType)
{
    Testing::ImageFolder folder;
    folder.Write("pic.png", "\x89PNG");
    Image image;
    EXPECT_FALSE(image.Load(&folder.Log(), &folder.Files(), "pic.png"));
    EXPECT_THAT(folder.LogText(), HasSubstr("Error: Unknown \"png\" image file type!"));
}

TEST(ImageLoad, MissingFileLogsTheOpenError)
{
    Testing::ImageFolder folder;
    Image image;
    EXPECT_FALSE(image.Load(&folder.Log(), &folder.Files(), "nothing.tga"));
    EXPECT_THAT(folder.LogText(), HasSubstr("Failed to open"));
}

TEST(ImageLoad, FailedLoadLeavesNoOldPicture)
{
    Testing::ImageFolder folder;
    folder.Write("bad.bmp", "not a bitmap at all, but long enough to hold a whole header of one");
    Image image;
    image.CreateCheckerboard(nullptr);
    EXPECT_FALSE(image.Load(&folder.Log(), &folder.Files(), "bad.bmp"));
    EXPECT_TRUE(image.IsEmpty());
}
