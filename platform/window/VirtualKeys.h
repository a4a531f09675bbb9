#pragma once

#include <cstdint>

namespace Platform {

// Virtual-key codes, the key numbers of the window code. Letters and digits
// are their upper-case characters ('A' 0x41, '0' 0x30).
enum VirtualKey : uint32_t {
    kVkBack = 0x08,
    kVkTab = 0x09,
    kVkClear = 0x0C,
    kVkReturn = 0x0D,
    kVkShift = 0x10,
    kVkControl = 0x11,
    kVkMenu = 0x12,
    kVkPause = 0x13,
    kVkCapital = 0x14,
    kVkEscape = 0x1B,
    kVkSpace = 0x20,
    kVkPrior = 0x21,
    kVkNext = 0x22,
    kVkEnd = 0x23,
    kVkHome = 0x24,
    kVkLeft = 0x25,
    kVkUp = 0x26,
    kVkRight = 0x27,
    kVkDown = 0x28,
    kVkSnapshot = 0x2C,
    kVkInsert = 0x2D,
    kVkDelete = 0x2E,
    kVkLeftWindows = 0x5B,
    kVkRightWindows = 0x5C,
    kVkApps = 0x5D,
    kVkNumpad0 = 0x60,
    kVkMultiply = 0x6A,
    kVkAdd = 0x6B,
    kVkSubtract = 0x6D,
    kVkDecimal = 0x6E,
    kVkDivide = 0x6F,
    kVkF1 = 0x70,
    kVkF10 = 0x79,
    kVkF24 = 0x87,
    kVkNumLock = 0x90,
    kVkScroll = 0x91,
    kVkLeftShift = 0xA0,
    kVkRightShift = 0xA1,
    kVkLeftControl = 0xA2,
    kVkRightControl = 0xA3,
    kVkLeftMenu = 0xA4,
    kVkRightMenu = 0xA5,
    kVkOemSemicolon = 0xBA,
    kVkOemPlus = 0xBB,
    kVkOemComma = 0xBC,
    kVkOemMinus = 0xBD,
    kVkOemPeriod = 0xBE,
    kVkOemSlash = 0xBF,
    kVkOemBackquote = 0xC0,
    kVkOemOpenBracket = 0xDB,
    kVkOemBackslash = 0xDC,
    kVkOemCloseBracket = 0xDD,
    kVkOemQuote = 0xDE,
    kVkOem102 = 0xE2,
};

// The virtual key of an SDL key (its key code, and its scan code for keys
// whose code the layout turned into a character the table does not know), as
// a key-down message reports it: Shift, Control and Alt by their generic
// codes. 0 for keys without a virtual key. With Num Lock off the keypad's
// digits and its decimal point are the keys printed beneath them (Insert,
// End, Down ... Delete), which the edit boxes move and delete with.
uint32_t VirtualKeyFromSdl(int32_t keycode, int32_t scancode, bool numLock = true);

// The same with Shift, Control and Alt told apart by side, as the held-key
// state keeps them.
uint32_t SidedVirtualKeyFromSdl(int32_t keycode, int32_t scancode, bool numLock = true);

} // namespace Platform
