#include "engine/core/Error.h"
#include "engine/core/Image.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/Texture2D.h"
#include "engine/render/VertexBuffer.h"

#include "tests/support/RenderHarness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

using namespace Halvard;
using Platform::RenderState;
using Platform::TextureStageState;
using ::testing::ElementsAre;

namespace R = Platform::VideoResults;

namespace {

// A texture that only reports what the reset asks of it.
class RecordingTexture : public Texture2D {
public:
    RecordingTexture(Testing::RenderHarness& harness, const std::string& key)
        : Texture2D(harness.messages.get(), harness.config.get(), nullptr, key, false), video_(harness.video)
    {
    }

    Platform::TextureSurface* GetSurface() override { return nullptr; }
    void ReleaseSurface() override { video_.Record("ReleaseSurface " + GetKey()); }
    void RestoreSurface() override { video_.Record("RestoreSurface " + GetKey()); }

private:
    Testing::FakeVideoSystem& video_;
};

class RenderSystemFrameTest : public ::testing::Test {
protected:
    RenderSystem_D3D7& Start(bool stencil = false)
    {
        RenderSystem_D3D7& render = harness.Start(stencil);
        harness.video.calls.clear();
        return render;
    }

    u32 StageState(u32 stage, TextureStageState state) { return harness.video.StageStateValue(stage, state); }

    Testing::RenderHarness harness;
};

template <class Value>
u32 Number(Value value)
{
    return static_cast<u32>(value);
}

} // namespace

TEST_F(RenderSystemFrameTest, SceneStartsWithAClearOfColourAndDepth)
{
    Start().BeginScene();
    EXPECT_THAT(harness.video.calls, ElementsAre("Clear 3 FF000000 1 0", "BeginScene"));
}

TEST_F(RenderSystemFrameTest, ClearTakesTheStencilWhenThereIsOne)
{
    Start(true).BeginScene();
    EXPECT_TRUE(harness.video.Called("Clear 7 FF000000 1 0"));
}

TEST_F(RenderSystemFrameTest, LostSurfacesAtBeginSceneAreRestoredAndTheSceneBegunOnceMore)
{
    RenderSystem_D3D7& render = Start();
    harness.video.Fail("BeginScene", R::kSurfaceLost, 1);
    render.BeginScene();
    EXPECT_THAT(harness.video.CallsFrom("BeginScene"), ElementsAre("BeginScene", "RestoreAllSurfaces", "BeginScene"));
    EXPECT_TRUE(harness.Errors().empty());
}

TEST_F(RenderSystemFrameTest, LostSurfacesAtEndSceneAreRestored)
{
    RenderSystem_D3D7& render = Start();
    harness.video.Fail("EndScene", R::kSurfaceLost, 1);
    harness.video.Fail("RestoreAllSurfaces", R::kGeneric, 1);
    render.EndScene();
    EXPECT_THAT(harness.Errors(), ElementsAre("\nError: Direct3D Subsystem (RenderSystem_D3D7::EndScene): There is an "
                                              "undefined error condition.!\n\n"));
}

TEST_F(RenderSystemFrameTest, ResultWithoutATextLogsItsSignedCode)
{
    RenderSystem_D3D7& render = Start();
    harness.video.Fail("BeginScene", static_cast<Platform::VideoResult>(0x8876086Cu));
    render.BeginScene();
    EXPECT_THAT(harness.Errors(), ElementsAre("\nError: Direct3D Subsystem (RenderSystem_D3D7::BeginScene): Unknown "
                                              "error (Code: -2005530516)!\n\n"));
}

TEST_F(RenderSystemFrameTest, SuccessCodesLogNothing)
{
    RenderSystem_D3D7& render = Start();
    render.CheckResult("Test::Place", R::kOk);
    render.CheckResult("Test::Place", 1);
    EXPECT_TRUE(harness.Errors().empty());
}

TEST_F(RenderSystemFrameTest, ResultTextsKeepTheirWording)
{
    RenderSystem_D3D7& render = Start();
    render.CheckResult("Camera_D3D7::Apply", R::kNoVerticalSyncHardware);
    render.CheckResult("Camera_D3D7::Apply", R::kWrongMode);
    EXPECT_THAT(harness.Errors(),
                ElementsAre("\nError: Direct3D Subsystem (Camera_D3D7::Apply): There is no hardware support for "
                            "vertical blank\x96synchronized operations.!\n\n",
                            "\nError: Direct3D Subsystem (Camera_D3D7::Apply): This surface cannot be restored "
                            "because it was created in a different mode.!\n\n"));
}

TEST_F(RenderSystemFrameTest, BlendFactorIndicesFollowTheFactorTable)
{
    RenderSystem_D3D7& render = Start();
    render.SetBlend(4, 5);
    EXPECT_EQ(harness.video.RenderStateValue(RenderState::SourceBlend), Number(Platform::Blend::SourceAlpha));
    EXPECT_EQ(harness.video.RenderStateValue(RenderState::DestinationBlend),
              Number(Platform::Blend::InverseSourceAlpha));
    render.SetBlend(8, 11);
    EXPECT_EQ(harness.video.RenderStateValue(RenderState::SourceBlend), Number(Platform::Blend::SourceAlphaSaturate));
    EXPECT_EQ(harness.video.RenderStateValue(RenderState::DestinationBlend), Number(Platform::Blend::Zero));
}

TEST_F(RenderSystemFrameTest, MipMappedFilterIsTrilinearUntilAnisotropyIsAsked)
{
    using Platform::TextureFilter;
    RenderSystem_D3D7& render = Start();
    render.SetTextureFilter(0, RenderSystem::kFilterMipMapped);
    EXPECT_EQ(StageState(0, TextureStageState::MagnificationFilter), Number(TextureFilter::Linear));
    EXPECT_EQ(StageState(0, TextureStageState::MipFilter), Number(TextureFilter::Linear));

    harness.config->textureAnisotropy = 4;
    render.Refresh();
    render.SetTextureFilter(1, RenderSystem::kFilterMipMapped);
    EXPECT_EQ(StageState(1, TextureStageState::MagnificationFilter), Number(TextureFilter::Anisotropic));
    EXPECT_EQ(StageState(1, TextureStageState::MinificationFilter), Number(TextureFilter::Anisotropic));
    EXPECT_EQ(StageState(1, TextureStageState::MaxAnisotropy), 4u);
}

TEST_F(RenderSystemFrameTest, PointFilterAndClampAddressing)
{
    RenderSystem_D3D7& render = Start();
    render.SetTextureFilter(0, RenderSystem::kFilterPoint);
    render.SetTextureAdressU(0, RenderSystem::kAddressClamp);
    render.SetTextureAdressV(0, 7);
    EXPECT_EQ(StageState(0, TextureStageState::MinificationFilter), Number(Platform::TextureFilter::Point));
    EXPECT_EQ(StageState(0, TextureStageState::AddressU), Number(Platform::TextureAddress::Clamp));
    EXPECT_EQ(StageState(0, TextureStageState::AddressV), Number(Platform::TextureAddress::Wrap));
    render.SetTextureFilter(0, 9);
    EXPECT_EQ(StageState(0, TextureStageState::MinificationFilter), Number(Platform::TextureFilter::Point));
}

TEST_F(RenderSystemFrameTest, CullModesMapToScreenWindingAndAnythingElseToNone)
{
    RenderSystem_D3D7& render = Start();
    render.SetCullMode(RenderSystem::kCullClockwise);
    EXPECT_EQ(harness.video.RenderStateValue(RenderState::CullMode), Number(Platform::Cull::Clockwise));
    render.SetCullMode(RenderSystem::kCullCounterClockwise);
    EXPECT_EQ(harness.video.RenderStateValue(RenderState::CullMode), Number(Platform::Cull::CounterClockwise));
    render.SetCullMode(3);
    EXPECT_EQ(harness.video.RenderStateValue(RenderState::CullMode), Number(Platform::Cull::None));
}

TEST_F(RenderSystemFrameTest, WindowedSwapWaitsForTheVerticalBlankBeforeTheBlitWhenAsked)
{
    RenderSystem_D3D7& render = Start();
    harness.config->verticalSync = 1;
    render.SwapBuffers();
    EXPECT_THAT(harness.video.calls, ElementsAre("WaitForVerticalBlank", "BlitToWindow"));
    harness.video.calls.clear();
    harness.config->verticalSync = 0;
    render.SwapBuffers();
    EXPECT_THAT(harness.video.calls, ElementsAre("BlitToWindow"));
}

TEST_F(RenderSystemFrameTest, FullScreenSwapFlips)
{
    harness.config->fullScreen = 1;
    RenderSystem_D3D7& render = Start();
    harness.config->verticalSync = 0;
    render.SwapBuffers();
    EXPECT_THAT(harness.video.calls, ElementsAre("Flip nowait"));
}

TEST_F(RenderSystemFrameTest, SwapWithLostSurfacesRestoresThemAndNothingWhileTheDeviceIsLost)
{
    RenderSystem_D3D7& render = Start();
    harness.video.Fail("BlitToWindow", R::kSurfaceLost, 1);
    render.SwapBuffers();
    EXPECT_TRUE(harness.video.Called("RestoreAllSurfaces"));

    harness.video.Fail("TestCooperativeLevel", R::kSurfaceLost, 1);
    render.Refresh();
    harness.video.calls.clear();
    render.SwapBuffers();
    EXPECT_TRUE(harness.video.calls.empty());
}

TEST_F(RenderSystemFrameTest, LostDeviceComesBackWhenItsSurfacesAreRestored)
{
    RenderSystem_D3D7& render = Start();
    harness.video.Fail("TestCooperativeLevel", R::kSurfaceLost, 1);
    render.Refresh();
    EXPECT_FALSE(render.IsDeviceReady());
    EXPECT_FALSE(render.IsResetNeeded());
    render.Refresh();
    EXPECT_TRUE(render.IsDeviceReady());
    EXPECT_EQ(harness.video.CountCalls("RestoreAllSurfaces"), 1);
}

TEST_F(RenderSystemFrameTest, FailedRestoreAsksForAReset)
{
    RenderSystem_D3D7& render = Start();
    harness.video.Fail("TestCooperativeLevel", R::kSurfaceLost, 1);
    harness.video.Fail("RestoreAllSurfaces", R::kWrongMode, 1);
    render.Refresh();
    render.Refresh();
    EXPECT_FALSE(render.IsDeviceReady());
    EXPECT_TRUE(render.IsResetNeeded());
    EXPECT_TRUE(render.AreTexturesLost());
    EXPECT_EQ(harness.Errors().size(), 1u);
}

TEST_F(RenderSystemFrameTest, DesktopModeChangeUnderAWindowAsksForAReset)
{
    RenderSystem_D3D7& render = Start();
    harness.video.Fail("TestCooperativeLevel", R::kWrongMode, 1);
    render.Refresh();
    EXPECT_TRUE(render.IsResetNeeded());
    EXPECT_TRUE(render.AreTexturesLost());
}

TEST_F(RenderSystemFrameTest, WrongModeInFullScreenOnlyStopsDrawing)
{
    harness.config->fullScreen = 1;
    RenderSystem_D3D7& render = Start();
    harness.video.Fail("TestCooperativeLevel", R::kWrongMode, 1);
    render.Refresh();
    EXPECT_FALSE(render.IsDeviceReady());
    EXPECT_FALSE(render.IsResetNeeded());
}

TEST_F(RenderSystemFrameTest, ResetReleasesTexturesBeforeTheDeviceAndRestoresThemOnTheNewOne)
{
    RenderSystem_D3D7& render = Start();
    RecordingTexture stone(harness, "stone");
    render.AddTexture(&stone);
    render.CheckVideoMode();
    render.Reset(RenderSystem::kResetDevice | RenderSystem::kResetTextures);
    const std::vector<std::string>& calls = harness.video.calls;
    const auto at = [&calls](const std::string& line) { return std::find(calls.begin(), calls.end(), line); };
    EXPECT_LT(at("ReleaseSurface stone"), at("ReleaseDevice"));
    EXPECT_LT(at("ReleaseDisplay"), at("CreateDevice TransformAndLighting"));
    EXPECT_LT(at("CreateDevice TransformAndLighting"), at("RestoreSurface stone"));
    EXPECT_FALSE(render.AreTexturesLost());
    EXPECT_FALSE(render.IsResetNeeded());
    const std::string dots = std::string(56, '.') + "\n";
    EXPECT_THAT(harness.LogFrom("\nReseting Direct3D device:\n"),
                ElementsAre("\nReseting Direct3D device:\n", dots, "...Releasing device...\n",
                            "...Releasing surfaces...\n", "...Releasing Direct3D...\n", "...Releasing DirectDraw...\n",
                            dots, "...Creating DirectDraw...\n", "......Setting cooperative level...\n",
                            "......Creating screen buffers...\n", "...Creating Direct3D...\n",
                            "...Creating Direct3D device...\n", "......Setting viewport...\n",
                            "......Creating Z Buffer...\n", dots));
    EXPECT_EQ(harness.video.CountCalls("SetRenderState ZFunction"), 1);
    render.RemoveTexture(&stone);
}

TEST_F(RenderSystemFrameTest, TexturesAreTouchedOnlyWhenLost)
{
    RenderSystem_D3D7& render = Start();
    RecordingTexture stone(harness, "stone");
    render.AddTexture(&stone);
    render.Reset(RenderSystem::kResetDevice | RenderSystem::kResetTextures);
    EXPECT_FALSE(harness.video.Called("ReleaseSurface"));
    EXPECT_FALSE(harness.video.Called("RestoreSurface"));
    render.RemoveTexture(&stone);
}

TEST_F(RenderSystemFrameTest, ResettingTexturesAloneLeavesTheDevice)
{
    RenderSystem_D3D7& render = Start();
    RecordingTexture stone(harness, "stone");
    render.AddTexture(&stone);
    render.CheckVideoMode();
    render.Reset(RenderSystem::kResetTextures);
    EXPECT_THAT(harness.video.calls, ElementsAre("RestoreSurface stone"));
    EXPECT_FALSE(render.AreTexturesLost());
    render.RemoveTexture(&stone);
}

TEST_F(RenderSystemFrameTest, RemovingAnUnknownTextureIsFatalAndNamesIt)
{
    RenderSystem_D3D7& render = Start();
    RecordingTexture stone(harness, "stone.jpg");
    EXPECT_THROW(render.RemoveTexture(&stone), FatalError);
    EXPECT_TRUE(harness.Logged("PROGRAM ABORTING: RenderSystem_D3D7: Failed to remove texture \"stone.jpg\"\n"));
}

TEST_F(RenderSystemFrameTest, DestructorLogsAStillReferencedDisplayInsteadOfThrowing)
{
    Start();
    harness.video.otherReferences = 1;
    EXPECT_NO_THROW(harness.render.reset());
    EXPECT_TRUE(harness.Logged("PROGRAM ABORTING: RenderSystem_D3D7: DirectDraw object is still referenced\n"));
    EXPECT_EQ(harness.video.liveDisplays, 0);
    EXPECT_EQ(harness.LogFrom("\nDirect3D Subsystem destroying:\n").size(), 6u);
}

TEST_F(RenderSystemFrameTest, DrawPassesEverythingUpToTheLargestIndex)
{
    RenderSystem_D3D7& render = Start();
    std::unique_ptr<VertexBuffer> vertices = render.CreateVertexBuffer(0, true, 10);
    std::unique_ptr<IndexBuffer> indices = render.CreateIndexBuffer(0, 3);
    const u32 triangle[] = {5, 9, 7};
    indices->SetIndices(0, 3, triangle);
    render.DrawIndexedPrimitive(false, *indices, *vertices, 1);
    std::unique_ptr<VertexBuffer> plain = render.CloneVertexBuffer(*render.CreateVertexBuffer(0, false, 10));
    render.DrawIndexedPrimitive(true, *indices, *plain, 1);
    EXPECT_THAT(harness.video.calls,
                ElementsAre("DrawIndexedPrimitive List 338 10 3 2", "DrawIndexedPrimitive Strip 274 10 3 2"));
}

TEST_F(RenderSystemFrameTest, CaptureTurnsTheBackBufferUpsideDownAndRedFirstWithOpaqueAlpha)
{
    RenderSystem_D3D7& render = Start();
    harness.video.FillBackBuffer(0x00112233u);
    const u32 topRed = 0x00FF0000u;
    std::memcpy(harness.video.backBufferPixels.data(), &topRed, 4);
    Image image;
    render.CaptureScreen(image);
    ASSERT_EQ(image.GetBitsPerPixel(), 32u);
    ASSERT_EQ(image.GetWidth(), 800u);
    const u8* bottomLeft = image.GetData();
    EXPECT_THAT(std::vector<u8>(bottomLeft, bottomLeft + 4), ElementsAre(0x11, 0x22, 0x33, 255));
    const u8* topLeft = image.GetData() + 599u * 800u * 4u;
    EXPECT_THAT(std::vector<u8>(topLeft, topLeft + 4), ElementsAre(255, 0, 0, 255));
    EXPECT_EQ(harness.video.liveMemorySurfaces, 0);
}

TEST_F(RenderSystemFrameTest, CaptureFillsA24BitImageFromA32BitSurfaceThreeBytesAPixel)
{
    harness.config->SetValue("v_mode", "800x600x16");
    RenderSystem_D3D7& render = Start();
    ASSERT_EQ(render.GetBackBufferDescription().format.bitCount, 32u);
    harness.video.FillBackBuffer(0x00405060u);
    Image image;
    render.CaptureScreen(image);
    ASSERT_EQ(image.GetBitsPerPixel(), 24u);
    const u8* last = image.GetData() + image.GetByteSize() - 3;
    EXPECT_THAT(std::vector<u8>(last, last + 3), ElementsAre(0x40, 0x50, 0x60));
}

TEST_F(RenderSystemFrameTest, CaptureOfA16BitSurfaceKeepsItsColours)
{
    harness.video.displayMode.bitsPerPixel = 16;
    harness.config->SetValue("v_mode", "800x600x16");
    RenderSystem_D3D7& render = Start();
    harness.video.FillBackBuffer(0xF800u | 0x001Fu);
    Image image;
    render.CaptureScreen(image);
    EXPECT_THAT(std::vector<u8>(image.GetData(), image.GetData() + 3), ElementsAre(255, 0, 255));
}

TEST_F(RenderSystemFrameTest, FailedCaptureThrowsAndReleasesItsSurface)
{
    RenderSystem_D3D7& render = Start();
    harness.video.Fail("LockMemorySurface", R::kSurfaceBusy, 1);
    Image image;
    try {
        render.CaptureScreen(image);
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.GetText(), "Error creating temporary surface!");
    }
    EXPECT_TRUE(harness.video.Called("ReleaseMemorySurface"));
    EXPECT_EQ(harness.video.liveMemorySurfaces, 0);

    harness.video.Fail("CreateMemorySurface", R::kOutOfMemory, 1);
    EXPECT_THROW(render.CaptureScreen(image), Error);
}
