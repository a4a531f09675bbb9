#include "tests/support/FakeDisplay.h"

#include <string>

#include "tests/support/FakeDevice3D.h"
#include "tests/support/FakeMemorySurface.h"
#include "tests/support/FakeTextureSurface.h"
#include "tests/support/FakeVideoSystem.h"

namespace Testing {

namespace {

std::string Size(uint32_t width, uint32_t height) { return std::to_string(width) + "x" + std::to_string(height); }

} // namespace

FakeDisplay::FakeDisplay(FakeVideoSystem& system, const FakeAdapter& adapter) : system_(system), adapter_(adapter)
{
    ++system_.liveDisplays;
}

FakeDisplay::~FakeDisplay()
{
    system_.Record("ReleaseDisplay");
    --system_.liveDisplays;
}

Platform::VideoResult FakeDisplay::OpenDirect3D() { return system_.Answer("OpenDirect3D"); }

void FakeDisplay::CloseDirect3D() { system_.Record("CloseDirect3D"); }

Platform::VideoResult FakeDisplay::GetCaps(Platform::AdapterCaps& caps)
{
    caps = adapter_.caps;
    return system_.Answer("GetCaps");
}

Platform::VideoResult FakeDisplay::EnumerateDisplayModes(std::vector<Platform::DisplayMode>& modes)
{
    modes = adapter_.modes;
    return system_.Answer("EnumerateDisplayModes");
}

Platform::VideoResult FakeDisplay::EnumerateDevices(std::vector<Platform::DeviceDescription>& devices)
{
    devices = adapter_.devices;
    return system_.Answer("EnumerateDevices");
}

Platform::VideoResult FakeDisplay::EnumerateDepthFormats(Platform::DeviceType type,
                                                         std::vector<Platform::DepthFormat>& formats)
{
    formats = adapter_.depthFormats;
    return system_.Answer(std::string("EnumerateDepthFormats ") + Name(type));
}

Platform::VideoResult FakeDisplay::SetCooperativeLevel(Platform::NativeWindow*, Platform::CooperativeLevel level)
{
    return system_.Answer(std::string("SetCooperativeLevel ") +
                          (level == Platform::CooperativeLevel::Normal ? "Normal" : "FullScreenExclusive"));
}

Platform::VideoResult FakeDisplay::GetDisplayMode(Platform::DisplayMode& mode)
{
    mode = system_.displayMode;
    return system_.Answer("GetDisplayMode");
}

Platform::VideoResult FakeDisplay::SetDisplayMode(const Platform::DisplayMode& mode)
{
    const Platform::VideoResult result =
        system_.Answer("SetDisplayMode " + Size(mode.width, mode.height) + "x" + std::to_string(mode.bitsPerPixel));
    if (!Platform::Failed(result))
        system_.displayMode = mode;
    return result;
}

Platform::VideoResult FakeDisplay::CreatePrimarySurface(bool flipping)
{
    return system_.Answer(std::string("CreatePrimarySurface ") + (flipping ? "flipping" : "plain"));
}

Platform::VideoResult FakeDisplay::GetAttachedBackBuffer()
{
    const Platform::VideoResult result = system_.Answer("GetAttachedBackBuffer");
    if (!Platform::Failed(result))
        MakeBackBuffer(system_.displayMode.width, system_.displayMode.height, system_.displayMode.bitsPerPixel);
    return result;
}

Platform::VideoResult FakeDisplay::CreateClipper(Platform::NativeWindow*) { return system_.Answer("CreateClipper"); }

Platform::VideoResult FakeDisplay::CreateBackBuffer(uint32_t width, uint32_t height)
{
    const Platform::VideoResult result = system_.Answer("CreateBackBuffer " + Size(width, height));
    if (!Platform::Failed(result))
        MakeBackBuffer(width, height, system_.displayMode.bitsPerPixel);
    return result;
}

void FakeDisplay::MakeBackBuffer(uint32_t width, uint32_t height, uint32_t bits)
{
    system_.backBuffer.width = width;
    system_.backBuffer.height = height;
    system_.backBuffer.format = Platform::DisplayColorFormat(bits);
    system_.FillBackBuffer(0);
}

Platform::VideoResult FakeDisplay::GetBackBufferDescription(Platform::SurfaceDescription& description)
{
    description = system_.backBuffer;
    return system_.Answer("GetBackBufferDescription");
}

Platform::VideoResult FakeDisplay::CreateDevice(Platform::DeviceType type, std::unique_ptr<Platform::Device3D>& device)
{
    const Platform::VideoResult result = system_.Answer(std::string("CreateDevice ") + Name(type));
    if (!Platform::Failed(result))
        device = std::make_unique<FakeDevice3D>(system_);
    return result;
}

Platform::VideoResult FakeDisplay::CreateDepthBuffer(const Platform::DepthFormat& format,
                                                     Platform::SurfaceMemory memory)
{
    return system_.Answer("CreateDepthBuffer " + std::to_string(format.bitDepth) + "/" +
                          std::to_string(format.stencilBits) +
                          (memory == Platform::SurfaceMemory::Video ? " Video" : " System"));
}

Platform::VideoResult FakeDisplay::AttachDepthBuffer() { return system_.Answer("AttachDepthBuffer"); }

void FakeDisplay::ReleaseSurfaces() { system_.Record("ReleaseSurfaces"); }

Platform::VideoResult FakeDisplay::TestCooperativeLevel() { return system_.Answer("TestCooperativeLevel"); }

Platform::VideoResult FakeDisplay::RestoreAllSurfaces() { return system_.Answer("RestoreAllSurfaces"); }

Platform::VideoResult FakeDisplay::Flip(bool waitForVerticalSync)
{
    return system_.Answer(std::string("Flip ") + (waitForVerticalSync ? "wait" : "nowait"));
}

Platform::VideoResult FakeDisplay::WaitForVerticalBlank() { return system_.Answer("WaitForVerticalBlank"); }

Platform::VideoResult FakeDisplay::BlitToWindow() { return system_.Answer("BlitToWindow"); }

Platform::VideoResult FakeDisplay::CreateMemorySurface(const Platform::SurfaceDescription& description,
                                                       std::unique_ptr<Platform::MemorySurface>& surface)
{
    const Platform::VideoResult result =
        system_.Answer("CreateMemorySurface " + Size(description.width, description.height));
    if (!Platform::Failed(result))
        surface = std::make_unique<FakeMemorySurface>(system_, description);
    return result;
}

Platform::VideoResult FakeDisplay::CreateTextureSurface(const Platform::TextureSurfaceDescription& description,
                                                        std::unique_ptr<Platform::TextureSurface>& surface)
{
    const Platform::VideoResult result =
        system_.Answer("CreateTextureSurface " + Size(description.width, description.height));
    if (!Platform::Failed(result))
        surface = std::make_unique<FakeTextureSurface>(description);
    return result;
}

uint32_t FakeDisplay::CountOtherReferences() const { return system_.otherReferences; }

} // namespace Testing
