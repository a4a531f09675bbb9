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

void InputSystem::HandleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        OnKey(event.key);
        break;
    case SDL_MOUSEMOTION:
        OnMotion(event.motion);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        OnButton(event.button);
        break;
    case SDL_MOUSEWHEEL:
        OnWheel(event.wheel);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
            OnFocusLost();
        break;
    default:
        break;
    }
}

// Auto-repeat is not a change of the key.
void InputSystem::OnKey(const SDL_KeyboardEvent& key)
{
    if (key.repeat != 0)
        return;
    const bool down = key.type == SDL_KEYDOWN;
    const auto scancode = static_cast<size_t>(key.keysym.scancode);
    if (scancode < heldScancodes_.size())
        heldScancodes_[scancode] = down;
    if (const uint8_t code = KeyCodeFromScancode(key.keysym.scancode); code != 0)
        keyboard_.Post(InputEvent{code, Pressed(down)});
}

void InputSystem::OnMotion(const SDL_MouseMotionEvent& motion)
{
    cursor_.Track(motion.windowID, motion.x, motion.y);
    if (motion.xrel != 0)
        mouse_.Post(InputEvent{kMouseX, motion.xrel});
    if (motion.yrel != 0)
        mouse_.Post(InputEvent{kMouseY, motion.yrel});
}

void InputSystem::OnButton(const SDL_MouseButtonEvent& button)
{
    cursor_.Track(button.windowID, button.x, button.y);
    const int32_t index = MouseButtonFromSdl(button.button);
    if (index < 0)
        return;
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    heldButtons_[static_cast<size_t>(index)] = down;
    mouse_.Post(InputEvent{kMouseButton0 + static_cast<uint32_t>(index), Pressed(down)});
}

// Natural scrolling makes SDL report the wheel reversed; the device reports
// the turn of the wheel itself.
void InputSystem::OnWheel(const SDL_MouseWheelEvent& wheel)
{
    const int32_t notches = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y;
    if (notches != 0)
        mouse_.Post(InputEvent{kMouseWheel, notches * kWheelNotch});
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
