#include "platform/video/GLDisplay.h"
#include "platform/video/GLVideoSystem.h"
#include "platform/window/WindowSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace Platform;

namespace {

// A real display drawn through a real window; SDL_VIDEODRIVER=offscreen
// (or an X server) must be there.
class GLVideoSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GetWindowSystem().Open());
        WindowShape shape;
        shape.rect = ScreenRect{0, 0, 640, 480};
        shape.captioned = true;
        window = GetWindowSystem().CreateWindow("GL test", shape, 0);
        ASSERT_NE(window, nullptr);
    }

    void TearDown() override
    {
        display.reset();
        window.reset();
        GetWindowSystem().Close();
        unsetenv("HALVARD_VIDEO_FAIL_HARDWARE");
    }

    // A windowed back buffer of 640 x 480 on the primary display.
    void OpenWindowed()
    {
        ASSERT_EQ(video.CreateDisplay(nullptr, display), VideoResults::kOk);
        ASSERT_EQ(display->SetCooperativeLevel(window.get(), CooperativeLevel::Normal), VideoResults::kOk);
        ASSERT_EQ(display->CreatePrimarySurface(false), VideoResults::kOk);
        ASSERT_EQ(display->CreateClipper(window.get()), VideoResults::kOk);
        ASSERT_EQ(display->CreateBackBuffer(640, 480), VideoResults::kOk);
    }

    std::vector<DeviceDescription> Devices()
    {
        std::unique_ptr<Display> probe;
        std::vector<DeviceDescription> devices;
        EXPECT_EQ(video.CreateDisplay(nullptr, probe), VideoResults::kOk);
        probe->EnumerateDevices(devices);
        return devices;
    }

    GLVideoSystem video;
    std::unique_ptr<NativeWindow> window;
    std::unique_ptr<Display> display;
};

} // namespace

TEST_F(GLVideoSystemTest, ThePrimaryDisplayComesFirstWithoutAnIdentifier)
{
    std::vector<AdapterIdentity> adapters;
    video.EnumerateAdapters(adapters);
    ASSERT_FALSE(adapters.empty());
    EXPECT_FALSE(adapters[0].hasIdentifier);
    for (size_t i = 1; i < adapters.size(); ++i)
        EXPECT_TRUE(adapters[i].hasIdentifier);
}

TEST_F(GLVideoSystemTest, ModesAreListedOnceAtSixteenOrThirtyTwoBitsAndNeverBelow640x400)
{
    ASSERT_EQ(video.CreateDisplay(nullptr, display), VideoResults::kOk);
    std::vector<DisplayMode> modes;
    display->EnumerateDisplayModes(modes);
    DisplayMode desktop;
    ASSERT_TRUE(video.GetDesktopMode(desktop));
    bool desktopListed = false;
    for (size_t i = 0; i < modes.size(); ++i) {
        EXPECT_GE(modes[i].width, 640u);
        EXPECT_GE(modes[i].height, 400u);
        EXPECT_TRUE(modes[i].bitsPerPixel == 16 || modes[i].bitsPerPixel == 32) << modes[i].bitsPerPixel;
        for (size_t j = i + 1; j < modes.size(); ++j)
            EXPECT_FALSE(modes[i].width == modes[j].width && modes[i].height == modes[j].height &&
                         modes[i].bitsPerPixel == modes[j].bitsPerPixel);
        desktopListed |= modes[i].width == desktop.width && modes[i].height == desktop.height &&
                         modes[i].bitsPerPixel == ListedDepth(desktop.bitsPerPixel);
    }
    EXPECT_TRUE(desktopListed);
}

TEST_F(GLVideoSystemTest, DevicesFollowTheRenderer)
{
    const std::vector<DeviceDescription> devices = Devices();
    ASSERT_FALSE(devices.empty());
    EXPECT_EQ(devices.back().type, DeviceType::Software);
    EXPECT_FALSE(devices.back().hardwareRasterization);
    if (video.Probe().hardware) {
        ASSERT_EQ(devices.size(), 3u);
        EXPECT_EQ(devices[0].type, DeviceType::TransformAndLighting);
        EXPECT_EQ(devices[1].type, DeviceType::Hardware);
    } else {
        EXPECT_EQ(devices.size(), 1u);
    }
    EXPECT_GE(devices.back().maxSimultaneousTextures, 2u);
    EXPECT_GE(devices.back().maxTextureWidth, 1024u);
}

TEST_F(GLVideoSystemTest, DepthFormatsAreTheOnesTheSearchLooksFor)
{
    ASSERT_EQ(video.CreateDisplay(nullptr, display), VideoResults::kOk);
    std::vector<DepthFormat> formats;
    display->EnumerateDepthFormats(DeviceType::Software, formats);
    ASSERT_FALSE(formats.empty());
    EXPECT_EQ(formats[0].bitDepth, 16u);
    for (const DepthFormat& format : formats) {
        const bool known = (format.bitDepth == 16 && format.depthBits == 16 && format.stencilBits == 0) ||
                           (format.bitDepth == 32 && format.depthBits == 24 && format.stencilBits <= 8);
        EXPECT_TRUE(known);
    }
}

TEST_F(GLVideoSystemTest, TheDebugVariableListsHardwareDevicesThatFailToCreate)
{
    setenv("HALVARD_VIDEO_FAIL_HARDWARE", "1", 1);
    const std::vector<DeviceDescription> devices = Devices();
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[0].type, DeviceType::TransformAndLighting);
    OpenWindowed();
    std::unique_ptr<Device3D> device;
    EXPECT_TRUE(Failed(display->CreateDevice(DeviceType::TransformAndLighting, device)));
    EXPECT_EQ(display->CreateDevice(DeviceType::Software, device), VideoResults::kOk);
}

TEST_F(GLVideoSystemTest, TheBackBufferReadsBackAsTopDownBlueGreenRedAndAZeroByte)
{
    OpenWindowed();
    std::unique_ptr<Device3D> device;
    ASSERT_EQ(display->CreateDevice(DeviceType::Software, device), VideoResults::kOk);
    ASSERT_EQ(device->SetViewport(Viewport{0, 0, 640, 480, 0.0f, 1.0f}), VideoResults::kOk);
    device->Clear(kClearTarget, 0xFF102030u, 1.0f, 0);
    device->SetViewport(Viewport{0, 0, 640, 1, 0.0f, 1.0f});
    device->Clear(kClearTarget, 0xFFFF0000u, 1.0f, 0);

    SurfaceDescription description;
    ASSERT_EQ(display->GetBackBufferDescription(description), VideoResults::kOk);
    EXPECT_EQ(description.format.bitCount, 32u);
    std::unique_ptr<MemorySurface> copy;
    ASSERT_EQ(display->CreateMemorySurface(description, copy), VideoResults::kOk);
    EXPECT_EQ(display->CountOtherReferences(), 1u);
    ASSERT_EQ(copy->CopyFromBackBuffer(), VideoResults::kOk);
    LockedRect rect;
    ASSERT_EQ(copy->Lock(rect), VideoResults::kOk);
    EXPECT_EQ(rect.bits[0], 0x00);
    EXPECT_EQ(rect.bits[2], 0xFF);
    const uint8_t* last = rect.bits + 479 * rect.pitch;
    EXPECT_EQ(last[0], 0x30);
    EXPECT_EQ(last[1], 0x20);
    EXPECT_EQ(last[2], 0x10);
    EXPECT_EQ(last[3], 0x00);
    copy->Unlock();
    copy.reset();
    EXPECT_EQ(display->CountOtherReferences(), 0u);
}

TEST_F(GLVideoSystemTest, ASimulatedLossLastsUntilTheDisplayIsMadeAgain)
{
    OpenWindowed();
    EXPECT_EQ(display->TestCooperativeLevel(), VideoResults::kOk);
    video.SimulateDeviceLoss(VideoResults::kWrongMode);
    EXPECT_EQ(display->TestCooperativeLevel(), VideoResults::kWrongMode);
    display.reset();
    OpenWindowed();
    EXPECT_EQ(display->TestCooperativeLevel(), VideoResults::kOk);
}

TEST_F(GLVideoSystemTest, TextureSurfacesOutliveTheirDisplaySafely)
{
    OpenWindowed();
    TextureSurfaceDescription description;
    description.width = 4;
    description.height = 4;
    std::vector<PixelFormat> formats;
    std::unique_ptr<Device3D> device;
    ASSERT_EQ(display->CreateDevice(DeviceType::Software, device), VideoResults::kOk);
    device->EnumerateTextureFormats(formats);
    description.format = formats.front();
    std::unique_ptr<TextureSurface> texture;
    ASSERT_EQ(display->CreateTextureSurface(description, texture), VideoResults::kOk);
    EXPECT_EQ(display->CountOtherReferences(), 1u);
    device.reset();
    display.reset();
    texture.reset();
}

// The window stands in for the back buffer only where the two would hold the
// same picture: the same size, eight bits a channel with alpha, and the same
// depth with at least the stencil asked for.
TEST(GLDisplayWindowFramebuffer, StandsInOnlyForABackBufferOfItsSizeAndFormats)
{
    const FramebufferFormat backBuffer{1024, 768, 32, DepthFormat{32, 24, 0}};
    const FramebufferFormat window{1024, 768, 32, DepthFormat{0, 24, 8}};
    EXPECT_TRUE(GLDisplay::WindowCanStandIn(window, backBuffer));

    struct Case {
        const char* what;
        FramebufferFormat window;
        FramebufferFormat backBuffer;
    };
    const Case refused[] = {
        {"a full screen larger than the mode", {1280, 1024, 32, window.depth}, backBuffer},
        {"a window one pixel shorter", {1024, 767, 32, window.depth}, backBuffer},
        {"a sixteen-bit back buffer", window, {1024, 768, 16, DepthFormat{16, 16, 0}}},
        {"a window without alpha", {1024, 768, 24, window.depth}, backBuffer},
        {"a window with less depth", {1024, 768, 32, DepthFormat{0, 16, 8}}, backBuffer},
        {"a window with more depth", {1024, 768, 32, DepthFormat{0, 32, 8}}, backBuffer},
        {"a back buffer with stencil the window lacks", {1024, 768, 32, DepthFormat{0, 24, 0}},
         {1024, 768, 32, DepthFormat{32, 24, 8}}},
    };
    for (const Case& c : refused)
        EXPECT_FALSE(GLDisplay::WindowCanStandIn(c.window, c.backBuffer)) << c.what;
}
