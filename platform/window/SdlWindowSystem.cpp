#include "platform/window/SdlWindowSystem.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "platform/video/GLProbe.h"
#include "platform/window/ProgramIcon.h"
#include "platform/window/SdlWindow.h"

namespace Platform {

namespace {

void ReportFailure(const char* what) { std::fprintf(stderr, "SDL: %s: %s\n", what, SDL_GetError()); }

void SetProgramIcon(SDL_Window* window)
{
    ProgramIcon icon = DrawProgramIcon();
    const int size = static_cast<int>(ProgramIcon::kSize);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(icon.pixels.data(), size, size, 32, size * 4,
                                                              SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr) {
        ReportFailure("cannot make the window icon");
        return;
    }
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

// A window asked larger than the display is still made, within the
// display's usable area (its whole area for full screen), as a desktop
// would make it: the mode choice then finds the window holding the work
// area and picks a mode the device lists, where a window of the asked size
// would fail to be made at all.
WindowShape FitOnDisplay(WindowShape shape)
{
    SDL_Rect area;
    const int failed = shape.fullScreen ? SDL_GetDisplayBounds(0, &area) : SDL_GetDisplayUsableBounds(0, &area);
    if (failed != 0 || area.w <= 0 || area.h <= 0)
        return shape;
    ScreenRect& rect = shape.rect;
    rect.width = std::min(rect.width, static_cast<uint32_t>(area.w));
    rect.height = std::min(rect.height, static_cast<uint32_t>(area.h));
    rect.x = std::clamp(rect.x, area.x, area.x + area.w - static_cast<int32_t>(rect.width));
    rect.y = std::clamp(rect.y, area.y, area.y + area.h - static_cast<int32_t>(rect.height));
    return shape;
}

} // namespace

bool SdlWindowSystem::Open()
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        openFailure_ = SDL_GetError();
        ReportFailure("cannot start the video subsystem");
        return false;
    }
    openFailure_.clear();
    ++openCount_;
    return true;
}

void SdlWindowSystem::Close()
{
    if (openCount_ == 0)
        return;
    if (--openCount_ == 0)
        arrow_.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

ScreenRect SdlWindowSystem::GetWorkArea()
{
    SDL_Rect bounds;
    if (SDL_GetDisplayUsableBounds(0, &bounds) != 0)
        return ScreenRect{};
    return ScreenRect{bounds.x, bounds.y, static_cast<uint32_t>(bounds.w), static_cast<uint32_t>(bounds.h)};
}

ScreenSize SdlWindowSystem::GetDesktopSize()
{
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return ScreenSize{};
    return ScreenSize{static_cast<uint32_t>(mode.w), static_cast<uint32_t>(mode.h)};
}

std::unique_ptr<NativeWindow> SdlWindowSystem::CreateWindow(const std::string& title, const WindowShape& asked,
                                                            uint32_t iconNumber)
{
    const WindowShape shape = FitOnDisplay(asked);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (shape.fullScreen)
        flags |= SDL_WINDOW_FULLSCREEN;
    if (!shape.captioned)
        flags |= SDL_WINDOW_BORDERLESS;
    if (shape.topmost)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    SetGLWindowFramebufferAttributes();
    auto create = [&] {
        return SDL_CreateWindow(title.c_str(), shape.rect.x, shape.rect.y, static_cast<int>(shape.rect.width),
                                static_cast<int>(shape.rect.height), flags);
    };
    SDL_Window* window = create();
    if (window == nullptr) {
        // A display without such a pixel format still shows a window, drawn
        // through the back buffer.
        SDL_GL_ResetAttributes();
        window = create();
    }
    if (window == nullptr) {
        ReportFailure("cannot create the window");
        return nullptr;
    }
    if (iconNumber != 0)
        SetProgramIcon(window);
    // Typed characters arrive as text input, which some drivers leave off.
    SDL_StartTextInput();
    return std::make_unique<SdlWindow>(window);
}

Cursor* SdlWindowSystem::GetArrowCursor()
{
    if (!arrow_)
        arrow_ = std::make_unique<SdlCursor>(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW));
    return arrow_.get();
}

void SdlWindowSystem::SetCursor(Cursor* cursor)
{
    if (cursor != nullptr)
        SDL_SetCursor(static_cast<SdlCursor*>(cursor)->Get());
}

} // namespace Platform
