#pragma once

#include <SDL.h>

#include <initializer_list>

namespace Halvard {
class Window;
} // namespace Halvard

namespace Testing {

// The SDL id of the engine window's SDL window, which mouse events name.
Uint32 WindowIdOf(const Halvard::Window& window);

// Synthetic SDL events, built as the SDL queue delivers them. Keys come by
// their key code (the scan code follows from it) or by their place on the
// keyboard; mouse events are in window pixels of the window with the given
// id (0: none, the coordinates are the screen's).
SDL_Event KeyDown(SDL_Keycode key, bool repeat = false);
SDL_Event KeyUp(SDL_Keycode key);
SDL_Event KeyAt(SDL_Scancode scancode, bool down, bool repeat = false);
SDL_Event TextInput(const char* utf8);
SDL_Event MouseMotion(Sint32 x, Sint32 y, Sint32 xrel, Sint32 yrel, Uint32 windowId = 0);
SDL_Event MouseButton(Uint8 button, bool down, Sint32 x = 0, Sint32 y = 0, Uint32 windowId = 0);
SDL_Event MouseWheel(Sint32 notches, bool flipped = false);
SDL_Event WindowEvent(SDL_WindowEventID event, Uint32 windowId = 0, Sint32 data1 = 0, Sint32 data2 = 0);
SDL_Event QuitEvent();

// Feeds the events to the process's dispatcher in order, now.
void Dispatch(std::initializer_list<SDL_Event> events);

// Puts the events at the end of SDL's own queue, where the program's message
// pump takes them as it would a player's; SDL's video must be up. Throws
// std::runtime_error when SDL refuses one.
void Push(std::initializer_list<SDL_Event> events);

// Takes every waiting event of SDL's queue through the process's dispatcher,
// as the program's loop does between frames.
void PumpAll();

// Lets every key and button go, loses both devices, puts their buffer limits
// back and the cursor at the screen's origin: the input system is the
// process's, and each test starts from a system nobody touched.
void ResetInput();

// The scan code whose key the keyboard device reports with the code; unknown
// when none does.
SDL_Scancode ScancodeForKeyCode(int code);

} // namespace Testing
