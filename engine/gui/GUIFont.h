#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <map>
#include <string>

namespace Halvard {

// One character's place in the font texture and its width in units of the
// font's height.
struct Glyph {
    float u = 0.0f;
    float v = 0.0f;
    float uSize = 0.0f;
    float vSize = 0.0f;
    float width = 0.0f;
};

// A bitmap font's metrics: the glyph table and the sizes that lay a text
// out. Texts are one line; a newline has no glyph and advances like any
// character without one. This form measures only: the font texture and the
// model that draws the glyphs belong to the drawing side of the GUI. Main
// thread only.
class GUIFont {
public:
    GUIFont() = default;
    GUIFont(const GUIFont&) = delete;
    GUIFont& operator=(const GUIFont&) = delete;
    virtual ~GUIFont() = default;

    // A character that is already in the table keeps its first glyph, as in
    // a font file that lists one twice.
    void AddGlyph(u16 character, const Glyph& glyph);
    bool HasGlyph(u16 character) const;

    // The extent (width, height) of the text's bounding box, laid out with
    // the given size, or the font's own when the size is negative.
    Vector2 MeasureText(const std::wstring& text, float angle, float size) const;

    float GetSize() const { return size_; }
    void SetSize(float size) { size_ = size; }
    void SetSpace(float space) { space_ = space; }
    void SetShift(float shift) { shift_ = shift; }
    void SetVirtualSize(float virtualSize) { virtualSize_ = virtualSize; }
    void SetMonospace(bool monospace) { monospace_ = monospace; }

private:
    const Glyph* Find(wchar_t character) const;
    float Advance(const Glyph* glyph, float size) const;

    std::map<u16, Glyph> glyphs_;
    float size_ = 1.0f;
    float space_ = 1.0f;
    float shift_ = 1.0f;
    float virtualSize_ = 1.0f;
    float maxGlyphWidth_ = 0.0f;
    bool monospace_ = false;
};

} // namespace Halvard
