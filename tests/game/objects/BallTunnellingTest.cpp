#include "game/objects/BallManager.h"

#include "engine/core/Math.h"
#include "game/objects/Ball.h"
#include "game/objects/Block.h"
#include "tests/game/objects/BallBed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Halvard::Matrix4;
using Halvard::Vector2;
using Halvard::Vector3;
using Tamrisk::Ball;
using Tamrisk::Block;
using Testing::BallBed;

constexpr float kPi = 3.14159265358979f;
// How far inside a face a centre must be to count as inside, in the block's
// own units (its box runs from -1 to 1).
constexpr float kInside = 0.001f;

// A block as the test sees it: its box in its own frame, and the way there
// and back.
struct Solid {
    Block* block;
    Matrix4 toWorld;
    Matrix4 toLocal;
    Vector3 min;
    Vector3 max;

    Vector3 Local(const Vector2& p, float r) const { return toLocal.TransformPoint(Vector3(p.x, p.y, r)); }

    bool Contains(const Vector3& local) const
    {
        return local.x > min.x + kInside && local.x < max.x - kInside && local.y > min.y + kInside &&
               local.y < max.y - kInside && local.z > min.z + kInside && local.z < max.z - kInside;
    }

    // Slabs: whether any point of the segment lies inside the box.
    bool Crosses(const Vector3& a, const Vector3& b) const
    {
        float enter = 0.0f;
        float leave = 1.0f;
        const float from[3] = {a.x, a.y, a.z};
        const float to[3] = {b.x, b.y, b.z};
        const float lo[3] = {min.x + kInside, min.y + kInside, min.z + kInside};
        const float hi[3] = {max.x - kInside, max.y - kInside, max.z - kInside};
        for (int axis = 0; axis < 3; ++axis) {
            const float d = to[axis] - from[axis];
            if (std::fabs(d) < 1e-9f) {
                if (from[axis] <= lo[axis] || from[axis] >= hi[axis])
                    return false;
                continue;
            }
            float t0 = (lo[axis] - from[axis]) / d;
            float t1 = (hi[axis] - from[axis]) / d;
            if (t0 > t1)
                std::swap(t0, t1);
            enter = std::max(enter, t0);
            leave = std::min(leave, t1);
            if (enter >= leave)
                return false;
        }
        return true;
    }

    // The world distance from the ball's centre to the box.
    float Distance(const Vector2& p, float r) const
    {
        const Vector3 local = Local(p, r);
        const Vector3 nearest(std::clamp(local.x, min.x, max.x), std::clamp(local.y, min.y, max.y),
                              std::clamp(local.z, min.z, max.z));
        return (toWorld.TransformPoint(nearest) - Vector3(p.x, p.y, r)).Length();
    }
};

struct TunnelCase {
    const char* name;
    float radius;
    std::array<float, 3> scale;
    Halvard::u32 lives;
};

class BallTunnellingTest : public testing::TestWithParam<TunnelCase> {
protected:
    // A grid of blocks across the field, each turned and shifted at random.
    static std::vector<Tools::LevelBlock> Level(std::mt19937& random, const std::array<float, 3>& scale)
    {
        std::uniform_real_distribution<float> turn(0.0f, kPi);
        std::uniform_real_distribution<float> shift(-2.0f, 2.0f);
        std::vector<Tools::LevelBlock> blocks;
        for (float y = -35.0f; y <= 105.0f; y += 10.0f)
            for (float x = -65.0f; x <= 65.0f; x += 10.0f)
                blocks.push_back(BallBed::Box(x + shift(random), y + shift(random), turn(random), scale));
        return blocks;
    }

    void TakeSolids(BallBed& bed)
    {
        for (Block* block : bed.geometry->GetBlocks()) {
            Solid solid{block, block->GetTransform(), block->GetTransform(), block->GetLocalBox().GetLocalMin(),
                        block->GetLocalBox().GetLocalMax()};
            solid.toLocal.Invert();
            solids.push_back(solid);
        }
    }

    bool Clear(const Vector2& p, float r) const
    {
        return std::all_of(solids.begin(), solids.end(),
                           [&](const Solid& solid) { return solid.Distance(p, r) > r + 0.01f; });
    }

    // Fresh balls, each free somewhere clear of the blocks and heading
    // anywhere, until twelve are in play.
    void Refill(BallBed& bed, std::mt19937& random, float r)
    {
        std::uniform_real_distribution<float> x(-75.0f, 75.0f);
        std::uniform_real_distribution<float> y(-60.0f, 110.0f);
        std::uniform_real_distribution<float> heading(0.0f, 2.0f * kPi);
        while (bed.Balls().GetBalls().size() < 12) {
            Vector2 p(x(random), y(random));
            while (!Clear(p, r))
                p = Vector2(x(random), y(random));
            const float a = heading(random);
            bed.Throw(p, Vector2(std::cos(a), std::sin(a)));
        }
    }

    std::vector<Solid> solids;
};

// Whatever the frame time and however far a frame carries a ball, it stops
// at the first block in its way: no centre is ever inside a block, no ball
// even sinks into one, and no step passes through one that is still
// standing. Broken blocks stand up
// again once no ball touches them, so the field stays full.
TEST_P(BallTunnellingTest, NoBallEverPassesThroughABlock)
{
    const TunnelCase& c = GetParam();
    std::mt19937 random(20240611u);
    BallBed bed({.blocks = Level(random, c.scale), .lives = c.lives, .ballRadius = c.radius});
    TakeSolids(bed);
    ASSERT_GT(solids.size(), 200u);
    bed.RaiseBat();
    std::uniform_real_distribution<float> frameTime(0.001f, 0.1f);
    const float r = c.radius;
    int hits = 0;
    float longest = 0.0f;
    for (int frame = 0; frame < 3000; ++frame) {
        Refill(bed, random, r);
        bed.Balls().SpeedUp();
        std::vector<std::pair<const Ball*, Vector2>> before;
        for (const Ball* ball : bed.Balls().GetBalls())
            before.emplace_back(ball, ball->GetPosition());
        std::vector<bool> standing;
        for (const Solid& solid : solids)
            standing.push_back(solid.block->IsAlive());

        bed.Frame(frameTime(random));

        const std::vector<Ball*>& balls = bed.Balls().GetBalls();
        for (const auto& [ball, start] : before) {
            if (std::find(balls.begin(), balls.end(), ball) == balls.end() || ball->IsHeld())
                continue;
            const Vector2 end = ball->GetPosition();
            longest = std::max(longest, (end - start).Length());
            ASSERT_GE(end.x, -80.0f + r - 1e-3f) << "frame " << frame;
            ASSERT_LE(end.x, 80.0f - r + 1e-3f) << "frame " << frame;
            ASSERT_LE(end.y, 120.0f - r + 1e-3f) << "frame " << frame;
            for (std::size_t i = 0; i < solids.size(); ++i) {
                const Solid& solid = solids[i];
                if (!solid.block->IsAlive())
                    continue;
                const Vector3 a = solid.Local(start, r);
                const Vector3 b = solid.Local(end, r);
                ASSERT_FALSE(solid.Contains(b)) << "frame " << frame << ": a centre inside block " << i;
                ASSERT_GE(solid.Distance(end, r), 0.99f * r) << "frame " << frame << ": a ball sunk into block " << i;
                ASSERT_FALSE(solid.Crosses(a, b)) << "frame " << frame << ": a step through block " << i << " from ("
                                                  << start.x << ", " << start.y << ") to (" << end.x << ", " << end.y
                                                  << ")";
            }
        }
        for (std::size_t i = 0; i < solids.size(); ++i) {
            Block& block = *solids[i].block;
            if (block.IsAlive())
                continue;
            hits += standing[i] ? 1 : 0;
            if (std::all_of(balls.begin(), balls.end(), [&](const Ball* ball) {
                    return solids[i].Distance(ball->GetPosition(), r) > r + 0.01f;
                }))
                block.Spawn();
        }
    }
    EXPECT_GT(hits, 2000) << "the balls met blocks often";
    EXPECT_GT(longest, 0.9f * bed.Balls().GetMaxSpeed() * 0.1f) << "some frames carried a ball near the top speed";
}

// The thin plates and the small ball are a tenth of the blocks and ball
// above: there, a frame at the top speed carries a ball as far, in plates
// and balls, as ten times the top speed would among the full-sized blocks.
INSTANTIATE_TEST_SUITE_P(Levels, BallTunnellingTest,
                         testing::Values(TunnelCase{"BlocksAtTopSpeed", 0.8f, {1.0f, 1.0f, 1.0f}, 4},
                                         TunnelCase{"ThinPlatesAtTenTimesTopSpeed", 0.08f, {1.0f, 0.1f, 1.0f}, 11}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
