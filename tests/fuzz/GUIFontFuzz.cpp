// A font's glyph file, as the game's font tool hands each interface font to
// the GUI's font manager, in place of the console font's and with its
// pictures: the font holds no more glyphs than the file has bytes, and
// measures and prints text in finite sizes.
#include "engine/core/Math.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

#include <cmath>

namespace {

// Far above the ids the font tool gives.
constexpr Halvard::u32 kFontId = 1000;

} // namespace

TAMRISK_FUZZ_TARGET(GUIFont)
{
    using Fuzzing::Check;
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    bed.Put("data\\ui\\fonts\\en\\console.fnt", bytes);
    Halvard::GUIFontManager& fonts = *bed->GetGUIManager()->GetFontManager();
    const Halvard::ShaderDescriptor shader =
        Halvard::MakeShaderDescriptor("ui\\fonts\\en\\console_diffuse.tga", "ui\\fonts\\en\\console_opacity.tga", true);
    Fuzzing::Accepted([&] {
        Halvard::GUIFont* font = fonts.AddFont(kFontId, shader, "ui\\fonts\\en\\console.fnt");
        Check(font != nullptr, "the font's id was taken");
        Check(font->GetGlyphCount() <= bytes.size(), "more glyphs than the file could hold");
        const Halvard::Vector2 size = font->MeasureText(L"Tamrisk 0123 \x0416", 0.0f, 16.0f);
        Check(std::isfinite(size.x) && std::isfinite(size.y), "a text measured without end");
        font->Print(Halvard::Vector2(10.0f, 10.0f), 0.0f, Halvard::Vector4(1.0f, 1.0f, 1.0f, 1.0f), L"Tamrisk 0123");
        font->EndFrame();
    });
    fonts.RemoveFont(kFontId);
}
