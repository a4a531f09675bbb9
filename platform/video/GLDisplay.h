#pragma once

#include <SDL2/SDL.h>

#include <memory>
#include <vector>

#include "platform/video/Display.h"
#include "platform/video/FramePacer.h"
#include "platform/video/GLApi.h"
#include "platform/video/GLSurfaceRegistry.h"

namespace Platform {

class GLVideoSystem;

// What drawing into a framebuffer can tell of it.
struct FramebufferFormat {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t colorBits = 0;
    DepthFormat depth;
};

// A display of the OpenGL backend. The GL context is made on the program's
// window when the cooperative level is first set and goes with the display,
// so a device reset really makes a new context; its surfaces may outlive it. The back buffer is a
// framebuffer object of the mode's size; presenting blits it to the window
// (stretched in full screen, where the window covers the desktop) and swaps,
// so the back buffer keeps its picture. Where the window's own framebuffer
// has the back buffer's size and formats, frames are drawn straight into it
// instead (the blit is a whole-screen draw that a software rasteriser pays
// for at every frame), and a capture reads what the window's driver left
// there. Main thread only.
class GLDisplay : public Display {
public:
    GLDisplay(GLVideoSystem& system, int index);
    ~GLDisplay() override;
    GLDisplay(const GLDisplay&) = delete;
    GLDisplay& operator=(const GLDisplay&) = delete;

    VideoResult OpenDirect3D() override;
    void CloseDirect3D() override;
    VideoResult GetCaps(AdapterCaps& caps) override;
    VideoResult EnumerateDisplayModes(std::vector<DisplayMode>& modes) override;
    VideoResult EnumerateDevices(std::vector<DeviceDescription>& devices) override;
    VideoResult EnumerateDepthFormats(DeviceType type, std::vector<DepthFormat>& formats) override;
    VideoResult SetCooperativeLevel(NativeWindow* window, CooperativeLevel level) override;
    VideoResult GetDisplayMode(DisplayMode& mode) override;
    VideoResult SetDisplayMode(const DisplayMode& mode) override;
    VideoResult CreatePrimarySurface(bool flipping) override;
    VideoResult GetAttachedBackBuffer() override;
    VideoResult CreateClipper(NativeWindow* window) override;
    VideoResult CreateBackBuffer(uint32_t width, uint32_t height) override;
    VideoResult GetBackBufferDescription(SurfaceDescription& description) override;
    VideoResult CreateDevice(DeviceType type, std::unique_ptr<Device3D>& device) override;
    VideoResult CreateDepthBuffer(const DepthFormat& format, SurfaceMemory memory) override;
    VideoResult AttachDepthBuffer() override;
    void ReleaseSurfaces() override;
    VideoResult TestCooperativeLevel() override;
    VideoResult RestoreAllSurfaces() override;
    VideoResult Flip(bool waitForVerticalSync) override;
    VideoResult WaitForVerticalBlank() override;
    VideoResult BlitToWindow() override;
    VideoResult CreateMemorySurface(const SurfaceDescription& description,
                                    std::unique_ptr<MemorySurface>& surface) override;
    VideoResult CreateTextureSurface(const TextureSurfaceDescription& description,
                                     std::unique_ptr<TextureSurface>& surface) override;
    uint32_t CountOtherReferences() const override;

    // For the device and the surfaces.
    void BindBackBuffer() const;
    const SurfaceDescription& BackBuffer() const { return backBuffer_; }
    // The framebuffer frames are drawn into: the window's own one (0) or
    // the back buffer's.
    GLuint DrawFramebuffer() const { return direct_ ? 0 : framebuffer_; }
    const std::shared_ptr<GLSurfaceRegistry>& Registry() const { return registry_; }
    // Whether frames stay in the back buffer, never shown nor waited for.
    bool IsScreenless() const { return screenless_; }

    // Whether frames meant for the back buffer may be drawn into the window's
    // framebuffer without anything drawn telling them apart.
    static bool WindowCanStandIn(const FramebufferFormat& window, const FramebufferFormat& backBuffer);

private:
    VideoResult MakeBackBuffer(uint32_t width, uint32_t height, uint32_t bits);
    VideoResult Present(int swapInterval);
    FramePacer::Clock::duration RefreshPeriod() const;
    bool DesktopChanged() const;
    bool DrawsIntoWindow(int width, int height) const;
    // Draws the next frames into the window's framebuffer or the back buffer,
    // for a window of that drawable size.
    void ChooseDrawFramebuffer(int width, int height);
    void BlitBackBuffer(int width, int height);

    GLVideoSystem& system_;
    int index_;
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    CooperativeLevel level_ = CooperativeLevel::Normal;
    SDL_DisplayMode desktopAtBinding_{};
    DisplayMode shownMode_;
    bool modeSet_ = false;
    bool primary_ = false;
    bool syncNextBlit_ = false;
    // Nobody sees a screenless driver's window; the driver stays for the
    // program's life.
    bool screenless_;
    int swapInterval_ = -2;
    FramePacer pacer_;
    GLuint framebuffer_ = 0;
    GLuint colorBuffer_ = 0;
    GLuint depthBuffer_ = 0;
    DepthFormat depthFormat_;
    bool depthAttached_ = false;
    // What the context gave the window's own framebuffer, but its size.
    FramebufferFormat windowFormat_;
    bool direct_ = false;
    SurfaceDescription backBuffer_;
    std::shared_ptr<GLSurfaceRegistry> registry_ = std::make_shared<GLSurfaceRegistry>();
};

} // namespace Platform
