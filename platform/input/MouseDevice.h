#pragma once

#include <array>
#include <cstdint>

#include "platform/input/InputDevice.h"

namespace Platform {

// The system mouse. Its events name the axis or button they change
// (MouseItem). Movement on an axis folds into the same axis's event still
// waiting unless a button event came after it, so a fast mouse does not
// overflow the buffer with motion while clicks keep their order.
class MouseDevice final : public InputDevice {
public:
    struct State {
        // Movement since the last state read.
        int32_t x = 0;
        int32_t y = 0;
        int32_t wheel = 0;
        // kInputDown while the button is held.
        std::array<uint8_t, kMouseButtonCount> buttons{};
    };

    MouseDevice() = default;

    // Hands over the movement gathered since the last read and starts
    // gathering anew. False when the device is not acquired; the state is
    // then left as it was.
    bool GetState(State& state);

private:
    void ApplyToState(const InputEvent& event) override;
    void ClearState() override;
    bool Fold(std::deque<InputEvent>& waiting, const InputEvent& event) override;

    State state_;
};

} // namespace Platform
