#include "platform/window/SdlWindow.h"
#include "platform/os/ScreenlessDriver.h"

#include <SDL.h>


namespace Platform {

SdlWindow::SdlWindow(SDL_Window* window) : window_(window) {}

SdlWindow::~SdlWindow() { SDL_DestroyWindow(window_); }

// Leaving full screen first lets the size and position apply to the window
// on the desktop; entering it last makes the display take the new size.
// A full-screen window keeps its size through SDL_SetWindowSize, so one of
// another size leaves full screen as well, and its full-screen mode is set
// to the new size: else a window made at a size no display holds (1 x 1 from
// an ini's "0x0x0") would keep it after the mode is chosen.
void SdlWindow::Reshape(const WindowShape& shape)
{
    const int width = static_cast<int>(shape.rect.width);
    const int height = static_cast<int>(shape.rect.height);
    int oldWidth = 0;
    int oldHeight = 0;
    SDL_GetWindowSize(window_, &oldWidth, &oldHeight);
    if (!shape.fullScreen || oldWidth != width || oldHeight != height)
        SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowBordered(window_, shape.captioned ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowSize(window_, width, height);
    if (!shape.fullScreen)
        SDL_SetWindowPosition(window_, shape.rect.x, shape.rect.y);
    SetTopmost(shape.topmost);
    if (shape.fullScreen) {
        SDL_DisplayMode mode{};
        mode.w = width;
        mode.h = height;
        SDL_SetWindowDisplayMode(window_, &mode);
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN);
    }
    Show();
}

void SdlWindow::SetTopmost(bool topmost) { SDL_SetWindowAlwaysOnTop(window_, topmost ? SDL_TRUE : SDL_FALSE); }

void SdlWindow::SetTitle(const std::string& title) { SDL_SetWindowTitle(window_, title.c_str()); }

void SdlWindow::Show() { SDL_ShowWindow(window_); }

void SdlWindow::TakeFocus() { SDL_RaiseWindow(window_); }

bool SdlWindow::HasFocus() const
{
    return (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0 || IsScreenlessDriver();
}

void SdlWindow::Minimize() { SDL_MinimizeWindow(window_); }

} // namespace Platform
