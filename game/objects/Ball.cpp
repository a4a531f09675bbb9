#include "game/objects/Ball.h"

#include "engine/app/Engine.h"
#include "engine/core/Random.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/SpriteGroup.h"
#include "game/level/Effects.h"
#include "game/level/Shadow.h"
#include "game/objects/Bat.h"
#include "game_tools/DataKeeper.h"

#include <algorithm>

namespace Tamrisk {

using Halvard::Matrix4;
using Halvard::Model;
using Halvard::ParticleSystem;
using Halvard::u32;
using Halvard::Vector2;
using Halvard::Vector3;

namespace {

const char* const kModelNames[2] = {"balls/simple/model", "balls/super/model"};
const char* const kTrailNames[2] = {"balls/simple/train", "balls/super/train"};
constexpr float kFlareSize = 2.0f;
constexpr float kFlareOffset = 0.15f;
// A held ball sits right of the bat's middle, sunk into its front a little.
constexpr float kHeldShift = 0.3f;
constexpr float kHeldSink[2] = {2.0f, 3.0f};
constexpr float kMaxStartRoll = 10.0f;
constexpr float kTrailDepth = -0.3f;
constexpr float kTrailDepthPerUnit = 0.0005f;

Matrix4 Identity()
{
    Matrix4 matrix;
    Halvard::MatrixIdentity(matrix);
    return matrix;
}

void Show(Model* model, Shadow* shadow, bool visible)
{
    if (visible)
        model->SetFlags(Model::kVisible);
    else
        model->ClearFlags(Model::kVisible);
    shadow->SetVisible(visible);
}

} // namespace

Ball::Ball(Halvard::Engine* engine, GameTools::DataKeeper* data, Effects* effects, Halvard::SpriteGroup* flares)
    : engine_(engine), modelManager_(engine->GetModelManager()), particleSystems_(engine->GetParticleSystemManager()),
      effects_(effects), flareGroup_(flares)
{
    Halvard::Camera* camera = engine->GetCameraManager()->GetDefaultCamera();
    for (u32 type = kSimple; type <= kSuper; ++type) {
        Model* model = modelManager_->CopyModel(*data->GetModel(kModelNames[type]), camera, 0);
        model->localMatrix = model->worldMatrix;
        const Vector3 half = (model->boundingBox.GetLocalMax() - model->boundingBox.GetLocalMin()) * 0.5f;
        radii_[type] = std::min({half.x, half.y, half.z});
        orientations_[type] = Identity();
        models_[type] = model;
        shadows_[type] = effects_->AddShadow(model, true);
        Show(model, shadows_[type], false);

        ParticleSystem* trail = particleSystems_->CopyParticleSystem(*data->GetParticleSystem(kTrailNames[type]));
        trail->looping = true;
        if (Model* trailModel = trail->GetModel())
            trailModel->SetFlags(Model::kFixedDepth);
        trail->SetVisible(false);
        trails_[type] = trail;
    }
}

Ball::~Ball()
{
    if (hasFlare_)
        flareGroup_->RemoveSprite(flareIndex_);
    for (u32 type = kSimple; type <= kSuper; ++type) {
        effects_->RemoveShadow(shadows_[type]);
        modelManager_->DestroyModel(models_[type]);
        particleSystems_->DestroyParticleSystem(trails_[type]);
    }
}

void Ball::Activate(Bat* bat, u32 type)
{
    Deactivate();
    bat_ = bat;
    holdOffset_ = bat != nullptr ? bat->GetHead()->boundingBox.GetLocalMax().y : 0.0f;
    orientations_[kSimple] = orientations_[kSuper] = Identity();
    flareIndex_ = flareGroup_->AddSprite(Vector3(0.0f), kFlareSize, Halvard::Vector4(1.0f, 1.0f, 1.0f, 1.0f));
    hasFlare_ = flareIndex_ != Halvard::SpriteGroup::kNoSprite;
    SetType(type);
    trail_->emissionTime = 0.0f;
    trail_->SetVisible(true);
    position_ = Vector2(0.0f, 0.0f);
    direction_ = Vector2(1.0f, 0.0f);
    step_ = Vector2(0.0f, 0.0f);
    if (bat_ != nullptr)
        position_ = GetHeldPosition();
    active_ = 1;
    frozen_ = 0;
    PlaceModels(Halvard::RandomFloat(0.0f, kMaxStartRoll));
}

void Ball::Deactivate()
{
    for (u32 type = kSimple; type <= kSuper; ++type)
        Show(models_[type], shadows_[type], false);
    if (hasFlare_)
        flareGroup_->RemoveSprite(flareIndex_);
    hasFlare_ = false;
    if (trail_ != nullptr)
        trail_->Stop();
    active_ = 0;
    frozen_ = 0;
}

void Ball::SetType(u32 type)
{
    type_ = type == kSuper ? kSuper : kSimple;
    Show(models_[kSimple], shadows_[kSimple], type_ == kSimple);
    Show(models_[kSuper], shadows_[kSuper], type_ == kSuper);

    ParticleSystem* wanted = trails_[type_];
    if (trail_ == wanted && trail_->emitting)
        return;
    bool wasEmitting = false;
    if (trail_ != nullptr) {
        wasEmitting = trail_->emitting;
        trail_->Stop();
    }
    trail_ = wanted;
    trail_->SetVisible(true);
    if (wasEmitting) {
        trail_->Clear();
        trail_->emissionTime = 0.0f;
        trail_->emitting = true;
    }
}

void Ball::SetFrozen(bool frozen)
{
    frozen_ = frozen ? 1 : 0;
    if (trail_ == nullptr)
        return;
    if (frozen)
        trail_->emitting = false;
    else if (bat_ == nullptr)
        trail_->emitting = true;
}

void Ball::Release()
{
    if (bat_ == nullptr)
        return;
    direction_ = bat_->GetBounceDirection(position_);
    bat_ = nullptr;
    trail_->emitting = true;
}

Vector2 Ball::GetHeldPosition() const
{
    if (bat_ == nullptr)
        return position_;
    const Model& head = *bat_->GetHead();
    const Halvard::BoundingBox& box = head.boundingBox;
    const float front = head.worldMatrix.TransformPoint(Vector3(0.0f, holdOffset_, 0.0f)).y;
    return Vector2(box.GetCenter().x + kHeldShift * box.GetHalfSize().x, front + GetRadius() - kHeldSink[type_]);
}

void Ball::Update(float)
{
    if (active_ == 0)
        return;
    if (bat_ != nullptr) {
        position_ = GetHeldPosition();
        PlaceModels(0.0f);
        return;
    }
    PlaceModels(step_.Length());
}

void Ball::PlaceModels(float rolled)
{
    const float r = GetRadius();
    Matrix4 roll = Identity();
    if (rolled != 0.0f && r > 0.0f)
        Halvard::MatrixRotationAxis(roll, Vector3(direction_.y, -direction_.x, 0.0f), -rolled / (2.0f * r));
    for (u32 type = kSimple; type <= kSuper; ++type) {
        orientations_[type] = roll * orientations_[type];
        Matrix4 place;
        Halvard::MatrixTranslation(place, Vector3(position_.x, position_.y, radii_[type]));
        models_[type]->worldMatrix = place * orientations_[type];
        models_[type]->boundingBox.SetTransform(models_[type]->worldMatrix);
    }
    if (Halvard::SpriteGroup::Sprite* flare = hasFlare_ ? flareGroup_->GetSprite(flareIndex_) : nullptr)
        flare->position = Vector3(position_.x - kFlareOffset * r, position_.y + kFlareOffset * r, r + kFlareOffset * r);
    if (trail_ == nullptr)
        return;
    const Vector3 centre = GetBoundingBox().GetCenter();
    trail_->SetPosition(centre);
    if (Model* trailModel = trail_->GetModel()) {
        const Vector3 eye = engine_->GetCameraManager()->GetDefaultCamera()->position;
        trailModel->depth = kTrailDepth - kTrailDepthPerUnit * (centre - eye).Length();
    }
}

const Halvard::BoundingBox& Ball::GetBoundingBox() const { return models_[type_]->boundingBox; }

} // namespace Tamrisk
