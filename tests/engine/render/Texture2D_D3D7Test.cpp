#include "engine/render/Texture2D_D3D7.h"

#include "engine/core/Error.h"
#include "engine/core/Image.h"
#include "platform/video/VideoResult.h"
#include "tests/support/TextureHarness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

using namespace Halvard;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Testing::FakeVideoSystem;
using Testing::TextureHarness;

namespace {

const Platform::PixelFormat kArgb = FakeVideoSystem::TextureFormat(32, 0xFF000000u, 0xFF0000u, 0xFF00u, 0xFFu);
const Platform::PixelFormat kXrgb = FakeVideoSystem::TextureFormat(32, 0, 0xFF0000u, 0xFF00u, 0xFFu);
const Platform::PixelFormat kR5G6B5 = FakeVideoSystem::TextureFormat(16, 0, 0xF800u, 0x07E0u, 0x001Fu);
const Platform::PixelFormat kA1R5G5B5 = FakeVideoSystem::TextureFormat(16, 0x8000u, 0x7C00u, 0x03E0u, 0x001Fu);
const Platform::PixelFormat kA4R4G4B4 = FakeVideoSystem::TextureFormat(16, 0xF000u, 0x0F00u, 0x00F0u, 0x000Fu);

std::unique_ptr<Image> MakeImage(u32 width, u32 height, u32 bits, const std::vector<u8>& bytes)
{
    auto image = std::make_unique<Image>();
    image->Create(nullptr, width, height, bits);
    std::memcpy(image->GetData(), bytes.data(), bytes.size());
    return image;
}

std::unique_ptr<Image> Uniform(u32 width, u32 height, u32 bits, u8 value)
{
    return MakeImage(width, height, bits, std::vector<u8>(static_cast<std::size_t>(width) * height * bits / 8, value));
}

class Texture2D_D3D7Test : public ::testing::Test {
protected:
    std::unique_ptr<Texture2D> Make(const Image& diffuse, const Image* opacity = nullptr, bool mipMapping = false)
    {
        if (!harness.manager)
            harness.Start();
        return harness.render.Render().CreateTexture(harness.manager.get(), "key", diffuse, opacity, mipMapping);
    }

    TextureHarness harness;
};

} // namespace

TEST(Texture2D_D3D7Format, CallbackSkipsFormatsThatCannotHoldAPicture)
{
    EXPECT_TRUE(Texture2D_D3D7::EnumTextureFormatCallback(kArgb, 32, true));
    EXPECT_FALSE(Texture2D_D3D7::EnumTextureFormatCallback(kArgb, 32, false));
    EXPECT_FALSE(Texture2D_D3D7::EnumTextureFormatCallback(kXrgb, 32, true));
    EXPECT_FALSE(Texture2D_D3D7::EnumTextureFormatCallback(kXrgb, 16, false));
    EXPECT_FALSE(Texture2D_D3D7::EnumTextureFormatCallback(kA4R4G4B4, 16, true));
    for (bool Platform::PixelFormat::*flag :
         {&Platform::PixelFormat::luminance, &Platform::PixelFormat::bumpMap, &Platform::PixelFormat::fourCC}) {
        Platform::PixelFormat format = kXrgb;
        format.*flag = true;
        EXPECT_FALSE(Texture2D_D3D7::EnumTextureFormatCallback(format, 32, false));
    }
}

TEST(Texture2D_D3D7Format, SixteenBitsServeWhenNoThirtyTwoBitFormatFits)
{
    Platform::PixelFormat found;
    ASSERT_TRUE(Texture2D_D3D7::FindTextureFormat({kA4R4G4B4, kR5G6B5, kA1R5G5B5, kArgb}, false, found));
    EXPECT_EQ(found.redMask, kR5G6B5.redMask);
    ASSERT_TRUE(Texture2D_D3D7::FindTextureFormat({kA4R4G4B4, kR5G6B5, kA1R5G5B5}, true, found));
    EXPECT_EQ(found.alphaMask, kA1R5G5B5.alphaMask);
    EXPECT_FALSE(Texture2D_D3D7::FindTextureFormat({kA4R4G4B4, kR5G6B5}, true, found));
}

TEST_F(Texture2D_D3D7Test, ColourPictureWithoutOpacityIsOpaqueInImageRowOrder)
{
    const auto diffuse = MakeImage(1, 2, 24, {1, 2, 3, 4, 5, 6});
    const auto texture = Make(*diffuse);
    EXPECT_EQ(TextureHarness::Description(*texture).format.alphaMask, 0u);
    EXPECT_THAT(TextureHarness::LevelPixels(*texture, 0), ElementsAre(0x010203u, 0x040506u));
    EXPECT_EQ(texture->GetByteSize(), 6u);
    EXPECT_EQ(texture->GetWidth(), 1u);
    EXPECT_EQ(texture->GetHeight(), 2u);
}

TEST_F(Texture2D_D3D7Test, ThirtyTwoBitPictureKeepsItsAlphaWithoutOpacity)
{
    const auto diffuse = MakeImage(1, 1, 32, {1, 2, 3, 4});
    const auto texture = Make(*diffuse);
    EXPECT_THAT(TextureHarness::LevelPixels(*texture, 0), ElementsAre(0x04010203u));
}

TEST_F(Texture2D_D3D7Test, OpacityGivesAlphaFromItsFourthOrFirstByte)
{
    const auto diffuse = MakeImage(1, 1, 32, {1, 2, 3, 4});
    const auto rgbOpacity = MakeImage(1, 1, 24, {90, 91, 92});
    EXPECT_THAT(TextureHarness::LevelPixels(*Make(*diffuse, rgbOpacity.get()), 0), ElementsAre(0x5A010203u));
    const auto rgbaOpacity = MakeImage(1, 1, 32, {90, 91, 92, 93});
    EXPECT_THAT(TextureHarness::LevelPixels(*Make(*diffuse, rgbaOpacity.get()), 0), ElementsAre(0x5D010203u));
}

TEST_F(Texture2D_D3D7Test, GreyPictureFillsRedGreenAndBlue)
{
    const auto diffuse = MakeImage(1, 1, 8, {7});
    const auto texture = Make(*diffuse);
    EXPECT_THAT(TextureHarness::LevelPixels(*texture, 0), ElementsAre(0x070707u));
    EXPECT_EQ(texture->GetByteSize(), 3u);
}

TEST_F(Texture2D_D3D7Test, SixteenBitDeviceGetsPackedPixels)
{
    harness.render.video.textureFormats = {kA4R4G4B4, kR5G6B5};
    const auto diffuse = MakeImage(2, 1, 24, {255, 0, 0, 0, 0, 255});
    const auto texture = Make(*diffuse);
    EXPECT_EQ(TextureHarness::Description(*texture).format.bitCount, 16u);
    EXPECT_THAT(TextureHarness::LevelPixels(*texture, 0), ElementsAre(0xF800u, 0x001Fu));
    EXPECT_EQ(texture->GetByteSize(), 6u);
}

TEST_F(Texture2D_D3D7Test, NoUsableFormatIsFatal)
{
    harness.render.video.textureFormats = {kA4R4G4B4};
    const auto diffuse = Uniform(2, 2, 24, 1);
    const auto opacity = Uniform(2, 2, 8, 1);
    EXPECT_THROW(Make(*diffuse, opacity.get()), FatalError);
    EXPECT_THAT(harness.render.Log(),
                Contains(HasSubstr("Direct3D Subsystem (Texture2D_D3D7::CreateSurface): Failed to find texture format")));
}

TEST_F(Texture2D_D3D7Test, MipChainRunsDownToOnePixel)
{
    const auto diffuse = Uniform(256, 64, 24, 100);
    const auto opacity = Uniform(256, 64, 8, 200);
    const auto texture = Make(*diffuse, opacity.get(), true);
    EXPECT_EQ(TextureHarness::Description(*texture).levelCount, 9u);
    const u32 pixels = 256 * 64 + 128 * 32 + 64 * 16 + 32 * 8 + 16 * 4 + 8 * 2 + 4 * 1 + 2 * 1 + 1 * 1;
    EXPECT_EQ(texture->GetByteSize(), 4 * pixels);
    EXPECT_THAT(TextureHarness::LevelPixels(*texture, 8), ElementsAre(0xC8646464u));
}

TEST_F(Texture2D_D3D7Test, MipLevelsAverageThePictureAndTheOpacity)
{
    const auto diffuse = MakeImage(2, 2, 24, {0, 0, 0, 200, 200, 200, 0, 0, 0, 200, 200, 200});
    const auto opacity = MakeImage(2, 2, 32, {0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 0, 100});
    const auto texture = Make(*diffuse, opacity.get(), true);
    EXPECT_THAT(TextureHarness::LevelPixels(*texture, 1), ElementsAre(0x32646464u));
}

TEST_F(Texture2D_D3D7Test, MipMappingSwitchedOffGivesOneLevel)
{
    harness.render.config->SetValue("r_use_mip_mapping", "0");
    const auto diffuse = Uniform(8, 8, 24, 1);
    const auto texture = Make(*diffuse, nullptr, true);
    EXPECT_EQ(TextureHarness::Description(*texture).levelCount, 1u);
    EXPECT_EQ(texture->GetByteSize(), 8u * 8u * 3u);
}

TEST_F(Texture2D_D3D7Test, ShownMipMapsPaintTheSmallerLevelsRed)
{
    harness.render.config->SetValue("r_show_mip_maps", "1");
    const auto diffuse = Uniform(4, 4, 24, 10);
    const auto opacity = Uniform(4, 4, 8, 10);
    const auto texture = Make(*diffuse, opacity.get(), true);
    EXPECT_EQ(TextureHarness::LevelPixels(*texture, 0)[0], 0x0A0A0A0Au);
    for (u32 level : {1u, 2u}) {
        const u32 pixel = TextureHarness::LevelPixels(*texture, level)[0];
        EXPECT_EQ(pixel & 0xFFFFFFu, 0xFF0000u);
        EXPECT_GE(pixel >> 24, 254u);
    }
}

TEST_F(Texture2D_D3D7Test, MemoryFollowsTheDeviceKind)
{
    const auto diffuse = Uniform(2, 2, 24, 1);
    EXPECT_EQ(TextureHarness::Description(*Make(*diffuse)).memory, Platform::SurfaceMemory::Video);

    TextureHarness software;
    software.render.video.adapters[0].devices = {FakeVideoSystem::Device(Platform::DeviceType::Software, false)};
    software.Start();
    const auto texture = software.render.Render().CreateTexture(software.manager.get(), "key", *diffuse, nullptr, false);
    EXPECT_EQ(TextureHarness::Description(*texture).memory, Platform::SurfaceMemory::System);
}

TEST_F(Texture2D_D3D7Test, FailedSurfaceIsLoggedAndLeavesNoSurface)
{
    harness.render.video.Fail("CreateTextureSurface", Platform::VideoResults::kOutOfVideoMemory);
    const auto diffuse = Uniform(2, 2, 24, 1);
    const auto texture = Make(*diffuse);
    EXPECT_EQ(texture->GetSurface(), nullptr);
    ASSERT_FALSE(harness.render.Errors().empty());
    EXPECT_THAT(harness.render.Errors()[0], HasSubstr("Texture2D_D3D7::CreateSurface"));
}

TEST_F(Texture2D_D3D7Test, DeletedTextureLeavesTheStagesAndTheResetList)
{
    const auto diffuse = Uniform(2, 2, 24, 1);
    auto texture = Make(*diffuse);
    RenderSystem_D3D7& render = harness.render.Render();
    render.SetTexture(0, texture.get());
    EXPECT_NE(harness.render.video.device.textures[0], nullptr);
    texture.reset();
    EXPECT_EQ(harness.render.video.device.textures[0], nullptr);
    EXPECT_EQ(render.GetTexture(0), nullptr);
    render.CheckVideoMode();
    render.Reset(RenderSystem::kResetDevice | RenderSystem::kResetTextures);
    EXPECT_EQ(harness.render.video.CountCalls("CreateTextureSurface"), 1);
}

TEST_F(Texture2D_D3D7Test, MadeOnAnotherThreadIsReadyOnTheMainThread)
{
    harness.Start();
    const auto diffuse = MakeImage(1, 1, 24, {9, 8, 7});
    std::unique_ptr<Texture2D> texture;
    std::thread loader([&] { texture = Make(*diffuse); });
    loader.join();
    EXPECT_THAT(TextureHarness::LevelPixels(*texture, 0), ElementsAre(0x090807u));
}

TEST_F(Texture2D_D3D7Test, TextureTheRenderSystemNoLongerListsIsLoggedNotThrownWhenDeleted)
{
    const auto diffuse = Uniform(2, 2, 24, 1);
    auto texture = Make(*diffuse);
    harness.render.Render().RemoveTexture(texture.get());
    EXPECT_NO_THROW(texture.reset());
    EXPECT_THAT(harness.render.Log(), Contains(HasSubstr("Failed to remove texture")));
}
