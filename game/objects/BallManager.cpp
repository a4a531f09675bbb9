#include "game/objects/BallManager.h"

#include "engine/app/Engine.h"
#include "engine/core/Plane.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/Physics.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "framework/sound/SoundSet.h"
#include "game/SoundTable.h"
#include "game/level/GameField.h"
#include "game/objects/GameGeometry.h"
#include "game/objects/Ball.h"
#include "game/objects/Barrier.h"
#include "game/objects/Bat.h"
#include "game/objects/Block.h"
#include "game_tools/DataKeeper.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Tamrisk {

using Halvard::BoundingBox;
using Halvard::Model;
using Halvard::ParticleSystem;
using Halvard::Plane;
using Halvard::u32;
using Halvard::Vector2;
using Halvard::Vector3;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr u32 kHitSystems = 36;
constexpr float kFlareDepth = -0.6f;
constexpr float kSparkDepth = -0.3f;
constexpr float kSparkDepthPerUnit = 0.0005f;
constexpr float kMinSpeedBase = 50.0f;
constexpr float kMaxSpeedBase = 125.0f;
constexpr float kBaseSpeed = 60.0f;
constexpr float kBoost = 30.0f;
constexpr float kBoostRise = 30.0f;
constexpr float kBoostTime = 10.0f;
constexpr float kBoostGone = 0.0001f;
// Destroying every block of a level raises the speed this share of the way
// from the base to the maximum.
constexpr float kGrowthShare = 0.78f;
// The bat's collision box lies this much nearer the player than its head.
constexpr float kBatBoxShift = 3.0f;
constexpr float kReach = 1000.0f;
constexpr float kDeflectMin = kPi / 60.0f;
constexpr float kDeflectMax = kPi / 20.0f;
constexpr float kMatchTolerance = 0.01f;
constexpr float kDirectionEpsilon = 0.0001f;
const char* const kHitNames[2] = {"balls/simple/hit", "balls/super/hit"};

Vector2 Rotate(const Vector2& v, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return Vector2(c * v.x - s * v.y, s * v.x + c * v.y);
}

float Difference(const Vector2& a, const Vector2& b) { return std::fabs(a.x - b.x) + std::fabs(a.y - b.y); }

bool Matches(const Vector2& a, const Vector2& b)
{
    return std::fabs(a.x - b.x) < kMatchTolerance && std::fabs(a.y - b.y) < kMatchTolerance;
}

void AddOnce(std::vector<u32>& list, u32 id)
{
    if (std::find(list.begin(), list.end(), id) == list.end())
        list.push_back(id);
}

// Spare lives move the speed bounds: fewer lives, slower balls.
constexpr float kSpeedOffsets[12] = {-18.4f, -9.2f, -4.6f, -2.3f, 0.0f, 4.6f,
                                     9.2f,   13.8f, 18.4f, 23.0f, 27.6f, 32.2f};

} // namespace

BallManager::BallManager(Halvard::Engine* engine, GameTools::DataKeeper* data, Effects* effects,
                         const GameField* field, GameGeometry* geometry, Bat* bat, Barrier* barrier,
                         GameFramework::SoundSet* sounds, u32 lives)
    : engine_(engine), field_(field), geometry_(geometry), barrier_(barrier),
      bat_(bat), sounds_(sounds), lives_(lives)
{
    flares_ = engine->GetSpriteGroupManager()->CreateSpriteGroup(kMaxBalls, data->GetShaderUser("balls/flare"),
                                                                 nullptr);
    Model* flareModel = flares_->GetModel();
    flareModel->ClearFlags(Model::kDepthTest);
    flareModel->SetFlags(Model::kFixedDepth);
    flareModel->depth = kFlareDepth;
    physics_ = std::make_unique<Halvard::Physics>(engine->GetMessageManager());
    pool_.reserve(kMaxBalls);
    for (u32 i = 0; i < kMaxBalls; ++i)
        pool_.push_back(std::make_unique<Ball>(engine, data, effects, flares_));
    balls_.reserve(kMaxBalls);
    excluded_.reserve(2 * kMaxBalls + 2);
    risingExcluded_.reserve(excluded_.capacity());
    Halvard::ParticleSystemManager& systems = *engine->GetParticleSystemManager();
    for (u32 type = Ball::kSimple; type <= Ball::kSuper; ++type) {
        for (u32 i = 0; i < kHitSystems; ++i) {
            ParticleSystem* system = systems.CopyParticleSystem(*data->GetParticleSystem(kHitNames[type]));
            system->looping = false;
            if (Model* model = system->GetModel())
                model->SetFlags(Model::kFixedDepth);
            system->SetVisible(false);
            hits_[type].push_back(system);
        }
    }
    ReadWalls();
    ResetSpeed(false);
}

// The balls go first: they give their sprites back to the flare group.
BallManager::~BallManager()
{
    balls_.clear();
    pool_.clear();
    for (std::vector<ParticleSystem*>& list : hits_) {
        for (ParticleSystem* system : list)
            engine_->GetParticleSystemManager()->DestroyParticleSystem(system);
        list.clear();
    }
    engine_->GetSpriteGroupManager()->DestroySpriteGroup(flares_);
}

void BallManager::ReadWalls()
{
    for (const GameField::Wall& wall : field_->GetWalls()) {
        const BoundingBox& box = wall.placedBox;
        if (box.GetHalfSize().y < box.GetHalfSize().x) {
            topWall_ = box.GetWorldMin().y;
            hasTopWall_ = true;
        } else if (box.GetCenter().x <= 0.0f) {
            leftWall_ = box.GetWorldMax().x;
            hasLeftWall_ = true;
        } else {
            rightWall_ = box.GetWorldMin().x;
            hasRightWall_ = true;
        }
    }
}

void BallManager::Update(u32 lives, float scale)
{
    lives_ = lives;
    if (frozen_ != 0) {
        for (Ball* ball : balls_)
            if (ball->IsHeld())
                ball->Update(scale);
        return;
    }
    RemoveLostBalls();
    ReplaceEscapedBalls();
    ballsInPlay_ = std::any_of(balls_.begin(), balls_.end(), [](const Ball* ball) { return !ball->IsHeld(); });
    RunSpeedEffects();
    for (Ball* ball : balls_)
        ball->SetSpeed(speed_);
    if (launchRequested_ != 0) {
        auto held = std::find_if(balls_.begin(), balls_.end(), [](const Ball* ball) { return ball->IsHeld(); });
        if (held != balls_.end())
            (*held)->Release();
        launchRequested_ = 0;
    }
    RegisterPhysicsObjects();
    excluded_.clear();
    // A ball keeper broken on the way adds its ball at the end of the list:
    // it starts moving next frame.
    const std::size_t count = balls_.size();
    for (std::size_t i = 0; i < count && i < balls_.size(); ++i) {
        Ball& ball = *balls_[i];
        MoveBall(ball, scale, excluded_);
        ball.Update(scale);
    }
    physics_->ClearObjects();
    for (const std::vector<ParticleSystem*>& list : hits_)
        for (ParticleSystem* system : list)
            if (system->IsVisible() && !system->emitting)
                system->SetVisible(false);
}

void BallManager::RemoveLostBalls()
{
    for (u32 i = 0; i < balls_.size();) {
        const Ball& ball = *balls_[i];
        if (!ball.IsHeld() && ball.GetPosition().y + ball.GetRadius() < kLossLine) {
            RemoveBall(i);
            PlaySound(kSoundBallLost);
        } else {
            ++i;
        }
    }
}

// Balls that left the field altogether come back as one ball on the bat,
// at no cost to the player.
void BallManager::ReplaceEscapedBalls()
{
    if (balls_.empty())
        return;
    const BoundingBox& bounds = field_->GetBounds();
    if (std::any_of(balls_.begin(), balls_.end(),
                    [&](const Ball* ball) { return ball->GetBoundingBox().Intersects(bounds); }))
        return;
    const u32 type = balls_.front()->GetType();
    while (!balls_.empty())
        RemoveBall(static_cast<u32>(balls_.size() - 1));
    AddBall(type);
}

void BallManager::RunSpeedEffects()
{
    if (ballsInPlay_ != 0) {
        const float dt = engine_->GetTimerManager()->GetFrameTime();
        speed_ += RunSpeedEffect(speedUp_, dt);
        speed_ -= RunSpeedEffect(slowDown_, dt);
    }
    speed_ = std::clamp(speed_, GetMinSpeed(), GetMaxSpeed());
}

float BallManager::RunSpeedEffect(SpeedEffect& effect, float dt) const
{
    if (effect.active == 0)
        return 0.0f;
    effect.time += dt;
    const bool rising = effect.time < kBoostTime;
    const float delta =
        rising ? std::min(kBoostRise * dt, kBoost - effect.amount) : std::max(-kBoostRise * dt, -effect.amount);
    effect.amount += delta;
    if (!rising && effect.amount < kBoostGone)
        effect = SpeedEffect{};
    return delta;
}

void BallManager::RegisterPhysicsObjects()
{
    const BoundingBox& head = bat_->GetHeadBox();
    physics_->AddStaticObject(
        BoundingBox(Vector3(head.GetWorldMin().x, head.GetWorldMin().y - kBatBoxShift, -kReach),
                    Vector3(head.GetWorldMax().x, head.GetWorldMax().y - kBatBoxShift, kReach)),
        kBatId);
    if (barrier_ != nullptr && barrier_->GetStrength() != 0) {
        const BoundingBox& box = barrier_->GetBox();
        physics_->AddStaticObject(BoundingBox(Vector3(-kReach, box.GetWorldMin().y, -kReach),
                                              Vector3(kReach, box.GetWorldMax().y, kReach)),
                                  kBarrierId);
    }
    const std::vector<Block*>& blocks = geometry_->GetBlocks();
    for (u32 i = 0; i < blocks.size(); ++i) {
        Block& block = *blocks[i];
        // A ball rolls on the field: only what stands on the ground is met.
        if (!block.IsAlive() || !block.GetSupports().empty())
            continue;
        if (block.GetCollisionModel() != nullptr)
            physics_->AddModelObject(block.GetCollisionModel(), block.GetTransform(), kFirstBlockId + i);
        else
            physics_->AddTransformedObject(block.GetLocalBox(), block.GetTransform(), kFirstBlockId + i);
    }
}

void BallManager::MoveBall(Ball& ball, float scale, std::vector<u32>& excluded)
{
    if (ball.IsHeld())
        return;
    const Vector2 start = ball.GetPosition();
    const Vector2 direction = ball.GetDirection();
    const Vector2 step = direction * (engine_->GetTimerManager()->GetFrameTime() * scale * ball.GetSpeed());
    const float r = ball.GetRadius();
    Vector2 end = start + step;
    Plane plane;
    u32 id = 0;
    const float length = step.Length();
    bool collided = length > 0.0f && physics_->Move(r, Vector3(start.x, start.y, r), step,
                                                    PassedBy(direction, excluded), end, plane, id);
    // The field is convex: what lies beyond a wall is met only after the wall.
    WallContact wall;
    const bool walled = FindWall(start, step, r, wall) && (!collided || wall.fraction * length < (end - start).Length());
    if (walled) {
        collided = false;
        end = wall.position;
        plane.SetNormalAndPoint(wall.normal, wall.point);
    }
    ball.SetPosition(end);
    ball.SetStep(end - start);
    if (!collided && !walled)
        return;

    Vector3 point = plane.ProjectPoint(Vector3(end.x, end.y, 0.0f));
    Vector2 bounced = ReflectDirection(plane, start, direction);
    bool deflect = true;
    if (walled) {
        ShowHitEffect(ball, point);
        PlaySound(ball.GetType() == Ball::kSuper ? kSoundBallHitFieldSuper : kSoundBallHitFieldSimple);
    } else if (id == kBatId) {
        ShowHitEffect(ball, point);
        deflect = false;
        bounced = bat_->GetBounceDirection(end);
        bat_->Recoil();
        PlaySound(kSoundBallHitBat);
    } else if (id == kBarrierId) {
        ShowHitEffect(ball, point);
        PlaySound(kSoundBallHitBarrier);
        barrier_->Hit();
        if (barrier_->GetStrength() == 0)
            AddOnce(excluded, kBarrierId);
        deflect = false;
    } else if (id >= kFirstBlockId) {
        HitBlock(ball, id, point, excluded);
    }
    if (bounced.Length() < kDirectionEpsilon)
        bounced = direction * -1.0f;
    ball.SetDirection(deflect ? Deflect(direction, bounced) : bounced);
}

// A ball on its way up passes through the bat and the barrier, out of the
// box it has just bounced from; only that ball does: the balls after it in
// the frame still meet them.
const std::vector<u32>& BallManager::PassedBy(const Vector2& direction, const std::vector<u32>& excluded)
{
    if (direction.y <= 0.0f)
        return excluded;
    risingExcluded_ = excluded;
    AddOnce(risingExcluded_, kBatId);
    AddOnce(risingExcluded_, kBarrierId);
    return risingExcluded_;
}

bool BallManager::FindWall(const Vector2& start, const Vector2& step, float radius, WallContact& contact) const
{
    struct Face {
        bool heading;
        // Where the ball's centre stands when its edge touches the face.
        float limit;
        float from;
        float move;
        Vector3 normal;
        Vector3 point;
    };
    const Face faces[3] = {
        {hasLeftWall_ && step.x < 0.0f, leftWall_ + radius, start.x, step.x, Vector3(1.0f, 0.0f, 0.0f),
         Vector3(leftWall_, 0.0f, 0.0f)},
        {hasRightWall_ && step.x > 0.0f, rightWall_ - radius, start.x, step.x, Vector3(-1.0f, 0.0f, 0.0f),
         Vector3(rightWall_, 0.0f, 0.0f)},
        {hasTopWall_ && step.y > 0.0f, topWall_ - radius, start.y, step.y, Vector3(0.0f, -1.0f, 0.0f),
         Vector3(0.0f, topWall_, 0.0f)},
    };
    bool found = false;
    for (u32 i = 0; i < 3; ++i) {
        const Face& face = faces[i];
        // Only a ball heading for a wall and ending beyond its face meets it.
        if (!face.heading || (face.from + face.move - face.limit) * face.move <= 0.0f)
            continue;
        const float fraction = std::max((face.limit - face.from) / face.move, 0.0f);
        if (fraction >= contact.fraction)
            continue;
        contact.fraction = fraction;
        contact.position = start + step * fraction;
        (i < 2 ? contact.position.x : contact.position.y) = face.limit;
        contact.normal = face.normal;
        contact.point = face.point;
        found = true;
    }
    return found;
}

void BallManager::HitBlock(const Ball& ball, u32 id, Vector3 point, std::vector<u32>& excluded)
{
    const std::vector<Block*>& blocks = geometry_->GetBlocks();
    if (id - kFirstBlockId >= blocks.size())
        return;
    Block* block = blocks[id - kFirstBlockId];
    block->Destroy(ball.GetType(), true);
    if (!block->IsAlive()) {
        AddOnce(excluded, id);
        const u32 count = geometry_->GetInitialBlocksToDestroy();
        if (count > 0)
            speed_ += (kGrowthShare * GetMaxSpeed() + (1.0f - kGrowthShare) * GetBaseSpeed() - GetBaseSpeed()) /
                      static_cast<float>(count);
    }
    point.z = block->GetBox().GetCenter().z;
    ShowHitEffect(ball, point);
    if (Ball* released = block->GetReleasedBall())
        released->SetDirection(ball.GetDirection());
}

Vector2 BallManager::ReflectDirection(const Plane& plane, const Vector2& position, const Vector2& direction)
{
    const Halvard::Ray ray(Vector3(position.x, position.y, 0.0f), Vector3(direction.x, direction.y, 0.0f));
    float t = 0.0f;
    if (!plane.IntersectRay(ray, t))
        return Vector2(plane.GetNormal().x, plane.GetNormal().y);
    const Vector3 hit = ray.origin + ray.direction * t;
    Vector3 beyond = ray.origin + ray.direction * (2.0f * t);
    beyond = beyond - plane.GetNormal() * (2.0f * plane.GetDistance(beyond));
    Vector2 mirrored(beyond.x - hit.x, beyond.y - hit.y);
    mirrored.Normalize();
    return mirrored;
}

Vector2 BallManager::Deflect(const Vector2& oldDirection, const Vector2& newDirection)
{
    const Vector2 back(-oldDirection.x, -oldDirection.y);
    const float half = kPi / 2.0f;
    const float a = std::acos(std::clamp(back.x * newDirection.x + back.y * newDirection.y, -0.9999f, 0.9999f));
    const float sign = a <= half ? 1.0f : -1.0f;
    const float d = sign * (kDeflectMin + (kDeflectMax - kDeflectMin) * (1.0f - std::fabs(a - half) / half));
    const Vector2 p = Rotate(back, a);
    const Vector2 q = Rotate(back, -a);
    float angle = a + d;
    if (Matches(newDirection, p))
        angle = a + d;
    else if (Matches(newDirection, q) || Difference(newDirection, q) <= Difference(newDirection, p))
        angle = -a - d;
    return Rotate(back, angle);
}

Ball* BallManager::AddBall(u32 type)
{
    Ball* ball = nullptr;
    for (const std::unique_ptr<Ball>& candidate : pool_) {
        if (!candidate->IsActive()) {
            ball = candidate.get();
            balls_.push_back(ball);
            break;
        }
    }
    if (ball == nullptr) {
        auto same = std::find_if(pool_.begin(), pool_.end(),
                                 [type](const std::unique_ptr<Ball>& candidate) { return candidate->GetType() == type; });
        ball = same != pool_.end() ? same->get() : pool_.front().get();
    }
    ball->Activate(bat_, type);
    return ball;
}

void BallManager::RemoveBall(u32 index)
{
    if (index >= balls_.size())
        return;
    balls_[index]->Deactivate();
    balls_.erase(balls_.begin() + index);
}

bool BallManager::HasBallOnBat() const
{
    return std::any_of(balls_.begin(), balls_.end(), [](const Ball* ball) { return ball->IsHeld(); });
}

void BallManager::SetFrozen(bool frozen)
{
    frozen_ = frozen ? 1 : 0;
    for (Ball* ball : balls_)
        ball->SetFrozen(frozen);
}

void BallManager::SpeedUp() { speedUp_ = SpeedEffect{1, 0.0f, 0.0f}; }

void BallManager::SlowDown() { slowDown_ = SpeedEffect{1, 0.0f, 0.0f}; }

void BallManager::Split()
{
    const std::size_t sources = balls_.size();
    for (std::size_t i = 0; i < sources; ++i) {
        const Ball& source = *balls_[i];
        const u32 type = source.GetType();
        const Vector2 position = source.GetPosition();
        const bool held = source.IsHeld();
        Vector2 base = source.GetDirection();
        // With every ball in play the new ones may be taken from the old,
        // the source among them: everything it gives is read first.
        Ball* made[2] = {AddBall(type), nullptr};
        made[1] = AddBall(type);
        if (made[1] == made[0])
            made[1] = nullptr;
        if (held) {
            base = Vector2(Halvard::RandomSigned(), Halvard::RandomUnit() + 0.1f);
            base.Normalize();
        }
        for (u32 k = 0; k < 2; ++k) {
            if (made[k] == nullptr)
                continue;
            made[k]->Release();
            made[k]->SetPosition(position);
            made[k]->SetDirection(Rotate(base, static_cast<float>(k + 1) * 2.0f * kPi / 3.0f));
            made[k]->Update(1.0f);
        }
        if (balls_.size() >= kSplitLimit)
            break;
    }
}

void BallManager::MakeSuper()
{
    for (Ball* ball : balls_)
        ball->SetType(Ball::kSuper);
}

void BallManager::ResetSpeed(bool afterLoss)
{
    if (!afterLoss) {
        speed_ = GetBaseSpeed();
    } else {
        speed_ += slowDown_.amount - speedUp_.amount;
        speed_ = 0.5f * GetBaseSpeed() + 0.5f * speed_;
    }
    speed_ = std::clamp(speed_, GetMinSpeed(), GetMaxSpeed());
    speedUp_ = SpeedEffect{};
    slowDown_ = SpeedEffect{};
}

float BallManager::SpeedOffset() const { return kSpeedOffsets[std::min<u32>(lives_, 11)]; }

float BallManager::GetBaseSpeed() const { return kBaseSpeed + SpeedOffset(); }

float BallManager::GetMinSpeed() const { return GetBaseSpeed() + kMinSpeedBase - kBaseSpeed; }

float BallManager::GetMaxSpeed() const { return GetBaseSpeed() + kMaxSpeedBase - kBaseSpeed; }

void BallManager::ShowHitEffect(const Ball& ball, const Vector3& point)
{
    const std::vector<ParticleSystem*>& list = hits_[ball.GetType()];
    auto idle = std::find_if(list.begin(), list.end(), [](const ParticleSystem* system) { return !system->emitting; });
    ParticleSystem* system = idle != list.end() ? *idle : nullptr;
    if (system == nullptr) {
        // Every spark is busy: the oldest burst is cut short.
        system = list[Halvard::RandomIndex(static_cast<u32>(list.size()))];
        for (ParticleSystem* other : list)
            if (other->emissionTime > system->emissionTime)
                system = other;
    }
    system->SetPosition(point);
    if (Model* model = system->GetModel()) {
        const Vector3 eye = engine_->GetCameraManager()->GetDefaultCamera()->position;
        model->depth = kSparkDepth - kSparkDepthPerUnit * (point - eye).Length();
    }
    system->SetVisible(true);
    system->Clear();
    system->emissionTime = 0.0f;
    system->emitting = true;
}

void BallManager::PlaySound(u32 id) const
{
    if (sounds_ != nullptr)
        sounds_->PlaySound(id);
}

} // namespace Tamrisk
