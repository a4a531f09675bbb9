#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/video/VideoSystem.h"

namespace Testing {

// One scripted display: what the enumeration and the display object answer.
struct FakeAdapter {
    Platform::AdapterIdentity identity;
    Platform::AdapterCaps caps{true};
    std::vector<Platform::DisplayMode> modes;
    std::vector<Platform::DeviceDescription> devices;
    std::vector<Platform::DepthFormat> depthFormats;
};

// What the last device made was told, as it stands now.
struct FakeDeviceState {
    std::map<Platform::RenderState, uint32_t> renderStates;
    std::map<std::pair<uint32_t, Platform::TextureStageState>, uint32_t> stageStates;
    std::map<uint32_t, std::array<float, 16>> transforms;
    std::map<uint32_t, Platform::TextureSurface*> textures;
    std::map<uint32_t, Platform::LightDescription> lights;
    Platform::Material material;
    Platform::Viewport viewport;
};

// A video system without a display. The test scripts the displays, their
// modes, devices and depth formats, which calls fail, and the back buffer's
// pixels; every call of the system, its displays, devices and surfaces is
// recorded as a line of text ("CreateDevice TransformAndLighting",
// "SetRenderState CullMode 1").
class FakeVideoSystem : public Platform::VideoSystem {
public:
    // One primary display of 1024 x 768 x 32 with 640 x 480, 800 x 600 and
    // 1024 x 768 at 16 and 32 bits; a transform-and-lighting, a hardware and
    // a software device; depth formats 16, 24 and 24 with 8 stencil bits.
    FakeVideoSystem();

    void EnumerateAdapters(std::vector<Platform::AdapterIdentity>& adapters) override;
    Platform::VideoResult CreateDisplay(const Platform::AdapterIdentity* adapter,
                                        std::unique_ptr<Platform::Display>& display) override;
    bool GetDesktopMode(Platform::DisplayMode& mode) override;

    static Platform::DeviceDescription Device(Platform::DeviceType type, bool hardware);
    static Platform::PixelFormat TextureFormat(uint32_t bitCount, uint32_t alpha, uint32_t red, uint32_t green,
                                               uint32_t blue);

    // Every call whose line is the given text, or starts with it and a
    // blank, answers the result; times < 0 means every time.
    void Fail(const std::string& call, Platform::VideoResult result, int times = -1);
    // Records the line and answers the scripted result, 0 when none.
    Platform::VideoResult Answer(const std::string& line);
    void Record(const std::string& line) { calls.push_back(line); }

    bool Called(const std::string& line) const;
    int CountCalls(const std::string& line) const;
    // The lines from the first that starts with the given text on.
    std::vector<std::string> CallsFrom(const std::string& start) const;
    uint32_t RenderStateValue(Platform::RenderState state) const;
    uint32_t StageStateValue(uint32_t stage, Platform::TextureStageState state) const;

    // Fills the back buffer with one 32-bit pixel value (blue, green, red,
    // x in memory) or, for 16 bits, R5G6B5.
    void FillBackBuffer(uint32_t pixel);

    std::vector<FakeAdapter> adapters;
    Platform::DisplayMode desktopMode{1024, 768, 32, 60};
    // What GetDisplayMode answers; a changed mode follows SetDisplayMode.
    Platform::DisplayMode displayMode{1024, 768, 32, 60};
    // What CountOtherReferences answers.
    uint32_t otherReferences = 0;
    // What the devices' EnumerateTextureFormats answers: A8R8G8B8, X8R8G8B8,
    // R5G6B5, A1R5G5B5 and A4R4G4B4.
    std::vector<Platform::PixelFormat> textureFormats;

    std::vector<std::string> calls;
    FakeDeviceState device;
    Platform::SurfaceDescription backBuffer;
    std::vector<uint8_t> backBufferPixels;
    int liveDisplays = 0;
    int liveDevices = 0;
    int liveMemorySurfaces = 0;

private:
    struct Failure {
        std::string call;
        Platform::VideoResult result;
        int times;
    };
    std::vector<Failure> failures_;
};

const char* Name(Platform::RenderState state);
const char* Name(Platform::TextureStageState state);
const char* Name(Platform::DeviceType type);
const char* Name(Platform::TransformState state);

} // namespace Testing
