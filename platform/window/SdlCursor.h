#pragma once

#include "platform/window/Cursor.h"

struct SDL_Cursor;

namespace Platform {

// An SDL2 cursor, freed with the object. The cursor may be null where the
// video driver draws no cursors.
class SdlCursor : public Cursor {
public:
    explicit SdlCursor(SDL_Cursor* cursor);
    ~SdlCursor() override;
    SdlCursor(const SdlCursor&) = delete;
    SdlCursor& operator=(const SdlCursor&) = delete;

    SDL_Cursor* Get() const { return cursor_; }

private:
    SDL_Cursor* cursor_;
};

} // namespace Platform
