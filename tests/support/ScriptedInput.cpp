#include "tests/support/ScriptedInput.h"

#include "tests/support/SdlEvents.h"

#include "engine/core/Window.h"
#include "engine/gui/GUIWindow.h"

namespace Testing {

namespace {

// The length of the UTF-8 character that begins with the byte.
std::size_t CharacterLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

void ScriptedInput::MoveMouseTo(Sint32 x, Sint32 y)
{
    Push({MouseMotion(x, y, x - x_, y - y_, windowId_)});
    x_ = x;
    y_ = y;
}

void ScriptedInput::MoveMouseOnto(const Halvard::GUIWindow& widget, const Halvard::Window& window)
{
    constexpr float kGuiWidth = 800.0f;
    constexpr float kGuiHeight = 600.0f;
    const Halvard::Vector2 corner = widget.GetAbsolutePosition();
    const float x = (corner.x + widget.size.x * 0.5f) / kGuiWidth * static_cast<float>(window.GetClientWidth());
    const float y = (kGuiHeight - corner.y - widget.size.y * 0.5f) / kGuiHeight *
                    static_cast<float>(window.GetClientHeight());
    MoveMouseTo(static_cast<Sint32>(x), static_cast<Sint32>(y));
}

void ScriptedInput::PressButton(Uint8 button) { Push({MouseButton(button, true, x_, y_, windowId_)}); }

void ScriptedInput::ReleaseButton(Uint8 button) { Push({MouseButton(button, false, x_, y_, windowId_)}); }

void ScriptedInput::Click(Sint32 x, Sint32 y, Uint8 button)
{
    MoveMouseTo(x, y);
    PressButton(button);
    ReleaseButton(button);
}

void ScriptedInput::PressKey(SDL_Keycode key)
{
    SDL_Event event = KeyDown(key);
    event.key.windowID = windowId_;
    Push({event});
}

void ScriptedInput::ReleaseKey(SDL_Keycode key)
{
    SDL_Event event = KeyUp(key);
    event.key.windowID = windowId_;
    Push({event});
}

void ScriptedInput::TapKey(SDL_Keycode key)
{
    PressKey(key);
    ReleaseKey(key);
}

void ScriptedInput::Type(const std::string& utf8)
{
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = CharacterLength(static_cast<unsigned char>(utf8[at]));
        SDL_Event event = TextInput(utf8.substr(at, length).c_str());
        event.text.windowID = windowId_;
        Push({event});
        at += length;
    }
}

void ScriptedInput::LoseFocus() { Push({WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST, windowId_)}); }

void ScriptedInput::GainFocus() { Push({WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, windowId_)}); }

} // namespace Testing
