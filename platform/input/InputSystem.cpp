#include "platform/input/InputSystem.h"

#include <SDL.h>

#include "platform/input/KeyCodes.h"

namespace Platform {

namespace {

constexpr int32_t kWheelNotch = 120;

static_assert(SDL_NUM_SCANCODES == 512);

int32_t Pressed(bool down) { return down ? kInputDown : 0; }

} // namespace

bool InputSystem::IsAnyKeyDown() const { return heldScancodes_.any() || heldButtons_.any(); }

void InputSystem::HandleEvent(const SystemEvent& event)
{
    if (const auto* key = std::get_if<KeyEvent>(&event)) {
        OnKey(*key);
    } else if (const auto* motion = std::get_if<MouseMotionEvent>(&event)) {
        OnMotion(*motion);
    } else if (const auto* button = std::get_if<MouseButtonEvent>(&event)) {
        OnButton(*button);
    } else if (const auto* wheel = std::get_if<MouseWheelEvent>(&event)) {
        OnWheel(*wheel);
    } else if (const auto* window = std::get_if<WindowEvent>(&event)) {
        if (window->change == WindowEvent::kFocusLost)
            OnFocusLost();
    }
}

// Auto-repeat is not a change of the key.
void InputSystem::OnKey(const KeyEvent& key)
{
    if (key.repeat)
        return;
    const auto scancode = static_cast<size_t>(key.scancode);
    if (scancode < heldScancodes_.size())
        heldScancodes_[scancode] = key.down;
    if (const uint8_t code = KeyCodeFromScancode(key.scancode); code != 0)
        keyboard_.Post(InputEvent{code, Pressed(key.down)});
}

void InputSystem::OnMotion(const MouseMotionEvent& motion)
{
    cursor_.Track(motion.windowId, motion.x, motion.y);
    if (motion.dx != 0)
        mouse_.Post(InputEvent{kMouseX, motion.dx});
    if (motion.dy != 0)
        mouse_.Post(InputEvent{kMouseY, motion.dy});
}

void InputSystem::OnButton(const MouseButtonEvent& button)
{
    cursor_.Track(button.windowId, button.x, button.y);
    if (button.button < 0)
        return;
    heldButtons_[static_cast<size_t>(button.button)] = button.down;
    mouse_.Post(InputEvent{kMouseButton0 + static_cast<uint32_t>(button.button), Pressed(button.down)});
}

void InputSystem::OnWheel(const MouseWheelEvent& wheel)
{
    if (wheel.notches != 0)
        mouse_.Post(InputEvent{kMouseWheel, wheel.notches * kWheelNotch});
}

// Keys and buttons let go in another window never report it here.
void InputSystem::OnFocusLost()
{
    heldScancodes_.reset();
    heldButtons_.reset();
    keyboard_.Lose();
    mouse_.Lose();
}

InputSystem& GetInputSystem()
{
    static InputSystem system;
    return system;
}

} // namespace Platform
