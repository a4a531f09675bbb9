#include "game/objects/Bullet.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "framework/sound/SoundSet.h"
#include "game/level/Effects.h"
#include "game/level/GameField.h"
#include "game/objects/GameGeometry.h"
#include "game/level/Shadow.h"
#include "game/objects/Block.h"

#include <algorithm>

using namespace Halvard;

namespace Tamrisk {

namespace {

// The bolt slows by this share of its speed per second, down to its base
// speed.
constexpr float kDrag = 1.5f;
constexpr float kSinkSpeed = 10.0f;
constexpr float kFlightHeight = 1.0f;
// How far behind the bolt's centre the train starts, in half lengths.
constexpr float kTrainBehind = 0.85f;
constexpr float kWallReach = 1000.0f;
constexpr float kEffectDepth = -0.3f;
constexpr float kEffectDepthPerUnit = 0.0005f;

ParticleSystem* CopyEffect(ParticleSystemManager* systems, const ParticleSystem* source, bool looping)
{
    if (source == nullptr)
        return nullptr;
    ParticleSystem* system = systems->CopyParticleSystem(*source);
    system->looping = looping;
    system->GetModel()->SetFlags(Model::kFixedDepth);
    system->SetVisible(false);
    return system;
}

// A fresh cycle, shown: a bolt taken again while its last effects still
// run starts them over.
void Restart(ParticleSystem* system)
{
    system->Stop();
    system->emitting = true;
    system->SetVisible(true);
}

bool Spent(const ParticleSystem& system) { return !system.emitting && system.liveCount == 0; }

} // namespace

Bullet::Bullet(Engine* engine, Effects* effects, const GameField* field, GameGeometry* geometry,
               GameFramework::SoundSet* sounds, const Model& model, const ParticleSystem* train,
               const ParticleSystem* destruction, const BulletSettings& settings)
    : engine_(engine)
    , timers_(engine->GetTimerManager())
    , models_(engine->GetModelManager())
    , particleSystems_(engine->GetParticleSystemManager())
    , effects_(effects)
    , field_(field)
    , geometry_(geometry)
    , sounds_(sounds)
    , trainOffset_(0.0f)
    , settings_(settings)
{
    MatrixIdentity(launchTransform_);
    model_ = models_->CopyModel(model, engine->GetCameraManager()->GetDefaultCamera(), 0);
    model_->ClearFlags(Model::kVisible);
    shadow_ = effects_->AddShadow(model_, true);
    train_ = CopyEffect(particleSystems_, train, true);
    destruction_ = CopyEffect(particleSystems_, destruction, false);
}

Bullet::~Bullet()
{
    effects_->RemoveShadow(shadow_);
    models_->DestroyModel(model_);
    particleSystems_->DestroyParticleSystem(train_);
    particleSystems_->DestroyParticleSystem(destruction_);
}

void Bullet::Launch(const Matrix4& transform)
{
    launchTransform_ = transform;
    Vector3 direction = transform.TransformPoint(Vector3(0.0f, 1.0f, 0.0f)) - transform.TransformPoint(Vector3(0.0f));
    direction.Normalize();
    MatrixIdentity(model_->worldMatrix);
    MatrixIdentity(model_->localMatrix);
    model_->boundingBox.SetTransform(model_->worldMatrix);
    model_->SetFlags(Model::kVisible);
    shadow_->SetVisible(true);
    if (train_ != nullptr) {
        Restart(train_);
        trainOffset_ = -direction * (kTrainBehind * model_->boundingBox.GetHalfSize().y);
    }
    offset_ = Vector3(0.0f);
    speed_ = settings_.baseSpeed * settings_.launchFactor;
    active_ = 1;
    hit_ = 0;
    frozen_ = 0;
    PlaceModels();
}

void Bullet::Update(float scale)
{
    if (active_ == 0)
        return;
    if (hit_ == 0)
        Fly(scale);
    else
        RunOut();
    if (active_ == 0) {
        hit_ = 0;
        model_->ClearFlags(Model::kVisible);
    }
}

void Bullet::Fly(float scale)
{
    const float f = timers_->GetFrameTime() * scale;
    const float step = speed_ * f;
    offset_.y += step;
    speed_ = std::max(speed_ - speed_ * kDrag * f, settings_.baseSpeed);

    const BoundingBox& box = model_->boundingBox;
    float drop = -kSinkSpeed * f;
    if (box.GetWorldMin().z + drop < kFlightHeight)
        drop = kFlightHeight - box.GetWorldMin().z;
    offset_.z += drop;

    const Vector3& min = box.GetWorldMin();
    const Vector3& max = box.GetWorldMax();
    BoundingBox swept(Vector3(min.x, min.y, 0.0f), Vector3(max.x, max.y + step, max.z));
    hit_ = HitBlocks(swept) ? 1 : 0;
    if (hit_ == 0 && HitWalls(swept)) {
        hit_ = 1;
        if (sounds_ != nullptr)
            sounds_->PlaySound(settings_.hitSound);
    }
    if (hit_ == 0 && settings_.floorTest && max.z < 0.0f && box.Intersects(swept))
        hit_ = 1;
    if (hit_ != 0)
        Explode();
    PlaceModels();
}

// Only blocks with nothing standing on them can be hit. A piercing bolt
// destroys every one it meets and flies on.
bool Bullet::HitBlocks(const BoundingBox& swept)
{
    for (Block* block : geometry_->GetBlocks()) {
        if (!block->GetAbove().empty() || !block->IsAlive() || !block->GetBox().Intersects(swept))
            continue;
        block->Destroy(Block::kSuper, settings_.blockHitSpread);
        if (!settings_.piercing)
            return true;
    }
    return false;
}

bool Bullet::HitWalls(const BoundingBox& swept) const
{
    const BoundingBox tall(Vector3(swept.GetWorldMin().x, swept.GetWorldMin().y, -kWallReach),
                           Vector3(swept.GetWorldMax().x, swept.GetWorldMax().y, kWallReach));
    return std::any_of(field_->GetWalls().begin(), field_->GetWalls().end(),
                       [&](const GameField::Wall& wall) { return wall.placedBox.Intersects(tall); });
}

void Bullet::Explode()
{
    model_->ClearFlags(Model::kVisible);
    shadow_->SetVisible(false);
    if (train_ != nullptr)
        train_->emitting = false;
    if (destruction_ == nullptr)
        return;
    const Vector3 centre = model_->boundingBox.GetCenter();
    destruction_->SetPosition(centre);
    const Vector3& eye = engine_->GetCameraManager()->GetDefaultCamera()->position;
    destruction_->GetModel()->depth = kEffectDepth - kEffectDepthPerUnit * (centre - eye).Length();
    Restart(destruction_);
}

// The train goes first, then the destruction; the bolt is free once neither
// shows.
void Bullet::RunOut()
{
    if (train_ != nullptr && train_->IsVisible()) {
        if (Spent(*train_))
            train_->SetVisible(false);
    } else if (destruction_ != nullptr && destruction_->IsVisible()) {
        if (Spent(*destruction_))
            destruction_->SetVisible(false);
    }
    const bool trainShows = train_ != nullptr && train_->IsVisible();
    const bool destructionShows = destruction_ != nullptr && destruction_->IsVisible();
    if (!trainShows && !destructionShows)
        active_ = 0;
}

void Bullet::SetFrozen(bool frozen)
{
    frozen_ = frozen ? 1 : 0;
    if (train_ != nullptr && hit_ == 0)
        train_->emitting = !frozen;
}

void Bullet::PlaceModels()
{
    Matrix4 offset;
    MatrixTranslation(offset, offset_);
    model_->worldMatrix = launchTransform_ * offset * model_->localMatrix;
    model_->boundingBox.SetTransform(model_->worldMatrix);
    if (train_ == nullptr)
        return;
    const Vector3 position = model_->boundingBox.GetCenter() + trainOffset_;
    train_->SetPosition(position);
    const Vector3& eye = engine_->GetCameraManager()->GetDefaultCamera()->position;
    train_->GetModel()->depth = kEffectDepth - kEffectDepthPerUnit * (position - eye).Length();
}

const BoundingBox& Bullet::GetBox() const { return model_->boundingBox; }

} // namespace Tamrisk
