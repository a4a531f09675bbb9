#pragma once

#include <cstdint>

namespace Platform {

class NativeWindow;

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// The system's mouse cursor: where it stands on the screen and whether it is
// drawn. The position is kept in screen coordinates from the mouse events
// (each event's window position plus the event's place in the window), so it
// stays right when the window moves, and a drag that leaves the window goes
// on being followed while SDL keeps the mouse captured. Main thread only.
class SystemCursor {
public:
    ScreenPoint GetPosition() const { return position_; }
    // Moves the cursor on the screen.
    void SetPosition(ScreenPoint position);
    // The screen point relative to the window's client area; windows that are
    // not SDL's stand at the screen's origin.
    static ScreenPoint ScreenToClient(const NativeWindow* window, ScreenPoint point);

    // Counts one request to show (true) or hide the cursor and returns the
    // display count; the cursor is drawn while the count is 0 or more.
    int Show(bool show);
    int GetDisplayCount() const { return displayCount_; }

    // A mouse event placed the cursor at x, y in the window with that id.
    void Track(uint32_t windowId, int32_t x, int32_t y);

private:
    ScreenPoint position_;
    int displayCount_ = 0;
};

} // namespace Platform
