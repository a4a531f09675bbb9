#pragma once

#include <bitset>
#include <cstdint>

#include "platform/window/WindowMessage.h"

union SDL_Event;
struct SDL_KeyboardEvent;
struct SDL_TextInputEvent;
struct SDL_WindowEvent;

namespace Platform {

// The program's message pump. It takes the system's events one at a time,
// keeps the state of the keys, turns each event into window messages and
// hands them to the one window procedure of the process. Main thread only.
class EventDispatcher {
public:
    // The procedure that receives every message from now on; an empty one
    // drops them. The key state is kept either way.
    void SetProcedure(WindowProcedure procedure);

    // Takes one event from the system's queue and dispatches it; false when
    // the queue was empty.
    bool PumpOne();

    // Dispatches an event as if the queue had produced it; tests feed
    // synthetic events through here.
    void Dispatch(const SDL_Event& event);

    // Whether the key is held now, by its virtual-key code. The generic
    // Shift, Control and Alt codes answer for either side's key.
    bool IsKeyHeld(uint32_t virtualKey) const;

private:
    void OnKeyDown(const SDL_KeyboardEvent& key);
    void OnKeyUp(const SDL_KeyboardEvent& key);
    void OnTextInput(const SDL_TextInputEvent& text);
    void OnWindowEvent(const SDL_WindowEvent& window);
    void OnSizeChanged(const SDL_WindowEvent& window);
    void OnStateChange(const SDL_WindowEvent& window, uint32_t command);
    bool Deliver(WindowMessage& message);
    bool Deliver(uint32_t id, uint32_t param);

    WindowProcedure procedure_;
    std::bitset<256> heldKeys_;
};

// The dispatcher of the process.
EventDispatcher& GetEventDispatcher();

} // namespace Platform
