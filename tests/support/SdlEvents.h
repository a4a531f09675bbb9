#pragma once

#include <SDL.h>

#include <initializer_list>

namespace Testing {

// Synthetic SDL events, built as the SDL queue delivers them, for feeding
// the event dispatcher.
SDL_Event KeyDown(SDL_Keycode key, bool repeat = false);
SDL_Event KeyUp(SDL_Keycode key);
SDL_Event TextInput(const char* utf8);
SDL_Event WindowEvent(SDL_WindowEventID event, Uint32 windowId = 0, Sint32 data1 = 0, Sint32 data2 = 0);
SDL_Event QuitEvent();

// Feeds the events to the process's dispatcher in order.
void Dispatch(std::initializer_list<SDL_Event> events);

} // namespace Testing
