#include "game_tools/XMLValue.h"

#include "engine/core/Error.h"
#include "engine/core/StringUtils.h"

#include <vector>

namespace GameTools {

using Halvard::i32;
using Halvard::u32;

namespace {

bool IsNumberCharacter(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'+' ||
           c == L'-' || c == L'.';
}

// Number texts are plain ASCII, so narrowing them character by character is exact.
std::vector<std::string> SplitNumbers(const std::wstring& text, u32 count)
{
    std::vector<std::string> tokens;
    std::string token;
    for (size_t i = 0; i <= text.size() && tokens.size() < count; ++i) {
        if (i < text.size() && IsNumberCharacter(text[i])) {
            token += static_cast<char>(text[i]);
        } else if (!token.empty()) {
            tokens.push_back(token);
            token.clear();
        }
    }
    return tokens;
}

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

// Blanks, an optional sign, digits and blanks, as the C library reads a
// base-10 integer, and nothing after them.
template <class Text>
bool IsWholeInteger(const Text& text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(static_cast<wchar_t>(text[i])))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == digits)
        return false;
    while (i < text.size() && IsBlank(static_cast<wchar_t>(text[i])))
        ++i;
    return i == text.size();
}

[[noreturn]] void RefuseInteger() { throw Halvard::FileError("Incorrect integer"); }

} // namespace

XMLValue::XMLValue(const std::string& text) : type_(kNarrow), text_(text) {}

XMLValue::XMLValue(const std::wstring& text) : type_(kWide), wideText_(text) {}

const std::string& XMLValue::GetString() const
{
    if (type_ == kWide) {
        Halvard::ConvertWStringToString(wideText_, text_);
        type_ = kBoth;
    }
    return text_;
}

const std::wstring& XMLValue::GetWideString() const
{
    if (type_ == kNarrow) {
        Halvard::ConvertStringToWString(text_, wideText_);
        type_ = kBoth;
    }
    return wideText_;
}

void XMLValue::SetString(const std::string& text)
{
    text_ = text;
    wideText_.clear();
    type_ = kNarrow;
}

void XMLValue::SetWideString(const std::wstring& text)
{
    wideText_ = text;
    text_.clear();
    type_ = kWide;
}

float XMLValue::GetFloat() const
{
    return type_ == kWide ? Halvard::WStringToFloat(wideText_) : Halvard::StringToFloat(text_);
}

i32 XMLValue::GetInt() const
{
    const std::optional<i32> value = FindInt();
    if (!value)
        RefuseInteger();
    return *value;
}

std::optional<i32> XMLValue::FindInt() const
{
    const bool whole = type_ == kWide ? IsWholeInteger(wideText_) : IsWholeInteger(text_);
    return whole ? std::optional<i32>(LeadingInt()) : std::nullopt;
}

bool XMLValue::GetBool() const { return LeadingInt() != 0; }

i32 XMLValue::LeadingInt() const
{
    return type_ == kWide ? Halvard::WStringToInt(wideText_, 10) : Halvard::StringToInt(text_, 10);
}

u32 XMLValue::GetFloats(float* out, u32 count) const
{
    const std::wstring text = type_ == kWide ? wideText_ : std::wstring(text_.begin(), text_.end());
    const std::vector<std::string> tokens = SplitNumbers(text, count);
    for (size_t i = 0; i < tokens.size(); ++i)
        out[i] = Halvard::StringToFloat(tokens[i]);
    return static_cast<u32>(tokens.size());
}

u32 XMLValue::GetInts(i32* out, u32 count) const
{
    const std::wstring text = type_ == kWide ? wideText_ : std::wstring(text_.begin(), text_.end());
    const std::vector<std::string> tokens = SplitNumbers(text, count);
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (!IsWholeInteger(tokens[i]))
            RefuseInteger();
        out[i] = Halvard::StringToInt(tokens[i], 10);
    }
    return static_cast<u32>(tokens.size());
}

Halvard::Vector2 XMLValue::GetVector2() const
{
    float values[2] = {};
    GetFloats(values, 2);
    return Halvard::Vector2(values[0], values[1]);
}

Halvard::Vector4 XMLValue::GetVector4() const
{
    float values[4] = {};
    GetFloats(values, 4);
    return Halvard::Vector4(values[0], values[1], values[2], values[3]);
}

std::pair<i32, i32> XMLValue::GetIntPair() const
{
    i32 values[2] = {};
    GetInts(values, 2);
    return {values[0], values[1]};
}

} // namespace GameTools
