#include "framework/persistence/PlayerName.h"

#include <algorithm>
#include <iterator>

namespace GameFramework {

namespace {

constexpr wchar_t kReplacementCharacter = 0xFFFD;

// Blanks a player can type or paste beyond the tab, line-end and space
// characters: the no-break and typographic spaces, the line and paragraph
// separators and the byte-order mark. At the ends of a name they only make it
// look like another one. The C library's classes know only some of them, and
// which depends on the locale.
constexpr wchar_t kOtherBlanks[] = {0x0085, 0x00A0, 0x1680, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000, 0xFEFF};

bool IsBlank(wchar_t c)
{
    // U+2000 to U+200A are the typographic spaces, U+200B the zero-width one.
    return c == L' ' || (c >= L'\t' && c <= L'\r') || (c >= 0x2000 && c <= 0x200B) ||
           std::find(std::begin(kOtherBlanks), std::end(kOtherBlanks), c) != std::end(kOtherBlanks);
}

std::wstring TrimBlanks(const std::wstring& name)
{
    const auto first = std::find_if_not(name.begin(), name.end(), IsBlank);
    const auto last = std::find_if_not(name.rbegin(), name.rend(), IsBlank).base();
    return first < last ? std::wstring(first, last) : std::wstring();
}

} // namespace

std::wstring FitPlayerName(const std::wstring& name)
{
    std::wstring fitted = name.substr(0, kMaxPlayerNameLength);
    std::replace_if(
        fitted.begin(), fitted.end(), [](wchar_t c) { return static_cast<unsigned long>(c) > 0xFFFF; },
        kReplacementCharacter);
    return fitted;
}

std::wstring MakeProfileName(const std::wstring& name)
{
    // Cutting may leave a blank at the new end.
    return TrimBlanks(FitPlayerName(TrimBlanks(name)));
}

} // namespace GameFramework
