#include "engine/render/TextureManager.h"

#include "engine/core/Image.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "tests/support/TextureHarness.h"
#include "tools/ImageWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using namespace Halvard;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using Testing::TextureHarness;

namespace {

constexpr u32 kYellow = 0xFFFF00u;
constexpr u32 kBlack = 0u;

// A grey picture: every byte of every pixel is the value.
std::string GreyBmp(u32 width, u32 height, u8 value)
{
    return Tools::BmpFile(width, height, 24, std::vector<u8>(static_cast<std::size_t>(width) * height * 3, value));
}

std::string Tga32(u16 width, u16 height, const std::vector<u8>& pixels)
{
    Tools::TgaHeader header;
    header.width = width;
    header.height = height;
    header.depth = 32;
    return Tools::TgaFile(header, pixels);
}

class TextureManagerTest : public ::testing::Test {
protected:
    TextureManager& Manager()
    {
        if (!harness.manager)
            harness.Start();
        return *harness.manager;
    }

    bool Warned(const std::string& text) const
    {
        const std::vector<std::string> log = harness.render.Log();
        return std::any_of(log.begin(), log.end(),
                           [&text](const std::string& line) { return line.find("Warning: " + text) != std::string::npos; });
    }

    TextureHarness harness;
};

} // namespace

TEST(TextureManagerKey, NamesBothFilesLowerCasedAndTheMipMapping)
{
    EXPECT_EQ(TextureManager::MakeTextureKey(true, "Stone.JPG", "Stone_A.jpg"),
              "diffuse_stone.jpg_plus_opacity_stone_a.jpg_with_mip_mapping");
    EXPECT_EQ(TextureManager::MakeTextureKey(false, "Wall.bmp", ""), "diffuse_wall.bmp");
}

TEST(TextureManagerSizes, PowersOfTwoRunFromZeroTo65536)
{
    EXPECT_TRUE(TextureManager::IsPowerOfTwo(0));
    EXPECT_TRUE(TextureManager::IsPowerOfTwo(1));
    EXPECT_TRUE(TextureManager::IsPowerOfTwo(65536));
    EXPECT_FALSE(TextureManager::IsPowerOfTwo(131072));
    EXPECT_FALSE(TextureManager::IsPowerOfTwo(384));
}

TEST(TextureManagerSizes, NearestPowerOfTwoPrefersTheLargerOnATie)
{
    EXPECT_EQ(TextureManager::NearestPowerOfTwo(300), 256u);
    EXPECT_EQ(TextureManager::NearestPowerOfTwo(384), 512u);
    EXPECT_EQ(TextureManager::NearestPowerOfTwo(640), 512u);
    EXPECT_EQ(TextureManager::NearestPowerOfTwo(1000), 1024u);
    EXPECT_EQ(TextureManager::NearestPowerOfTwo(3), 4u);
}

TEST_F(TextureManagerTest, OddSizedPictureIsWarnedAboutAndResized)
{
    harness.folder.Write("odd.bmp", GreyBmp(300, 384, 50));
    Texture2D* texture = Manager().GetTexture(false, "odd.bmp", "");
    EXPECT_TRUE(Warned("Texture Manager: \"odd.bmp\" image size should be power of two"));
    EXPECT_EQ(texture->GetWidth(), 256u);
    EXPECT_EQ(texture->GetHeight(), 512u);
}

TEST_F(TextureManagerTest, SizeIsLimitedByTheDevice)
{
    for (auto& device : harness.render.video.adapters[0].devices)
        device.maxTextureWidth = 256;
    harness.folder.Write("wide.bmp", GreyBmp(1000, 4, 50));
    Texture2D* texture = Manager().GetTexture(false, "wide.bmp", "");
    EXPECT_EQ(texture->GetWidth(), 256u);
    EXPECT_EQ(texture->GetHeight(), 4u);
}

TEST_F(TextureManagerTest, OpacityIsComparedWithTheResizedPicture)
{
    harness.folder.Write("d.bmp", GreyBmp(300, 300, 50));
    harness.folder.Write("a.bmp", GreyBmp(300, 300, 60));
    Texture2D* texture = Manager().GetTexture(false, "d.bmp", "a.bmp");
    EXPECT_TRUE(Warned("Texture Manager: \"a.bmp\" image size should be the same as \"d.bmp\""));
    EXPECT_EQ(texture->GetWidth(), 256u);
    EXPECT_EQ(TextureHarness::LevelPixels(*texture, 0)[0], 0x3C323232u);
}

TEST_F(TextureManagerTest, MissingPictureBecomesTheCheckerboard)
{
    Texture2D* texture = Manager().GetTexture(false, "missing.jpg", "");
    EXPECT_EQ(texture->GetWidth(), 64u);
    EXPECT_EQ(texture->GetHeight(), 64u);
    const std::vector<u32> pixels = TextureHarness::LevelPixels(*texture, 0);
    EXPECT_EQ(pixels[0], kYellow);
    EXPECT_EQ(pixels[8], kBlack);
    EXPECT_EQ(pixels[8 * 64 + 8], kYellow);
    EXPECT_THAT(harness.render.Errors(), Contains(HasSubstr("Failed to open")));
}

TEST_F(TextureManagerTest, MissingOpacityIsDropped)
{
    harness.folder.Write("d.bmp", GreyBmp(2, 2, 50));
    Texture2D* texture = Manager().GetTexture(false, "d.bmp", "none.tga");
    EXPECT_EQ(TextureHarness::Description(*texture).format.alphaMask, 0u);
    EXPECT_EQ(texture->GetByteSize(), 2u * 2u * 3u);
}

TEST_F(TextureManagerTest, OpacityFromTheSameFileTakesItsAlphaOrFirstByte)
{
    harness.folder.Write("both.tga", Tga32(1, 1, {3, 2, 1, 77}));
    EXPECT_EQ(TextureHarness::LevelPixels(*Manager().GetTexture(false, "both.tga", "both.tga"), 0)[0], 0x4D010203u);
    harness.folder.Write("both.bmp", Tools::BmpFile(1, 1, 24, {3, 2, 1}));
    EXPECT_EQ(TextureHarness::LevelPixels(*Manager().GetTexture(false, "both.bmp", "both.bmp"), 0)[0], 0x01010203u);
}

TEST_F(TextureManagerTest, SameFilesInOtherCaseShareOneTexture)
{
    harness.folder.Write("Stone.bmp", GreyBmp(2, 2, 50));
    Texture2D* first = Manager().GetTexture(false, "Stone.bmp", "");
    Texture2D* second = Manager().GetTexture(false, "STONE.BMP", "");
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->GetUseCount(), 2);
    Texture2D* mipMapped = Manager().GetTexture(true, "Stone.bmp", "");
    EXPECT_NE(mipMapped, first);
    EXPECT_EQ(Manager().GetTextureCount(), 2u);
    EXPECT_EQ(harness.render.video.CountCalls("CreateTextureSurface"), 2);
}

TEST_F(TextureManagerTest, MipMappingSwitchedOffStillKeysTheWish)
{
    harness.render.config->SetValue("r_use_mip_mapping", "0");
    harness.folder.Write("s.bmp", GreyBmp(4, 4, 50));
    Texture2D* texture = Manager().GetTexture(true, "s.bmp", "");
    EXPECT_EQ(texture->GetKey(), "diffuse_s.bmp_with_mip_mapping");
    EXPECT_FALSE(texture->IsMipMapped());
}

TEST_F(TextureManagerTest, LastReleaseDeletesAndLaterReleasesDoNothing)
{
    harness.folder.Write("s.bmp", GreyBmp(2, 2, 50));
    Texture2D* texture = Manager().GetTexture(false, "s.bmp", "");
    Manager().GetTexture(false, "s.bmp", "");
    Manager().ReleaseTexture(texture);
    EXPECT_EQ(Manager().GetTextureCount(), 1u);
    Manager().ReleaseTexture(texture);
    EXPECT_EQ(Manager().GetTextureCount(), 0u);
    Manager().ReleaseTexture(nullptr);
    Texture2D* again = Manager().GetTexture(false, "s.bmp", "");
    EXPECT_EQ(again->GetUseCount(), 1);
    EXPECT_EQ(harness.render.video.CountCalls("CreateTextureSurface"), 2);
}

TEST_F(TextureManagerTest, StatisticsCountEveryTexture)
{
    harness.folder.Write("a.bmp", GreyBmp(4, 4, 50));
    harness.folder.Write("b.bmp", GreyBmp(2, 2, 50));
    Texture2D* a = Manager().GetTexture(false, "a.bmp", "");
    Texture2D* b = Manager().GetTexture(false, "b.bmp", "b.bmp");
    EXPECT_EQ(Manager().GetUsedVideoMemorySize(), 4u * 4u * 3u + 2u * 2u * 4u);
    std::vector<Texture2D*> loaded{nullptr};
    Manager().GetLoadedTextures(loaded);
    EXPECT_THAT(loaded, ElementsAre(a, b));
}

TEST_F(TextureManagerTest, ResetReadsTheFilesAgain)
{
    harness.folder.Write("s.bmp", GreyBmp(300, 2, 50));
    harness.folder.Write("a.bmp", GreyBmp(3, 3, 70));
    Texture2D* texture = Manager().GetTexture(false, "s.bmp", "a.bmp");
    RenderSystem_D3D7& render = harness.render.Render();
    render.CheckVideoMode();
    render.Reset(RenderSystem::kResetDevice | RenderSystem::kResetTextures);
    EXPECT_EQ(harness.render.video.CountCalls("CreateTextureSurface"), 2);
    EXPECT_EQ(TextureHarness::Description(*texture).width, 256u);
    EXPECT_EQ(TextureHarness::LevelPixels(*texture, 0)[255], 0x46323232u);
}

TEST_F(TextureManagerTest, KeptImagesRestoreWithoutTheFiles)
{
    auto diffuse = std::make_unique<Image>();
    diffuse->CreateCheckerboard(nullptr);
    std::unique_ptr<Image> opacity;
    Texture2D* texture = Manager().CreateTexture(true, false, "made", "", diffuse, opacity);
    EXPECT_EQ(diffuse, nullptr);
    texture->ReleaseSurface();
    EXPECT_EQ(TextureHarness::LevelPixels(*texture, 0)[0], kYellow);
    EXPECT_THAT(harness.render.Errors(), Not(Contains(HasSubstr("Failed to open"))));
}

TEST_F(TextureManagerTest, KeyInUseDropsImagesHandedOverToKeep)
{
    harness.folder.Write("s.bmp", GreyBmp(2, 2, 50));
    Texture2D* texture = Manager().GetTexture(false, "s.bmp", "");
    auto diffuse = std::make_unique<Image>();
    diffuse->CreateCheckerboard(nullptr);
    std::unique_ptr<Image> opacity;
    EXPECT_EQ(Manager().CreateTexture(true, false, "S.BMP", "", diffuse, opacity), texture);
    EXPECT_EQ(diffuse, nullptr);
    EXPECT_EQ(texture->GetUseCount(), 2);
}
