#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"

#include <benchmark/benchmark.h>

#include <algorithm>

using namespace Halvard;

namespace {

// The GUI manager's input and drawing steps over 200 buttons of shader quads
// in a 20 x 10 grid of the 800 x 600 GUI space of an 800 x 600 window,
// with the mouse over one of them.
void UpdateAndRenderTwoHundredButtons(benchmark::State& state)
{
    Testing::ResetInput();
    Testing::TestEngine engine{{.logEnabled = false, .videoMode = "800x600x32"}};
    GUIManager& gui = *engine->GetGUIManager();
    gui.SetSize(800.0f, 600.0f);
    const ShaderDescriptor shader = MakeDefaultShaderDescriptor();
    for (int i = 0; i < 200; ++i) {
        gui.CreateButton(GUIWindow::kShown, Vector2(40.0f * (i % 20), 60.0f * (i / 20)), Vector2(36.0f, 50.0f),
                         shader, nullptr, Vector2(1.0f, 1.0f));
    }
    // Window row 529 is GUI row 70, on the second row of buttons.
    Testing::Dispatch({Testing::MouseMotion(50, 529, 0, 0, Testing::WindowIdOf(*engine->GetWindow()))});
    for (auto _ : state) {
        gui.Update();
        gui.Render();
    }
    state.counters["buttons"] = static_cast<double>(gui.GetButtons().GetCount());
    state.counters["over"] = static_cast<double>(
        std::count_if(gui.GetButtons().GetObjects().begin(), gui.GetButtons().GetObjects().end(),
                      [](const GUIButton* button) { return button != nullptr && button->over; }));
    Testing::ResetInput();
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(UpdateAndRenderTwoHundredButtons);

} // namespace
