#include "engine/render/RenderSystem_D3D7.h"

#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/Image.h"
#include "engine/core/LittleEndian.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/Window.h"
#include "engine/render/Camera_D3D7.h"
#include "engine/render/IndexBuffer_D3D7.h"
#include "engine/render/Light_D3D7.h"
#include "engine/render/ResultTexts.h"
#include "engine/render/Texture2D.h"
#include "engine/render/Texture2D_D3D7.h"
#include "engine/render/VertexBuffer_D3D7.h"
#include "platform/video/VideoSystem.h"

#include <algorithm>
#include <cstring>

namespace Halvard {

namespace {

namespace R = Platform::VideoResults;
using Platform::RenderState;
using Platform::TextureStageState;

constexpr std::size_t kMaxNameLength = 63;
constexpr u32 kMinModeWidth = 640;
constexpr u32 kMinModeHeight = 400;
const std::string kDots(56, '.');
const std::string kFallbackMode = "640x480x16";

std::string Truncated(const std::string& text) { return text.substr(0, kMaxNameLength); }

u32 Value(Platform::Blend blend) { return static_cast<u32>(blend); }

// Components of 0 ... 1 into A8R8G8B8, each truncated toward zero.
u32 PackColor(const Vector4& color)
{
    const auto channel = [](float c) { return static_cast<u32>(std::clamp(c * 255.0f, 0.0f, 255.0f)); };
    return (channel(color.w) << 24) | (channel(color.x) << 16) | (channel(color.y) << 8) | channel(color.z);
}

Platform::Color ToColor(const Vector4& v) { return Platform::Color{v.x, v.y, v.z, v.w}; }

// Largest first: width, then height, then colour depth.
bool CompareDisplayModes(const Platform::DisplayMode& a, const Platform::DisplayMode& b)
{
    if (a.width != b.width)
        return a.width > b.width;
    if (a.height != b.height)
        return a.height > b.height;
    return a.bitsPerPixel > b.bitsPerPixel;
}

bool DeviceRendersDepth(const Platform::DeviceDescription& caps, u32 bits)
{
    switch (bits) {
    case 32:
        return (caps.renderDepths & Platform::kRenderDepth32) != 0;
    case 24:
        return (caps.renderDepths & Platform::kRenderDepth24) != 0;
    case 16:
        return (caps.renderDepths & Platform::kRenderDepth16) != 0;
    default:
        return false;
    }
}

// The first offered format with exactly the wanted bit depth and at least
// the wanted stencil bits.
bool FindZBufferFormat(const std::vector<Platform::DepthFormat>& offered, u32 bitDepth, u32 stencilBits,
                       Platform::DepthFormat& found)
{
    for (const Platform::DepthFormat& format : offered) {
        if (format.bitDepth == bitDepth && format.stencilBits >= stencilBits) {
            found = format;
            return true;
        }
    }
    return false;
}

const Platform::Blend kBlendFactors[] = {
    Platform::Blend::Zero,
    Platform::Blend::One,
    Platform::Blend::DestinationColor,
    Platform::Blend::InverseDestinationColor,
    Platform::Blend::SourceAlpha,
    Platform::Blend::InverseSourceAlpha,
    Platform::Blend::DestinationAlpha,
    Platform::Blend::InverseDestinationAlpha,
    Platform::Blend::SourceAlphaSaturate,
    Platform::Blend::SourceColor,
    Platform::Blend::InverseSourceColor,
};

u32 BlendFactor(u32 index)
{
    return Value(index < std::size(kBlendFactors) ? kBlendFactors[index] : Platform::Blend::Zero);
}

// One channel of a packed pixel widened to 8 bits.
u8 Channel(u32 pixel, u32 mask)
{
    if (mask == 0)
        return 0;
    u32 shift = 0;
    while (((mask >> shift) & 1u) == 0)
        ++shift;
    const u32 maximum = mask >> shift;
    return static_cast<u8>((((pixel & mask) >> shift) * 255u + maximum / 2) / maximum);
}

// Surface pixels (blue first in memory) into image pixels (red first).
void ConvertRow(const u8* in, const Platform::PixelFormat& format, u8* out, u32 outBytes, u32 width)
{
    for (u32 x = 0; x < width; ++x, out += outBytes) {
        u8 red = 0;
        u8 green = 0;
        u8 blue = 0;
        u8 alpha = 255;
        if (format.bitCount == 16) {
            const u32 pixel = ReadLittleEndian16(in);
            red = Channel(pixel, format.redMask);
            green = Channel(pixel, format.greenMask);
            blue = Channel(pixel, format.blueMask);
            in += 2;
        } else if (format.bitCount == 24) {
            blue = in[0];
            green = in[1];
            red = in[2];
            in += 3;
        } else {
            blue = in[0];
            green = in[1];
            red = in[2];
            alpha = static_cast<u8>(255 - in[3]);
            in += 4;
        }
        out[0] = red;
        out[1] = green;
        out[2] = blue;
        if (outBytes == 4)
            out[3] = alpha;
    }
}

// A locked array may change under any draw, so the device reads it afresh
// each time.
Platform::DrawSource SourceOf(const u8* data, bool locked, const BufferVersion& version)
{
    return Platform::DrawSource{data, locked ? 0 : version.GetIdentity(), version.Get()};
}

} // namespace

RenderSystem_D3D7::RenderSystem_D3D7(MessageManager* messages, Config* config, Window* window, bool stencilRequest,
                                     bool keepWindowSize)
    : RenderSystem(messages, config, window, stencilRequest, keepWindowSize), video_(Platform::GetVideoSystem())
{
    messages_->LogMessage("\nInitialization of Direct3D subsystem...");
    EnumerateAdapters();
    CreateDeviceWithFallback(true);
    ResetStates();
    messages_->LogMessage(" ");
}

// A release that finds objects still referenced has logged its fatal line;
// it must not leave a destructor.
RenderSystem_D3D7::~RenderSystem_D3D7()
{
    messages_->LogMessage("\nDirect3D Subsystem destroying:");
    try {
        ReleaseDevice();
    } catch (const FatalError&) {
    }
    textures_.clear();
}

Platform::NativeWindow* RenderSystem_D3D7::WindowHandle() const { return window_->GetHandle(); }

AdapterInfo_D3D7& RenderSystem_D3D7::ChosenAdapter() const { return static_cast<AdapterInfo_D3D7&>(*chosenAdapter_); }

DeviceInfo_D3D7& RenderSystem_D3D7::ChosenDevice() const
{
    return static_cast<DeviceInfo_D3D7&>(*chosenAdapter_->chosenDevice);
}

void RenderSystem_D3D7::EnumerateAdapters()
{
    messages_->LogMessage("...Level device list...");
    std::vector<Platform::AdapterIdentity> identities;
    video_.EnumerateAdapters(identities);
    for (const Platform::AdapterIdentity& identity : identities)
        EnumerateAdapter(identity);
    if (adapters_.empty() || adapters_.front()->devices.empty())
        messages_->LogFatal("RenderSystem_D3D7: Failed to find any compatible Direct3D devices");
}

// An adapter whose display or three-dimensional side cannot be opened is
// left out without a word.
void RenderSystem_D3D7::EnumerateAdapter(const Platform::AdapterIdentity& identity)
{
    std::unique_ptr<Platform::Display> display;
    if (Platform::Failed(video_.CreateDisplay(identity.hasIdentifier ? &identity : nullptr, display)))
        return;
    if (Platform::Failed(display->OpenDirect3D()))
        return;

    auto owned = std::make_unique<AdapterInfo_D3D7>();
    AdapterInfo_D3D7& adapter = *owned;
    adapters_.push_back(std::move(owned));
    adapter.description = Truncated(identity.description);
    display->GetCaps(adapter.caps);
    if (identity.hasIdentifier) {
        adapter.identity = identity;
        adapter.identifier = &adapter.identity;
    }
    adapter.canRenderWindowed = adapter.caps.canRenderWindowed && adapter.identifier == nullptr ? 1 : 0;
    video_.GetDesktopMode(adapter.desktopMode);
    if (adapter.desktopMode.bitsPerPixel == 24)
        adapter.desktopMode.bitsPerPixel = 32;

    std::vector<Platform::DisplayMode> modes;
    display->EnumerateDisplayModes(modes);
    for (const Platform::DisplayMode& mode : modes) {
        if (mode.width >= kMinModeWidth && mode.height >= kMinModeHeight)
            adapter.displayModes.push_back(mode);
    }
    std::sort(adapter.displayModes.begin(), adapter.displayModes.end(), CompareDisplayModes);

    EnumerateDevices(adapter, *display);
    display->CloseDirect3D();
}

void RenderSystem_D3D7::EnumerateDevices(AdapterInfo_D3D7& adapter, Platform::Display& display)
{
    std::vector<Platform::DeviceDescription> descriptions;
    display.EnumerateDevices(descriptions);
    for (const Platform::DeviceDescription& description : descriptions) {
        auto device = std::make_unique<DeviceInfo_D3D7>();
        device->caps = description;
        device->hardware = description.hardwareRasterization ? 1 : 0;
        device->type = description.type;
        device->description = Truncated(description.description);
        device->name = Truncated(description.name);
        if (adapter.identifier != nullptr && device->hardware == 0)
            continue;
        for (const Platform::DisplayMode& displayMode : adapter.displayModes) {
            if (!DeviceRendersDepth(description, displayMode.bitsPerPixel))
                continue;
            auto mode = std::make_unique<ModeInfo_D3D7>();
            mode->width = displayMode.width;
            mode->height = displayMode.height;
            mode->bitsPerPixel = displayMode.bitsPerPixel == 16 ? 16 : 32;
            mode->displayMode = &displayMode;
            device->modes.push_back(std::move(mode));
        }
        if (!device->modes.empty())
            adapter.devices.push_back(std::move(device));
    }
}

void RenderSystem_D3D7::ChooseDevice(bool softwareOnly)
{
    struct Candidate {
        AdapterInfo* adapter = nullptr;
        DeviceInfo* device = nullptr;
    };
    Candidate transformAndLighting;
    Candidate hardware;
    Candidate reference;
    Candidate software;
    for (const auto& adapter : adapters_) {
        if (static_cast<const AdapterInfo_D3D7&>(*adapter).canRenderWindowed == 0)
            continue;
        for (const auto& device : adapter->devices) {
            const auto& info = static_cast<const DeviceInfo_D3D7&>(*device);
            const Candidate seen{adapter.get(), device.get()};
            if (info.hardware != 0)
                (info.type == Platform::DeviceType::TransformAndLighting ? transformAndLighting : hardware) = seen;
            else
                (info.type == Platform::DeviceType::Reference ? reference : software) = seen;
        }
    }
    Candidate chosen;
    if (!softwareOnly && transformAndLighting.device != nullptr)
        chosen = transformAndLighting;
    else if (!softwareOnly && hardware.device != nullptr)
        chosen = hardware;
    else if (software.device != nullptr)
        chosen = software;
    else if (reference.device != nullptr)
        chosen = reference;
    else
        messages_->LogFatal("RenderSystem_D3D7: Failed to find any compatible Direct3D devices");
    chosenAdapter_ = chosen.adapter;
    chosenAdapter_->chosenDevice = chosen.device;
}

void RenderSystem_D3D7::CreateDeviceWithFallback(bool logCapabilities)
{
    if (chosenAdapter_ == nullptr)
        ChooseDevice(false);
    if (CreateDevice(logCapabilities))
        return;
    if (ChosenDevice().hardware == 0)
        messages_->LogFatal("RenderSystem_D3D7: Failed to create Direct3D device");
    messages_->LogWarning("......RenderSystem_D3D7: Switching to the software rasterizer");
    ChooseDevice(true);
    CreateDeviceWithFallback(true);
}

bool RenderSystem_D3D7::AutomaticModeWanted(u32 width, u32 height) const
{
    const Platform::ScreenRect& workArea = window_->GetWorkArea();
    const i64 right = static_cast<i64>(workArea.x) + workArea.width;
    const i64 bottom = static_cast<i64>(workArea.y) + workArea.height;
    return config_->fullScreen == 0 && keepWindowSize_ == 0 && (width >= right || height >= bottom);
}

// The largest of 1024 x 768, 800 x 600 and 640 x 480 that fits inside the
// work area, else the desktop's own size, else the device's first mode.
ModeInfo* RenderSystem_D3D7::ChooseAutomaticMode(const DeviceInfo& device, const AdapterInfo_D3D7& adapter,
                                                 u32 bits) const
{
    const Platform::ScreenRect& workArea = window_->GetWorkArea();
    const i64 right = static_cast<i64>(workArea.x) + workArea.width;
    const i64 bottom = static_cast<i64>(workArea.y) + workArea.height;
    ModeInfo* large = nullptr;
    ModeInfo* medium = nullptr;
    ModeInfo* small = nullptr;
    ModeInfo* desktop = nullptr;
    for (const auto& owned : device.modes) {
        ModeInfo* mode = owned.get();
        if (mode->bitsPerPixel != bits)
            continue;
        const bool fourThree = mode->width % 4 == 0 && mode->height % 3 == 0 && mode->width / 4 == mode->height / 3;
        const bool fits = mode->width < right && mode->height < bottom;
        const bool desktopSized =
            mode->width == adapter.desktopMode.width && mode->height == adapter.desktopMode.height;
        if (!(fourThree && fits) && !desktopSized)
            continue;
        if (mode->width == 1024 && mode->height == 768)
            large = mode;
        else if (mode->width == 800 && mode->height == 600)
            medium = mode;
        else if (mode->width == 640 && mode->height == 480)
            small = mode;
        if (desktopSized)
            desktop = mode;
    }
    for (ModeInfo* mode : {large, medium, small, desktop}) {
        if (mode != nullptr)
            return mode;
    }
    return device.modes.front().get();
}

// Falls back from an unusable "v_mode" to its default, then to the smallest
// mode of all, and stops when even that is missing.
void RenderSystem_D3D7::RepairVideoMode()
{
    const std::string current = ToLower(config_->videoMode);
    if (current == kFallbackMode)
        messages_->LogFatal("RenderSystem_D3D7: Failed to find compatible video mode");
    if (current != ToLower(config_->GetDefaultValue("v_mode")))
        config_->ResetVariable("v_mode");
    else
        config_->SetValue("v_mode", kFallbackMode);
}

void RenderSystem_D3D7::ChooseVideoMode()
{
    AdapterInfo_D3D7& adapter = ChosenAdapter();
    DeviceInfo& device = *adapter.chosenDevice;
    for (;;) {
        u32 width = 0;
        u32 height = 0;
        u32 bits = 0;
        if (ToLower(config_->videoMode) == "desktop") {
            width = adapter.desktopMode.width;
            height = adapter.desktopMode.height;
            bits = adapter.desktopMode.bitsPerPixel;
            config_->fullScreen = 1;
        } else {
            ParseVideoMode(config_->videoMode, &width, &height, &bits);
        }

        ModeInfo* chosen = nullptr;
        if (AutomaticModeWanted(width, height)) {
            chosen = ChooseAutomaticMode(device, adapter, bits);
            config_->videoMode =
                UIntToString(chosen->width) + "x" + UIntToString(chosen->height) + "x" + UIntToString(bits);
        } else {
            for (const auto& mode : device.modes) {
                if (mode->width == width && mode->height == height && mode->bitsPerPixel == bits) {
                    chosen = mode.get();
                    break;
                }
            }
        }
        if (chosen != nullptr) {
            device.chosenMode = chosen;
            break;
        }
        RepairVideoMode();
    }
    device.fullScreen = config_->fullScreen != 0 && window_->GetHostWindow() == 0 ? 1 : 0;
}

bool RenderSystem_D3D7::CreateDevice(bool logCapabilities)
{
    ChooseVideoMode();
    DeviceInfo_D3D7& device = ChosenDevice();
    const ModeInfo& mode = *device.chosenMode;
    const bool fullScreen = device.fullScreen != 0;
    try {
        messages_->LogMessage("...Creating DirectDraw...");
        if (Platform::Failed(video_.CreateDisplay(ChosenAdapter().identifier, display_)))
            throw Error("Failed to create DirectDraw");
        messages_->LogMessage("......Setting cooperative level...");
        const auto level =
            fullScreen ? Platform::CooperativeLevel::FullScreenExclusive : Platform::CooperativeLevel::Normal;
        if (Platform::Failed(display_->SetCooperativeLevel(WindowHandle(), level)))
            throw Error("Failed to set DirectDraw cooperative level");
        Platform::DisplayMode current;
        if (Platform::Failed(display_->GetDisplayMode(current)) || current.bitsPerPixel <= 8)
            throw Error("Invalid DirectDraw display mode");
        CreateScreenBuffers(mode, fullScreen);

        messages_->LogMessage("...Creating Direct3D...");
        if (Platform::Failed(display_->OpenDirect3D()))
            throw Error("Failed to create Direct3D");
        direct3DOpen_ = true;
        messages_->LogMessage("...Creating Direct3D device...");
        if (Platform::Failed(display_->CreateDevice(device.type, device_)))
            throw Error("Failed to create Direct3D device");
        messages_->LogMessage("......Setting viewport...");
        const Platform::Viewport viewport{0, 0, mode.width, mode.height, 0.0f, 1.0f};
        if (Platform::Failed(device_->SetViewport(viewport)))
            throw Error("Failed to set viewport");
        messages_->LogMessage("......Creating Z Buffer...");
        if (!device.caps.zBufferlessHiddenSurfaceRemoval)
            CreateDepthBuffer(device);
        ReadCapabilities(device, logCapabilities);
        return true;
    } catch (const Error& error) {
        ReleaseDevice();
        messages_->LogError("RenderSystem_D3D7: " + error.GetText());
        return false;
    }
}

void RenderSystem_D3D7::CreateScreenBuffers(const ModeInfo& mode, bool fullScreen)
{
    messages_->LogMessage("......Creating screen buffers...");
    window_->SetMode(mode.width, mode.height, fullScreen);
    if (fullScreen) {
        const auto& displayMode = *static_cast<const ModeInfo_D3D7&>(mode).displayMode;
        if (Platform::Failed(display_->SetDisplayMode(displayMode)))
            throw Error("Failed to set display mode");
    }
    if (Platform::Failed(display_->CreatePrimarySurface(fullScreen)))
        throw Error("Failed to create primary surface");
    if (fullScreen) {
        if (Platform::Failed(display_->GetAttachedBackBuffer()))
            throw Error("Failed to create back buffer");
    } else {
        if (Platform::Failed(display_->CreateClipper(WindowHandle())))
            throw Error("Failed to create clipper");
        if (Platform::Failed(display_->CreateBackBuffer(mode.width, mode.height)))
            throw Error("Failed to create back buffer");
    }
    display_->GetBackBufferDescription(backBufferDescription_);
}

// With stencil wanted, every pass tries the back buffer's depth and then 16
// bits; a last pass without stencil follows when neither has stencil bits.
bool RenderSystem_D3D7::FindDepthFormat(const DeviceInfo_D3D7& device, Platform::DepthFormat& found)
{
    std::vector<Platform::DepthFormat> offered;
    display_->EnumerateDepthFormats(device.type, offered);
    bool wantStencil = stencilRequest_ != 0;
    for (;;) {
        const u32 stencilBits = wantStencil ? 1 : 0;
        if (FindZBufferFormat(offered, backBufferDescription_.format.bitCount, stencilBits, found) ||
            FindZBufferFormat(offered, 16, stencilBits, found)) {
            stencilPresent_ = wantStencil ? 1 : 0;
            return true;
        }
        if (!wantStencil)
            return false;
        wantStencil = false;
    }
}

void RenderSystem_D3D7::CreateDepthBuffer(const DeviceInfo_D3D7& device)
{
    const bool hardware =
        device.type == Platform::DeviceType::Hardware || device.type == Platform::DeviceType::TransformAndLighting;
    const auto memory = hardware ? Platform::SurfaceMemory::Video : Platform::SurfaceMemory::System;
    Platform::DepthFormat format;
    if (!FindDepthFormat(device, format))
        throw Error("Failed to create Z Buffer");
    if (Platform::Failed(display_->CreateDepthBuffer(format, memory)))
        throw Error("Failed to create Z Buffer");
    if (Platform::Failed(display_->AttachDepthBuffer()))
        throw Error("Failed to create Z Buffer");
    if (Platform::Failed(device_->SetRenderTarget()))
        throw Error("Failed to set render target");
}

void RenderSystem_D3D7::ReadCapabilities(const DeviceInfo_D3D7& device, bool logCapabilities)
{
    const Platform::DeviceDescription& caps = device.caps;
    SetDeviceLimits(caps.maxTextureWidth, caps.maxTextureHeight, caps.maxSimultaneousTextures, caps.maxAnisotropy);
    if (!logCapabilities)
        return;
    messages_->LogMessage(kDots);
    messages_->LogMessage("......Capabilities:");
    messages_->LogMessage(".........Maximal texture units: " + UIntToString(caps.maxSimultaneousTextures));
    messages_->LogMessage(".........Maximal texture size: " + UIntToString(caps.maxTextureWidth) + "x" +
                          UIntToString(caps.maxTextureHeight));
    messages_->LogMessage(".........Maximal texture anisotropy: " + UIntToString(caps.maxAnisotropy));
}

void RenderSystem_D3D7::ReleaseDevice()
{
    if (display_ != nullptr)
        display_->SetCooperativeLevel(WindowHandle(), Platform::CooperativeLevel::Normal);
    messages_->LogMessage("...Releasing device...");
    device_.reset();
    messages_->LogMessage("...Releasing surfaces...");
    if (display_ != nullptr)
        display_->ReleaseSurfaces();
    messages_->LogMessage("...Releasing Direct3D...");
    if (direct3DOpen_)
        display_->CloseDirect3D();
    direct3DOpen_ = false;
    messages_->LogMessage("...Releasing DirectDraw...");
    const u32 references = display_ != nullptr ? display_->CountOtherReferences() : 0;
    display_.reset();
    if (references > 0)
        messages_->LogFatal("RenderSystem_D3D7: DirectDraw object is still referenced");
}

void RenderSystem_D3D7::Refresh()
{
    RenderSystem::Refresh();
    const Platform::VideoResult answer = display_->TestCooperativeLevel();
    if (answer != R::kOk) {
        deviceReady_ = 0;
        if (answer == R::kWrongMode && config_->fullScreen == 0) {
            resetNeeded_ = 1;
            texturesLost_ = 1;
        }
        return;
    }
    if (deviceReady_ != 0)
        return;
    const Platform::VideoResult restored = display_->RestoreAllSurfaces();
    CheckResult("RenderSystem_D3D7::Refresh", restored);
    if (Platform::Failed(restored)) {
        resetNeeded_ = 1;
        texturesLost_ = 1;
    } else {
        deviceReady_ = 1;
    }
}

void RenderSystem_D3D7::BeginScene()
{
    const char* place = "RenderSystem_D3D7::BeginScene";
    const u32 clearFlags = GetClearFlags();
    if (clearFlags != 0) {
        u32 flags = 0;
        if ((clearFlags & kClearColor) != 0)
            flags |= Platform::kClearTarget;
        if ((clearFlags & kClearDepth) != 0)
            flags |= Platform::kClearZBuffer;
        if (stencilPresent_ != 0)
            flags |= Platform::kClearStencil;
        CheckResult(place, device_->Clear(flags, PackColor(GetClearColor()), 1.0f, 0));
    }
    Platform::VideoResult result = device_->BeginScene();
    if (result == R::kSurfaceLost) {
        CheckResult(place, display_->RestoreAllSurfaces());
        result = device_->BeginScene();
    }
    CheckResult(place, result);
}

void RenderSystem_D3D7::EndScene()
{
    Platform::VideoResult result = device_->EndScene();
    if (result == R::kSurfaceLost)
        result = display_->RestoreAllSurfaces();
    CheckResult("RenderSystem_D3D7::EndScene", result);
}

void RenderSystem_D3D7::SwapBuffers()
{
    if (deviceReady_ == 0)
        return;
    const bool verticalSync = config_->verticalSync != 0;
    Platform::VideoResult result = R::kOk;
    if (window_->IsFullScreen()) {
        result = display_->Flip(verticalSync);
    } else {
        if (verticalSync)
            display_->WaitForVerticalBlank();
        result = display_->BlitToWindow();
    }
    if (result == R::kSurfaceLost)
        CheckResult("RenderSystem_D3D7::SwapBuffers", display_->RestoreAllSurfaces());
}

void RenderSystem_D3D7::DrawIndexedPrimitive(bool strip, IndexBuffer& indices, VertexBuffer& vertices,
                                             u32 primitiveCount)
{
    vertices.ReservedSlot2();
    indices.ReservedSlot3();
    const u32 indexCount = strip ? primitiveCount + 2 : primitiveCount * 3;
    u32 format = Platform::kVertexPosition | Platform::kVertexNormal | Platform::kVertexTexture1;
    if (vertices.HasColor())
        format |= Platform::kVertexDiffuse;
    const u32 vertexCount = indices.GetMinIndex() + indices.GetVertexRange();
    const auto type = strip ? Platform::PrimitiveType::TriangleStrip : Platform::PrimitiveType::TriangleList;
    CheckResult("RenderSystem_D3D7::DrawIndexedPrimitive",
                device_->DrawIndexedSources(type, format,
                                            SourceOf(vertices.GetData(), vertices.IsLocked(), vertices.GetVersion()),
                                            vertexCount,
                                            SourceOf(indices.GetData(), indices.IsLocked(), indices.GetVersion()),
                                            indexCount, indices.GetIndexSize()));
}

void RenderSystem_D3D7::CheckVideoMode()
{
    RenderSystem::CheckVideoMode();
    texturesLost_ = 1;
}

void RenderSystem_D3D7::Reset(u32 flags)
{
    if ((flags & kResetDevice) != 0) {
        messages_->LogMessage("\nReseting Direct3D device:");
        if (texturesLost_ != 0) {
            for (Texture2D* texture : textures_)
                texture->ReleaseSurface();
        }
        messages_->LogMessage(kDots);
        ReleaseDevice();
        messages_->LogMessage(kDots);
        CreateDeviceWithFallback(false);
        messages_->LogMessage(kDots);
        SetDefaultStates();
    }
    if ((flags & kResetTextures) != 0 && texturesLost_ != 0) {
        for (Texture2D* texture : textures_)
            texture->RestoreSurface();
    }
    RenderSystem::Reset(flags);
}

std::unique_ptr<Camera> RenderSystem_D3D7::CreateCamera(bool orthographic)
{
    return std::make_unique<Camera_D3D7>(window_, this, orthographic);
}

std::unique_ptr<Light> RenderSystem_D3D7::CreateLight(u32 deviceIndex)
{
    return std::make_unique<Light_D3D7>(messages_, this, deviceIndex);
}

std::unique_ptr<VertexBuffer> RenderSystem_D3D7::CreateVertexBuffer(u32 usage, bool hasColor, u32 vertexCount)
{
    return std::make_unique<VertexBuffer_D3D7>(this, usage, hasColor, vertexCount);
}

std::unique_ptr<VertexBuffer> RenderSystem_D3D7::CreateVertexBuffer(u32 usage, bool hasColor,
                                                                    const VertexBuffer& source)
{
    return std::make_unique<VertexBuffer_D3D7>(this, usage, hasColor, source);
}

std::unique_ptr<VertexBuffer> RenderSystem_D3D7::CloneVertexBuffer(const VertexBuffer& source)
{
    return std::make_unique<VertexBuffer_D3D7>(this, source);
}

std::unique_ptr<IndexBuffer> RenderSystem_D3D7::CreateIndexBuffer(u32 usage, u32 capacity)
{
    return std::make_unique<IndexBuffer_D3D7>(this, usage, capacity);
}

std::unique_ptr<IndexBuffer> RenderSystem_D3D7::CreateIndexBuffer(u32 usage, const IndexBuffer& source)
{
    return std::make_unique<IndexBuffer_D3D7>(this, usage, source);
}

std::unique_ptr<IndexBuffer> RenderSystem_D3D7::CloneIndexBuffer(const IndexBuffer& source)
{
    return std::make_unique<IndexBuffer_D3D7>(this, source.GetUsage(), source);
}

// The image takes the rows bottom-up, red first. Bytes per pixel follow the
// image, so a 24-bit mode listed as 32 bits still fills it exactly, and the
// temporary surface goes on every path.
void RenderSystem_D3D7::CaptureScreen(Image& image)
{
    const ModeInfo& mode = *GetChosenMode();
    image.Create(messages_, mode.width, mode.height, mode.bitsPerPixel == 32 ? 32 : 24);
    std::unique_ptr<Platform::MemorySurface> surface;
    if (Platform::Failed(display_->CreateMemorySurface(backBufferDescription_, surface)))
        throw Error("Error creating temporary surface!");
    surface->CopyFromBackBuffer();
    Platform::LockedRect locked;
    if (Platform::Failed(surface->Lock(locked)))
        throw Error("Error creating temporary surface!");

    const Platform::SurfaceDescription description = surface->GetDescription();
    const u32 width = std::min(image.GetWidth(), description.width);
    const u32 height = std::min(image.GetHeight(), description.height);
    const u32 outBytes = image.GetBitsPerPixel() / 8;
    const std::size_t outPitch = static_cast<std::size_t>(image.GetWidth()) * outBytes;
    for (u32 row = 0; row < height; ++row) {
        const u8* in = locked.bits + static_cast<std::ptrdiff_t>(description.height - 1 - row) * locked.pitch;
        ConvertRow(in, description.format, image.GetData() + outPitch * row, outBytes, width);
    }
    surface->Unlock();
}

std::unique_ptr<Texture2D> RenderSystem_D3D7::CreateTexture(TextureManager* manager, const std::string& key,
                                                            const Image& diffuse, const Image* opacity, bool mipMapping)
{
    return std::make_unique<Texture2D_D3D7>(messages_, config_, manager, this, key, diffuse, opacity, mipMapping);
}

void RenderSystem_D3D7::AddTexture(Texture2D* texture) { textures_.push_back(texture); }

void RenderSystem_D3D7::RemoveTexture(Texture2D* texture)
{
    const auto found = std::find(textures_.begin(), textures_.end(), texture);
    if (found == textures_.end())
        messages_->LogFatal("RenderSystem_D3D7: Failed to remove texture \"" + texture->GetKey() + "\"");
    textures_.erase(found);
}

void RenderSystem_D3D7::CheckResult(const std::string& place, Platform::VideoResult result)
{
    if (result >= 0)
        return;
    const char* text = FindResultText(result);
    const std::string message = text != nullptr ? text : "Unknown error (Code: " + IntToString(result) + ")";
    messages_->LogError("Direct3D Subsystem (" + place + "): " + message);
}

void RenderSystem_D3D7::ConvertMatrix(const Matrix4& source, float destination[16])
{
    std::memcpy(destination, source.m, sizeof(source.m));
}

void RenderSystem_D3D7::SetRenderState(const char* place, RenderState state, u32 value)
{
    CheckResult(place, device_->SetRenderState(state, value));
}

void RenderSystem_D3D7::SetStageState(const char* place, u32 stage, TextureStageState state, u32 value)
{
    CheckResult(place, device_->SetTextureStageState(stage, state, value));
}

void RenderSystem_D3D7::SetMaterial(const Vector4& ambient, const Vector4& diffuse, const Vector4& specular,
                                    const Vector4& emissive, float power)
{
    const Platform::Material material{ToColor(diffuse), ToColor(ambient), ToColor(specular), ToColor(emissive), power};
    CheckResult("RenderSystem_D3D7::SetMaterial", device_->SetMaterial(material));
}

void RenderSystem_D3D7::SetDefaultStates()
{
    RenderSystem::SetDefaultStates();
    SetDeviceDefaults();
}

void RenderSystem_D3D7::SetDeviceDefaults()
{
    const char* place = "RenderSystem_D3D7::SetDefaultStates";
    using Platform::TextureArgument;
    using Platform::TextureOperation;
    for (u32 stage = 0; stage < GetTextureStageCount(); ++stage) {
        SetStageState(place, stage, TextureStageState::TextureTransformFlags,
                      static_cast<u32>(Platform::TextureTransformFlags::Count2));
        SetStageState(place, stage, TextureStageState::TextureCoordinateIndex, 0);
        SetStageState(place, stage, TextureStageState::ColorOperation, static_cast<u32>(TextureOperation::Modulate));
        SetStageState(place, stage, TextureStageState::AlphaArgument1, static_cast<u32>(TextureArgument::Texture));
        SetStageState(place, stage, TextureStageState::AlphaArgument2, static_cast<u32>(TextureArgument::Diffuse));
        const TextureOperation alpha = stage == 0 ? TextureOperation::Modulate : TextureOperation::Disable;
        SetStageState(place, stage, TextureStageState::AlphaOperation, static_cast<u32>(alpha));
    }
    SetRenderState(place, RenderState::ColorVertex, 1);
    SetRenderState(place, RenderState::DiffuseMaterialSource, static_cast<u32>(Platform::MaterialSource::Color1));
    SetRenderState(place, RenderState::AmbientMaterialSource, static_cast<u32>(Platform::MaterialSource::Color1));
    SetRenderState(place, RenderState::ZFunction, static_cast<u32>(Platform::Compare::Less));
    if (stencilPresent_ == 0)
        return;
    using Platform::StencilOperation;
    SetRenderState(place, RenderState::StencilFunction, static_cast<u32>(Platform::Compare::Equal));
    SetRenderState(place, RenderState::StencilReference, 0);
    SetRenderState(place, RenderState::StencilMask, 0xFFFFFFFFu);
    SetRenderState(place, RenderState::StencilFail, static_cast<u32>(StencilOperation::Keep));
    SetRenderState(place, RenderState::StencilZFail, static_cast<u32>(StencilOperation::Keep));
    SetRenderState(place, RenderState::StencilPass, static_cast<u32>(StencilOperation::Increment));
}

void RenderSystem_D3D7::UpdateProjectionMatrix()
{
    float matrix[16];
    ConvertMatrix(GetProjectionMatrix(), matrix);
    CheckResult("RenderSystem_D3D7::UpdateProjectionMatrix",
                device_->SetTransform(Platform::TransformState::Projection, matrix));
}

// The camera space is right-handed, the device's left-handed: the view's
// z column changes sign.
void RenderSystem_D3D7::UpdateViewMatrix()
{
    float matrix[16];
    ConvertMatrix(GetViewMatrix(), matrix);
    for (u32 row = 0; row < 4; ++row)
        matrix[row * 4 + 2] = -matrix[row * 4 + 2];
    CheckResult("RenderSystem_D3D7::UpdateViewMatrix", device_->SetTransform(Platform::TransformState::View, matrix));
}

void RenderSystem_D3D7::UpdateWorldMatrix()
{
    const Matrix4& world = GetWorldMatrix();
    float matrix[16];
    for (u32 i = 0; i < 4; ++i) {
        for (u32 j = 0; j < 4; ++j)
            matrix[i * 4 + j] = world.m[j * 4 + i];
    }
    CheckResult("RenderSystem_D3D7::UpdateWorldMatrix", device_->SetTransform(Platform::TransformState::World, matrix));
}

void RenderSystem_D3D7::UpdateAmbientColor()
{
    SetRenderState("RenderSystem_D3D7::UpdateAmbientColor", RenderState::Ambient, PackColor(GetAmbientColor()));
}

void RenderSystem_D3D7::UpdateAlphaBlend()
{
    SetRenderState("RenderSystem_D3D7::UpdateAlphaBlend", RenderState::AlphaBlendEnable, GetAlphaBlend() ? 1 : 0);
}

void RenderSystem_D3D7::UpdateBlend()
{
    const char* place = "RenderSystem_D3D7::UpdateBlend";
    SetRenderState(place, RenderState::SourceBlend, BlendFactor(GetSourceBlend()));
    SetRenderState(place, RenderState::DestinationBlend, BlendFactor(GetDestinationBlend()));
}

void RenderSystem_D3D7::UpdateTexture(u32 stage)
{
    Texture2D* texture = GetTexture(stage);
    CheckResult("RenderSystem_D3D7::UpdateTexture",
                device_->SetTexture(stage, texture != nullptr ? texture->GetSurface() : nullptr));
}

void RenderSystem_D3D7::UpdateMaxTextureAnisotropy(u32 stage)
{
    SetStageState("RenderSystem_D3D7::UpdateMaxTextureAnisotropy", stage, TextureStageState::MaxAnisotropy,
                  GetStageAnisotropy(stage));
}

void RenderSystem_D3D7::UpdateTextureFilter(u32 stage)
{
    using Platform::TextureFilter;
    const char* place = "RenderSystem_D3D7::UpdateTextureFilter";
    TextureFilter magnification = TextureFilter::Linear;
    TextureFilter minification = TextureFilter::Linear;
    TextureFilter mip = TextureFilter::None;
    switch (GetTextureFilter(stage)) {
    case kFilterMipMapped:
        if (config_->textureAnisotropy > 1) {
            magnification = TextureFilter::Anisotropic;
            minification = TextureFilter::Anisotropic;
        }
        mip = TextureFilter::Linear;
        break;
    case kFilterLinear:
        break;
    case kFilterPoint:
        magnification = TextureFilter::Point;
        minification = TextureFilter::Point;
        break;
    default:
        return;
    }
    SetStageState(place, stage, TextureStageState::MagnificationFilter, static_cast<u32>(magnification));
    SetStageState(place, stage, TextureStageState::MinificationFilter, static_cast<u32>(minification));
    SetStageState(place, stage, TextureStageState::MipFilter, static_cast<u32>(mip));
}

void RenderSystem_D3D7::UpdateTextureAdressU(u32 stage)
{
    const auto address =
        GetTextureAdressU(stage) == kAddressClamp ? Platform::TextureAddress::Clamp : Platform::TextureAddress::Wrap;
    SetStageState("RenderSystem_D3D7::UpdateTextureAdressU", stage, TextureStageState::AddressU,
                  static_cast<u32>(address));
}

void RenderSystem_D3D7::UpdateTextureAdressV(u32 stage)
{
    const auto address =
        GetTextureAdressV(stage) == kAddressClamp ? Platform::TextureAddress::Clamp : Platform::TextureAddress::Wrap;
    SetStageState("RenderSystem_D3D7::UpdateTextureAdressV", stage, TextureStageState::AddressV,
                  static_cast<u32>(address));
}

void RenderSystem_D3D7::UpdateTextureMatrix(u32 stage)
{
    const TextureTransform& transform = GetTextureMatrix(stage);
    float matrix[16] = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
    matrix[0] = transform.scaleU;
    matrix[5] = transform.scaleV;
    matrix[8] = transform.offsetU;
    matrix[9] = transform.offsetV;
    CheckResult("RenderSystem_D3D7::UpdateTextureMatrix",
                device_->SetTransform(Platform::TextureTransform(stage), matrix));
}

void RenderSystem_D3D7::UpdateCullMode()
{
    Platform::Cull cull = Platform::Cull::None;
    if (GetCullMode() == kCullClockwise)
        cull = Platform::Cull::Clockwise;
    else if (GetCullMode() == kCullCounterClockwise)
        cull = Platform::Cull::CounterClockwise;
    SetRenderState("RenderSystem_D3D7::UpdateCullMode", RenderState::CullMode, static_cast<u32>(cull));
}

void RenderSystem_D3D7::UpdateLighting()
{
    SetRenderState("RenderSystem_D3D7::UpdateLighting", RenderState::Lighting, GetLighting() ? 1 : 0);
}

void RenderSystem_D3D7::UpdateNormalizeNormals()
{
    SetRenderState("RenderSystem_D3D7::UpdateNormalizeNormals", RenderState::NormalizeNormals,
                   GetNormalizeNormals() ? 1 : 0);
}

void RenderSystem_D3D7::UpdateZ()
{
    SetRenderState("RenderSystem_D3D7::UpdateZ", RenderState::ZEnable, GetZ() ? 1 : 0);
}

void RenderSystem_D3D7::UpdateZWrite()
{
    SetRenderState("RenderSystem_D3D7::UpdateZWrite", RenderState::ZWriteEnable, GetZWrite() ? 1 : 0);
}

void RenderSystem_D3D7::UpdateStencil()
{
    SetRenderState("RenderSystem_D3D7::UpdateStencil", RenderState::StencilEnable, GetStencil() ? 1 : 0);
}

} // namespace Halvard
