#pragma once

#include "engine/core/Types.h"

namespace Halvard {

// The runtime's locale for the chosen language. The names the language
// table keeps ("english", "russian") are the original runtime's and mean
// nothing here: every language gets the UTF-8 "C" locale for character
// classes and collation and plain "C" for everything else, numbers
// included. Which bytes narrow text uses is the code page's business
// (SetCodePage). False when the system lacks that locale.
bool SetLanguageLocale();

// Switches the keyboard to the layout of a Windows language identifier;
// false when it was not switched, which on this platform is always.
bool SwitchKeyboardLayout(u32 languageId);

} // namespace Halvard
