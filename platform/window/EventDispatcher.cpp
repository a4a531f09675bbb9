#include "platform/window/EventDispatcher.h"

#include <SDL.h>

#include "platform/input/InputSystem.h"
#include "platform/window/SdlEventTranslation.h"
#include "platform/window/Utf8.h"
#include "platform/window/VirtualKeys.h"

namespace Platform {

void EventDispatcher::SetProcedure(WindowProcedure procedure) { procedure_ = std::move(procedure); }

bool EventDispatcher::PumpOne()
{
    SDL_Event event;
    if (SDL_PollEvent(&event) == 0)
        return false;
    Dispatch(TranslateSdlEvent(event));
    return true;
}

// The input devices hear every event before the window does.
void EventDispatcher::Dispatch(const SystemEvent& event)
{
    GetInputSystem().HandleEvent(event);
    if (std::holds_alternative<QuitEvent>(event)) {
        Deliver(WindowMessage::kQuit, 0);
    } else if (const auto* key = std::get_if<KeyEvent>(&event)) {
        if (key->down)
            OnKeyDown(*key);
        else
            OnKeyUp(*key);
    } else if (const auto* text = std::get_if<TextEvent>(&event)) {
        OnTextInput(*text);
    } else if (const auto* window = std::get_if<WindowEvent>(&event)) {
        OnWindowEvent(*window);
    }
}

bool EventDispatcher::IsKeyHeld(uint32_t virtualKey) const
{
    switch (virtualKey) {
    case kVkShift:
        return heldKeys_[kVkLeftShift] || heldKeys_[kVkRightShift];
    case kVkControl:
        return heldKeys_[kVkLeftControl] || heldKeys_[kVkRightControl];
    case kVkMenu:
        return heldKeys_[kVkLeftMenu] || heldKeys_[kVkRightMenu];
    default:
        return virtualKey < heldKeys_.size() && heldKeys_[virtualKey];
    }
}

// Auto-repeated key-downs are delivered like the first one. While Alt is
// held, and for F10, the key comes as a system key.
void EventDispatcher::OnKeyDown(const KeyEvent& key)
{
    const uint32_t sided = SidedVirtualKeyFromSdl(key.keyCode, key.scancode, key.numLock);
    if (sided == 0)
        return;
    heldKeys_[sided] = true;
    const uint32_t code = VirtualKeyFromSdl(key.keyCode, key.scancode, key.numLock);
    const bool system = IsKeyHeld(kVkMenu) || code == kVkF10;
    Deliver(system ? WindowMessage::kSysKeyDown : WindowMessage::kKeyDown, code);
}

// Num Lock may have changed while a keypad key was held: the key is let go
// under either of its codes.
void EventDispatcher::OnKeyUp(const KeyEvent& key)
{
    heldKeys_[SidedVirtualKeyFromSdl(key.keyCode, key.scancode, true)] = false;
    heldKeys_[SidedVirtualKeyFromSdl(key.keyCode, key.scancode, false)] = false;
}

void EventDispatcher::OnTextInput(const TextEvent& text)
{
    for (char16_t character : Utf8ToUtf16(text.utf8))
        Deliver(WindowMessage::kChar, character);
}

void EventDispatcher::OnWindowEvent(const WindowEvent& window)
{
    switch (window.change) {
    case WindowEvent::kClose:
        Deliver(WindowMessage::kClose, 0);
        break;
    case WindowEvent::kFocusGained:
        Deliver(WindowMessage::kSetFocus, 0);
        break;
    case WindowEvent::kFocusLost:
        // Keys released elsewhere never report it here.
        heldKeys_.reset();
        Deliver(WindowMessage::kKillFocus, 0);
        break;
    case WindowEvent::kMinimized:
        OnStateChange(window, WindowMessage::kMinimize);
        break;
    case WindowEvent::kMaximized:
        OnStateChange(window, WindowMessage::kMaximize);
        break;
    case WindowEvent::kRestored:
        OnStateChange(window, WindowMessage::kRestore);
        break;
    case WindowEvent::kSizeChanged:
        OnSizeChanged(window);
        break;
    case WindowEvent::kOther:
        break;
    }
}

// The window manager minimises and maximises before it tells; a procedure
// that refuses the change has it undone.
void EventDispatcher::OnStateChange(const WindowEvent& window, uint32_t command)
{
    if (!Deliver(WindowMessage::kSysCommand, command) || command == WindowMessage::kRestore)
        return;
    if (SDL_Window* native = SDL_GetWindowFromID(window.windowId))
        SDL_RestoreWindow(native);
}

// A full-screen window takes the size of the display mode, so only a
// windowed one is offered to the procedure to keep its size.
void EventDispatcher::OnSizeChanged(const WindowEvent& window)
{
    SDL_Window* native = SDL_GetWindowFromID(window.windowId);
    if (native == nullptr || (SDL_GetWindowFlags(native) & SDL_WINDOW_FULLSCREEN) != 0)
        return;
    WindowMessage message;
    message.id = WindowMessage::kPositionChanging;
    SDL_GetWindowPosition(native, &message.rect.x, &message.rect.y);
    message.rect.width = static_cast<uint32_t>(window.width);
    message.rect.height = static_cast<uint32_t>(window.height);
    const ScreenRect proposed = message.rect;
    Deliver(message);
    if (message.rect.width != proposed.width || message.rect.height != proposed.height)
        SDL_SetWindowSize(native, static_cast<int>(message.rect.width), static_cast<int>(message.rect.height));
    if (message.rect.x != proposed.x || message.rect.y != proposed.y)
        SDL_SetWindowPosition(native, message.rect.x, message.rect.y);
}

bool EventDispatcher::Deliver(WindowMessage& message) { return procedure_ ? procedure_(message) : false; }

bool EventDispatcher::Deliver(uint32_t id, uint32_t param)
{
    WindowMessage message;
    message.id = id;
    message.param = param;
    return Deliver(message);
}

EventDispatcher& GetEventDispatcher()
{
    static EventDispatcher dispatcher;
    return dispatcher;
}

} // namespace Platform
