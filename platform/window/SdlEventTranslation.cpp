#include "platform/window/SdlEventTranslation.h"

#include <SDL.h>

#include <cstring>

#include "platform/input/KeyCodes.h"

namespace Platform {

namespace {

KeyEvent FromKey(const SDL_KeyboardEvent& key)
{
    KeyEvent event;
    event.down = key.type == SDL_KEYDOWN;
    event.repeat = key.repeat != 0;
    event.keyCode = key.keysym.sym;
    event.scancode = key.keysym.scancode;
    event.numLock = (key.keysym.mod & KMOD_NUM) != 0;
    return event;
}

MouseMotionEvent FromMotion(const SDL_MouseMotionEvent& motion)
{
    return MouseMotionEvent{motion.windowID, motion.x, motion.y, motion.xrel, motion.yrel};
}

MouseButtonEvent FromButton(const SDL_MouseButtonEvent& button)
{
    MouseButtonEvent event;
    event.windowId = button.windowID;
    event.button = MouseButtonFromSdl(button.button);
    event.down = button.type == SDL_MOUSEBUTTONDOWN;
    event.x = button.x;
    event.y = button.y;
    return event;
}

// Natural scrolling makes SDL report the wheel reversed; the event reports
// the turn of the wheel itself.
MouseWheelEvent FromWheel(const SDL_MouseWheelEvent& wheel)
{
    return MouseWheelEvent{wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y};
}

WindowEvent::Change ChangeOf(uint8_t event)
{
    switch (event) {
    case SDL_WINDOWEVENT_CLOSE:
        return WindowEvent::kClose;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        return WindowEvent::kFocusGained;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        return WindowEvent::kFocusLost;
    case SDL_WINDOWEVENT_MINIMIZED:
        return WindowEvent::kMinimized;
    case SDL_WINDOWEVENT_MAXIMIZED:
        return WindowEvent::kMaximized;
    case SDL_WINDOWEVENT_RESTORED:
        return WindowEvent::kRestored;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        return WindowEvent::kSizeChanged;
    default:
        return WindowEvent::kOther;
    }
}

WindowEvent FromWindow(const SDL_WindowEvent& window)
{
    return WindowEvent{ChangeOf(window.event), window.windowID, window.data1, window.data2};
}

} // namespace

SystemEvent TranslateSdlEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        return QuitEvent{};
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return FromKey(event.key);
    case SDL_TEXTINPUT:
        return TextEvent{std::string(event.text.text, strnlen(event.text.text, sizeof(event.text.text)))};
    case SDL_MOUSEMOTION:
        return FromMotion(event.motion);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return FromButton(event.button);
    case SDL_MOUSEWHEEL:
        return FromWheel(event.wheel);
    case SDL_WINDOWEVENT:
        return FromWindow(event.window);
    default:
        return std::monostate{};
    }
}

} // namespace Platform
