#pragma once

#include <array>
#include <cstdint>

#include "platform/input/InputDevice.h"

namespace Platform {

// The system keyboard. Its events carry key codes (KeyCodes.h); auto-repeat
// is no change of a key and never comes as an event.
class KeyboardDevice final : public InputDevice {
public:
    using KeyStates = std::array<uint8_t, 256>;

    KeyboardDevice() = default;

    // Per key code, kInputDown while the key is held. False when the device
    // is not acquired; keys then stay as they were in the array.
    bool GetState(KeyStates& keys) const;

private:
    void ApplyToState(const InputEvent& event) override;
    void ClearState() override;

    KeyStates keys_{};
};

} // namespace Platform
