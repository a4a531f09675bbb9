#include "engine/app/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "game/LevelManager.h"
#include "game/objects/GameGeometry.h"
#include "game/objects/Ball.h"
#include "game/objects/BallManager.h"
#include "game/objects/Barrier.h"
#include "game/objects/Bat.h"
#include "game_tools/DataKeeper.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/LevelScene.h"
#include "tests/support/game/ShippedData.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <random>

namespace {

// Level 1-2 as the game sets it up, with its bat, barrier and balls; the bat
// stands in the middle of the field.
struct ShippedLevel {
    static constexpr Halvard::u32 kLives = 4;

    Testing::FakeClock clock;
    Testing::ScopedClock scoped{clock};
    Testing::TestEngine engine{{.logEnabled = false, .installFolder = Testing::ShippedGameFolder()}};
    GameTools::DataKeeper interfaceData{&engine.Get(), "en", false};
    Tamrisk::LevelManager levels{&engine.Get()};
    std::unique_ptr<Testing::LevelScene> scene;
    std::unique_ptr<Tamrisk::Bat> bat;
    std::unique_ptr<Tamrisk::Barrier> barrier;
    std::unique_ptr<Tamrisk::BallManager> balls;
    std::mt19937 random{7u};

    ShippedLevel()
    {
        interfaceData.AddResourcesFile("data\\game_objects\\resources.xml", true);
        Halvard::SetRandomSeed(7);
    }

    ~ShippedLevel() { Clear(); }

    void Clear()
    {
        balls.reset();
        barrier.reset();
        bat.reset();
        scene.reset();
    }

    // A fresh level: every block standing again.
    void Build()
    {
        Clear();
        scene = std::make_unique<Testing::LevelScene>(engine.Get(), interfaceData, *levels.GetGameStage(0),
                                                      *levels.GetGameLevel({0, 1}));
        Tamrisk::Effects* effects = &scene->Effects();
        bat = std::make_unique<Tamrisk::Bat>(&engine.Get(), &interfaceData, effects, nullptr);
        barrier = std::make_unique<Tamrisk::Barrier>(&engine.Get(), &interfaceData, effects, nullptr);
        balls = std::make_unique<Tamrisk::BallManager>(&engine.Get(), &interfaceData, effects, &scene->Field(),
                                                       &scene->Geometry(), bat.get(), barrier.get(), nullptr, kLives);
    }

    // Lost balls come back in front of the blocks, heading up at random.
    void Refill(std::size_t count)
    {
        std::uniform_real_distribution<float> x(-60.0f, 60.0f);
        std::uniform_real_distribution<float> heading(0.3f, 2.8f);
        while (balls->GetBalls().size() < count) {
            Tamrisk::Ball* ball = balls->AddBall(Tamrisk::Ball::kSimple);
            ball->Release();
            ball->SetPosition(Halvard::Vector2(x(random), -50.0f));
            const float a = heading(random);
            ball->SetDirection(Halvard::Vector2(std::cos(a), std::sin(a)));
        }
    }

    void Frame()
    {
        clock.Advance(0.02);
        engine->GetTimerManager()->Update();
        balls->Update(kLives, 1.0f);
    }
};

// One frame of the balls over level 1-2, a frame of 0.02 s: the level's
// blocks registered with the collision module and every ball moved through
// it. The level is built afresh every 200 frames, so that its blocks stand.
void UpdateTheBallsOfLevel1_2(benchmark::State& state)
{
    ShippedLevel level;
    const auto count = static_cast<std::size_t>(state.range(0));
    int frames = 0;
    for (auto _ : state) {
        if (frames++ % 200 == 0) {
            state.PauseTiming();
            level.Build();
            state.ResumeTiming();
        }
        level.Refill(count);
        level.Frame();
    }
    state.counters["blocks"] = static_cast<double>(level.scene->Geometry().GetBlocks().size());
}
BENCHMARK(UpdateTheBallsOfLevel1_2)->Arg(1)->Arg(12)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
