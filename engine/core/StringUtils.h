#pragma once

#include "engine/core/Types.h"

#include <string>

namespace Halvard {

// Text to number. Text that is not a number gives what the C library gives
// (normally 0); a leading number is taken and the rest ignored.
i32 StringToInt(const std::string& text, i32 base = 10);
u32 StringToUInt(const std::string& text, i32 base = 10);
float StringToFloat(const std::string& text);
bool StringToBool(const std::string& text);
i32 WStringToInt(const std::wstring& text, i32 base = 10);
float WStringToFloat(const std::wstring& text);
bool WStringToBool(const std::wstring& text);

// Number to text. The count is a minimum number of digits for integers and a
// number of decimals for floats.
std::string IntToString(i32 value, u32 minDigits = 0);
std::string UIntToString(u32 value, u32 minDigits = 0);
std::string UIntToHexString(u32 value, u32 minDigits = 0);
std::string FloatToString(float value, u32 decimals);
std::wstring IntToWString(i32 value, u32 minDigits = 0);
std::wstring UIntToWString(u32 value, u32 minDigits = 0);
std::wstring FloatToWString(float value, u32 decimals);
std::string BoolToString(bool value);
std::wstring Vector3ToWString(float x, float y, float z, u32 decimals);
std::wstring Vector4ToWString(float x, float y, float z, float w, u32 decimals);
std::wstring QuaternionToWString(float x, float y, float z, float w, u32 decimals);

// Trimming; white space is what isspace / iswspace accept.
void TrimLeft(std::string& text);
void TrimRight(std::string& text);
void Trim(std::string& text);
void TrimLeftChar(std::string& text, char c);
std::string TrimRightCopy(const std::string& text);
void TrimLeftW(std::wstring& text);
void TrimRightW(std::wstring& text);
std::wstring TrimLeftCopyW(const std::wstring& text);
std::wstring TrimRightCopyW(const std::wstring& text);
std::wstring TrimCopyW(const std::wstring& text);

// Case, byte by byte in the "C" sense for narrow text.
void MakeUpper(std::string& text);
void MakeLower(std::string& text);
void MakeUpperW(std::wstring& text);
void MakeLowerW(std::wstring& text);
std::string ToUpper(const std::string& text);
std::string ToLower(const std::string& text);
std::wstring ToLowerW(const std::wstring& text);

// Replacing goes on after each inserted replacement, so a replacement that
// contains the pattern is not replaced again. An empty pattern changes nothing.
void ReplaceAll(std::string& text, const std::string& pattern, const std::string& replacement);
void ReplaceAllW(std::wstring& text, const std::wstring& pattern, const std::wstring& replacement);
std::wstring ReplaceAllCopyW(const std::wstring& text, const std::wstring& pattern,
                             const std::wstring& replacement);
void EraseAll(std::string& text, const std::string& pattern);
std::wstring EraseAllCopyW(const std::wstring& text, const std::wstring& pattern);

// Narrow text is in the current code page (see CodePage.h); bytes or
// characters it cannot convert are dropped, a zero ends the text.
void ConvertStringToWString(const std::string& text, std::wstring& out);
std::wstring ToWString(const std::string& text);
void ConvertWStringToString(const std::wstring& text, std::string& out);
std::string ToString(const std::wstring& text);
// Text that is not the player's own but the system's: file names and the log
// lines that carry them are UTF-8, whatever the code page. Malformed bytes
// and values that are no character are dropped.
std::wstring Utf8ToWString(const std::string& text);
std::string WStringToUtf8(const std::wstring& text);

// The folder of the running program, in the system's own path form
// (backslashes), without a trailing separator.
std::string GetApplicationFolder();

} // namespace Halvard
