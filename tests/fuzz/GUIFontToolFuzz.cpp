// The fonts description, as the window tools read it at the start, in place
// of the shipped one, under one shipped language or the other (by the
// input's length): refused naming the file, or taken with no more fonts
// than the bound and than the file has elements, each at a size within the
// bound, each measuring and printing a text; the tool takes every font it
// made away with it.
#include "engine/core/Math.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "gui_tools/GUIFontTool.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

#include <algorithm>
#include <string>

namespace {

constexpr std::size_t kMostFonts = 64;
constexpr float kMostSize = 300.0f;

// The tool counts its ids from 0; a few past the bound show whether it went
// beyond.
constexpr Halvard::u32 kIdsLookedAt = kMostFonts + 8;

std::size_t CountFonts(const Halvard::GUIFontManager& fonts)
{
    std::size_t count = 0;
    for (Halvard::u32 id = 0; id < kIdsLookedAt; ++id)
        count += fonts.GetFont(id) != nullptr ? 1 : 0;
    return count;
}

// Fonts of one name count once among the names, so the font manager counts
// what was made.
void CheckFonts(const GUITools::GUIFontTool& tool, std::size_t made, std::string_view bytes)
{
    using Fuzzing::Check;
    Check(made <= kMostFonts, "more fonts than a fonts file may describe");
    Check(made <= static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '<')),
          "more fonts than the file has elements");
    for (const auto& [name, id] : tool.GetFontNames()) {
        Halvard::GUIFont* font = tool.GetFont(name);
        Check(font != nullptr, "the font \"" + name + "\" is named but not made");
        Check(font->GetSize() >= 0.0f && font->GetSize() <= kMostSize,
              "the font \"" + name + "\" is sized out of bounds");
        font->MeasureText(L"Tamrisk 0123 \x0416", 0.0f, -1.0f);
        font->Print(Halvard::Vector2(10.0f, 10.0f), 0.0f, Halvard::Vector4(1.0f, 1.0f, 1.0f, 1.0f), L"Tamrisk");
        font->EndFrame();
    }
}

} // namespace

TAMRISK_FUZZ_TARGET(GUIFontTool)
{
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    bed.Put("data\\ui\\fonts\\fonts_basic.xml", bytes);
    Halvard::GUIFontManager& fonts = *bed->GetGUIManager()->GetFontManager();
    const std::size_t before = CountFonts(fonts);
    // Making the fonts is most of a read: one language an input.
    const char* language = bytes.size() % 2 == 0 ? "en" : "ru";
    Fuzzing::AcceptedNaming("data\\ui\\fonts\\fonts_basic.xml", [&] {
        const GUITools::GUIFontTool tool(&bed.Get(), language);
        CheckFonts(tool, CountFonts(fonts) - before, bytes);
    });
    Fuzzing::Check(CountFonts(fonts) == before, "a font outlived the tool that made it");
}
