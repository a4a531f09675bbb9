#include "engine/app/Engine.h"
#include "engine/core/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/VertexBuffer.h"
#include "game/GameLogic.h"
#include "game/objects/Ball.h"
#include "game/objects/BallManager.h"
#include "game/objects/Bat.h"
#include "game/objects/Gun.h"
#include "game/objects/GunPart.h"

#include "tests/support/ScriptedInput.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/Autopilot.h"
#include "tests/support/game/LevelRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Halvard::BoundingBox;
using Halvard::Model;
using Halvard::Vector3;
using Tamrisk::GameLogic;

constexpr float kPi = std::numbers::pi_v<float>;
// The bat's place on the field and the head's depth, which the balls are
// played against; the catch box reaches this far behind the bat's place.
constexpr float kBatY = -85.0f;
constexpr float kHeadHalfDepth = 2.5f;
constexpr float kCatchBack = -9.0f;
// The ball manager meets balls with the head's box moved this far towards
// the player.
constexpr float kBallShift = 3.0f;
constexpr float kTolerance = 1e-4f;
// The bat banks this far at most as it follows the mouse, and a ball's hit
// kicks it this far back.
constexpr float kLargestRoll = kPi / 24.0f;
constexpr float kDeepestRecoil = -0.9f;
// Rays that only graze a surface do not count as hidden.
constexpr float kGrazing = 0.01f;
// A mounted gun may hide this share of a ball at the head.
constexpr float kGunShare = 0.25f;

struct Part {
    const Model* model;
    std::string name;
};

struct Sphere {
    Vector3 centre;
    float radius;
    std::string name;
};

std::vector<Vector3> WorldVertices(const Model& model)
{
    const Halvard::VertexBuffer& buffer = model.GetVertexBuffer();
    std::vector<Vector3> points;
    for (Halvard::u32 vertex = 0; vertex < buffer.GetVertexCount(); ++vertex) {
        float p[3];
        std::memcpy(p, buffer.GetData() + static_cast<std::size_t>(vertex) * buffer.GetStride(), sizeof p);
        points.push_back(model.worldMatrix.TransformPoint(Vector3(p[0], p[1], p[2])));
    }
    return points;
}

// What the level's camera sees along its rays.
class Sight {
public:
    Sight(const Halvard::CameraManager& cameras, const Halvard::Window& window)
        : cameras_(cameras), window_(window), eye_(cameras.GetDefaultCamera()->position)
    {
    }

    const Vector3& Eye() const { return eye_; }

    // How far from the eye the ray towards the target first meets the
    // model; beyond the target when it does not.
    float Reach(const Model& model, const Vector3& target) const
    {
        float distance = 0.0f;
        if ((model.GetFlags() & Model::kVisible) == 0 ||
            !model.IntersectRay(Halvard::Ray(eye_, target - eye_), &distance))
            return (target - eye_).Length() * 2.0f;
        return distance;
    }

    bool Hides(const Model& model, const Vector3& target, float targetDistance) const
    {
        return Reach(model, target) < targetDistance - kGrazing;
    }

    bool OnScreen(const Vector3& point) const
    {
        Halvard::Vector2 screen(0.0f, 0.0f);
        cameras_.ProjectPoint(screen, cameras_.GetDefaultCamera(), point);
        return screen.x >= 0.0f && screen.x <= static_cast<float>(window_.GetClientWidth()) && screen.y >= 0.0f &&
               screen.y <= static_cast<float>(window_.GetClientHeight());
    }

    // Points across the ball as the camera sees it: its outline and a grid
    // over the disc inside it, each with how far along its ray the ball
    // begins.
    std::vector<std::pair<Vector3, float>> Samples(const Sphere& ball) const
    {
        const Vector3 toward = ball.centre - eye_;
        const float d = toward.Length();
        const Vector3 n = toward * (1.0f / d);
        const float r = ball.radius;
        const Vector3 middle = ball.centre - n * (r * r / d);
        const float rim = r * std::sqrt(d * d - r * r) / d;
        Vector3 across = n.Cross(Vector3(0.0f, 0.0f, 1.0f));
        across.Normalize(1.0f);
        const Vector3 up = across.Cross(n);
        std::vector<Vector3> disc;
        const int rimPoints = 24;
        for (int i = 0; i < rimPoints; ++i) {
            const float a = 2.0f * kPi * static_cast<float>(i) / rimPoints;
            disc.push_back(middle + across * (rim * std::cos(a)) + up * (rim * std::sin(a)));
        }
        const int grid = 7;
        for (int i = 0; i < grid; ++i) {
            for (int j = 0; j < grid; ++j) {
                const float u = (2.0f * static_cast<float>(i) + 1.0f) / grid - 1.0f;
                const float v = (2.0f * static_cast<float>(j) + 1.0f) / grid - 1.0f;
                if (u * u + v * v < 1.0f)
                    disc.push_back(middle + across * (rim * u) + up * (rim * v));
            }
        }
        std::vector<std::pair<Vector3, float>> samples;
        for (const Vector3& point : disc) {
            const Vector3 dir = (point - eye_).GetNormalized();
            const Vector3 m = eye_ - ball.centre;
            const float b = m.Dot(dir);
            const float c = m.Dot(m) - r * r;
            const float entry = -b - std::sqrt(std::max(b * b - c, 0.0f));
            samples.emplace_back(point, entry);
        }
        return samples;
    }

private:
    const Halvard::CameraManager& cameras_;
    const Halvard::Window& window_;
    Vector3 eye_;
};

class BatInView : public ::testing::Test {
protected:
    BatInView()
    {
        MoveTo(0.0f);
        for (int frame = 0; frame < 600 && !Testing::Autopilot::WantsLaunch(run.Logic()); ++frame)
            run.Step([] {});
    }

    void MoveTo(float x)
    {
        const Halvard::Window& window = *run.Engine()->GetWindow();
        run.Input().MoveMouseTo(Testing::Autopilot::BatPixelX(x, static_cast<int>(window.GetClientWidth())),
                                static_cast<int>(window.GetClientHeight() / 2));
    }

    void Steps(int frames)
    {
        for (int frame = 0; frame < frames; ++frame)
            run.Step([] {});
    }

    // Long enough for the head to reach its new length, the bat to settle
    // and a gun to stand ready.
    void Settle() { Steps(90); }

    const Tamrisk::Bat& Bat() { return run.Logic().GetBat(); }

    float Radius(Halvard::u32 type)
    {
        const BoundingBox& box = run.Logic().GetBalls().GetPool().front()->GetModel(type)->boundingBox;
        const Vector3 half = box.GetHalfSize();
        return std::min({half.x, half.y, half.z});
    }

    // Both kinds of ball where they meet the head: along its front, ends
    // included, and on its corners; and every ball it holds.
    std::vector<Sphere> BallsAtTheHead()
    {
        const BoundingBox& head = Bat().GetHeadBox();
        const float front = head.GetWorldMax().y - kBallShift;
        std::vector<Sphere> balls;
        for (const Halvard::u32 type : {Tamrisk::Ball::kSimple, Tamrisk::Ball::kSuper}) {
            const float r = Radius(type);
            const int along = 9;
            for (int i = 0; i < along; ++i) {
                const float x = head.GetWorldMin().x +
                                (head.GetWorldMax().x - head.GetWorldMin().x) * static_cast<float>(i) / (along - 1);
                balls.push_back({Vector3(x, front + r, r), r, "meeting the front at x " + std::to_string(x)});
            }
            for (const float angle : {kPi / 4.0f, kPi / 2.0f}) {
                const float out = r * std::sin(angle);
                const float y = front + r * std::cos(angle);
                balls.push_back({Vector3(head.GetWorldMin().x - out, y, r), r, "on the left corner"});
                balls.push_back({Vector3(head.GetWorldMax().x + out, y, r), r, "on the right corner"});
            }
        }
        for (const Tamrisk::Ball* ball : run.Logic().GetBalls().GetBalls()) {
            if (ball->IsHeld())
                balls.push_back({Vector3(ball->GetPosition().x, ball->GetPosition().y, ball->GetRadius()),
                                 ball->GetRadius(), "held"});
        }
        return balls;
    }

    std::vector<Part> Guns()
    {
        std::vector<Part> guns;
        for (Halvard::u32 index = 0; index < 2; ++index) {
            const Tamrisk::GunPart& part = run.Logic().GetGun(index).GetPart();
            const std::string kind = Tamrisk::Gun::GetKindName(index);
            for (const Part gun : {Part{part.GetGunModel(), kind}, Part{part.GetBulletModel(), kind + "'s bolt"}})
                if ((gun.model->GetFlags() & Model::kVisible) != 0)
                    guns.push_back(gun);
        }
        return guns;
    }

    void Fail(const std::string& what) { failures_.insert(state_ + ": " + what); }

    std::string Failures() const
    {
        std::ostringstream out;
        out << failures_.size() << " sights hidden or off the screen";
        for (const std::string& failure : failures_)
            out << "\n  " << failure;
        return out.str();
    }

    std::vector<Part> BodyAndScrew() { return {{Bat().GetBody(), "body"}, {Bat().GetScrew(), "screw"}}; }

    void ExpectNoPartHides(const Sight& sight, const Vector3& point, float distance, const std::string& what)
    {
        for (const Part& part : BodyAndScrew()) {
            if (sight.Hides(*part.model, point, distance))
                Fail("the " + part.name + " hides " + what);
        }
    }

    // Neither body nor screw before any point of a ball at the head or a
    // held one; a mounted gun before no more than a quarter of them.
    void LookAtTheBalls(const Sight& sight)
    {
        const std::vector<Part> guns = Guns();
        for (const Sphere& ball : BallsAtTheHead()) {
            int hidden = 0;
            const std::vector<std::pair<Vector3, float>> samples = sight.Samples(ball);
            for (const auto& sample : samples) {
                // Named copies: clang 14 lets no lambda capture a structured binding.
                const Vector3 point = sample.first;
                const float entry = sample.second;
                ExpectNoPartHides(sight, point, entry, "a ball " + ball.name);
                const auto hides = [&](const Part& gun) { return sight.Hides(*gun.model, point, entry); };
                hidden += std::any_of(guns.begin(), guns.end(), hides) ? 1 : 0;
            }
            if (static_cast<float>(hidden) > kGunShare * static_cast<float>(samples.size()))
                Fail("a gun hides " + std::to_string(hidden) + " of " + std::to_string(samples.size()) +
                     " points of a ball " + ball.name);
        }
    }

    // Every corner of a mounted gun and its loaded bolt shows past the body
    // and the screw.
    void LookAtTheGuns(const Sight& sight)
    {
        for (const Part& gun : Guns()) {
            for (const Vector3& point : WorldVertices(*gun.model))
                ExpectNoPartHides(sight, point, (point - sight.Eye()).Length(), "the " + gun.name);
        }
    }

    // The top of the head's front face, where balls strike, shows past the
    // body and the screw wherever it is on the screen, and all of it is on
    // the screen in the middle of the field.
    void LookAtTheHeadsFront(const Sight& sight, bool inTheMiddle)
    {
        const BoundingBox& head = Bat().GetHeadBox();
        const int along = 11;
        for (int i = 0; i < along; ++i) {
            const float x = head.GetWorldMin().x +
                            (head.GetWorldMax().x - head.GetWorldMin().x) * static_cast<float>(i) / (along - 1);
            const Vector3 point(x, head.GetWorldMax().y - kBallShift, head.GetWorldMax().z);
            const std::string what = "the head's front at x " + std::to_string(x);
            if (sight.OnScreen(point))
                ExpectNoPartHides(sight, point, (point - sight.Eye()).Length(), what);
            else if (inTheMiddle)
                Fail(what + " lies off the screen");
        }
    }

    static Vector3 TopPoint(const Model& model)
    {
        const std::vector<Vector3> points = WorldVertices(model);
        return *std::max_element(points.begin(), points.end(),
                                 [](const Vector3& a, const Vector3& b) { return a.z < b.z; });
    }

    // What the camera shows of the bat now; in the middle of the field, the
    // body and the screw themselves are on the screen too.
    void LookAt(const std::string& state, bool inTheMiddle)
    {
        state_ = state;
        const Sight sight(*run.Engine()->GetCameraManager(), *run.Engine()->GetWindow());
        LookAtTheBalls(sight);
        LookAtTheGuns(sight);
        LookAtTheHeadsFront(sight, inTheMiddle);
        for (const Part& part : BodyAndScrew()) {
            if (inTheMiddle && !sight.OnScreen(TopPoint(*part.model)))
                Fail("the top of the " + part.name + " lies off the screen");
        }
        const Halvard::Matrix4& body = Bat().GetBodyMatrix();
        const float roll = std::atan2(body.m[2], body.m[0]);
        leastRoll_ = std::min(leastRoll_, roll);
        mostRoll_ = std::max(mostRoll_, roll);
        deepestRecoil_ = std::min(deepestRecoil_, Bat().GetHeadBox().GetCenter().y - kBatY);
    }

    // At rest in the middle and at both sides, then swept across the field
    // as fast as a mouse moves it, so that it rolls both ways, then kicked
    // back by a ball, every frame looked at.
    void LookEverywhere(const std::string& what)
    {
        const float side = Tamrisk::Bat::kFieldWidth / 2.0f;
        MoveTo(0.0f);
        Settle();
        LookAt(what + " at rest in the middle", true);
        for (const float x : {-side, side}) {
            MoveTo(x);
            Settle();
            LookAt(what + " at rest at x " + std::to_string(x), false);
        }
        for (const float direction : {-1.0f, 1.0f}) {
            for (int frame = 0; frame <= 12; ++frame) {
                MoveTo(direction * side * (1.0f - static_cast<float>(frame) / 6.0f));
                Steps(1);
                LookAt(what + " sweeping, frame " + std::to_string(frame), false);
            }
        }
        MoveTo(0.0f);
        Settle();
        run.Logic().GetBat().Recoil();
        for (int frame = 0; frame < 15; ++frame) {
            Steps(1);
            LookAt(what + " kicked back, frame " + std::to_string(frame), false);
        }
    }

    Testing::LevelRun run{Testing::LevelRunOptions{.drawing = false}};
    std::string state_;
    std::set<std::string> failures_;
    float leastRoll_ = 0.0f;
    float mostRoll_ = 0.0f;
    float deepestRecoil_ = 0.0f;
};

// At the shortest, the first and the longest length, with either gun and
// with a super ball held: whatever the bat does, the camera sees past the
// body and the screw to the balls at the head, the guns and the head's
// front, while body and screw stay in view.
TEST_F(BatInView, BodyAndScrewLeaveTheBallsTheGunsAndTheHeadsFrontInSight)
{
    struct Case {
        std::string what;
        std::vector<GameLogic::BonusKind> bonuses;
    };
    const std::vector<Case> cases = {
        {"at length 20", {}},
        {"at length 60", {GameLogic::kBatIncrease, GameLogic::kBatIncrease}},
        {"at length 0", {GameLogic::kBatDecrease, GameLogic::kBatDecrease, GameLogic::kBatDecrease}},
        {"with an arbalest", {GameLogic::kBatIncrease, GameLogic::kArbalest}},
        {"with a ballista", {GameLogic::kBallista}},
        {"holding a super ball", {GameLogic::kSuperBall}},
    };
    for (const Case& c : cases) {
        for (const GameLogic::BonusKind bonus : c.bonuses)
            run.Logic().ApplyBonus(bonus);
        LookEverywhere(c.what);
    }
    EXPECT_TRUE(failures_.empty()) << Failures();
    // The sweeps and the kicks reached the bat's largest roll either way
    // and its deepest recoil.
    EXPECT_NEAR(leastRoll_, -kLargestRoll, 1e-3f);
    EXPECT_NEAR(mostRoll_, kLargestRoll, 1e-3f);
    EXPECT_NEAR(deepestRecoil_, kDeepestRecoil, 1e-3f);
}

// The head's box, which the balls meet, and the catch box, which falling
// bonuses meet from above and from the sides, stay where the play has them.
TEST_F(BatInView, TheBoxesThatBallsAndBonusesMeetStayWherePlayHasThem)
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
