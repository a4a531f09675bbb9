#pragma once

#include <string>
#include <string_view>

namespace Platform {

// The 16-bit characters of UTF-8 text, as the window code takes typed
// characters: characters beyond 0xFFFF become surrogate pairs. Malformed
// bytes are dropped.
std::u16string Utf8ToUtf16(std::string_view text);
// The characters of UTF-8 text, one wide character each, as file names are
// shown; malformed bytes are dropped.
std::wstring Utf8ToWide(std::string_view text);

// The UTF-8 bytes of wide text, as the window system takes titles. Values
// that are no character (surrogates, beyond 0x10FFFF) are dropped.
std::string WideToUtf8(std::wstring_view text);

} // namespace Platform
