#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/TestEngine.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace Halvard;

namespace {

// The input and drawing steps of 200 buttons of shader quads in a 20 x 10
// grid of the 800 x 600 GUI space, the cursor on one of them, with the GUI
// manager's own steps around them.
void UpdateAndRenderTwoHundredButtons(benchmark::State& state)
{
    Testing::TestEngine engine{{.logEnabled = false}};
    GUIManager& gui = *engine->GetGUIManager();
    gui.SetSize(800.0f, 600.0f);
    const ShaderDescriptor shader = MakeDefaultShaderDescriptor();
    std::vector<std::unique_ptr<GUIButton>> buttons;
    for (int i = 0; i < 200; ++i) {
        const GUIPlacement placement{GUIWindow::kShown, Vector2(40.0f * (i % 20), 60.0f * (i / 20)),
                                     Vector2(36.0f, 50.0f), nullptr};
        buttons.push_back(std::make_unique<GUIButton>(gui.GetServices(), placement, shader, Vector2(1.0f, 1.0f)));
    }
    const Vector2 cursor(50.0f, 70.0f);
    bool held = false;
    for (auto _ : state) {
        held = !held;
        gui.Update();
        for (auto& button : buttons)
            button->ProcessInput(cursor, held, held);
        for (auto& button : buttons)
            button->Draw();
        gui.Render();
    }
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(UpdateAndRenderTwoHundredButtons);

} // namespace
