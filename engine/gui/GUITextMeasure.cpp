#include "engine/gui/GUITextMeasure.h"

#include "engine/gui/GUIFont.h"

#include <algorithm>
#include <cmath>

namespace Halvard {

namespace {

// The bounding box starts inverted so the first corner sets it.
constexpr float kBoxStart = 10000.0f;

} // namespace

GUITextMeasure::GUITextMeasure(const GUIFont& font, float angle, float size)
    : font_(font), size_(size < 0.0f ? font.GetSize() : size), cosine_(std::cos(angle)), sine_(std::sin(angle))
{
    Clear();
}

void GUITextMeasure::Clear()
{
    pen_ = 0.0f;
    empty_ = true;
    low_ = Vector2(kBoxStart, kBoxStart);
    high_ = Vector2(-kBoxStart, -kBoxStart);
}

// A character without a glyph, and a blank, take the font's space.
void GUITextMeasure::Add(wchar_t character)
{
    empty_ = false;
    const Glyph* glyph = font_.FindGlyph(character);
    const float shift = font_.GetShift();
    const float widest = font_.GetMaxGlyphWidth();
    const float width =
        glyph != nullptr && !GUIFont::IsBlank(character) ? size_ * glyph->width : size_ * font_.GetSpace();
    float cellShift = 0.0f;
    if (font_.IsMonospace())
        cellShift = glyph != nullptr ? (widest - glyph->width) * size_ * shift * 0.5f : 0.0f;
    pen_ += cellShift;
    const Vector2 origin(pen_ * cosine_, pen_ * sine_);
    const float height = font_.GetSize();
    for (const Vector2& corner :
         {Vector2(0.0f, 0.0f), Vector2(width, 0.0f), Vector2(0.0f, height), Vector2(width, height)}) {
        const float x = origin.x + corner.x * cosine_ - corner.y * sine_;
        const float y = origin.y + corner.y * cosine_ + corner.x * sine_;
        low_ = Vector2(std::min(low_.x, x), std::min(low_.y, y));
        high_ = Vector2(std::max(high_.x, x), std::max(high_.y, y));
    }
    if (font_.IsMonospace() && glyph == nullptr)
        pen_ += size_ * widest * shift;
    else
        pen_ += font_.Advance(glyph, size_) + cellShift;
}

Vector2 GUITextMeasure::GetExtent() const
{
    if (empty_)
        return Vector2(0.0f, 0.0f);
    return Vector2(high_.x - low_.x, (high_.y - low_.y) * font_.GetVirtualSize());
}

} // namespace Halvard
