#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "game/LevelManager.h"
#include "game/level/Effects.h"
#include "game/objects/GameGeometry.h"
#include "game_tools/DataKeeper.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/LevelScene.h"
#include "tests/support/game/ShippedData.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

struct ShippedGame {
    Testing::TestEngine engine{{.logEnabled = false, .installFolder = Testing::ShippedGameFolder()}};
    GameTools::DataKeeper interfaceData{&engine.Get(), "en", false};
    Tamrisk::LevelManager levels{&engine.Get()};

    ShippedGame() { interfaceData.AddResourcesFile("data\\game_objects\\resources.xml", true); }

    std::unique_ptr<Testing::LevelScene> LoadLastLevel()
    {
        return std::make_unique<Testing::LevelScene>(engine.Get(), interfaceData, *levels.GetGameStage(1),
                                                     *levels.GetGameLevel({1, 2}));
    }
};

// The largest shipped level, about 300 blocks: its files read, its scenery
// placed and its blocks built, as when the player starts it.
void LoadAndBuildTheLargestLevel(benchmark::State& state)
{
    ShippedGame game;
    for (auto _ : state)
        benchmark::DoNotOptimize(game.LoadLastLevel());
}
BENCHMARK(LoadAndBuildTheLargestLevel)->Unit(benchmark::kMillisecond);

// One frame of the effects list of that level: every block has a shadow
// entry, and those standing on the field follow their block.
void UpdateTheShadowsOfTheLargestLevel(benchmark::State& state)
{
    Testing::FakeClock clock;
    Testing::ScopedClock scoped(clock);
    ShippedGame game;
    std::unique_ptr<Testing::LevelScene> scene = game.LoadLastLevel();
    for (int frame = 0; frame < 100; ++frame) {
        clock.Advance(0.02);
        game.engine->GetTimerManager()->Update();
        scene->Geometry().Update(1.0f);
    }
    for (auto _ : state)
        scene->Effects().Update();
    state.counters["blocks"] = static_cast<double>(scene->Geometry().GetBlocks().size());
}
BENCHMARK(UpdateTheShadowsOfTheLargestLevel)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
