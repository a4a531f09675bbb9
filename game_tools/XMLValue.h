#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <optional>
#include <string>
#include <utility>

namespace GameTools {

// One text of an XML description, held 8-bit, wide or both: the form that is
// missing is made from the other on first request. The parser stores wide
// texts. Getters convert lazily, so a value must not be read from two
// threads at once.
class XMLValue {
public:
    enum Type : Halvard::u32 { kNarrow = 0, kWide = 1, kBoth = 2 };

    XMLValue() = default;
    explicit XMLValue(const std::string& text);
    explicit XMLValue(const std::wstring& text);
    virtual ~XMLValue() = default;

    const std::string& GetString() const;
    const std::wstring& GetWideString() const;
    void SetString(const std::string& text);
    void SetWideString(const std::wstring& text);

    // The longest number at the start (blanks skipped); 0 when there is none.
    float GetFloat() const;
    // The base-10 integer that the whole text is, blanks around it allowed,
    // clamped to 32 bits. Any other text, "1e9" or "2.5" among them, throws
    // FileError "Incorrect integer": its leading digits are not what the
    // file meant. Readers that can name the value's file and attribute ask
    // FindInt and refuse in their own words.
    Halvard::i32 GetInt() const;
    // The same, none for a text that is no integer.
    std::optional<Halvard::i32> FindInt() const;
    // The base-10 integer at the start is not 0 (so "true" is false).
    bool GetBool() const;
    // Number lists: a token is a run of letters, digits, '+', '-' and '.';
    // anything else separates tokens. Stores at most count values in order
    // and leaves the rest of out as it was; returns how many were stored.
    // An integer token is held to GetInt's form.
    Halvard::u32 GetFloats(float* out, Halvard::u32 count) const;
    Halvard::u32 GetInts(Halvard::i32* out, Halvard::u32 count) const;
    // Components the text does not supply are 0.
    Halvard::Vector2 GetVector2() const;
    Halvard::Vector4 GetVector4() const;
    std::pair<Halvard::i32, Halvard::i32> GetIntPair() const;

    Halvard::u32 GetType() const { return type_; }

private:
    // The base-10 integer at the start as the C library reads it, clamped
    // to 32 bits; 0 when there is none.
    Halvard::i32 LeadingInt() const;

    mutable Halvard::u32 type_ = kBoth;
    mutable std::string text_;
    mutable std::wstring wideText_;
};

} // namespace GameTools
