#pragma once

#include <cstdint>

namespace Platform {

// The keyboard device numbers keys by the scan codes of a PC keyboard's first
// code set; keys sent with the 0xE0 prefix take their code plus 0x80.
//
// The code of the key found at an SDL scan code's place on the keyboard; 0
// for keys the device does not report. The place decides, not the character
// the layout gives the key, so every layout reads the same keys.
uint8_t KeyCodeFromScancode(int32_t scancode);

// The device's number of an SDL mouse button: 0 left, 1 right, 2 middle, then
// the side buttons up to 7; -1 for buttons the device does not have.
int32_t MouseButtonFromSdl(uint8_t button);

} // namespace Platform
