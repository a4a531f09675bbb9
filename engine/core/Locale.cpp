#include "engine/core/Locale.h"

#include "platform/os/Locale.h"

namespace Halvard {

bool SetLanguageLocale() { return Platform::SetUnicodeCharacterLocale(); }

bool SwitchKeyboardLayout(u32 languageId) { return Platform::SwitchKeyboardLayout(languageId); }

} // namespace Halvard
