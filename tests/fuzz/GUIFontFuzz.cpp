// A font's glyph file, as the font tool reads the interface fonts at the
// start, in place of the console font's: the font holds no more glyphs than
// the file has bytes, and measures text in finite sizes.
#include "engine/core/Math.h"
#include "engine/gui/GUIFont.h"
#include "gui_tools/GUIFontTool.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

#include <cmath>

TAMRISK_FUZZ_TARGET(GUIFont)
{
    using Fuzzing::Check;
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    bed.Put("data\\ui\\fonts\\en\\console.fnt", bytes);
    Fuzzing::Accepted([&] {
        const GUITools::GUIFontTool fonts(&bed.Get(), "en");
        const Halvard::GUIFont* font = fonts.GetFont("console");
        if (font == nullptr)
            return;
        Check(font->GetGlyphCount() <= bytes.size(), "more glyphs than the file could hold");
        const Halvard::Vector2 size = font->MeasureText(L"Tamrisk 0123 \x0416", 0.0f, 16.0f);
        Check(std::isfinite(size.x) && std::isfinite(size.y), "a text measured without end");
    });
}
