#include "platform/video/GLDisplay.h"

#include <algorithm>
#include <chrono>

#include "platform/os/ScreenlessDriver.h"
#include "platform/video/GLDevice3D.h"
#include "platform/video/GLMemorySurface.h"
#include "platform/video/GLTextureSurface.h"
#include "platform/video/GLVideoSystem.h"
#include "platform/window/SdlWindow.h"

namespace Platform {

namespace {

constexpr uint32_t kMinWidth = 640;
constexpr uint32_t kMinHeight = 400;

// Window sizes offered on every display that can hold them. A window needs
// no mode of its own, and full screen shows a smaller mode stretched over
// the desktop, so these are usable even where the system lists one mode.
constexpr struct {
    uint32_t width;
    uint32_t height;
} kWindowSizes[] = {{640, 480},   {800, 600},   {1024, 768},  {1152, 864},  {1280, 720},  {1280, 800},
                    {1280, 960},  {1280, 1024}, {1366, 768},  {1440, 900},  {1600, 900},  {1600, 1200},
                    {1680, 1050}, {1920, 1080}, {1920, 1200}, {2560, 1440}, {2560, 1600}, {3840, 2160}};

void AddMode(std::vector<DisplayMode>& modes, const DisplayMode& mode)
{
    if (mode.width < kMinWidth || mode.height < kMinHeight || mode.bitsPerPixel < 16)
        return;
    const bool known = std::any_of(modes.begin(), modes.end(), [&mode](const DisplayMode& m) {
        return m.width == mode.width && m.height == mode.height && m.bitsPerPixel == mode.bitsPerPixel;
    });
    if (!known)
        modes.push_back(mode);
}

DisplayMode FromSdl(const SDL_DisplayMode& mode)
{
    return DisplayMode{static_cast<uint32_t>(mode.w), static_cast<uint32_t>(mode.h),
                       ListedDepth(SDL_BITSPERPIXEL(mode.format)),
                       static_cast<uint32_t>(std::max(mode.refresh_rate, 0))};
}

bool IsHardware(DeviceType type) { return type == DeviceType::TransformAndLighting || type == DeviceType::Hardware; }

uint32_t CurrentAttribute(SDL_GLattr attribute)
{
    int value = 0;
    return SDL_GL_GetAttribute(attribute, &value) == 0 ? static_cast<uint32_t>(std::max(value, 0)) : 0;
}

} // namespace

GLDisplay::GLDisplay(GLVideoSystem& system, int index)
    : system_(system), index_(index), screenless_(IsScreenlessDriver())
{
}

GLDisplay::~GLDisplay()
{
    ReleaseSurfaces();
    registry_->ContextGone();
    if (context_ != nullptr) {
        SDL_GL_MakeCurrent(window_, nullptr);
        SDL_GL_DeleteContext(context_);
    }
}

VideoResult GLDisplay::OpenDirect3D() { return VideoResults::kOk; }

void GLDisplay::CloseDirect3D() {}

VideoResult GLDisplay::GetCaps(AdapterCaps& caps)
{
    caps.canRenderWindowed = true;
    return VideoResults::kOk;
}

VideoResult GLDisplay::EnumerateDisplayModes(std::vector<DisplayMode>& modes)
{
    const int count = SDL_GetNumDisplayModes(index_);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(index_, i, &mode) == 0)
            AddMode(modes, FromSdl(mode));
    }
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(index_, &desktop) != 0)
        return VideoResults::kOk;
    const DisplayMode desktopMode = FromSdl(desktop);
    AddMode(modes, desktopMode);
    for (const auto& size : kWindowSizes) {
        if (size.width > desktopMode.width || size.height > desktopMode.height)
            continue;
        for (uint32_t bits : {32u, 16u})
            AddMode(modes, DisplayMode{size.width, size.height, bits, desktopMode.refreshRate});
    }
    return VideoResults::kOk;
}

VideoResult GLDisplay::EnumerateDevices(std::vector<DeviceDescription>& devices)
{
    const GLProbe& probe = system_.Probe();
    if (!probe.valid)
        return VideoResults::kNo3D;
    DeviceDescription device;
    device.renderDepths = kRenderDepth16 | kRenderDepth24 | kRenderDepth32;
    device.maxTextureWidth = probe.maxTextureSize;
    device.maxTextureHeight = probe.maxTextureSize;
    device.maxSimultaneousTextures = probe.textureUnits;
    device.maxAnisotropy = probe.maxAnisotropy;
    if (probe.hardware || system_.HardwareFails()) {
        device.type = DeviceType::TransformAndLighting;
        device.hardwareRasterization = true;
        device.name = "OpenGL transform and lighting";
        device.description = "Transform, lighting and rasterization by " + probe.renderer;
        devices.push_back(device);
        device.type = DeviceType::Hardware;
        device.name = "OpenGL hardware";
        device.description = "Rasterization by " + probe.renderer;
        devices.push_back(device);
    }
    device.type = DeviceType::Software;
    device.hardwareRasterization = false;
    device.name = "OpenGL software";
    device.description = "Software rendering through " + probe.renderer;
    devices.push_back(device);
    return VideoResults::kOk;
}

VideoResult GLDisplay::EnumerateDepthFormats(DeviceType, std::vector<DepthFormat>& formats)
{
    formats = system_.Probe().depthFormats;
    return VideoResults::kOk;
}

VideoResult GLDisplay::SetCooperativeLevel(NativeWindow* window, CooperativeLevel level)
{
    level_ = level;
    SDL_GetDesktopDisplayMode(index_, &desktopAtBinding_);
    if (context_ != nullptr)
        return VideoResults::kOk;
    auto* sdlWindow = dynamic_cast<SdlWindow*>(window);
    if (sdlWindow == nullptr)
        return VideoResults::kNoWindow;
    window_ = sdlWindow->Get();
    SetGLContextAttributes();
    context_ = SDL_GL_CreateContext(window_);
    if (context_ == nullptr)
        return VideoResults::kGeneric;
    system_.NoteContextMade();
    SDL_GL_MakeCurrent(window_, context_);
    windowFormat_.colorBits = CurrentAttribute(SDL_GL_RED_SIZE) + CurrentAttribute(SDL_GL_GREEN_SIZE) +
                              CurrentAttribute(SDL_GL_BLUE_SIZE) + CurrentAttribute(SDL_GL_ALPHA_SIZE);
    windowFormat_.depth.depthBits = CurrentAttribute(SDL_GL_DEPTH_SIZE);
    windowFormat_.depth.stencilBits = CurrentAttribute(SDL_GL_STENCIL_SIZE);
    return VideoResults::kOk;
}

VideoResult GLDisplay::GetDisplayMode(DisplayMode& mode)
{
    if (modeSet_) {
        mode = shownMode_;
        return VideoResults::kOk;
    }
    SDL_DisplayMode current;
    if (SDL_GetCurrentDisplayMode(index_, &current) != 0)
        return VideoResults::kGeneric;
    mode = FromSdl(current);
    return VideoResults::kOk;
}

VideoResult GLDisplay::SetDisplayMode(const DisplayMode& mode)
{
    if (level_ != CooperativeLevel::FullScreenExclusive)
        return VideoResults::kNoExclusiveMode;
    shownMode_ = mode;
    modeSet_ = true;
    return VideoResults::kOk;
}

VideoResult GLDisplay::CreatePrimarySurface(bool)
{
    if (context_ == nullptr)
        return VideoResults::kNoCooperativeLevelSet;
    if (primary_)
        return VideoResults::kPrimarySurfaceAlreadyExists;
    primary_ = true;
    return VideoResults::kOk;
}

VideoResult GLDisplay::GetAttachedBackBuffer()
{
    if (!primary_ || !modeSet_)
        return VideoResults::kNotFound;
    return MakeBackBuffer(shownMode_.width, shownMode_.height, shownMode_.bitsPerPixel);
}

VideoResult GLDisplay::CreateClipper(NativeWindow* window)
{
    auto* sdlWindow = dynamic_cast<SdlWindow*>(window);
    return sdlWindow != nullptr && sdlWindow->Get() == window_ ? VideoResults::kOk : VideoResults::kNoWindow;
}

VideoResult GLDisplay::CreateBackBuffer(uint32_t width, uint32_t height)
{
    DisplayMode desktop;
    if (Failed(GetDisplayMode(desktop)))
        return VideoResults::kGeneric;
    return MakeBackBuffer(width, height, desktop.bitsPerPixel == 16 ? 16 : 32);
}

VideoResult GLDisplay::MakeBackBuffer(uint32_t width, uint32_t height, uint32_t bits)
{
    if (context_ == nullptr || !primary_)
        return VideoResults::kNoCooperativeLevelSet;
    if (framebuffer_ != 0)
        return VideoResults::kSurfaceAlreadyAttached;
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glGenRenderbuffers(1, &colorBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, bits == 16 ? GL_RGB565 : GL_RGBA8, static_cast<GLsizei>(width),
                          static_cast<GLsizei>(height));
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        ReleaseSurfaces();
        return VideoResults::kOutOfVideoMemory;
    }
    backBuffer_.width = width;
    backBuffer_.height = height;
    backBuffer_.format = DisplayColorFormat(bits);
    return VideoResults::kOk;
}

VideoResult GLDisplay::GetBackBufferDescription(SurfaceDescription& description)
{
    if (framebuffer_ == 0)
        return VideoResults::kNotFound;
    description = backBuffer_;
    return VideoResults::kOk;
}

VideoResult GLDisplay::CreateDevice(DeviceType type, std::unique_ptr<Device3D>& device)
{
    if (context_ == nullptr || framebuffer_ == 0)
        return VideoResults::kNoCooperativeLevelSet;
    if (IsHardware(type) && system_.HardwareFails())
        return VideoResults::kNoDriverHardware;
    device = std::make_unique<GLDevice3D>(*this, system_.Probe());
    return VideoResults::kOk;
}

VideoResult GLDisplay::CreateDepthBuffer(const DepthFormat& format, SurfaceMemory)
{
    if (framebuffer_ == 0)
        return VideoResults::kNotFound;
    if (depthBuffer_ != 0)
        return VideoResults::kSurfaceAlreadyAttached;
    GLenum internalFormat = GL_DEPTH_COMPONENT16;
    if (format.stencilBits > 0)
        internalFormat = GL_DEPTH24_STENCIL8;
    else if (format.depthBits > 16)
        internalFormat = GL_DEPTH_COMPONENT24;
    glGenRenderbuffers(1, &depthBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, internalFormat, static_cast<GLsizei>(backBuffer_.width),
                          static_cast<GLsizei>(backBuffer_.height));
    depthFormat_ = format;
    return glGetError() == GL_NO_ERROR ? VideoResults::kOk : VideoResults::kOutOfVideoMemory;
}

VideoResult GLDisplay::AttachDepthBuffer()
{
    if (depthBuffer_ == 0)
        return VideoResults::kCannotAttachSurface;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    const GLenum attachment = depthFormat_.stencilBits > 0 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, depthBuffer_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        return VideoResults::kCannotAttachSurface;
    depthAttached_ = true;
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window_, &width, &height);
    ChooseDrawFramebuffer(width, height);
    return VideoResults::kOk;
}

// The stencil bits the back buffer lacks are never read, since nothing asks
// for them. Sixteen-bit back buffers round colours the window would not.
bool GLDisplay::WindowCanStandIn(const FramebufferFormat& window, const FramebufferFormat& backBuffer)
{
    return window.width == backBuffer.width && window.height == backBuffer.height && backBuffer.colorBits == 32 &&
           window.colorBits == 32 && window.depth.depthBits == backBuffer.depth.depthBits &&
           window.depth.stencilBits >= backBuffer.depth.stencilBits;
}

void GLDisplay::ChooseDrawFramebuffer(int width, int height)
{
    direct_ = DrawsIntoWindow(width, height);
    BindBackBuffer();
}

// Only where somebody sees the window: GL rasterises a window's framebuffer
// upside down against a framebuffer object, so edges and texture levels may
// fall a pixel apart, and the captures a screenless driver's tests compare
// with stored pictures keep reading the back buffer.
bool GLDisplay::DrawsIntoWindow(int width, int height) const
{
    if (screenless_ || !depthAttached_)
        return false;
    FramebufferFormat window = windowFormat_;
    window.width = static_cast<uint32_t>(width);
    window.height = static_cast<uint32_t>(height);
    const FramebufferFormat backBuffer{backBuffer_.width, backBuffer_.height, backBuffer_.format.bitCount,
                                       depthFormat_};
    return WindowCanStandIn(window, backBuffer);
}

void GLDisplay::ReleaseSurfaces()
{
    if (context_ != nullptr) {
        registry_->DeletePending();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        if (depthBuffer_ != 0)
            glDeleteRenderbuffers(1, &depthBuffer_);
        if (colorBuffer_ != 0)
            glDeleteRenderbuffers(1, &colorBuffer_);
        if (framebuffer_ != 0)
            glDeleteFramebuffers(1, &framebuffer_);
    }
    depthBuffer_ = 0;
    colorBuffer_ = 0;
    framebuffer_ = 0;
    depthAttached_ = false;
    direct_ = false;
    primary_ = false;
}

bool GLDisplay::DesktopChanged() const
{
    SDL_DisplayMode now;
    if (SDL_GetDesktopDisplayMode(index_, &now) != 0)
        return false;
    return now.w != desktopAtBinding_.w || now.h != desktopAtBinding_.h || now.format != desktopAtBinding_.format;
}

VideoResult GLDisplay::TestCooperativeLevel()
{
    if (system_.SimulatedLoss() != VideoResults::kOk)
        return system_.SimulatedLoss();
    if (level_ == CooperativeLevel::FullScreenExclusive && window_ != nullptr &&
        (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0)
        return VideoResults::kNoExclusiveMode;
    if (level_ == CooperativeLevel::Normal && DesktopChanged())
        return VideoResults::kWrongMode;
    return VideoResults::kOk;
}

// Framebuffer objects outlive a lost display; only the mode can make them
// unusable, and that asks for a reset instead.
VideoResult GLDisplay::RestoreAllSurfaces()
{
    return DesktopChanged() && level_ == CooperativeLevel::Normal ? VideoResults::kWrongMode : VideoResults::kOk;
}

VideoResult GLDisplay::Flip(bool waitForVerticalSync) { return Present(waitForVerticalSync ? 1 : 0); }

VideoResult GLDisplay::WaitForVerticalBlank()
{
    syncNextBlit_ = true;
    return VideoResults::kOk;
}

VideoResult GLDisplay::BlitToWindow()
{
    const int interval = syncNextBlit_ ? 1 : 0;
    syncNextBlit_ = false;
    return Present(interval);
}

VideoResult GLDisplay::Present(int swapInterval)
{
    if (framebuffer_ == 0 || window_ == nullptr)
        return VideoResults::kSurfaceLost;
    if (swapInterval != swapInterval_) {
        SDL_GL_SetSwapInterval(swapInterval);
        swapInterval_ = swapInterval;
    }
    // A screenless driver's window is never seen, and captures read the back
    // buffer, which frames there never leave: copying it into that window (a
    // whole-screen draw for a software rasteriser) and waiting for a refresh
    // nobody has would only cost the tests that run there.
    if (screenless_) {
        pacer_.Forget();
        return VideoResults::kOk;
    }
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window_, &width, &height);
    if (!direct_)
        BlitBackBuffer(width, height);
    SDL_GL_SwapWindow(window_);
    if (swapInterval > 0)
        pacer_.AfterSwap(RefreshPeriod());
    else
        pacer_.Forget();
    // A window resized or moved to another screen takes the next frame.
    ChooseDrawFramebuffer(width, height);
    return VideoResults::kOk;
}

void GLDisplay::BlitBackBuffer(int width, int height)
{
    const auto sourceWidth = static_cast<GLint>(backBuffer_.width);
    const auto sourceHeight = static_cast<GLint>(backBuffer_.height);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    const GLenum filter = width == sourceWidth && height == sourceHeight ? GL_NEAREST : GL_LINEAR;
    glBlitFramebuffer(0, 0, sourceWidth, sourceHeight, 0, 0, width, height, GL_COLOR_BUFFER_BIT, filter);
}

// Displays that do not tell their rate are taken to refresh 60 times a
// second.
FramePacer::Clock::duration GLDisplay::RefreshPeriod() const
{
    SDL_DisplayMode mode{};
    int rate = SDL_GetWindowDisplayMode(window_, &mode) == 0 ? mode.refresh_rate : 0;
    if (rate <= 0 && SDL_GetCurrentDisplayMode(std::max(SDL_GetWindowDisplayIndex(window_), 0), &mode) == 0)
        rate = mode.refresh_rate;
    if (rate <= 0)
        rate = 60;
    return std::chrono::duration_cast<FramePacer::Clock::duration>(std::chrono::duration<double>(1.0 / rate));
}

void GLDisplay::BindBackBuffer() const { glBindFramebuffer(GL_FRAMEBUFFER, DrawFramebuffer()); }

VideoResult GLDisplay::CreateMemorySurface(const SurfaceDescription& description,
                                           std::unique_ptr<MemorySurface>& surface)
{
    if (framebuffer_ == 0)
        return VideoResults::kNotFound;
    if (description.format.bitCount != 16 && description.format.bitCount != 32)
        return VideoResults::kInvalidPixelFormat;
    surface = std::make_unique<GLMemorySurface>(*this, description);
    return VideoResults::kOk;
}

VideoResult GLDisplay::CreateTextureSurface(const TextureSurfaceDescription& description,
                                            std::unique_ptr<TextureSurface>& surface)
{
    if (!GLTextureSurface::Supports(description.format) || description.width == 0 || description.height == 0 ||
        description.levelCount == 0)
        return VideoResults::kInvalidParams;
    surface = std::make_unique<GLTextureSurface>(registry_, description);
    return VideoResults::kOk;
}

uint32_t GLDisplay::CountOtherReferences() const { return registry_->Count(); }

} // namespace Platform
