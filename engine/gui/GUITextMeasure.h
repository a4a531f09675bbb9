#pragma once

#include "engine/core/Math.h"

namespace Halvard {

class GUIFont;

// The extent of a text laid out in one font as GUIFont::MeasureText lays it
// out, kept up as the text grows a character at a time, each in constant
// time: a line breaker measures its growing line without going back to its
// start. The font's settings are read as each character comes; the font
// must outlive the measure.
class GUITextMeasure {
public:
    // A negative size stands for the font's own.
    GUITextMeasure(const GUIFont& font, float angle, float size);

    void Add(wchar_t character);
    // Back to the empty text.
    void Clear();
    // (width, height) of the characters added since the last Clear.
    Vector2 GetExtent() const;

private:
    const GUIFont& font_;
    float size_;
    float cosine_;
    float sine_;
    float pen_ = 0.0f;
    bool empty_ = true;
    Vector2 low_;
    Vector2 high_;
};

} // namespace Halvard
