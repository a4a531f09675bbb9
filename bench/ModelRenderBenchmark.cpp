#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem.h"
#include "tests/support/TestEngine.h"

#include <benchmark/benchmark.h>

using namespace Halvard;

namespace {

constexpr int kColumns = 40;
constexpr int kRows = 20;

// A wall of 800 lit, coloured boxes in front of the default camera, as the
// bricks of a field are drawn.
void AddBoxes(ModelManager& models)
{
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const float x = -16.0f + column * 0.8f;
            const float y = -8.0f + row * 0.8f;
            const float min[3] = {x, y, -30.0f};
            const float max[3] = {x + 0.6f, y + 0.6f, -29.4f};
            Model* box = models.CreateModelFromArrays(min, max, nullptr, nullptr, Model::kColored);
            box->SetColor(Vector4(0.2f + 0.02f * column, 0.3f + 0.03f * row, 0.5f, 1.0f));
        }
    }
}

void Report(benchmark::State& state, const ModelManager& models)
{
    state.counters["drawn_models"] = models.GetDrawnModelCount();
    state.counters["drawn_triangles"] = models.GetDrawnPrimitiveCount();
}

void RenderPassOfEightHundredBoxes(benchmark::State& state)
{
    Testing::TestEngine engine{{.logEnabled = false}};
    ModelManager& models = *engine.Get().GetModelManager();
    AddBoxes(models);
    for (auto _ : state)
        models.Render();
    Report(state, models);
}
BENCHMARK(RenderPassOfEightHundredBoxes)->Unit(benchmark::kMillisecond);

void RenderPassAndPresentOfEightHundredBoxes(benchmark::State& state)
{
    Testing::TestEngine engine{{.logEnabled = false}};
    ModelManager& models = *engine.Get().GetModelManager();
    AddBoxes(models);
    for (auto _ : state) {
        models.Render();
        models.SwapBuffers();
    }
    Report(state, models);
}
BENCHMARK(RenderPassAndPresentOfEightHundredBoxes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
