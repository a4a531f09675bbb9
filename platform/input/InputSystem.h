#pragma once

#include <bitset>

#include "platform/input/KeyboardDevice.h"
#include "platform/input/MouseDevice.h"
#include "platform/input/SystemCursor.h"

union SDL_Event;
struct SDL_KeyboardEvent;
struct SDL_MouseMotionEvent;
struct SDL_MouseButtonEvent;
struct SDL_MouseWheelEvent;

namespace Platform {

// The keyboard, the mouse and the cursor of the process, fed with SDL's
// events by the event dispatcher. Main thread only.
class InputSystem {
public:
    KeyboardDevice& GetKeyboard() { return keyboard_; }
    MouseDevice& GetMouse() { return mouse_; }
    SystemCursor& GetCursor() { return cursor_; }

    // Whether the system knows any key or mouse button to be held, whether
    // or not a device is acquired.
    bool IsAnyKeyDown() const;

    // Turns one of SDL's events into device events; the event dispatcher
    // hands every event here.
    void HandleEvent(const SDL_Event& event);

private:
    // SDL's count of scan codes.
    static constexpr size_t kScancodeCount = 512;

    void OnKey(const SDL_KeyboardEvent& key);
    void OnMotion(const SDL_MouseMotionEvent& motion);
    void OnButton(const SDL_MouseButtonEvent& button);
    void OnWheel(const SDL_MouseWheelEvent& wheel);
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
