#pragma once

#include <SDL.h>

#include <string>

namespace Halvard {
class GUIWindow;
class Window;
} // namespace Halvard

namespace Testing {

// A player's hands for tests above the platform: each call pushes the SDL
// events a real mouse and keyboard would make into SDL's own queue, for the
// program's message pump to take in order. Mouse positions are pixels of the
// window given; the motion's relative part runs from the last position this
// script moved to (the window's origin at first). SDL's video must be up.
class ScriptedInput {
public:
    explicit ScriptedInput(Uint32 windowId) : windowId_(windowId) {}

    void MoveMouseTo(Sint32 x, Sint32 y);
    void PressButton(Uint8 button = SDL_BUTTON_LEFT);
    void ReleaseButton(Uint8 button = SDL_BUTTON_LEFT);
    // Moves there, then presses and lets go.
    void Click(Sint32 x, Sint32 y, Uint8 button = SDL_BUTTON_LEFT);
    // Over the middle of a widget of the GUI's 800 x 600 screen, which the
    // engine stretches over the window; GUI rows run upwards, window rows
    // downwards.
    void MoveMouseOnto(const Halvard::GUIWindow& widget, const Halvard::Window& window);

    void PressKey(SDL_Keycode key);
    void ReleaseKey(SDL_Keycode key);
    void TapKey(SDL_Keycode key);
    // One text event a character, as an input method sends typed UTF-8.
    void Type(const std::string& utf8);

    // The window manager's word that the window lost or got back the
    // keyboard focus (another window was chosen, then this one again).
    void LoseFocus();
    void GainFocus();

private:
    Uint32 windowId_;
    Sint32 x_ = 0;
    Sint32 y_ = 0;
};

} // namespace Testing
