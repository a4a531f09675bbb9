#pragma once

#include <cstdint>

namespace Platform {

// One change reported by an input device.
struct InputEvent {
    // Keyboard: the key code (KeyCodes.h). Mouse: one of the MouseItem values.
    uint32_t code = 0;
    // Keys and buttons: kInputDown when the change took them down, 0 when it
    // let them go. Axes: the movement, in the direction screen coordinates
    // grow; the wheel counts 120 per notch away from the user.
    int32_t data = 0;
};

constexpr int32_t kInputDown = 0x80;

// What a mouse event changed: the axes, then the buttons in a row.
enum MouseItem : uint32_t {
    kMouseX = 0,
    kMouseY = 4,
    kMouseWheel = 8,
    kMouseButton0 = 12,
};

constexpr uint32_t kMouseButtonCount = 8;

} // namespace Platform
