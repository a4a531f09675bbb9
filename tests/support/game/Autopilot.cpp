#include "tests/support/game/Autopilot.h"

#include "game/GameLogic.h"
#include "game/objects/GameGeometry.h"
#include "game/objects/Ball.h"
#include "game/objects/BallManager.h"
#include "game/objects/Bat.h"
#include "game/objects/Block.h"
#include "game/objects/Bonus.h"
#include "game/objects/BonusManager.h"

#include <algorithm>
#include <cmath>

namespace Testing::Autopilot {

namespace {

constexpr float kHalfField = 75.0f;
// How far off its middle, in bat widths, the bat may take a ball it aims:
// beyond it the ball would leave the bat's edge.
constexpr float kMaxAimOffset = 0.45f;
// The offsets tried on each side of the middle.
constexpr int kAimSteps = 45;

bool CountsForCompletion(const Tamrisk::Block& block)
{
    return block.IsAlive() && Tamrisk::GameGeometry::CountsForCompletion(block.GetKindFlags());
}

const Tamrisk::Block* NearestBrick(const Tamrisk::GameLogic& logic, float x, float y)
{
    const Tamrisk::Block* nearest = nullptr;
    float best = 0.0f;
    for (const Tamrisk::Block* block : logic.GetGeometry().GetBricks()) {
        if (!CountsForCompletion(*block))
            continue;
        const Halvard::Vector3& centre = block->GetBox().GetCenter();
        const float distance = std::hypot(centre.x - x, centre.y - y);
        if (nearest == nullptr || distance < best) {
            nearest = block;
            best = distance;
        }
    }
    return nearest;
}

// Where the bat must stand for a ball coming down at ballX to leave it
// towards the brick nearest the ball: of the offsets the bat may take the
// ball at, the one whose bounce points closest to the brick.
float AimAt(const Tamrisk::GameLogic& logic, float ballX, float ballY)
{
    const Tamrisk::Block* target = NearestBrick(logic, ballX, ballY);
    if (target == nullptr)
        return ballX;
    const Tamrisk::Bat& bat = logic.GetBat();
    const Halvard::BoundingBox& head = bat.GetHeadBox();
    const float width = 2.0f * head.GetHalfSize().x;
    const Halvard::Vector3& centre = target->GetBox().GetCenter();
    const float wantedX = centre.x - ballX;
    const float wantedY = centre.y - head.GetCenter().y;
    float bestOffset = 0.0f;
    float bestCosine = -2.0f;
    for (int step = -kAimSteps; step <= kAimSteps; ++step) {
        const float offset = kMaxAimOffset * static_cast<float>(step) / kAimSteps;
        const Halvard::Vector2 bounce =
            bat.GetBounceDirection(Halvard::Vector2(head.GetCenter().x + offset * width, head.GetCenter().y));
        const float cosine = (bounce.x * wantedX + bounce.y * wantedY) / std::hypot(wantedX, wantedY);
        if (cosine > bestCosine) {
            bestCosine = cosine;
            bestOffset = offset;
        }
    }
    return ballX - bestOffset * width;
}

float KeepAway(const Tamrisk::GameLogic& logic)
{
    float leftRoom = 1e9f;
    float rightRoom = 1e9f;
    auto measure = [&](float x) {
        leftRoom = std::min(leftRoom, x + kHalfField);
        rightRoom = std::min(rightRoom, kHalfField - x);
    };
    for (const Tamrisk::Ball* ball : logic.GetBalls().GetBalls())
        measure(ball->GetPosition().x);
    for (const auto& bonus : logic.GetBonuses().GetBonuses())
        measure(bonus->GetPosition().x);
    return leftRoom > rightRoom ? -kHalfField : kHalfField;
}

} // namespace

float ChooseBatX(const Tamrisk::GameLogic& logic, bool losing)
{
    if (losing)
        return KeepAway(logic);
    const Tamrisk::Ball* lowest = nullptr;
    for (const Tamrisk::Ball* ball : logic.GetBalls().GetBalls()) {
        if (ball->IsHeld() || ball->GetDirection().y > 0.0f)
            continue;
        if (lowest == nullptr || ball->GetPosition().y < lowest->GetPosition().y)
            lowest = ball;
    }
    if (lowest == nullptr)
        return 0.0f;
    return AimAt(logic, lowest->GetPosition().x, lowest->GetPosition().y);
}

bool WantsLaunch(const Tamrisk::GameLogic& logic)
{
    const Tamrisk::Bat& bat = logic.GetBat();
    return bat.HasRisen() && !bat.IsHidden() && logic.GetBalls().HasBallOnBat();
}

int BatPixelX(float x, int clientWidth)
{
    const float share = (std::clamp(x, -kHalfField, kHalfField) + kHalfField) / (2.0f * kHalfField);
    return std::clamp(static_cast<int>(share * static_cast<float>(clientWidth)), 0, clientWidth - 1);
}

} // namespace Testing::Autopilot
