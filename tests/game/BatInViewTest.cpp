#include "engine/app/Engine.h"
#include "engine/core/Window.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/VertexBuffer.h"
#include "game/GameLogic.h"
#include "game/objects/Ball.h"
#include "game/objects/BallManager.h"
#include "game/objects/Barrier.h"
#include "game/objects/Bat.h"
#include "game/objects/BonusManager.h"
#include "game/objects/Gun.h"
#include "game/objects/GunPart.h"

#include "tests/support/ScriptedInput.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/Autopilot.h"
#include "tests/support/game/CameraSight.h"
#include "tests/support/game/LevelRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <numbers>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Halvard::BoundingBox;
using Halvard::Model;
using Halvard::Vector2;
using Halvard::Vector3;
using Halvard::Vector4;
using Tamrisk::GameLogic;
using Testing::CameraSight;
using Testing::DiscSample;
using Testing::Occluder;

constexpr float kPi = std::numbers::pi_v<float>;
// The bat's place on the field; the catch box reaches from 9 behind it to
// the head's front.
constexpr float kBatY = -85.0f;
constexpr float kCatchBack = -9.0f;
// The ball manager meets balls with the head's box moved this far towards
// the player: that is the face balls meet.
constexpr float kBallShift = 3.0f;
constexpr float kTolerance = 1e-3f;
// The bat banks this far at most as it follows the mouse, and a ball's hit
// kicks it this far back.
constexpr float kLargestRoll = kPi / 24.0f;
constexpr float kDeepestRecoil = -0.9f;
constexpr float kHalfField = 75.0f;
// Balls are looked at densely this far beyond the head's front, sparsely
// up to the far end of the field.
constexpr float kNearBand = 40.0f;
constexpr float kNearStep = 1.0f;
constexpr float kFarStep = 5.0f;
constexpr float kFarEnd = 90.0f;
// A rope may lie across this share of a ball's disc.
constexpr float kRopeShare = 0.2f;
// Every failure of a rule is counted; these many are named.
constexpr std::size_t kNamedFailures = 6;

// A point looked at, with where it shows on the screen and how far it is.
struct Target {
    Vector3 point;
    float distance;
    Vector2 screen;
};

// A ball kept with its disc as the camera sees it and the pixels it spans.
struct BallSight {
    Vector3 centre;
    float radius;
    Vector4 rect;
    std::vector<DiscSample> disc;
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

bool Shown(const Model* model) { return model != nullptr && (model->GetFlags() & Model::kVisible) != 0; }

bool Overlap(const Vector4& a, const Vector4& b) { return a.x <= b.z && b.x <= a.z && a.y <= b.w && b.y <= a.w; }

Vector4 Union(const Vector4& a, const Vector4& b)
{
    return Vector4(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.z, b.z), std::max(a.w, b.w));
}

// How the bat stands when it is looked at: what the craft hides and how it
// meets the head are checked at rest and at its largest roll and recoil, the
// rest in every frame.
enum class Pose { kMoving, kRest };

class BatInView : public ::testing::Test {
protected:
    BatInView()
    {
        run.MoveBatTo(0.0f);
        for (int frame = 0; frame < 600 && !Testing::Autopilot::WantsLaunch(run.Logic()); ++frame)
            run.Step([] {});
        for (Halvard::u32 rope = 0; rope < Tamrisk::Barrier::kMaxStrength; ++rope)
            run.Logic().ApplyBonus(GameLogic::kBarrier);
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
    CameraSight Sight() { return CameraSight(*run.Engine()->GetCameraManager(), *run.Engine()->GetWindow()); }

    float Radius(Halvard::u32 type)
    {
        const Vector3 half = run.Logic().GetBalls().GetPool().front()->GetModel(type)->boundingBox.GetHalfSize();
        return std::min({half.x, half.y, half.z});
    }

    float Face() { return Bat().GetHeadBox().GetWorldMax().y - kBallShift; }

    void Fail(const std::string& rule, const std::string& what)
    {
        std::vector<std::string>& named = failures_[rule];
        if (named.size() < kNamedFailures)
            named.push_back(state_ + ": " + what);
        ++counts_[rule];
    }

    std::string Failures() const
    {
        std::ostringstream out;
        for (const auto& [rule, named] : failures_) {
            out << "\n" << rule << ": " << counts_.at(rule) << " failures";
            for (const std::string& failure : named)
                out << "\n  " << failure;
        }
        return out.str();
    }

    // Simple and super balls over the whole width, densely over the band
    // beyond the head's front at its deepest recoil and sparsely beyond.
    void MakeBalls(const CameraSight& sight)
    {
        const float face = kBatY + 2.5f + kDeepestRecoil - kBallShift;
        for (const Halvard::u32 type : {Tamrisk::Ball::kSimple, Tamrisk::Ball::kSuper}) {
            const float r = Radius(type);
            for (float y = face + r; y < kFarEnd; y += (y < face + kNearBand ? kNearStep : kFarStep)) {
                for (float x = -kHalfField + r; x <= kHalfField - r; x += kNearStep)
                    balls_.push_back(MakeBall(sight, Vector3(x, y, r), r));
            }
        }
    }

    static BallSight MakeBall(const CameraSight& sight, const Vector3& centre, float r)
    {
        return {centre, r, sight.ScreenRect(centre - Vector3(r), centre + Vector3(r)), sight.Disc(centre, r)};
    }

    // A falling bonus rolls about its long axis: points over the round hull
    // it sweeps, from where it starts to fall until it would touch the
    // catch box at rest.
    void MakeBonusPoints(const CameraSight& sight)
    {
        const BoundingBox& box = run.Logic().GetBonuses().GetCachedModel(0)->boundingBox;
        const Vector3 half = box.GetHalfSize();
        const float radius = std::sqrt(half.y * half.y + half.z * half.z);
        const float axis = box.GetCenter().z;
        const float front = kBatY + 2.5f;
        for (float y = front + radius + kTolerance; y < front + kNearBand; y += kNearStep) {
            for (float x = -kHalfField + half.x; x <= kHalfField - half.x; x += 2.0f) {
                for (const float along : {-half.x, 0.0f, half.x}) {
                    for (int step = 0; step < 16; ++step) {
                        const float a = 2.0f * kPi * static_cast<float>(step) / 16.0f;
                        const Vector3 p(x + along, y + radius * std::cos(a), axis + radius * std::sin(a));
                        if (p.z >= 0.0f)
                            bonusPoints_.push_back({p, (p - sight.Eye()).Length(), sight.Project(p)});
                    }
                }
            }
        }
    }

    // The body, the screw, and a mounted gun with its loaded bolt.
    std::vector<Occluder> Craft()
    {
        std::vector<Occluder> craft = {{Bat().GetBody(), "body"}, {Bat().GetScrew(), "screw"}};
        for (Halvard::u32 index = 0; index < 2; ++index) {
            const Tamrisk::GunPart& part = run.Logic().GetGun(index).GetPart();
            const std::string kind = Tamrisk::Gun::GetKindName(index);
            if (Shown(part.GetGunModel()))
                craft.push_back({part.GetGunModel(), kind});
            if (Shown(part.GetBulletModel()))
                craft.push_back({part.GetBulletModel(), kind + "'s bolt"});
        }
        return craft;
    }

    static Vector4 RectOf(const CameraSight& sight, const std::vector<Occluder>& models)
    {
        Vector4 rect(1e9f, 1e9f, -1e9f, -1e9f);
        for (const Occluder& o : models) {
            if (Shown(o.model))
                rect = Union(rect, sight.ScreenRect(o.model->boundingBox.GetWorldMin(),
                                                    o.model->boundingBox.GetWorldMax()));
        }
        return rect;
    }

    // Nothing of the bat but its head hides any point of any ball on the
    // field, of the held ball or of a falling bonus.
    void NothingButTheHeadHidesABall(const CameraSight& sight)
    {
        const std::vector<Occluder> craft = Craft();
        const Vector4 rect = RectOf(sight, craft);
        const float face = Face();
        for (const BallSight& ball : balls_) {
            if (ball.centre.y - ball.radius < face || !Overlap(rect, ball.rect))
                continue;
            for (const DiscSample& s : ball.disc) {
                if (CraftHides(sight, craft, s.point, s.entry)) {
                    Fail("a ball on the field is hidden by the craft",
                         "x " + std::to_string(ball.centre.x) + " y " + std::to_string(ball.centre.y));
                    break;
                }
            }
        }
        for (const Target& p : bonusPoints_) {
            if (p.screen.x >= rect.x && p.screen.x <= rect.z && p.screen.y >= rect.y && p.screen.y <= rect.w &&
                CraftHides(sight, craft, p.point, p.distance))
                Fail("a falling bonus is hidden by the craft",
                     "x " + std::to_string(p.point.x) + " y " + std::to_string(p.point.y));
        }
        for (const Tamrisk::Ball* ball : run.Logic().GetBalls().GetBalls()) {
            const Vector3 centre(ball->GetPosition().x, ball->GetPosition().y, ball->GetRadius());
            if (!ball->IsHeld())
                continue;
            for (const DiscSample& s : sight.Disc(centre, ball->GetRadius())) {
                if (CraftHides(sight, craft, s.point, s.entry)) {
                    Fail("the held ball is hidden by the craft", "x " + std::to_string(centre.x));
                    break;
                }
            }
        }
    }

    // Where the head already hides a point, the craft standing before it
    // covers only the head.
    bool CraftHides(const CameraSight& sight, const std::vector<Occluder>& craft, const Vector3& point, float distance)
    {
        return sight.HidesAny(craft, point, distance) && !sight.Hides(*Bat().GetHead(), point, distance);
    }

    // Every corner of a mounted gun and its loaded bolt is on the screen,
    // and neither the head, the body nor the screw stands before it.
    void GunsShowWhole(const CameraSight& sight)
    {
        const std::vector<Occluder> craft = Craft();
        const std::vector<Occluder> others = {{Bat().GetHead(), "head"}, craft[0], craft[1]};
        for (std::size_t i = 2; i < craft.size(); ++i) {
            for (const Vector3& point : WorldVertices(*craft[i].model)) {
                const std::string where = " at " + std::to_string(point.x) + " " + std::to_string(point.y) + " " +
                                          std::to_string(point.z);
                if (!sight.OnScreen(point))
                    Fail("a gun does not show whole", "the " + craft[i].name + " lies off the screen" + where);
                for (const Occluder& other : others) {
                    if (sight.Hides(*other.model, point, (point - sight.Eye()).Length()))
                        Fail("a gun does not show whole", "the " + other.name + " hides the " + craft[i].name + where);
                }
            }
        }
    }

    // Pixel by pixel over the bat: body and screw show, and every pixel of
    // the craft joins the head's through pixels of the craft.
    void CraftMeetsTheHead(const CameraSight& sight)
    {
        std::vector<Occluder> parts = Craft();
        const Vector4 rect = RectOf(sight, parts);
        parts.insert(parts.begin(), {Bat().GetHead(), "head"});
        const int left = std::max(0, static_cast<int>(rect.x) - 2);
        const int right = std::min(sight.Width() - 1, static_cast<int>(rect.z) + 2);
        const int bottom = std::max(0, static_cast<int>(rect.y) - 2);
        const int top = std::min(sight.Height() - 1, static_cast<int>(rect.w) + 2);
        const int w = right - left + 1;
        const int h = top - bottom + 1;
        if (w <= 0 || h <= 0) {
            Fail("the craft does not meet the head", "the bat is off the screen");
            return;
        }
        std::vector<int> hit(static_cast<std::size_t>(w * h));
        std::vector<int> counts(parts.size(), 0);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int part = sight.FirstHit(parts, sight.PixelRay(left + x, bottom + y));
                hit[static_cast<std::size_t>(y * w + x)] = part;
                if (part >= 0)
                    ++counts[static_cast<std::size_t>(part)];
            }
        }
        for (std::size_t part = 1; part < 3; ++part) {
            if (counts[part] == 0)
                Fail("the craft does not meet the head", "the " + parts[part].name + " does not show");
        }
        const int loose = LoosePixels(hit, w, h);
        if (loose > 0)
            Fail("the craft does not meet the head", std::to_string(loose) + " pixels of the craft stand apart");
    }

    // Pixels of the craft (parts 1 and on) that no path through the craft
    // joins to the head's (part 0).
    static int LoosePixels(const std::vector<int>& hit, int w, int h)
    {
        std::vector<char> reached(hit.size(), 0);
        std::vector<int> queue;
        for (std::size_t i = 0; i < hit.size(); ++i) {
            if (hit[i] == 0) {
                reached[i] = 1;
                queue.push_back(static_cast<int>(i));
            }
        }
        while (!queue.empty()) {
            const int i = queue.back();
            queue.pop_back();
            const int x = i % w;
            const int y = i / w;
            for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
                if (x + dx < 0 || x + dx >= w || y + dy < 0 || y + dy >= h)
                    continue;
                const int j = (y + dy) * w + x + dx;
                if (hit[static_cast<std::size_t>(j)] > 0 && reached[static_cast<std::size_t>(j)] == 0) {
                    reached[static_cast<std::size_t>(j)] = 1;
                    queue.push_back(j);
                }
            }
        }
        int loose = 0;
        for (std::size_t i = 0; i < hit.size(); ++i)
            loose += hit[i] > 0 && reached[i] == 0 ? 1 : 0;
        return loose;
    }

    // At rest the catch box reaches along the head and from 9 behind the
    // bat's place to the head's front.
    void CatchBoxKeepsItsReach()
    {
        const BoundingBox& head = Bat().GetHeadBox();
        const BoundingBox& catchBox = Bat().GetCatchBox();
        const float half = 10.0f + Bat().GetLength() / 2.0f;
        const bool reach = std::fabs(head.GetHalfSize().x - half) < kTolerance &&
                           std::fabs(catchBox.GetWorldMin().x - head.GetWorldMin().x) < kTolerance &&
                           std::fabs(catchBox.GetWorldMax().x - head.GetWorldMax().x) < kTolerance &&
                           std::fabs(catchBox.GetWorldMin().y - (kBatY + kCatchBack)) < kTolerance &&
                           std::fabs(catchBox.GetWorldMax().y - (kBatY + 2.5f)) < kTolerance &&
                           std::fabs(head.GetWorldMin().y - (kBatY - 2.5f)) < kTolerance;
        if (!reach)
            Fail("the catch box lost its reach",
                 "x " + std::to_string(catchBox.GetWorldMin().x) + " to " + std::to_string(catchBox.GetWorldMax().x) +
                     ", y " + std::to_string(catchBox.GetWorldMin().y) + " to " +
                     std::to_string(catchBox.GetWorldMax().y));
    }

    // A ball touching the head shows at least half its disc over the bar,
    // and the bar's drawn front stands on the face balls meet.
    void BallsTouchingTheHeadShowOverTheBar(const CameraSight& sight)
    {
        const BoundingBox& head = Bat().GetHeadBox();
        const std::vector<Occluder> bar = {{Bat().GetHead(), "head"}};
        for (const Halvard::u32 type : {Tamrisk::Ball::kSimple, Tamrisk::Ball::kSuper}) {
            const float r = Radius(type);
            for (int i = 0; i <= 8; ++i) {
                const float x = head.GetWorldMin().x + 2.0f * head.GetHalfSize().x * static_cast<float>(i) / 8.0f;
                const float shown = 1.0f - sight.HiddenShare(bar, Vector3(x, Face() + r, r), r);
                lowestShare_ = std::min(lowestShare_, shown);
                if (shown < 0.5f)
                    Fail("a ball at the head sinks behind the bar", std::to_string(shown) + " of a ball of radius " +
                                                                        std::to_string(r) + " shows");
            }
        }
        float front = -1e9f;
        for (const Vector3& p : WorldVertices(*Bat().GetHead())) {
            if (p.z > 1.0f)
                front = std::max(front, p.y);
        }
        if (std::fabs(front - Face()) > kTolerance)
            Fail("the bar's front is not the face balls meet",
                 "front at " + std::to_string(front) + ", face at " + std::to_string(Face()));
    }

    // The posts hide no ball at the head or held on it; the ropes cross no
    // more than a fifth of such a ball's disc and lie across the field on
    // the screen.
    void BarrierLeavesTheBallsAtTheBatInSight(const CameraSight& sight)
    {
        const Tamrisk::Barrier& barrier = run.Logic().GetBarrier();
        std::vector<Occluder> posts;
        for (const Model* post : barrier.GetPosts())
            posts.push_back({post, "post"});
        std::vector<Occluder> ropes;
        for (const Model* rope : barrier.GetRopes())
            ropes.push_back({rope, "rope"});
        for (const auto& [centre, r] : BallsAtTheBat()) {
            if (sight.HiddenShare(posts, centre, r) > 0.0f)
                Fail("a post hides a ball at the bat", "x " + std::to_string(centre.x));
            const float crossed = sight.HiddenShare(ropes, centre, r);
            mostRopeShare_ = std::max(mostRopeShare_, crossed);
            if (crossed > kRopeShare)
                Fail("the ropes hide a ball at the bat",
                     std::to_string(crossed) + " of the ball at x " + std::to_string(centre.x));
        }
        if (!ropesLookedAt_) {
            ropesLookedAt_ = true;
            RopesCrossLittleOfAnyBall(sight, ropes);
            for (const Model* rope : barrier.GetRopes())
                RopeIsPlainlySeen(sight, *rope);
        }
    }

    // Over the whole field, the ropes together lie across no more than a
    // fifth of any ball's disc.
    void RopesCrossLittleOfAnyBall(const CameraSight& sight, const std::vector<Occluder>& ropes)
    {
        const Vector4 rect = RectOf(sight, ropes);
        for (const BallSight& ball : balls_) {
            if (!Overlap(rect, ball.rect))
                continue;
            const auto hidden = std::count_if(ball.disc.begin(), ball.disc.end(), [&](const DiscSample& s) {
                return sight.HidesAny(ropes, s.point, s.entry);
            });
            const float share = static_cast<float>(hidden) / static_cast<float>(ball.disc.size());
            mostRopeShare_ = std::max(mostRopeShare_, share);
            if (share > kRopeShare)
                Fail("the ropes hide a ball on the field", std::to_string(share) + " of the ball at x " +
                                                               std::to_string(ball.centre.x) + " y " +
                                                               std::to_string(ball.centre.y));
        }
    }

    // A rope runs across the whole screen, at least two pixels thick.
    void RopeIsPlainlySeen(const CameraSight& sight, const Model& rope)
    {
        const Vector3 middle = rope.boundingBox.GetCenter();
        const Vector2 left = sight.Project(Vector3(-kHalfField, middle.y, middle.z));
        const Vector2 right = sight.Project(Vector3(kHalfField, middle.y, middle.z));
        const Vector2 centre = sight.Project(middle);
        int thickness = 0;
        for (int y = static_cast<int>(centre.y) - 10; y <= static_cast<int>(centre.y) + 10; ++y)
            thickness += sight.Reach(rope, sight.PixelRay(sight.Width() / 2, y)) >= 0.0f ? 1 : 0;
        if (!Shown(&rope) || !sight.OnScreen(middle) || left.x > 0.0f || right.x < static_cast<float>(sight.Width()) ||
            thickness < 2)
            Fail("a rope is not plainly seen", std::to_string(thickness) + " pixels thick, from x " +
                                                   std::to_string(left.x) + " to " + std::to_string(right.x));
    }

    // Both kinds of ball where they meet the head, along its front and on
    // its corners, and every ball it holds.
    std::vector<std::pair<Vector3, float>> BallsAtTheBat()
    {
        const BoundingBox& head = Bat().GetHeadBox();
        std::vector<std::pair<Vector3, float>> balls;
        for (const Halvard::u32 type : {Tamrisk::Ball::kSimple, Tamrisk::Ball::kSuper}) {
            const float r = Radius(type);
            for (int i = 0; i <= 8; ++i) {
                const float x = head.GetWorldMin().x + 2.0f * head.GetHalfSize().x * static_cast<float>(i) / 8.0f;
                balls.push_back({Vector3(x, Face() + r, r), r});
            }
            for (const float angle : {kPi / 4.0f, kPi / 2.0f}) {
                const float y = Face() + r * std::cos(angle);
                for (const float x : {head.GetWorldMin().x - r * std::sin(angle), head.GetWorldMax().x + r * std::sin(angle)})
                    if (std::fabs(x) <= kHalfField - r)
                        balls.push_back({Vector3(x, y, r), r});
            }
        }
        for (const Tamrisk::Ball* ball : run.Logic().GetBalls().GetBalls()) {
            if (ball->IsHeld())
                balls.push_back({Vector3(ball->GetPosition().x, ball->GetPosition().y, ball->GetRadius()),
                                 ball->GetRadius()});
        }
        return balls;
    }

    // The first frame of a case at the largest roll either way, or at the
    // deepest recoil, in the middle of the field or near either side.
    bool FirstLookAt(float roll, float recoil)
    {
        const float x = Bat().GetHeadBox().GetCenter().x;
        const char* region = x < -40.0f ? "left" : x > 40.0f ? "right" : std::fabs(x) < 15.0f ? "middle" : nullptr;
        if (region == nullptr)
            return false;
        const std::string key = case_ + region +
                                (recoil < kDeepestRecoil + kTolerance ? "recoil" : roll < 0.0f ? "left roll" : "right roll");
        return seen_.insert(key).second;
    }

    void LookAt(const std::string& state, Pose pose)
    {
        state_ = state;
        const CameraSight sight = Sight();
        if (balls_.empty()) {
            MakeBalls(sight);
            MakeBonusPoints(sight);
        }
        const Halvard::Matrix4& body = Bat().GetBodyMatrix();
        const float roll = std::atan2(body.m[2], body.m[0]);
        const float recoil = Bat().GetHeadBox().GetCenter().y - kBatY;
        leastRoll_ = std::min(leastRoll_, roll);
        mostRoll_ = std::max(mostRoll_, roll);
        deepestRecoil_ = std::min(deepestRecoil_, recoil);
        const bool extreme = std::fabs(roll) > kLargestRoll - kTolerance || recoil < kDeepestRecoil + kTolerance;
        GunsShowWhole(sight);
        BarrierLeavesTheBallsAtTheBatInSight(sight);
        if (pose == Pose::kRest || (extreme && FirstLookAt(roll, recoil))) {
            NothingButTheHeadHidesABall(sight);
            CraftMeetsTheHead(sight);
        }
        if (pose == Pose::kRest) {
            CatchBoxKeepsItsReach();
            BallsTouchingTheHeadShowOverTheBar(sight);
        }
    }

    // At rest in the middle and at both sides; swept across the field as
    // fast as a mouse moves it, so that it rolls its most both ways in the
    // middle and on reaching either side; kicked back by a ball in the
    // middle and at both sides; every frame looked at.
    void LookEverywhere(const std::string& what)
    {
        case_ = what;
        const float side = kHalfField;
        for (const float x : {0.0f, -side, side}) {
            run.MoveBatTo(x);
            Settle();
            LookAt(what + " at rest at x " + std::to_string(x), Pose::kRest);
        }
        for (const float direction : {1.0f, -1.0f}) {
            for (int frame = 0; frame <= 18; ++frame) {
                run.MoveBatTo(direction * side * std::min(static_cast<float>(frame) / 6.0f - 1.0f, 1.0f));
                Steps(1);
                LookAt(what + " sweeping, frame " + std::to_string(frame), Pose::kMoving);
            }
        }
        for (const float x : {0.0f, -side, side}) {
            run.MoveBatTo(x);
            Settle();
            run.Logic().GetBat().Recoil();
            for (int frame = 0; frame < 12; ++frame) {
                Steps(1);
                LookAt(what + " kicked back at x " + std::to_string(x) + ", frame " + std::to_string(frame),
                       Pose::kMoving);
            }
        }
    }

    Testing::LevelRun run{Testing::LevelRunOptions{.drawing = false}};
    std::string state_;
    std::map<std::string, std::vector<std::string>> failures_;
    std::map<std::string, int> counts_;
    std::vector<BallSight> balls_;
    std::vector<Target> bonusPoints_;
    float leastRoll_ = 0.0f;
    float mostRoll_ = 0.0f;
    float deepestRecoil_ = 0.0f;
    float lowestShare_ = 1.0f;
    float mostRopeShare_ = 0.0f;
    bool ropesLookedAt_ = false;
    std::string case_;
    std::set<std::string> seen_;
};

// At each length, with no gun, the arbalest and the ballista, holding the
// level's first ball with three ropes up: the camera sees every ball, the
// held one and a falling bonus past everything of the bat but its head,
// the craft shows as one with the head, a mounted gun shows whole, the
// catch box keeps its reach, balls at the head show over the bar, and the
// barrier leaves the balls at the bat in sight.
TEST_F(BatInView, NothingButTheHeadHidesABallAndTheCraftShowsAsOneWithIt)
{
    struct Case {
        std::string what;
        std::vector<GameLogic::BonusKind> bonuses;
    };
    const std::vector<Case> cases = {
        {"at length 20", {}},
        {"at length 60", {GameLogic::kBatIncrease, GameLogic::kBatIncrease}},
        {"at length 0", {GameLogic::kBatDecrease, GameLogic::kBatDecrease, GameLogic::kBatDecrease}},
        {"at length 0 with an arbalest", {GameLogic::kArbalest}},
        {"at length 0 with a ballista", {GameLogic::kBallista}},
        {"at length 20 with a ballista", {GameLogic::kBatIncrease}},
        {"at length 20 with an arbalest", {GameLogic::kArbalest}},
        {"at length 60 with an arbalest", {GameLogic::kBatIncrease, GameLogic::kBatIncrease}},
        {"at length 60 with a ballista", {GameLogic::kBallista}},
    };
    for (const Case& c : cases) {
        for (const GameLogic::BonusKind bonus : c.bonuses)
            run.Logic().ApplyBonus(bonus);
        LookEverywhere(c.what);
    }
    EXPECT_TRUE(failures_.empty()) << Failures();
    // The looks reached the bat's largest roll either way and its deepest
    // recoil.
    EXPECT_NEAR(leastRoll_, -kLargestRoll, kTolerance);
    EXPECT_NEAR(mostRoll_, kLargestRoll, kTolerance);
    EXPECT_NEAR(deepestRecoil_, kDeepestRecoil, kTolerance);
    RecordProperty("least_share_of_a_ball_at_the_head_over_the_bar", std::to_string(lowestShare_));
    RecordProperty("most_of_a_ball_crossed_by_the_ropes", std::to_string(mostRopeShare_));
}

} // namespace
