#include "tests/support/TestFonts.h"

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"

namespace Testing {

Halvard::GUIFont* AddEvenFont(Halvard::GUIFontManager& fonts, Halvard::u32 id, float size)
{
    Halvard::GUIFont* font = fonts.AddFont(id);
    font->SetSize(size);
    Halvard::Glyph glyph;
    glyph.width = 1.0f;
    for (Halvard::u16 character = '!'; character <= '~'; ++character)
        font->AddGlyph(character, glyph);
    return font;
}

} // namespace Testing
