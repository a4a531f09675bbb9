#include "tests/support/game/Autopilot.h"

#include "game/GameLogic.h"
#include "game/level/GameGeometry.h"
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
constexpr float kBatY = -85.0f;
// How far off its middle the bat may take a ball it aims: beyond it the
// ball would leave the bat's edge.
constexpr float kMaxAimOffset = 0.45f;
// The bat's bounce reaches this angle at an end of the bat.
constexpr float kBounceReach = 3.1415927f / 2.0f * 0.85f;

bool CountsForCompletion(const Tamrisk::Block& block)
{
    return block.IsAlive() && Tamrisk::GameGeometry::CountsForCompletion(block.GetKindFlags());
}

float AimAt(const Tamrisk::GameLogic& logic, float ballX, float ballY)
{
    const Tamrisk::Block* target = nullptr;
    float best = 0.0f;
    for (const Tamrisk::Block* block : logic.GetGeometry().GetBricks()) {
        if (!CountsForCompletion(*block))
            continue;
        const Halvard::Vector3& centre = block->GetBox().GetCenter();
        const float distance = std::hypot(centre.x - ballX, centre.y - ballY);
        if (target == nullptr || distance < best) {
            target = block;
            best = distance;
        }
    }
    if (target == nullptr)
        return ballX;
    const Halvard::Vector3& centre = target->GetBox().GetCenter();
    const float angle = std::atan2(centre.x - ballX, centre.y - kBatY);
    const float offset = std::clamp(angle / kBounceReach, -kMaxAimOffset, kMaxAimOffset);
    const Halvard::BoundingBox& head = logic.GetBat().GetHeadBox();
    return ballX - offset * 2.0f * head.GetHalfSize().x;
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
