#pragma once

#include "platform/video/Display.h"

namespace Testing {

class FakeVideoSystem;
struct FakeAdapter;

// A display object of the FakeVideoSystem: answers from its adapter's
// script and records every call with the system.
class FakeDisplay : public Platform::Display {
public:
    FakeDisplay(FakeVideoSystem& system, const FakeAdapter& adapter);
    ~FakeDisplay() override;

    Platform::VideoResult OpenDirect3D() override;
    void CloseDirect3D() override;
    Platform::VideoResult GetCaps(Platform::AdapterCaps& caps) override;
    Platform::VideoResult EnumerateDisplayModes(std::vector<Platform::DisplayMode>& modes) override;
    Platform::VideoResult EnumerateDevices(std::vector<Platform::DeviceDescription>& devices) override;
    Platform::VideoResult EnumerateDepthFormats(Platform::DeviceType type,
                                                std::vector<Platform::DepthFormat>& formats) override;
    Platform::VideoResult SetCooperativeLevel(Platform::NativeWindow* window,
                                              Platform::CooperativeLevel level) override;
    Platform::VideoResult GetDisplayMode(Platform::DisplayMode& mode) override;
    Platform::VideoResult SetDisplayMode(const Platform::DisplayMode& mode) override;
    Platform::VideoResult CreatePrimarySurface(bool flipping) override;
    Platform::VideoResult GetAttachedBackBuffer() override;
    Platform::VideoResult CreateClipper(Platform::NativeWindow* window) override;
    Platform::VideoResult CreateBackBuffer(uint32_t width, uint32_t height) override;
    Platform::VideoResult GetBackBufferDescription(Platform::SurfaceDescription& description) override;
    Platform::VideoResult CreateDevice(Platform::DeviceType type, std::unique_ptr<Platform::Device3D>& device) override;
    Platform::VideoResult CreateDepthBuffer(const Platform::DepthFormat& format,
                                            Platform::SurfaceMemory memory) override;
    Platform::VideoResult AttachDepthBuffer() override;
    void ReleaseSurfaces() override;
    Platform::VideoResult TestCooperativeLevel() override;
    Platform::VideoResult RestoreAllSurfaces() override;
    Platform::VideoResult Flip(bool waitForVerticalSync) override;
    Platform::VideoResult WaitForVerticalBlank() override;
    Platform::VideoResult BlitToWindow() override;
    Platform::VideoResult CreateMemorySurface(const Platform::SurfaceDescription& description,
                                              std::unique_ptr<Platform::MemorySurface>& surface) override;
    Platform::VideoResult CreateTextureSurface(const Platform::TextureSurfaceDescription& description,
                                               std::unique_ptr<Platform::TextureSurface>& surface) override;
    uint32_t CountOtherReferences() const override;

private:
    void MakeBackBuffer(uint32_t width, uint32_t height, uint32_t bits);

    FakeVideoSystem& system_;
    const FakeAdapter& adapter_;
};

} // namespace Testing
