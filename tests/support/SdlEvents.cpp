#include "tests/support/SdlEvents.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "engine/core/Window.h"
#include "platform/input/InputSystem.h"
#include "platform/input/KeyCodes.h"
#include "platform/window/EventDispatcher.h"
#include "platform/window/SdlEventTranslation.h"
#include "platform/window/SdlWindow.h"

namespace Testing {

namespace {

SDL_Event Key(Uint32 type, SDL_Keycode key, bool repeat)
{
    SDL_Event event{};
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    return event;
}

} // namespace

Uint32 WindowIdOf(const Halvard::Window& window)
{
    return SDL_GetWindowID(static_cast<Platform::SdlWindow*>(window.GetHandle())->Get());
}

SDL_Event KeyDown(SDL_Keycode key, bool repeat) { return Key(SDL_KEYDOWN, key, repeat); }

SDL_Event KeyUp(SDL_Keycode key) { return Key(SDL_KEYUP, key, false); }

SDL_Event KeyAt(SDL_Scancode scancode, bool down, bool repeat)
{
    SDL_Event event{};
    event.key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = scancode;
    return event;
}

SDL_Event TextInput(const char* utf8)
{
    SDL_Event event{};
    event.text.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, utf8, sizeof(event.text.text) - 1);
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

SDL_Event MouseButton(Uint8 button, bool down, Sint32 x, Sint32 y, Uint32 windowId)
{
    SDL_Event event{};
    event.button.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = windowId;
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

SDL_Event WindowEvent(SDL_WindowEventID id, Uint32 windowId, Sint32 data1, Sint32 data2)
{
    SDL_Event event{};
    event.window.type = SDL_WINDOWEVENT;
    event.window.event = static_cast<Uint8>(id);
    event.window.windowID = windowId;
    event.window.data1 = data1;
    event.window.data2 = data2;
    return event;
}

SDL_Event QuitEvent()
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
}

void Dispatch(std::initializer_list<SDL_Event> events)
{
    for (const SDL_Event& event : events)
        Platform::GetEventDispatcher().Dispatch(Platform::TranslateSdlEvent(event));
}

void Push(std::initializer_list<SDL_Event> events)
{
    for (SDL_Event event : events) {
        if (SDL_PushEvent(&event) != 1)
            throw std::runtime_error(std::string("SDL refused an event: ") + SDL_GetError());
    }
}

void PumpAll()
{
    while (Platform::GetEventDispatcher().PumpOne()) {
    }
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
