#include "tests/support/FakeVideoSystem.h"

#include <algorithm>
#include <cstring>

#include "tests/support/FakeDisplay.h"

namespace Testing {

namespace {

bool Matches(const std::string& line, const std::string& call)
{
    return line == call ||
           (line.size() > call.size() && line.compare(0, call.size(), call) == 0 && line[call.size()] == ' ');
}

} // namespace

FakeVideoSystem::FakeVideoSystem()
{
    FakeAdapter primary;
    primary.identity.description = "Fake display";
    primary.identity.name = "display";
    for (uint32_t bits : {16u, 32u}) {
        primary.modes.push_back({640, 480, bits, 60});
        primary.modes.push_back({800, 600, bits, 60});
        primary.modes.push_back({1024, 768, bits, 60});
    }
    primary.devices = {Device(Platform::DeviceType::TransformAndLighting, true),
                       Device(Platform::DeviceType::Hardware, true), Device(Platform::DeviceType::Software, false)};
    primary.depthFormats = {{16, 16, 0}, {32, 24, 0}, {32, 24, 8}};
    adapters.push_back(primary);
    textureFormats = {
        TextureFormat(32, 0xFF000000u, 0x00FF0000u, 0x0000FF00u, 0x000000FFu),
        TextureFormat(32, 0, 0x00FF0000u, 0x0000FF00u, 0x000000FFu), TextureFormat(16, 0, 0xF800u, 0x07E0u, 0x001Fu),
        TextureFormat(16, 0x8000u, 0x7C00u, 0x03E0u, 0x001Fu), TextureFormat(16, 0xF000u, 0x0F00u, 0x00F0u, 0x000Fu)};
}

Platform::PixelFormat FakeVideoSystem::TextureFormat(uint32_t bitCount, uint32_t alpha, uint32_t red, uint32_t green,
                                                     uint32_t blue)
{
    Platform::PixelFormat format;
    format.bitCount = bitCount;
    format.alphaMask = alpha;
    format.redMask = red;
    format.greenMask = green;
    format.blueMask = blue;
    format.hasAlpha = alpha != 0;
    return format;
}

Platform::DeviceDescription FakeVideoSystem::Device(Platform::DeviceType type, bool hardware)
{
    Platform::DeviceDescription device;
    device.type = type;
    device.description = std::string(Name(type)) + " device";
    device.name = Name(type);
    device.hardwareRasterization = hardware;
    device.renderDepths = Platform::kRenderDepth16 | Platform::kRenderDepth24 | Platform::kRenderDepth32;
    device.maxTextureWidth = 2048;
    device.maxTextureHeight = 1024;
    device.maxSimultaneousTextures = 2;
    device.maxAnisotropy = 8;
    return device;
}

void FakeVideoSystem::EnumerateAdapters(std::vector<Platform::AdapterIdentity>& identities)
{
    Record("EnumerateAdapters");
    for (const FakeAdapter& adapter : adapters)
        identities.push_back(adapter.identity);
}

Platform::VideoResult FakeVideoSystem::CreateDisplay(const Platform::AdapterIdentity* identity,
                                                     std::unique_ptr<Platform::Display>& display)
{
    const std::string which = identity == nullptr ? "primary" : std::to_string(identity->identifier);
    const Platform::VideoResult result = Answer("CreateDisplay " + which);
    if (Platform::Failed(result))
        return result;
    const auto found = std::find_if(adapters.begin(), adapters.end(), [identity](const FakeAdapter& adapter) {
        return identity == nullptr
                   ? !adapter.identity.hasIdentifier
                   : adapter.identity.hasIdentifier && adapter.identity.identifier == identity->identifier;
    });
    if (found == adapters.end())
        return Platform::VideoResults::kInvalidDriverIdentifier;
    display = std::make_unique<FakeDisplay>(*this, *found);
    return result;
}

bool FakeVideoSystem::GetDesktopMode(Platform::DisplayMode& mode)
{
    Record("GetDesktopMode");
    mode = desktopMode;
    return true;
}

void FakeVideoSystem::Fail(const std::string& call, Platform::VideoResult result, int times)
{
    failures_.push_back({call, result, times});
}

Platform::VideoResult FakeVideoSystem::Answer(const std::string& line)
{
    Record(line);
    for (Failure& failure : failures_) {
        if (failure.times == 0 || !Matches(line, failure.call))
            continue;
        if (failure.times > 0)
            --failure.times;
        return failure.result;
    }
    return Platform::VideoResults::kOk;
}

bool FakeVideoSystem::Called(const std::string& line) const { return CountCalls(line) > 0; }

int FakeVideoSystem::CountCalls(const std::string& line) const
{
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&line](const std::string& call) { return Matches(call, line); }));
}

std::vector<std::string> FakeVideoSystem::CallsFrom(const std::string& start) const
{
    const auto first =
        std::find_if(calls.begin(), calls.end(), [&start](const std::string& call) { return Matches(call, start); });
    return std::vector<std::string>(first, calls.end());
}

uint32_t FakeVideoSystem::RenderStateValue(Platform::RenderState state) const
{
    const auto found = device.renderStates.find(state);
    return found != device.renderStates.end() ? found->second : 0xDEADBEEFu;
}

uint32_t FakeVideoSystem::StageStateValue(uint32_t stage, Platform::TextureStageState state) const
{
    const auto found = device.stageStates.find({stage, state});
    return found != device.stageStates.end() ? found->second : 0xDEADBEEFu;
}

void FakeVideoSystem::FillBackBuffer(uint32_t pixel)
{
    const uint32_t bytes = backBuffer.format.bitCount / 8;
    backBufferPixels.resize(static_cast<size_t>(backBuffer.width) * backBuffer.height * bytes);
    for (size_t i = 0; i < backBufferPixels.size(); i += bytes)
        std::memcpy(&backBufferPixels[i], &pixel, bytes);
}

const char* Name(Platform::RenderState state)
{
    static const char* const names[] = {
        "Ambient",       "AlphaBlendEnable", "SourceBlend",      "DestinationBlend",      "CullMode",
        "Lighting",      "NormalizeNormals", "ZEnable",          "ZWriteEnable",          "ZFunction",
        "StencilEnable", "StencilFunction",  "StencilReference", "StencilMask",           "StencilFail",
        "StencilZFail",  "StencilPass",      "ColorVertex",      "DiffuseMaterialSource", "AmbientMaterialSource",
    };
    static_assert(std::size(names) == static_cast<size_t>(Platform::RenderState::Count));
    return names[static_cast<size_t>(state)];
}

const char* Name(Platform::TextureStageState state)
{
    static const char* const names[] = {
        "ColorOperation", "ColorArgument1",        "ColorArgument2",         "AlphaOperation",
        "AlphaArgument1", "AlphaArgument2",        "TextureCoordinateIndex", "AddressU",
        "AddressV",       "MagnificationFilter",   "MinificationFilter",     "MipFilter",
        "MaxAnisotropy",  "TextureTransformFlags",
    };
    static_assert(std::size(names) == static_cast<size_t>(Platform::TextureStageState::Count));
    return names[static_cast<size_t>(state)];
}

const char* Name(Platform::DeviceType type)
{
    switch (type) {
    case Platform::DeviceType::TransformAndLighting:
        return "TransformAndLighting";
    case Platform::DeviceType::Hardware:
        return "Hardware";
    case Platform::DeviceType::Reference:
        return "Reference";
    case Platform::DeviceType::Software:
        return "Software";
    }
    return "?";
}

const char* Name(Platform::TransformState state)
{
    switch (state) {
    case Platform::TransformState::World:
        return "World";
    case Platform::TransformState::View:
        return "View";
    case Platform::TransformState::Projection:
        return "Projection";
    default:
        break;
    }
    static const std::string textures[] = {"Texture0", "Texture1", "Texture2", "Texture3",
                                           "Texture4", "Texture5", "Texture6", "Texture7"};
    return textures[static_cast<uint32_t>(state) - static_cast<uint32_t>(Platform::TransformState::Texture0)].c_str();
}

} // namespace Testing
