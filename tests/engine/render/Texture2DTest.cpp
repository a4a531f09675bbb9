#include "engine/render/Texture2D.h"

#include "engine/core/Config.h"
#include "engine/app/EngineSettings.h"
#include "engine/core/Image.h"
#include "engine/core/MessageManager.h"

#include "tests/support/FileBytes.h"
#include "tests/support/QuietLog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

using namespace Halvard;
using ::testing::ElementsAre;

namespace {

class PlainTexture : public Texture2D {
public:
    using Texture2D::Texture2D;
    Platform::TextureSurface* GetSurface() override { return nullptr; }
    void ReleaseSurface() override {}
    void RestoreSurface() override {}
};

class Texture2DTest : public ::testing::Test {
protected:
    PlainTexture Make(bool mipMapping) { return PlainTexture(&log, &config, nullptr, "key", mipMapping); }

    static void Fill(Image& image, u32 width, u32 height, u32 bits, const std::vector<u8>& bytes)
    {
        image.Create(nullptr, width, height, bits);
        std::memcpy(image.GetData(), bytes.data(), bytes.size());
    }

    static std::vector<u8> Bytes(const Image& image) { return Testing::ImageBytes(image); }

    Testing::QuietLog log;
    Config config{&log, nullptr, {.videoMode = "800x600x32"}};
};

} // namespace

TEST_F(Texture2DTest, MipMappingNeedsTheWishAndTheSetting)
{
    EXPECT_TRUE(Make(true).IsMipMapped());
    EXPECT_FALSE(Make(false).IsMipMapped());
    config.SetValue("r_use_mip_mapping", "0");
    EXPECT_FALSE(Make(true).IsMipMapped());
}

TEST_F(Texture2DTest, UsesAreCountedFromOne)
{
    PlainTexture texture = Make(false);
    EXPECT_EQ(texture.GetUseCount(), 1);
    texture.AddUse();
    EXPECT_EQ(texture.RemoveUse(), 1);
    EXPECT_EQ(texture.RemoveUse(), 0);
}

TEST_F(Texture2DTest, MipLevelAveragesTwoByTwoBlocksRoundingHalfUp)
{
    Image source;
    Fill(source, 4, 2, 8, {0, 1, 10, 10, 1, 1, 20, 21});
    Image level;
    Make(true).BuildMipLevel(source, level, 2, 1, false);
    EXPECT_EQ(level.GetBitsPerPixel(), 8u);
    EXPECT_THAT(Bytes(level), ElementsAre(1, 15));
}

TEST_F(Texture2DTest, MipLevelOfColourPixelsAveragesEveryChannel)
{
    Image source;
    Fill(source, 2, 2, 24, {0, 10, 200, 4, 10, 200, 8, 10, 100, 12, 10, 100});
    Image level;
    Make(true).BuildMipLevel(source, level, 1, 1, false);
    EXPECT_THAT(Bytes(level), ElementsAre(6, 10, 150));
}

TEST_F(Texture2DTest, AlphaOnlyLevelTakesTheAlphaOrFirstChannel)
{
    Image rgba;
    Fill(rgba, 2, 1, 32, {1, 2, 3, 100, 1, 2, 3, 50});
    Image level;
    const PlainTexture texture = Make(true);
    texture.BuildMipLevel(rgba, level, 1, 1, true);
    EXPECT_EQ(level.GetBitsPerPixel(), 8u);
    EXPECT_THAT(Bytes(level), ElementsAre(75));
    Image rgb;
    Fill(rgb, 2, 1, 24, {40, 2, 3, 80, 2, 3});
    texture.BuildMipLevel(rgb, level, 1, 1, true);
    EXPECT_THAT(Bytes(level), ElementsAre(60));
}

TEST_F(Texture2DTest, MipLevelOfAOnePixelHighSourceStaysInsideIt)
{
    Image source;
    Fill(source, 4, 1, 8, {10, 20, 30, 40});
    Image level;
    Make(true).BuildMipLevel(source, level, 2, 1, false);
    EXPECT_THAT(Bytes(level), ElementsAre(15, 35));
    Image column;
    Fill(column, 1, 1, 8, {9});
    Make(true).BuildMipLevel(column, level, 1, 1, false);
    EXPECT_THAT(Bytes(level), ElementsAre(9));
}
