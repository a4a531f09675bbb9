#pragma once

#include <cstdint>

namespace Platform {

// Sets the C runtime's locale for the game's text: every category to "C",
// then character classes and collation (LC_CTYPE, LC_COLLATE) to "C.UTF-8",
// whose wide case mapping and classes cover Latin-1 and Cyrillic; numbers
// keep "C", so a decimal point is always '.'. False when the system lacks a
// UTF-8 "C" locale: the categories then stay "C". Process-wide; call before
// other threads start.
bool SetUnicodeCharacterLocale();

// Would switch the keyboard of the calling thread to the layout of a
// Windows language identifier (1049 Russian). SDL offers no way to change
// the system's layout, so the layout is never switched and the answer is
// always false.
bool SwitchKeyboardLayout(uint32_t languageId);

} // namespace Platform
