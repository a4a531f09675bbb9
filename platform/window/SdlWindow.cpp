#include "platform/window/SdlWindow.h"
#include "platform/os/ScreenlessDriver.h"

#include <SDL.h>


namespace Platform {

SdlWindow::SdlWindow(SDL_Window* window) : window_(window) {}

SdlWindow::~SdlWindow() { SDL_DestroyWindow(window_); }

// Leaving full screen first lets the size and position apply to the window
// on the desktop; entering it last makes the display take the new size.
void SdlWindow::Reshape(const WindowShape& shape)
{
    if (!shape.fullScreen)
        SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowBordered(window_, shape.captioned ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowSize(window_, static_cast<int>(shape.rect.width), static_cast<int>(shape.rect.height));
    if (!shape.fullScreen)
        SDL_SetWindowPosition(window_, shape.rect.x, shape.rect.y);
    SetTopmost(shape.topmost);
    if (shape.fullScreen)
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN);
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
