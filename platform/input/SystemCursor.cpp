#include "platform/input/SystemCursor.h"

#include <SDL.h>

#include "platform/window/SdlWindow.h"

namespace Platform {

namespace {

ScreenPoint Origin(SDL_Window* window)
{
    ScreenPoint origin;
    if (window != nullptr)
        SDL_GetWindowPosition(window, &origin.x, &origin.y);
    return origin;
}

} // namespace

void SystemCursor::SetPosition(ScreenPoint position)
{
    position_ = position;
    SDL_WarpMouseGlobal(position.x, position.y);
}

ScreenPoint SystemCursor::ScreenToClient(const NativeWindow* window, ScreenPoint point)
{
    const auto* sdlWindow = dynamic_cast<const SdlWindow*>(window);
    const ScreenPoint origin = Origin(sdlWindow != nullptr ? sdlWindow->Get() : nullptr);
    return ScreenPoint{point.x - origin.x, point.y - origin.y};
}

int SystemCursor::Show(bool show)
{
    displayCount_ += show ? 1 : -1;
    SDL_ShowCursor(displayCount_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return displayCount_;
}

// Id 0 names no window; the place is then taken as a screen position.
void SystemCursor::Track(uint32_t windowId, int32_t x, int32_t y)
{
    const ScreenPoint origin = Origin(windowId != 0 ? SDL_GetWindowFromID(windowId) : nullptr);
    position_ = ScreenPoint{origin.x + x, origin.y + y};
}

} // namespace Platform
