#pragma once

#include <SDL.h>

namespace Testing {

// Synthetic SDL keyboard and mouse events as the input devices see them:
// keys by their place on the keyboard, mouse events in window coordinates of
// the window with the given id (0: none, the coordinates are the screen's).
SDL_Event KeyAt(SDL_Scancode scancode, bool down, bool repeat = false);
SDL_Event MouseMotion(Sint32 x, Sint32 y, Sint32 xrel, Sint32 yrel, Uint32 windowId = 0);
SDL_Event MouseButton(Uint8 button, bool down, Sint32 x = 0, Sint32 y = 0);
SDL_Event MouseWheel(Sint32 notches, bool flipped = false);

// Lets every key and button go, loses both devices, puts their buffer limits
// back and the cursor at the screen's origin: the input system is the
// process's, and each test starts from a system nobody touched.
void ResetInput();

// The scan code whose key the keyboard device reports with the code; unknown
// when none does.
SDL_Scancode ScancodeForKeyCode(int code);

} // namespace Testing
