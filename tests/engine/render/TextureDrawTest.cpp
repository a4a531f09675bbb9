#include "engine/core/Config.h"
#include "engine/app/EngineSettings.h"
#include "engine/core/Image.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "engine/render/VertexBuffer.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/QuietLog.h"
#include "tests/support/ScreenQuad.h"
#include "tools/ImageWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <thread>

using namespace Halvard;
using ::testing::ElementsAre;

namespace {

constexpr u32 kWidth = Testing::ScreenQuad::kWidth;
constexpr u32 kHeight = Testing::ScreenQuad::kHeight;

// Runs on the real video system: offscreen under ctest, on the X server
// under xvfb-run.
class TextureDrawTest : public ::testing::Test {
protected:
    // One triangle pair from the top left corner, covering the given share
    // of the viewport's width and height, texture coordinate (0, 0) at its
    // top left.
    void DrawQuad(float share = 1.0f, u32 filter = RenderSystem::kFilterPoint)
    {
        const float left = -1.0f;
        const float top = 1.0f;
        const float right = left + 2.0f * share;
        const float bottom = top - 2.0f * share;
        screen.Draw({PlainVertex{left, top, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f},
                     PlainVertex{right, top, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f},
                     PlainVertex{left, bottom, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f},
                     PlainVertex{right, bottom, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f}},
                    filter);
    }

    // The quad of the 2 x 2 picture written by WriteQuadPicture: red, green
    // over blue, white.
    void ExpectQuadPicture()
    {
        Image capture;
        render.CaptureScreen(capture);
        ASSERT_EQ(capture.GetWidth(), kWidth);
        EXPECT_THAT(Testing::ScreenQuad::Pixel(capture, kWidth / 4, kHeight / 4), ElementsAre(255, 0, 0));
        EXPECT_THAT(Testing::ScreenQuad::Pixel(capture, kWidth * 3 / 4, kHeight / 4), ElementsAre(0, 255, 0));
        EXPECT_THAT(Testing::ScreenQuad::Pixel(capture, kWidth / 4, kHeight * 3 / 4), ElementsAre(0, 0, 255));
        EXPECT_THAT(Testing::ScreenQuad::Pixel(capture, kWidth * 3 / 4, kHeight * 3 / 4), ElementsAre(255, 255, 255));
    }

    // Image row 0 (the file's first) is red, green; row 1 blue, white.
    void WriteQuadPicture()
    {
        folder.Write("quad.bmp", Tools::BmpFile(2, 2, 24, {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255}));
    }

    Testing::ScreenQuad screen;
    Testing::QuietLog& messages = screen.messages;
    Config& config = screen.config;
    RenderSystem_D3D7& render = screen.render;
    Testing::ImageFolder& folder = screen.folder;
};

} // namespace

TEST_F(TextureDrawTest, QuadShowsTheTexelsOfATextureMadeOnAnotherThread)
{
    WriteQuadPicture();
    TextureManager textures(&messages, &folder.Files(), &render);
    Texture2D* texture = nullptr;
    std::thread loader([&] { texture = textures.GetTexture(false, "quad.bmp", ""); });
    loader.join();
    ASSERT_NE(texture, nullptr);

    render.SetTexture(0, texture);
    DrawQuad();
    ExpectQuadPicture();
}

TEST_F(TextureDrawTest, DeviceResetRestoresTheTexelsOnTheNewDevice)
{
    WriteQuadPicture();
    TextureManager textures(&messages, &folder.Files(), &render);
    Texture2D* texture = textures.GetTexture(false, "quad.bmp", "");
    render.SetTexture(0, texture);
    DrawQuad();
    render.CheckVideoMode();
    render.Reset(RenderSystem::kResetDevice | RenderSystem::kResetTextures);

    render.SetTexture(0, texture);
    DrawQuad();
    ExpectQuadPicture();
}

TEST_F(TextureDrawTest, SmallerMipLevelsReachTheDevice)
{
    // Every level below the first is painted red: a quad that shrinks the
    // blue picture shows red only when the device samples the smaller levels.
    config.SetValue("r_show_mip_maps", "1");
    TextureManager textures(&messages, &folder.Files(), &render);
    auto blue = std::make_unique<Image>();
    blue->Create(&messages, 256, 256, 24);
    blue->Fill(Vector4(0.0f, 0.0f, 1.0f, 1.0f));
    std::unique_ptr<Image> none;
    render.SetTexture(0, textures.CreateTexture(true, true, "blue", "", blue, none));

    DrawQuad(0.0625f, RenderSystem::kFilterMipMapped);
    Image capture;
    render.CaptureScreen(capture);
    EXPECT_THAT(Testing::ScreenQuad::Pixel(capture, 20, 15), ElementsAre(255, 0, 0));
    DrawQuad(1.0f, RenderSystem::kFilterMipMapped);
    render.CaptureScreen(capture);
    EXPECT_THAT(Testing::ScreenQuad::Pixel(capture, kWidth / 2, kHeight / 2), ElementsAre(0, 0, 255));
}

TEST_F(TextureDrawTest, MissingTextureDrawsTheCheckerboard)
{
    TextureManager textures(&messages, &folder.Files(), &render);
    render.SetTexture(0, textures.GetTexture(false, "missing.jpg", ""));
    DrawQuad();
    Image capture;
    render.CaptureScreen(capture);
    // 64 texels across 640 pixels: ten pixels a texel, eight texels a cell.
    EXPECT_THAT(Testing::ScreenQuad::Pixel(capture, 40, 40), ElementsAre(255, 255, 0));
    EXPECT_THAT(Testing::ScreenQuad::Pixel(capture, 120, 40), ElementsAre(0, 0, 0));
}

// The device sends a unit's texture and texture transform only when they
// differ from what GL holds; every draw must still show its own.
TEST_F(TextureDrawTest, EachDrawShowsItsOwnTextureAndTextureTransform)
{
    WriteQuadPicture();
    folder.Write("green.bmp", Tools::BmpFile(2, 2, 24, {0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0}));
    TextureManager textures(&messages, &folder.Files(), &render);
    Texture2D* quad = textures.GetTexture(false, "quad.bmp", "");
    Texture2D* green = textures.GetTexture(false, "green.bmp", "");
    const auto expectEverywhere = [&](int red, int greenLevel, int blue) {
        Image capture;
        render.CaptureScreen(capture);
        for (u32 x : {kWidth / 4, kWidth * 3 / 4}) {
            for (u32 y : {kHeight / 4, kHeight * 3 / 4})
                EXPECT_THAT(Testing::ScreenQuad::Pixel(capture, x, y), ElementsAre(red, greenLevel, blue)) << x << y;
        }
    };

    render.SetTexture(0, quad);
    DrawQuad();
    ExpectQuadPicture();
    render.SetTexture(0, green);
    DrawQuad();
    expectEverywhere(0, 255, 0);
    render.SetTexture(0, quad);
    render.SetTextureMatrix(0, 0.5f, 0.5f, 0.0f, 0.0f);
    DrawQuad();
    expectEverywhere(255, 0, 0);
    render.SetTextureMatrix(0, 1.0f, 1.0f, 0.0f, 0.0f);
    DrawQuad();
    ExpectQuadPicture();
    render.SetTexture(0, nullptr);
    DrawQuad();
    expectEverywhere(255, 255, 255);
    render.SetTexture(0, quad);
    DrawQuad();
    ExpectQuadPicture();
}
