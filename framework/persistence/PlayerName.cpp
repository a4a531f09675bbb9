#include "framework/persistence/PlayerName.h"

#include "engine/core/StringUtils.h"

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

// Characters that take no room and draw nothing, or draw as nothing but a
// blank, wherever they stand: a name holding them looks like the name
// without them.
bool IsInvisible(wchar_t c)
{
    struct Range {
        wchar_t first;
        wchar_t last;
    };
    static constexpr Range kInvisible[] = {
        {0x0000, 0x001F}, // control characters
        {0x007F, 0x009F}, // delete and the C1 controls
        {0x00AD, 0x00AD}, // soft hyphen
        {0x034F, 0x034F}, // combining grapheme joiner
        {0x061C, 0x061C}, // Arabic letter mark
        {0x115F, 0x1160}, // Hangul choseong and jungseong fillers
        {0x180B, 0x180E}, // Mongolian variation selectors and vowel separator
        {0x200B, 0x200F}, // zero-width space, non-joiner, joiner, direction marks
        {0x202A, 0x202E}, // direction embeddings and overrides
        {0x2060, 0x206F}, // word joiner, invisible operators, direction isolates
        {0x2800, 0x2800}, // Braille blank
        {0x3164, 0x3164}, // Hangul filler
        {0xFE00, 0xFE0F}, // variation selectors
        {0xFEFF, 0xFEFF}, // zero-width no-break space
        {0xFFA0, 0xFFA0}, // half-width Hangul filler
        {0xFFF9, 0xFFFB}, // interlinear annotation marks
    };
    return std::any_of(std::begin(kInvisible), std::end(kInvisible),
                       [c](const Range& range) { return c >= range.first && c <= range.last; });
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

std::wstring MakeProfileNameKey(const std::wstring& name)
{
    std::wstring key = MakeProfileName(name);
    std::erase_if(key, IsInvisible);
    // Blanks between invisible characters at an end are ends now.
    return Halvard::ToLowerW(TrimBlanks(key));
}

} // namespace GameFramework
