#pragma once

#include <string>
#include <string_view>

namespace Platform {

// The 16-bit characters of UTF-8 text, as the window code takes typed
// characters: characters beyond 0xFFFF become surrogate pairs. Each byte
// that is not part of a well-formed character becomes the Latin-1 character
// of its code.
std::u16string Utf8ToUtf16(std::string_view text);
// The characters of UTF-8 text, one wide character each, as file names are
// shown; each byte that is not part of a well-formed character becomes the
// Latin-1 character of its code, so that no byte of a name is lost.
std::wstring Utf8ToWide(std::string_view text);

// The UTF-8 bytes of wide text, as the window system takes titles. Values
// that are no character (surrogates, beyond 0x10FFFF) are dropped.
std::string WideToUtf8(std::wstring_view text);

} // namespace Platform
