#include "tests/support/SdlInputEvents.h"

#include "platform/input/InputSystem.h"
#include "platform/input/KeyCodes.h"

namespace Testing {

SDL_Event KeyAt(SDL_Scancode scancode, bool down, bool repeat)
{
    SDL_Event event{};
    event.key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = scancode;
    return event;
}

SDL_Event MouseMotion(Sint32 x, Sint32 y, Sint32 xrel, Sint32 yrel, Uint32 windowId)
{
    SDL_Event event{};
    event.motion.type = SDL_MOUSEMOTION;
    event.motion.windowID = windowId;
    event.motion.x = x;
    event.motion.y = y;
    event.motion.xrel = xrel;
    event.motion.yrel = yrel;
    return event;
}

SDL_Event MouseButton(Uint8 button, bool down, Sint32 x, Sint32 y)
{
    SDL_Event event{};
    event.button.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.button = button;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event MouseWheel(Sint32 notches, bool flipped)
{
    SDL_Event event{};
    event.wheel.type = SDL_MOUSEWHEEL;
    event.wheel.y = notches;
    event.wheel.preciseY = static_cast<float>(notches);
    event.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    return event;
}

void ResetInput()
{
    Platform::InputSystem& input = Platform::GetInputSystem();
    input.HandleEvent(Platform::WindowEvent{Platform::WindowEvent::kFocusLost});
    input.GetKeyboard().SetBufferLimit(Platform::InputDevice::kMaxBufferSize);
    input.GetMouse().SetBufferLimit(Platform::InputDevice::kMaxBufferSize);
    input.GetCursor().Track(0, 0, 0);
}

SDL_Scancode ScancodeForKeyCode(int code)
{
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        if (Platform::KeyCodeFromScancode(scancode) == code)
            return static_cast<SDL_Scancode>(scancode);
    }
    return SDL_SCANCODE_UNKNOWN;
}

} // namespace Testing
