#pragma once

#include <bitset>
#include <cstdint>

#include "platform/window/SystemEvent.h"
#include "platform/window/WindowMessage.h"

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
    void Dispatch(const SystemEvent& event);

    // Whether the key is held now, by its virtual-key code. The generic
    // Shift, Control and Alt codes answer for either side's key.
    bool IsKeyHeld(uint32_t virtualKey) const;

private:
    void OnKeyDown(const KeyEvent& key);
    void OnKeyUp(const KeyEvent& key);
    void OnTextInput(const TextEvent& text);
    void OnWindowEvent(const WindowEvent& window);
    void OnSizeChanged(const WindowEvent& window);
    void OnStateChange(const WindowEvent& window, uint32_t command);
    bool Deliver(WindowMessage& message);
    bool Deliver(uint32_t id, uint32_t param);

    WindowProcedure procedure_;
    std::bitset<256> heldKeys_;
};

// The dispatcher of the process.
EventDispatcher& GetEventDispatcher();

} // namespace Platform
