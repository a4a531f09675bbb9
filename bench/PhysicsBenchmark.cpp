#include "engine/core/Random.h"
#include "engine/render/Physics.h"
#include "tests/support/TestEngine.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

using namespace Halvard;

namespace {

// The game's load: a dozen balls through a full field of bricks, one move
// per ball and frame, every brick registered anew each frame.
void MoveTwelveBallsThroughThreeHundredBricks(benchmark::State& state)
{
    Testing::TestEngine engine{{.logEnabled = false}};
    Physics physics(engine.Get().GetMessageManager());

    std::vector<BoundingBox> bricks;
    for (int row = 0; row < 15; ++row)
        for (int column = 0; column < 20; ++column) {
            const Vector3 min(-20.0f + column * 2.0f, 2.0f + row * 1.0f, -0.5f);
            bricks.emplace_back(min, min + Vector3(1.6f, 0.6f, 1.0f));
        }
    struct Ball {
        Vector3 position;
        Vector2 velocity;
    };
    SetRandomSeed(3);
    std::vector<Ball> balls;
    for (int i = 0; i < 12; ++i) {
        const float angle = RandomFloat(0.3f, 2.8f);
        balls.push_back(Ball{Vector3(RandomFloat(-18.0f, 18.0f), 0.0f, 0.0f),
                             Vector2(std::cos(angle) * 0.4f, std::sin(angle) * 0.4f)});
    }

    const std::vector<u32> excluded;
    for (auto _ : state) {
        for (int frame = 0; frame < 1000; ++frame) {
            for (size_t i = 0; i < bricks.size(); ++i)
                physics.AddStaticObject(bricks[i], static_cast<u32>(i));
            for (Ball& ball : balls) {
                Vector2 landed(0.0f, 0.0f);
                Plane plane;
                u32 id = 0;
                if (physics.Move(0.3f, ball.position, ball.velocity, excluded, landed, plane, id)) {
                    const float along = ball.velocity.x * plane.GetA() + ball.velocity.y * plane.GetB();
                    ball.velocity = Vector2(ball.velocity.x - 2.0f * along * plane.GetA(),
                                            ball.velocity.y - 2.0f * along * plane.GetB());
                }
                ball.position = Vector3(landed.x, landed.y, 0.0f);
                if (std::fabs(ball.position.x) > 22.0f || ball.position.y < -2.0f || ball.position.y > 19.0f)
                    ball.velocity = Vector2(-ball.velocity.x, -ball.velocity.y);
            }
            physics.ClearObjects();
        }
    }
    state.counters["per_frame_us"] = benchmark::Counter(1000.0 * static_cast<double>(state.iterations()),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                                                        benchmark::Counter::kIs1000);
    state.counters["per_move_us"] = benchmark::Counter(12000.0 * static_cast<double>(state.iterations()),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                                                       benchmark::Counter::kIs1000);
}

} // namespace

BENCHMARK(MoveTwelveBallsThroughThreeHundredBricks)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
