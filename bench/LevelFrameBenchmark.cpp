#include "bench/FrameMeter.h"
#include "engine/app/Engine.h"
#include "engine/core/Image.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem.h"
#include "game/GameLogic.h"
#include "game/objects/GameGeometry.h"
#include "game/objects/BallManager.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/LevelRun.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kWarmUpFrames = 240;
constexpr int kMeasuredFrames = 600;

// Whole frames of a level played by the scripted player: its simulation,
// the drawing and the present, finished when GL has drawn them, as a
// player's machine with llvmpipe at 1024 x 768 would run them.
void PlayFrames(benchmark::State& state, Halvard::u32 stage, Halvard::u32 level, Halvard::u32 balls)
{
    Testing::LevelRun run(Testing::LevelRunOptions{.stage = stage, .level = level, .logEnabled = false});
    for (int frame = 0; frame < kWarmUpFrames; ++frame)
        run.Frame();
    Tamrisk::BallManager& manager = run.Logic().GetBalls();
    // Balls lost on the way are split for again, so the count holds.
    const auto topUp = [&] {
        while (manager.GetBalls().size() < balls && manager.IsBallInPlay())
            manager.Split();
    };
    Halvard::Engine& engine = run.Engine().Get();
    Bench::FrameMeter meter(engine);
    for (auto _ : state) {
        meter.Clear();
        for (int frame = 0; frame < kMeasuredFrames; ++frame) {
            topUp();
            meter.Measure([&] { run.Frame(); });
        }
    }
    meter.Report(state);
    state.counters["balls"] = static_cast<double>(manager.GetBalls().size());
    state.counters["bricks"] = static_cast<double>(run.Logic().GetGeometry().GetBlocksToDestroy());
    state.counters["models_drawn"] = engine.GetModelManager()->GetDrawnModelCount();
    state.counters["triangles"] = engine.GetModelManager()->GetDrawnPrimitiveCount();
}

void OneBallOnTheFirstLevel(benchmark::State& state) { PlayFrames(state, 0, 0, 1); }
void TwelveBallsOnTheLargestLevel(benchmark::State& state) { PlayFrames(state, 1, 2, 12); }

// Reading a drawn frame of the first level back into an image, which the
// game does only for a screenshot.
void ReadBack(benchmark::State& state)
{
    Testing::LevelRun run(Testing::LevelRunOptions{.logEnabled = false});
    for (int frame = 0; frame < kWarmUpFrames; ++frame)
        run.Frame();
    Halvard::Image screen;
    for (auto _ : state)
        run.Engine()->GetRenderSystem()->CaptureScreen(screen);
}

BENCHMARK(OneBallOnTheFirstLevel)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(TwelveBallsOnTheLargestLevel)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadBack)->Iterations(100)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
