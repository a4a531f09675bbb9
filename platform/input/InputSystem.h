#pragma once

#include <bitset>

#include "platform/input/KeyboardDevice.h"
#include "platform/input/MouseDevice.h"
#include "platform/input/SystemCursor.h"
#include "platform/window/SystemEvent.h"

namespace Platform {

// The keyboard, the mouse and the cursor of the process, fed with the
// system's events by the event dispatcher. Main thread only.
class InputSystem {
public:
    KeyboardDevice& GetKeyboard() { return keyboard_; }
    MouseDevice& GetMouse() { return mouse_; }
    SystemCursor& GetCursor() { return cursor_; }

    // Whether the system knows any key or mouse button to be held, whether
    // or not a device is acquired.
    bool IsAnyKeyDown() const;

    // Turns one of the system's events into device events; the event
    // dispatcher hands every event here.
    void HandleEvent(const SystemEvent& event);

private:
    // The window system's count of scan codes.
    static constexpr size_t kScancodeCount = 512;

    void OnKey(const KeyEvent& key);
    void OnMotion(const MouseMotionEvent& motion);
    void OnButton(const MouseButtonEvent& button);
    void OnWheel(const MouseWheelEvent& wheel);
    void OnFocusLost();

    KeyboardDevice keyboard_;
    MouseDevice mouse_;
    SystemCursor cursor_;
    std::bitset<kScancodeCount> heldScancodes_;
    std::bitset<kMouseButtonCount> heldButtons_;
};

// The input system of the process.
InputSystem& GetInputSystem();

} // namespace Platform
