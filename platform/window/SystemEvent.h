#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace Platform {

// The events of the system's queue, as the event dispatcher and the input
// devices read them. The window backend makes them from its own events, so
// that nothing above the platform sees the backend's types.

struct QuitEvent {};

// A key went down (or repeats while held) or came up. The codes are the
// window system's own numbers for the key, which the key tables of the
// platform (VirtualKeys.h, KeyCodes.h) translate.
struct KeyEvent {
    bool down = false;
    // An auto-repeated key-down of a key that is held.
    bool repeat = false;
    // The key by the character the keyboard layout gives it.
    int32_t keyCode = 0;
    // The key by its place on the keyboard.
    int32_t scancode = 0;
    bool numLock = false;
};

// Text typed, in UTF-8.
struct TextEvent {
    std::string utf8;
};

// Mouse positions are in coordinates of the window with the id (0: none, the
// coordinates are the screen's).
struct MouseMotionEvent {
    uint32_t windowId = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t dx = 0;
    int32_t dy = 0;
};

struct MouseButtonEvent {
    uint32_t windowId = 0;
    // The mouse device's number of the button (KeyCodes.h); -1 for a button
    // the device does not have.
    int32_t button = -1;
    bool down = false;
    int32_t x = 0;
    int32_t y = 0;
};

struct MouseWheelEvent {
    // Notches the wheel itself turned, away from the user positive, whatever
    // way the desktop scrolls.
    int32_t notches = 0;
};

struct WindowEvent {
    enum Change : uint8_t {
        kOther,
        kClose,
        kFocusGained,
        kFocusLost,
        kMinimized,
        kMaximized,
        kRestored,
        kSizeChanged,
    };

    Change change = kOther;
    uint32_t windowId = 0;
    // Size changed: the new size of the client area.
    int32_t width = 0;
    int32_t height = 0;
};

// An event of a kind no one here listens to is the empty alternative.
using SystemEvent = std::variant<std::monostate, QuitEvent, KeyEvent, TextEvent, MouseMotionEvent,
                                 MouseButtonEvent, MouseWheelEvent, WindowEvent>;

} // namespace Platform
