#include "engine/core/Error.h"
#include "engine/render/RenderSystem_D3D7.h"

#include "tests/support/RenderHarness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

using namespace Halvard;
using Platform::DeviceType;
using ::testing::ElementsAre;
using Testing::FakeVideoSystem;
using ::testing::HasSubstr;

namespace R = Platform::VideoResults;

namespace {

class RenderSystemStartupTest : public ::testing::Test {
protected:
    Testing::FakeAdapter& Primary() { return harness.video.adapters[0]; }

    const DeviceInfo_D3D7& Chosen() const
    {
        return static_cast<const DeviceInfo_D3D7&>(*harness.render->GetChosenDevice());
    }

    std::string ChosenMode() const
    {
        const ModeInfo& mode = *harness.render->GetChosenMode();
        return std::to_string(mode.width) + "x" + std::to_string(mode.height) + "x" + std::to_string(mode.bitsPerPixel);
    }

    std::string FatalText()
    {
        try {
            harness.Start();
        } catch (const FatalError& error) {
            return error.GetText();
        }
        return "";
    }

    Testing::RenderHarness harness;
};

} // namespace

TEST_F(RenderSystemStartupTest, StartsOnTheTransformAndLightingDeviceInTheConfiguredMode)
{
    RenderSystem_D3D7& render = harness.Start();
    EXPECT_EQ(Chosen().type, DeviceType::TransformAndLighting);
    EXPECT_EQ(ChosenMode(), "800x600x32");
    EXPECT_EQ(Chosen().fullScreen, 0);
    EXPECT_TRUE(render.IsDeviceReady());
    EXPECT_EQ(harness.window->GetClientWidth(), 800u);
    EXPECT_TRUE(harness.video.Called("CreateBackBuffer 800x600"));
    EXPECT_TRUE(harness.video.Called("SetViewport 0 0 800 600"));
    EXPECT_EQ(harness.video.liveDisplays, 1);
    EXPECT_EQ(harness.Log().front(), " \n");
    EXPECT_TRUE(harness.Logged("\nInitialization of Direct3D subsystem...\n"));
    EXPECT_EQ(harness.Log().back(), " \n");
}

TEST_F(RenderSystemStartupTest, CapabilitiesOfTheDeviceAreKeptAndLogged)
{
    RenderSystem_D3D7& render = harness.Start();
    EXPECT_EQ(render.GetTextureStageCount(), 2u);
    EXPECT_EQ(render.GetMaxTextureWidth(), 2048u);
    EXPECT_EQ(render.GetMaxTextureHeight(), 1024u);
    EXPECT_EQ(render.GetMaxAnisotropy(), 8u);
    EXPECT_THAT(harness.LogFrom("......Capabilities:\n"),
                ElementsAre("......Capabilities:\n", ".........Maximal texture units: 2\n",
                            ".........Maximal texture size: 2048x1024\n", ".........Maximal texture anisotropy: 8\n",
                            " \n"));
}

TEST_F(RenderSystemStartupTest, DeviceChoiceGoesFromTransformAndLightingToHardwareToSoftwareToReference)
{
    const auto chosenWith = [this](std::vector<Platform::DeviceDescription> devices) {
        Testing::RenderHarness local;
        local.video.adapters[0].devices = std::move(devices);
        local.Start();
        return static_cast<const DeviceInfo_D3D7&>(*local.render->GetChosenDevice()).type;
    };
    const auto device = FakeVideoSystem::Device;
    EXPECT_EQ(chosenWith({device(DeviceType::Software, false), device(DeviceType::Hardware, true)}),
              DeviceType::Hardware);
    EXPECT_EQ(chosenWith({device(DeviceType::Reference, false), device(DeviceType::Software, false)}),
              DeviceType::Software);
    EXPECT_EQ(chosenWith({device(DeviceType::Reference, false)}), DeviceType::Reference);
}

TEST_F(RenderSystemStartupTest, TheLastDeviceSeenOfAKindIsTheOneChosen)
{
    Primary().devices = {FakeVideoSystem::Device(DeviceType::Hardware, true),
                         FakeVideoSystem::Device(DeviceType::Hardware, true)};
    Primary().devices[0].name = "first";
    Primary().devices[1].name = "second";
    harness.Start();
    EXPECT_EQ(Chosen().name, "second");
}

TEST_F(RenderSystemStartupTest, SecondaryAdaptersKeepOnlyHardwareDevicesAndAreNeverChosen)
{
    Primary().devices = {FakeVideoSystem::Device(DeviceType::Software, false)};
    Testing::FakeAdapter secondary = Primary();
    secondary.identity.hasIdentifier = true;
    secondary.identity.identifier = 1;
    secondary.devices = {FakeVideoSystem::Device(DeviceType::TransformAndLighting, true),
                         FakeVideoSystem::Device(DeviceType::Software, false)};
    harness.video.adapters.push_back(secondary);
    RenderSystem_D3D7& render = harness.Start();
    EXPECT_EQ(Chosen().type, DeviceType::Software);
    EXPECT_EQ(static_cast<const AdapterInfo_D3D7*>(render.GetChosenAdapter())->identifier, nullptr);
    EXPECT_TRUE(harness.video.Called("CreateDisplay 1"));
    EXPECT_TRUE(harness.video.Called("CreateDevice Software"));
    EXPECT_FALSE(harness.video.Called("CreateDevice TransformAndLighting"));
}

TEST_F(RenderSystemStartupTest, AnAdapterThatCannotRenderWindowedIsNeverChosen)
{
    Primary().caps.canRenderWindowed = false;
    EXPECT_EQ(FatalText(), "RenderSystem_D3D7: Failed to find any compatible Direct3D devices");
}

TEST_F(RenderSystemStartupTest, NoDisplayAtAllIsFatal)
{
    harness.video.Fail("CreateDisplay", R::kNoDriverHardware);
    EXPECT_EQ(FatalText(), "RenderSystem_D3D7: Failed to find any compatible Direct3D devices");
    EXPECT_TRUE(
        harness.Logged("PROGRAM ABORTING: RenderSystem_D3D7: Failed to find any compatible Direct3D devices\n"));
}

TEST_F(RenderSystemStartupTest, SmallModesAreDroppedAndTwentyFourBitModesListedAsThirtyTwo)
{
    Primary().modes = {{320, 240, 32, 60}, {640, 350, 32, 60}, {640, 480, 32, 60}, {1280, 1024, 24, 60},
                       {800, 600, 16, 60}, {800, 600, 32, 60}, {1280, 960, 32, 60}};
    harness.Start();
    std::vector<std::string> modes;
    for (const auto& mode : Chosen().modes)
        modes.push_back(std::to_string(mode->width) + "x" + std::to_string(mode->height) + "x" +
                        std::to_string(mode->bitsPerPixel));
    EXPECT_THAT(modes, ElementsAre("1280x1024x32", "1280x960x32", "800x600x32", "800x600x16", "640x480x32"));
}

TEST_F(RenderSystemStartupTest, DevicesListOnlyTheDepthsTheyRender)
{
    for (auto& device : Primary().devices)
        device.renderDepths = Platform::kRenderDepth16;
    harness.config->SetValue("v_mode", "800x600x16");
    harness.Start();
    for (const auto& mode : Chosen().modes)
        EXPECT_EQ(mode->bitsPerPixel, 16u);
}

TEST_F(RenderSystemStartupTest, DesktopModeUsesTheDesktopAndTurnsFullScreenOn)
{
    harness.video.desktopMode = {1024, 768, 24, 60};
    harness.config->SetValue("v_mode", "desktop");
    harness.Start();
    EXPECT_EQ(ChosenMode(), "1024x768x32");
    EXPECT_EQ(harness.config->fullScreen, 1);
    EXPECT_EQ(Chosen().fullScreen, 1);
    EXPECT_TRUE(harness.window->IsFullScreen());
    EXPECT_TRUE(harness.video.Called("SetCooperativeLevel FullScreenExclusive"));
    EXPECT_TRUE(harness.video.Called("SetDisplayMode 1024x768x32"));
    EXPECT_TRUE(harness.video.Called("CreatePrimarySurface flipping"));
    EXPECT_TRUE(harness.video.Called("GetAttachedBackBuffer"));
    EXPECT_FALSE(harness.video.Called("CreateClipper"));
    EXPECT_EQ(harness.config->videoMode, "desktop");
}

TEST_F(RenderSystemStartupTest, WindowTooLargeForTheWorkAreaTakesTheLargestFittingFourThreeMode)
{
    harness.windows.workArea = {0, 0, 1280, 994};
    Primary().modes.push_back({1280, 1024, 32, 60});
    harness.config->SetValue("v_mode", "1280x1024x32");
    harness.Start();
    EXPECT_EQ(ChosenMode(), "1024x768x32");
    EXPECT_EQ(harness.config->videoMode, "1024x768x32");
}

TEST_F(RenderSystemStartupTest, AutomaticChoiceFallsToTheDesktopSizeThenTheFirstMode)
{
    harness.windows.workArea = {0, 0, 600, 400};
    harness.video.desktopMode = {720, 576, 32, 60};
    Primary().modes = {{800, 600, 32, 60}, {720, 576, 32, 60}};
    harness.Start();
    EXPECT_EQ(ChosenMode(), "720x576x32");
    EXPECT_EQ(harness.config->videoMode, "720x576x32");

    Testing::RenderHarness other;
    other.windows.workArea = {0, 0, 600, 400};
    other.video.adapters[0].modes = {{720, 576, 32, 60}, {800, 600, 32, 60}};
    other.Start();
    EXPECT_EQ(other.config->videoMode, "800x600x32");
}

TEST_F(RenderSystemStartupTest, KeepingTheWindowSizeSkipsTheAutomaticChoice)
{
    harness.windows.workArea = {0, 0, 1280, 994};
    Primary().modes.push_back({1280, 1024, 32, 60});
    harness.config->SetValue("v_mode", "1280x1024x32");
    harness.Start(false, true);
    EXPECT_EQ(ChosenMode(), "1280x1024x32");
}

TEST_F(RenderSystemStartupTest, UnlistedModeFallsBackToTheDefault)
{
    harness.config->fullScreen = 1;
    harness.config->SetValue("v_mode", "1600x1200x32");
    harness.Start();
    EXPECT_EQ(ChosenMode(), "800x600x32");
    EXPECT_EQ(harness.config->videoMode, "800x600x32");
}

TEST_F(RenderSystemStartupTest, UnlistedDefaultFallsBackTo640x480x16)
{
    Primary().modes = {{1024, 768, 32, 60}, {640, 480, 16, 60}};
    harness.config->fullScreen = 1;
    harness.Start();
    EXPECT_EQ(ChosenMode(), "640x480x16");
    EXPECT_EQ(harness.config->videoMode, "640x480x16");
}

TEST_F(RenderSystemStartupTest, Missing640x480x16StopsStartUp)
{
    Primary().modes = {{1024, 768, 32, 60}};
    harness.config->fullScreen = 1;
    EXPECT_EQ(FatalText(), "RenderSystem_D3D7: Failed to find compatible video mode");
}

TEST_F(RenderSystemStartupTest, StencilRequestGetsTheBackBuffersDepthWithStencil)
{
    RenderSystem_D3D7& render = harness.Start(true);
    EXPECT_TRUE(harness.video.Called("CreateDepthBuffer 32/8 Video"));
    EXPECT_TRUE(render.IsStencilPresent());
    EXPECT_EQ(harness.video.RenderStateValue(Platform::RenderState::StencilPass),
              static_cast<uint32_t>(Platform::StencilOperation::Increment));
}

TEST_F(RenderSystemStartupTest, WithoutAStencilFormatTheDepthBufferComesWithoutStencil)
{
    Primary().depthFormats = {{16, 16, 0}, {32, 24, 0}};
    RenderSystem_D3D7& render = harness.Start(true);
    EXPECT_TRUE(harness.video.Called("CreateDepthBuffer 32/0 Video"));
    EXPECT_FALSE(render.IsStencilPresent());
    EXPECT_FALSE(harness.video.Called("SetRenderState StencilPass"));
    render.BeginScene();
    EXPECT_TRUE(harness.video.Called("Clear 3 FF000000 1 0"));
}

TEST_F(RenderSystemStartupTest, StencilAt16BitsWinsOverTheBackBuffersDepthWithoutStencil)
{
    Primary().depthFormats = {{32, 24, 0}, {16, 15, 1}};
    RenderSystem_D3D7& render = harness.Start(true);
    EXPECT_TRUE(harness.video.Called("CreateDepthBuffer 16/1 Video"));
    EXPECT_TRUE(render.IsStencilPresent());
}

TEST_F(RenderSystemStartupTest, DepthSearchFallsBackTo16Bits)
{
    Primary().depthFormats = {{24, 24, 0}, {16, 16, 0}};
    harness.Start();
    EXPECT_TRUE(harness.video.Called("CreateDepthBuffer 16/0 Video"));
}

TEST_F(RenderSystemStartupTest, SoftwareDevicesTakeTheirDepthBufferInSystemMemory)
{
    Primary().devices = {FakeVideoSystem::Device(DeviceType::Software, false)};
    harness.Start();
    EXPECT_TRUE(harness.video.Called("CreateDepthBuffer 32/0 System"));
}

TEST_F(RenderSystemStartupTest, DeviceWithoutDepthBufferNeedGetsNeitherBufferNorRenderTarget)
{
    for (auto& device : Primary().devices)
        device.zBufferlessHiddenSurfaceRemoval = true;
    harness.Start();
    EXPECT_FALSE(harness.video.Called("EnumerateDepthFormats"));
    EXPECT_FALSE(harness.video.Called("CreateDepthBuffer"));
    EXPECT_FALSE(harness.video.Called("SetRenderTarget"));
    EXPECT_TRUE(harness.Logged("......Creating Z Buffer...\n"));
}

TEST_F(RenderSystemStartupTest, FailingHardwareDeviceFallsBackToSoftwareWithItsLogSequence)
{
    harness.video.Fail("CreateDevice TransformAndLighting", R::kGeneric);
    harness.Start();
    EXPECT_EQ(Chosen().type, DeviceType::Software);
    EXPECT_THAT(harness.LogFrom("...Creating Direct3D device...\n"),
                ElementsAre("...Creating Direct3D device...\n", "...Releasing device...\n",
                            "...Releasing surfaces...\n", "...Releasing Direct3D...\n", "...Releasing DirectDraw...\n",
                            "\nError: RenderSystem_D3D7: Failed to create Direct3D device!\n\n",
                            "\nWarning: ......RenderSystem_D3D7: Switching to the software rasterizer!\n\n",
                            "...Creating DirectDraw...\n", "......Setting cooperative level...\n",
                            "......Creating screen buffers...\n", "...Creating Direct3D...\n",
                            "...Creating Direct3D device...\n", "......Setting viewport...\n",
                            "......Creating Z Buffer...\n", std::string(56, '.') + "\n", "......Capabilities:\n",
                            ".........Maximal texture units: 2\n", ".........Maximal texture size: 2048x1024\n",
                            ".........Maximal texture anisotropy: 8\n", " \n"));
    EXPECT_EQ(harness.video.liveDisplays, 1);
    EXPECT_EQ(harness.video.liveDevices, 1);
}

TEST_F(RenderSystemStartupTest, FailingSoftwareDeviceStopsStartUp)
{
    harness.video.Fail("CreateDevice", R::kGeneric);
    EXPECT_EQ(FatalText(), "RenderSystem_D3D7: Failed to create Direct3D device");
    EXPECT_EQ(harness.video.liveDisplays, 0);
}

TEST_F(RenderSystemStartupTest, EachFailingCreationStepLogsItsOwnText)
{
    const std::pair<const char*, const char*> steps[] = {
        {"SetCooperativeLevel", "Failed to set DirectDraw cooperative level"},
        {"GetDisplayMode", "Invalid DirectDraw display mode"},
        {"CreatePrimarySurface", "Failed to create primary surface"},
        {"CreateClipper", "Failed to create clipper"},
        {"CreateBackBuffer", "Failed to create back buffer"},
        {"SetViewport", "Failed to set viewport"},
        {"CreateDepthBuffer", "Failed to create Z Buffer"},
        {"AttachDepthBuffer", "Failed to create Z Buffer"},
        {"SetRenderTarget", "Failed to set render target"},
    };
    for (const auto& [call, text] : steps) {
        Testing::RenderHarness local;
        local.video.Fail(call, R::kGeneric, 1);
        local.Start();
        EXPECT_THAT(local.Errors(), ElementsAre("\nError: RenderSystem_D3D7: " + std::string(text) + "!\n\n")) << call;
        EXPECT_EQ(static_cast<const DeviceInfo_D3D7&>(*local.render->GetChosenDevice()).type, DeviceType::Software)
            << call;
    }
}

TEST_F(RenderSystemStartupTest, EightBitDisplayIsRefused)
{
    harness.video.displayMode.bitsPerPixel = 8;
    EXPECT_EQ(FatalText(), "RenderSystem_D3D7: Failed to create Direct3D device");
    EXPECT_THAT(harness.Errors().front(), HasSubstr("Invalid DirectDraw display mode"));
}

TEST_F(RenderSystemStartupTest, LongDeviceNamesAreCutTo63Characters)
{
    Primary().devices[0].name = std::string(100, 'n');
    harness.Start();
    EXPECT_EQ(Chosen().name.size(), 63u);
}

TEST_F(RenderSystemStartupTest, FallBackDuringAResetLogsTheSoftwareDevicesCapabilities)
{
    RenderSystem_D3D7& render = harness.Start();
    harness.video.Fail("CreateDevice TransformAndLighting", R::kGeneric);
    render.CheckVideoMode();
    render.Reset(RenderSystem::kResetDevice | RenderSystem::kResetTextures);
    EXPECT_EQ(Chosen().type, DeviceType::Software);
    const std::vector<std::string> reset = harness.LogFrom("\nReseting Direct3D device:\n");
    const auto at = [&reset](const std::string& line) { return std::find(reset.begin(), reset.end(), line); };
    EXPECT_LT(at("\nError: RenderSystem_D3D7: Failed to create Direct3D device!\n\n"),
              at("\nWarning: ......RenderSystem_D3D7: Switching to the software rasterizer!\n\n"));
    EXPECT_LT(at("\nWarning: ......RenderSystem_D3D7: Switching to the software rasterizer!\n\n"),
              at("......Capabilities:\n"));
    EXPECT_NE(at(".........Maximal texture units: 2\n"), reset.end());
    EXPECT_TRUE(render.IsDeviceReady());
    EXPECT_FALSE(render.AreTexturesLost());
}
