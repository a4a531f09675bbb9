#include "platform/window/SdlCursor.h"

#include <SDL.h>

namespace Platform {

SdlCursor::SdlCursor(SDL_Cursor* cursor) : cursor_(cursor) {}

SdlCursor::~SdlCursor()
{
    if (cursor_ != nullptr)
        SDL_FreeCursor(cursor_);
}

} // namespace Platform
