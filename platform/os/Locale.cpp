#include "platform/os/Locale.h"

#include <clocale>
#include <initializer_list>

namespace Platform {

bool SetUnicodeCharacterLocale()
{
    std::setlocale(LC_ALL, "C");
    // Older systems spell the locale in lower case without the dash.
    for (const char* name : {"C.UTF-8", "C.utf8"}) {
        if (std::setlocale(LC_CTYPE, name) != nullptr) {
            std::setlocale(LC_COLLATE, name);
            return true;
        }
    }
    return false;
}

bool SwitchKeyboardLayout(uint32_t) { return false; }

} // namespace Platform
