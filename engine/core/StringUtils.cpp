#include "engine/core/StringUtils.h"

#include "engine/core/CodePage.h"
#include "platform/os/Paths.h"
#include "platform/window/Utf8.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <limits>

namespace Halvard {

namespace {

// Larger counts only make absurd texts; the cap keeps every result short.
constexpr u32 kMaxCount = 64;

std::string Format(const char* conversion, u32 count, bool withCount, auto value)
{
    std::string format = "%";
    if (withCount)
        format += "0." + std::to_string(std::min(count, kMaxCount));
    format += conversion;
    const int length = std::snprintf(nullptr, 0, format.c_str(), value);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format.c_str(), value);
    text.resize(static_cast<size_t>(length));
    return text;
}

// Number texts are plain ASCII, so widening byte by byte is exact.
std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

bool IsSpaceW(wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; }

// long is 64 bits wide here: a number beyond the 32-bit range reads as the
// nearest end of that range instead of wrapping round to an unrelated value.
i32 ClampToI32(long long value)
{
    return static_cast<i32>(
        std::clamp<long long>(value, std::numeric_limits<i32>::min(), std::numeric_limits<i32>::max()));
}

// The C library's unsigned reading negates a leading minus sign in unsigned
// arithmetic; only a magnitude beyond 32 bits saturates.
u32 ClampToU32(long long value)
{
    constexpr long long kLargest = std::numeric_limits<u32>::max();
    if (value > kLargest || value < -kLargest)
        return std::numeric_limits<u32>::max();
    return static_cast<u32>(value);
}

template <typename Text>
void ReplaceAllIn(Text& text, const Text& pattern, const Text& replacement)
{
    if (pattern.empty())
        return;
    size_t position = text.find(pattern);
    while (position != Text::npos) {
        text.replace(position, pattern.size(), replacement);
        position = text.find(pattern, position + replacement.size());
    }
}

} // namespace

i32 StringToInt(const std::string& text, i32 base)
{
    return ClampToI32(std::strtoll(text.c_str(), nullptr, base));
}

u32 StringToUInt(const std::string& text, i32 base)
{
    return ClampToU32(std::strtoll(text.c_str(), nullptr, base));
}

float StringToFloat(const std::string& text) { return static_cast<float>(std::atof(text.c_str())); }

bool StringToBool(const std::string& text) { return StringToInt(text, 10) != 0; }

i32 WStringToInt(const std::wstring& text, i32 base)
{
    return ClampToI32(std::wcstoll(text.c_str(), nullptr, base));
}

float WStringToFloat(const std::wstring& text)
{
    return static_cast<float>(std::wcstod(text.c_str(), nullptr));
}

bool WStringToBool(const std::wstring& text) { return WStringToInt(text, 10) != 0; }

std::string IntToString(i32 value, u32 minDigits) { return Format("i", minDigits, minDigits != 0, value); }

std::string UIntToString(u32 value, u32 minDigits) { return Format("u", minDigits, minDigits != 0, value); }

std::string UIntToHexString(u32 value, u32 minDigits) { return Format("X", minDigits, minDigits != 0, value); }

std::string FloatToString(float value, u32 decimals)
{
    return Format("f", decimals, true, static_cast<double>(value));
}

std::wstring IntToWString(i32 value, u32 minDigits) { return Widen(IntToString(value, minDigits)); }

std::wstring UIntToWString(u32 value, u32 minDigits) { return Widen(UIntToString(value, minDigits)); }

std::wstring FloatToWString(float value, u32 decimals) { return Widen(FloatToString(value, decimals)); }

std::string BoolToString(bool value) { return value ? "1" : "0"; }

std::wstring Vector3ToWString(float x, float y, float z, u32 decimals)
{
    return FloatToWString(x, decimals) + L" " + FloatToWString(y, decimals) + L" " + FloatToWString(z, decimals);
}

std::wstring Vector4ToWString(float x, float y, float z, float w, u32 decimals)
{
    return Vector3ToWString(x, y, z, decimals) + L" " + FloatToWString(w, decimals);
}

std::wstring QuaternionToWString(float x, float y, float z, float w, u32 decimals)
{
    return Vector4ToWString(x, y, z, w, decimals);
}

void TrimLeft(std::string& text)
{
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), IsSpace));
}

void TrimRight(std::string& text)
{
    text.erase(std::find_if_not(text.rbegin(), text.rend(), IsSpace).base(), text.end());
}

void Trim(std::string& text)
{
    TrimLeft(text);
    TrimRight(text);
}

void TrimLeftChar(std::string& text, char c) { text.erase(0, text.find_first_not_of(c)); }

std::string TrimRightCopy(const std::string& text)
{
    std::string copy = text;
    TrimRight(copy);
    return copy;
}

void TrimLeftW(std::wstring& text)
{
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), IsSpaceW));
}

void TrimRightW(std::wstring& text)
{
    text.erase(std::find_if_not(text.rbegin(), text.rend(), IsSpaceW).base(), text.end());
}

std::wstring TrimLeftCopyW(const std::wstring& text)
{
    std::wstring copy = text;
    TrimLeftW(copy);
    return copy;
}

std::wstring TrimRightCopyW(const std::wstring& text)
{
    std::wstring copy = text;
    TrimRightW(copy);
    return copy;
}

std::wstring TrimCopyW(const std::wstring& text) { return TrimLeftCopyW(TrimRightCopyW(text)); }

void MakeUpper(std::string& text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

void MakeLower(std::string& text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

void MakeUpperW(std::wstring& text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
}

void MakeLowerW(std::wstring& text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
}

std::string ToUpper(const std::string& text)
{
    std::string copy = text;
    MakeUpper(copy);
    return copy;
}

std::string ToLower(const std::string& text)
{
    std::string copy = text;
    MakeLower(copy);
    return copy;
}

std::wstring ToLowerW(const std::wstring& text)
{
    std::wstring copy = text;
    MakeLowerW(copy);
    return copy;
}

void ReplaceAll(std::string& text, const std::string& pattern, const std::string& replacement)
{
    ReplaceAllIn(text, pattern, replacement);
}

void ReplaceAllW(std::wstring& text, const std::wstring& pattern, const std::wstring& replacement)
{
    ReplaceAllIn(text, pattern, replacement);
}

std::wstring ReplaceAllCopyW(const std::wstring& text, const std::wstring& pattern,
                             const std::wstring& replacement)
{
    std::wstring copy = text;
    ReplaceAllW(copy, pattern, replacement);
    return copy;
}

void EraseAll(std::string& text, const std::string& pattern) { ReplaceAll(text, pattern, ""); }

std::wstring EraseAllCopyW(const std::wstring& text, const std::wstring& pattern)
{
    return ReplaceAllCopyW(text, pattern, L"");
}

void ConvertStringToWString(const std::string& text, std::wstring& out)
{
    out.clear();
    for (char c : text) {
        if (c == '\0')
            break;
        const wchar_t wide = CodePageByteToWide(static_cast<u8>(c));
        if (wide != 0)
            out += wide;
    }
}

std::wstring ToWString(const std::string& text)
{
    std::wstring out;
    ConvertStringToWString(text, out);
    return out;
}

void ConvertWStringToString(const std::wstring& text, std::string& out)
{
    out.clear();
    for (wchar_t c : text) {
        if (c == L'\0')
            break;
        const int byte = WideToCodePageByte(c);
        if (byte >= 0)
            out += static_cast<char>(byte);
    }
}

std::string ToString(const std::wstring& text)
{
    std::string out;
    ConvertWStringToString(text, out);
    return out;
}

std::wstring Utf8ToWString(const std::string& text) { return Platform::Utf8ToWide(text); }

std::string WStringToUtf8(const std::wstring& text) { return Platform::WideToUtf8(text); }

std::string GetApplicationFolder() { return Platform::FromNativePath(Platform::ProgramFolder()); }

} // namespace Halvard
