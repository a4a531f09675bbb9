#include "engine/gui/GUIFont.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

namespace Halvard {

namespace {

// The bounding box of a layout starts inverted so the first corner sets it.
constexpr float kBoxStart = 10000.0f;

bool IsBlank(wchar_t character) { return character == L'\n' || std::iswspace(static_cast<wint_t>(character)); }

} // namespace

void GUIFont::AddGlyph(u16 character, const Glyph& glyph)
{
    if (glyphs_.emplace(character, glyph).second)
        maxGlyphWidth_ = std::max(maxGlyphWidth_, glyph.width);
}

bool GUIFont::HasGlyph(u16 character) const { return glyphs_.count(character) != 0; }

const Glyph* GUIFont::Find(wchar_t character) const
{
    if (character < 0 || character > 0xFFFF)
        return nullptr;
    const auto found = glyphs_.find(static_cast<u16>(character));
    return found == glyphs_.end() ? nullptr : &found->second;
}

float GUIFont::Advance(const Glyph* glyph, float size) const
{
    if (glyph == nullptr)
        return size * space_;
    return size * glyph->width * shift_;
}

Vector2 GUIFont::MeasureText(const std::wstring& text, float angle, float size) const
{
    if (text.empty())
        return Vector2(0.0f, 0.0f);
    if (size < 0.0f)
        size = size_;
    const float cosine = std::cos(angle);
    const float sine = std::sin(angle);
    Vector2 low(kBoxStart, kBoxStart);
    Vector2 high(-kBoxStart, -kBoxStart);
    float pen = 0.0f;
    for (wchar_t character : text) {
        const Glyph* glyph = Find(character);
        const float width = glyph != nullptr && !IsBlank(character) ? size * glyph->width : size * space_;
        float cellShift = 0.0f;
        if (monospace_)
            cellShift = glyph != nullptr ? (maxGlyphWidth_ - glyph->width) * size * shift_ * 0.5f : 0.0f;
        pen += cellShift;
        const Vector2 origin(pen * cosine, pen * sine);
        for (const Vector2& corner : {Vector2(0.0f, 0.0f), Vector2(width, 0.0f), Vector2(0.0f, size_),
                                      Vector2(width, size_)}) {
            const float x = origin.x + corner.x * cosine - corner.y * sine;
            const float y = origin.y + corner.y * cosine + corner.x * sine;
            low = Vector2(std::min(low.x, x), std::min(low.y, y));
            high = Vector2(std::max(high.x, x), std::max(high.y, y));
        }
        if (monospace_ && glyph == nullptr)
            pen += size * maxGlyphWidth_ * shift_;
        else
            pen += Advance(glyph, size) + cellShift;
    }
    return Vector2(high.x - low.x, (high.y - low.y) * virtualSize_);
}

} // namespace Halvard
