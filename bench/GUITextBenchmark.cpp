#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/TestEngine.h"
#include "tests/support/TestFonts.h"

#include <benchmark/benchmark.h>

using namespace Halvard;

namespace {

constexpr u32 kFontId = 1;
constexpr Vector4 kWhite(1.0f, 1.0f, 1.0f, 1.0f);

GUIFont* AddFont(Testing::TestEngine& engine)
{
    GUIManager& gui = *engine->GetGUIManager();
    gui.SetSize(800.0f, 600.0f);
    return Testing::AddEvenFont(engine.Folder(), *gui.GetFontManager(), kFontId, 8.0f);
}

// A full batch a frame: 32 lines of 32 glyphs queued on one window, drawn
// into the font's depth copy and flushed, as the GUI's drawing step does.
void PrintAndFlushOneThousandTwentyFourGlyphs(benchmark::State& state)
{
    Testing::TestEngine engine{{.logEnabled = false}};
    AddFont(engine);
    GUIManager& gui = *engine->GetGUIManager();
    GUIWindow* window = gui.CreateWindowFromModel(GUIWindow::kShown, Vector2(0.0f, 0.0f), Vector2(800.0f, 600.0f),
                                                  nullptr, nullptr);
    const std::wstring line(32, L'W');
    for (auto _ : state) {
        for (int row = 0; row < 32; ++row)
            window->AddText(0, kFontId, Vector2(0.0f, 10.0f * row), kWhite, line, 0.0f, -1.0f);
        gui.Render();
    }
    const auto& copies = gui.GetFontManager()->GetDepthCopies();
    state.counters["copies"] = static_cast<double>(copies.size());
    state.SetItemsProcessed(state.iterations() * 1024);
}
BENCHMARK(PrintAndFlushOneThousandTwentyFourGlyphs);

void MeasureAHundredCharacterLine(benchmark::State& state)
{
    Testing::TestEngine engine{{.logEnabled = false}};
    const GUIFont* font = AddFont(engine);
    std::wstring line;
    for (int i = 0; i < 100; ++i)
        line += static_cast<wchar_t>(i % 7 == 6 ? L' ' : L'a' + i % 26);
    for (auto _ : state)
        benchmark::DoNotOptimize(font->MeasureText(line, 0.0f, -1.0f));
}
BENCHMARK(MeasureAHundredCharacterLine);

} // namespace

BENCHMARK_MAIN();
