#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/video/Device3D.h"
#include "platform/video/MemorySurface.h"
#include "platform/video/TextureSurface.h"
#include "platform/video/VideoResult.h"
#include "platform/video/VideoTypes.h"

namespace Platform {

class NativeWindow;

// One display and the screen surfaces drawn on it: the primary surface, a
// back buffer with its depth buffer, and the three-dimensional device that
// draws into the back buffer. Destroying it releases what it made; the
// device, the texture surfaces and the memory surfaces made through it must
// be gone first (CountOtherReferences tells). Main thread only.
class Display {
public:
    virtual ~Display() = default;

    // The three-dimensional side of the display: device enumeration and
    // creation, depth formats. Needed before any of them.
    virtual VideoResult OpenDirect3D() = 0;
    virtual void CloseDirect3D() = 0;

    virtual VideoResult GetCaps(AdapterCaps& caps) = 0;
    // The modes the display can show, as the system lists them.
    virtual VideoResult EnumerateDisplayModes(std::vector<DisplayMode>& modes) = 0;
    virtual VideoResult EnumerateDevices(std::vector<DeviceDescription>& devices) = 0;
    // In the order the device prefers them.
    virtual VideoResult EnumerateDepthFormats(DeviceType type, std::vector<DepthFormat>& formats) = 0;

    // Binds the display to the window; full-screen exclusive lets the
    // program change the display's mode and flip.
    virtual VideoResult SetCooperativeLevel(NativeWindow* window, CooperativeLevel level) = 0;
    // The mode the display shows now.
    virtual VideoResult GetDisplayMode(DisplayMode& mode) = 0;
    virtual VideoResult SetDisplayMode(const DisplayMode& mode) = 0;

    // The visible surface; a flipping one brings its own back buffer, which
    // GetAttachedBackBuffer then takes.
    virtual VideoResult CreatePrimarySurface(bool flipping) = 0;
    virtual VideoResult GetAttachedBackBuffer() = 0;
    // Keeps a windowed primary surface's blits inside the window.
    virtual VideoResult CreateClipper(NativeWindow* window) = 0;
    // An off-screen back buffer for windowed drawing.
    virtual VideoResult CreateBackBuffer(uint32_t width, uint32_t height) = 0;
    virtual VideoResult GetBackBufferDescription(SurfaceDescription& description) = 0;

    virtual VideoResult CreateDevice(DeviceType type, std::unique_ptr<Device3D>& device) = 0;
    virtual VideoResult CreateDepthBuffer(const DepthFormat& format, SurfaceMemory memory) = 0;
    virtual VideoResult AttachDepthBuffer() = 0;
    // The back buffer, the depth buffer and the primary surface, each when
    // present.
    virtual void ReleaseSurfaces() = 0;

    // 0 while the surfaces are usable; kSurfaceLost and the like while
    // another program or a minimised full-screen window holds the display;
    // kWrongMode when the desktop's mode changed under a windowed program.
    virtual VideoResult TestCooperativeLevel() = 0;
    virtual VideoResult RestoreAllSurfaces() = 0;

    // Presenting: a full-screen display flips, a windowed one blits the back
    // buffer into the window. The back buffer keeps its contents.
    virtual VideoResult Flip(bool waitForVerticalSync) = 0;
    virtual VideoResult WaitForVerticalBlank() = 0;
    virtual VideoResult BlitToWindow() = 0;

    // A surface in system memory of the given size and format.
    virtual VideoResult CreateMemorySurface(const SurfaceDescription& description,
                                            std::unique_ptr<MemorySurface>& surface) = 0;
    // May be called from any thread: the pixels stay in memory until the
    // surface is first drawn with, on the main thread.
    virtual VideoResult CreateTextureSurface(const TextureSurfaceDescription& description,
                                             std::unique_ptr<TextureSurface>& surface) = 0;

    // Objects made through this display that still live, the device aside.
    virtual uint32_t CountOtherReferences() const = 0;
};

} // namespace Platform
