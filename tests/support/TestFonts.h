#pragma once

#include "engine/core/Types.h"

namespace Halvard {
class GUIFont;
class GUIFontManager;
} // namespace Halvard

namespace Testing {

// A font under the identifier whose printable ASCII characters (not the
// blank) each have a glyph one height wide, so every character of a text,
// blanks included, measures the given size.
Halvard::GUIFont* AddEvenFont(Halvard::GUIFontManager& fonts, Halvard::u32 id, float size);

} // namespace Testing
