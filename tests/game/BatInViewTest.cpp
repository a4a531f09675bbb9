#include "engine/app/Engine.h"
#include "engine/core/Window.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "game/GameLogic.h"
#include "game/objects/Bat.h"

#include "tests/support/ScriptedInput.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/Autopilot.h"
#include "tests/support/game/LevelRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using Halvard::BoundingBox;
using Halvard::Vector3;
using Tamrisk::GameLogic;

// The bat's place on the field and the head's depth, which the balls are
// played against; the catch box reaches this far behind the bat's place.
constexpr float kBatY = -85.0f;
constexpr float kHeadHalfDepth = 2.5f;
constexpr float kCatchBack = -9.0f;
constexpr float kTolerance = 1e-4f;

std::vector<Vector3> Corners(const BoundingBox& box)
{
    const Vector3& lo = box.GetWorldMin();
    const Vector3& hi = box.GetWorldMax();
    std::vector<Vector3> corners;
    for (const float x : {lo.x, hi.x})
        for (const float y : {lo.y, hi.y})
            for (const float z : {lo.z, hi.z})
                corners.emplace_back(x, y, z);
    return corners;
}

// The top face: the head stands on the field, whose part under the bat lies
// below the view.
std::vector<Vector3> TopCorners(const BoundingBox& box)
{
    std::vector<Vector3> corners = Corners(box);
    std::erase_if(corners, [&](const Vector3& corner) { return corner.z < box.GetWorldMax().z; });
    return corners;
}

// The circle the screw's blade tips run on, at the bottom and the top of its
// box: the screw spins, and the corners of its turned box are not the
// blades'.
std::vector<Vector3> Sweep(const Halvard::Model& screw)
{
    const BoundingBox& box = screw.boundingBox;
    const float reach = (box.GetLocalMax().x - box.GetLocalMin().x) / 2.0f;
    std::vector<Vector3> points;
    const int steps = 16;
    for (int i = 0; i < steps; ++i) {
        const float angle = 2.0f * std::numbers::pi_v<float> * static_cast<float>(i) / steps;
        for (const float z : {box.GetWorldMin().z, box.GetWorldMax().z})
            points.emplace_back(box.GetCenter().x + reach * std::cos(angle),
                                box.GetCenter().y + reach * std::sin(angle), z);
    }
    return points;
}

class BatInView : public ::testing::Test {
protected:
    BatInView()
    {
        const Halvard::Window& window = *run.Engine()->GetWindow();
        run.Input().MoveMouseTo(Testing::Autopilot::BatPixelX(0.0f, static_cast<int>(window.GetClientWidth())),
                                static_cast<int>(window.GetClientHeight() / 2));
        for (int frame = 0; frame < 600 && !Testing::Autopilot::WantsLaunch(run.Logic()); ++frame)
            run.Step([] {});
    }

    // Long enough for the head to reach its new length and the bat to settle.
    void Settle()
    {
        for (int frame = 0; frame < 90; ++frame)
            run.Step([] {});
    }

    void ExpectInView(const std::vector<Vector3>& points, const char* part)
    {
        const Halvard::CameraManager& cameras = *run.Engine()->GetCameraManager();
        const Halvard::Window& window = *run.Engine()->GetWindow();
        for (const Vector3& point : points) {
            Halvard::Vector2 screen(0.0f, 0.0f);
            cameras.ProjectPoint(screen, cameras.GetDefaultCamera(), point);
            EXPECT_TRUE(screen.x >= 0.0f && screen.x <= static_cast<float>(window.GetClientWidth()) &&
                        screen.y >= 0.0f && screen.y <= static_cast<float>(window.GetClientHeight()))
                << part << " at (" << point.x << ", " << point.y << ", " << point.z << ") shows at (" << screen.x
                << ", " << screen.y << ")";
        }
    }

    Testing::LevelRun run{Testing::LevelRunOptions{.drawing = false}};
};

// Risen with its ball in the middle of the field, at the shortest, the first
// and the longest length: the level's camera shows the head's top with both
// ends, the body and the screw whole, while the head's box, which the balls
// meet, and the catch box, which falling bonuses meet from above and from
// the sides, stay where the play has them. The game offers 4:3 sizes only
// and the lens is the same at every size, so this window shows what all of
// them do.
TEST_F(BatInView, TheWholeBatShowsAtRestAroundTheBoxesBallsAndBonusesMeet)
{
    struct Case {
        float length;
        std::vector<GameLogic::BonusKind> bonuses;
    };
    const std::vector<Case> cases = {
        {20.0f, {}},
        {60.0f, {GameLogic::kBatIncrease, GameLogic::kBatIncrease}},
        {0.0f, {GameLogic::kBatDecrease, GameLogic::kBatDecrease, GameLogic::kBatDecrease}},
    };
    const Tamrisk::Bat& bat = run.Logic().GetBat();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        for (const GameLogic::BonusKind bonus : c.bonuses)
            run.Logic().ApplyBonus(bonus);
        Settle();
        ASSERT_TRUE(Testing::Autopilot::WantsLaunch(run.Logic())) << run.Describe();
        ASSERT_FLOAT_EQ(bat.GetLength(), c.length);

        ExpectInView(TopCorners(bat.GetHeadBox()), "the head");
        ExpectInView(Corners(bat.GetBodyBox()), "the body");
        ExpectInView(Sweep(*bat.GetScrew()), "the screw");

        const BoundingBox& head = bat.GetHeadBox();
        const float half = 10.0f + c.length / 2.0f;
        EXPECT_NEAR(head.GetCenter().x, 0.0f, kTolerance);
        EXPECT_NEAR(head.GetHalfSize().x, half, kTolerance);
        EXPECT_NEAR(head.GetWorldMin().y, kBatY - kHeadHalfDepth, kTolerance);
        EXPECT_NEAR(head.GetWorldMax().y, kBatY + kHeadHalfDepth, kTolerance);
        const BoundingBox& catchBox = bat.GetCatchBox();
        EXPECT_NEAR(catchBox.GetWorldMin().x, -half, kTolerance);
        EXPECT_NEAR(catchBox.GetWorldMax().x, half, kTolerance);
        EXPECT_NEAR(catchBox.GetWorldMin().y, kBatY + kCatchBack, kTolerance);
        EXPECT_NEAR(catchBox.GetWorldMax().y, kBatY + kHeadHalfDepth, kTolerance);
    }
}

} // namespace
