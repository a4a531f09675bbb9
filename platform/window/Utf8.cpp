#include "platform/window/Utf8.h"

#include <cstdint>

namespace Platform {

namespace {

// Number of bytes a sequence has after its lead byte, or -1 for a byte that
// cannot lead one.
int FollowingBytes(unsigned char lead)
{
    if (lead < 0x80)
        return 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 1;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 2;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 3;
    return -1;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

void Append(std::u16string& out, uint32_t codePoint)
{
    if (codePoint < 0x10000) {
        out += static_cast<char16_t>(codePoint);
        return;
    }
    codePoint -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
    out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
}

// Overlong forms, surrogates and values past 0x10FFFF are not characters.
bool IsValid(uint32_t codePoint, int following)
{
    static const uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    return codePoint >= kSmallest[following] && codePoint <= 0x10FFFF &&
           (codePoint < 0xD800 || codePoint > 0xDFFF);
}

void AppendUtf8(std::string& out, uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
        return;
    }
    const int following = codePoint < 0x800 ? 1 : codePoint < 0x10000 ? 2 : 3;
    static const unsigned char kLeads[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLeads[following] | (codePoint >> (6 * following)));
    for (int k = following - 1; k >= 0; --k)
        out += static_cast<char>(0x80 | ((codePoint >> (6 * k)) & 0x3F));
}

// The length in bytes of the well-formed character the text begins with,
// its value in codePoint; 0 when the first byte begins none.
size_t ReadCharacter(std::string_view text, uint32_t& codePoint)
{
    const unsigned char lead = static_cast<unsigned char>(text[0]);
    const int following = FollowingBytes(lead);
    if (following < 0 || static_cast<size_t>(following) >= text.size())
        return 0;
    codePoint = following == 0 ? lead : lead & (0x3F >> following);
    for (int k = 1; k <= following; ++k) {
        const unsigned char byte = static_cast<unsigned char>(text[k]);
        if (!IsContinuation(byte))
            return 0;
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    return IsValid(codePoint, following) ? static_cast<size_t>(following) + 1 : 0;
}

// Hands each character of the text to take. A byte that begins no
// character stands for the Latin-1 character of its code: a name written in
// that older encoding reads as it was meant, in letters the game's fonts
// hold (they have no replacement character), and each byte shows.
template <class Take>
void DecodeUtf8(std::string_view text, const Take& take)
{
    while (!text.empty()) {
        uint32_t codePoint = 0;
        const size_t length = ReadCharacter(text, codePoint);
        take(length > 0 ? codePoint : static_cast<unsigned char>(text[0]));
        text.remove_prefix(length > 0 ? length : 1);
    }
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    DecodeUtf8(text, [&out](uint32_t codePoint) { Append(out, codePoint); });
    return out;
}

std::wstring Utf8ToWide(std::string_view text)
{
    std::wstring out;
    DecodeUtf8(text, [&out](uint32_t codePoint) { out += static_cast<wchar_t>(codePoint); });
    return out;
}

std::string WideToUtf8(std::wstring_view text)
{
    std::string out;
    for (const wchar_t character : text) {
        const auto codePoint = static_cast<uint32_t>(character);
        if (codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF))
            AppendUtf8(out, codePoint);
    }
    return out;
}

} // namespace Platform
