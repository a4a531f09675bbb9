#include "tests/support/SdlEvents.h"

#include <cstring>

#include "platform/window/EventDispatcher.h"
#include "platform/window/SdlEventTranslation.h"

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

SDL_Event KeyDown(SDL_Keycode key, bool repeat) { return Key(SDL_KEYDOWN, key, repeat); }

SDL_Event KeyUp(SDL_Keycode key) { return Key(SDL_KEYUP, key, false); }

SDL_Event TextInput(const char* utf8)
{
    SDL_Event event{};
    event.text.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, utf8, sizeof(event.text.text) - 1);
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

} // namespace Testing
