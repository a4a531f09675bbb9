#include "game/objects/Bonus.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/SpriteGroup.h"
#include "game_tools/DataKeeper.h"

#include <numbers>

using namespace Halvard;

namespace Tamrisk {

namespace {

// Overlapping flares each get a depth of their own, by sprite index.
constexpr float kFlareHeight = 0.2f;
constexpr float kFlareHeightPerIndex = 0.01f;
// Half a turn per second of falling.
constexpr float kFlareSpin = std::numbers::pi_v<float>;
constexpr float kCatchEffectDepth = -0.298f;

void Hide(Model* model) { model->ClearFlags(Model::kVisible); }

} // namespace

Bonus::Bonus(Engine* engine, GameTools::DataKeeper* data, u32 kind, Model* model, const std::string& name,
             SpriteGroup* flares, float flareSize, const Vector4& colour)
    : timers_(engine->GetTimerManager())
    , models_(engine->GetModelManager())
    , particleSystems_(engine->GetParticleSystemManager())
    , kind_(kind)
    , model_(model)
    , flares_(flares)
    , flareSize_(flareSize)
    , colour_(colour)
{
    if (model_ == nullptr)
        model_ = models_->CopyModel(*data->GetModel("bonuses/" + name),
                                    engine->GetCameraManager()->GetDefaultCamera(), 0);
    MatrixIdentity(model_->localMatrix);
    AnimationControl& animation = model_->GetAnimationControl();
    animation.looping = 1;
    animation.Stop();
    Hide(model_);

    catchEffect_ = particleSystems_->CopyParticleSystem(*data->GetParticleSystem("bonuses/catch"));
    catchEffect_->looping = false;
    catchEffect_->SetVisible(false);
}

Bonus::~Bonus()
{
    models_->DestroyModel(model_);
    if (hasFlare_)
        flares_->RemoveSprite(flareIndex_);
    particleSystems_->DestroyParticleSystem(catchEffect_);
}

void Bonus::Start(const Vector2& point)
{
    if (active_ != 0)
        return;
    position_ = point;
    active_ = 1;
    caught_ = 0;
    flareIndex_ = flares_->AddSprite(Vector3(0.0f, 0.0f, 0.0f), flareSize_, colour_);
    // A full group gives no sprite: this bonus falls without a flare.
    hasFlare_ = flareIndex_ != SpriteGroup::kNoSprite;
    model_->GetAnimationControl().Play();
    model_->SetFlags(Model::kVisible);
    UpdateTransform();
}

void Bonus::UpdateTransform()
{
    Matrix4 translation;
    MatrixTranslation(translation, Vector3(position_.x, position_.y, 0.0f));
    model_->worldMatrix = translation * model_->localMatrix;
    model_->boundingBox.SetTransform(model_->worldMatrix);
    if (SpriteGroup::Sprite* flare = hasFlare_ ? flares_->GetSprite(flareIndex_) : nullptr)
        flare->position =
            Vector3(position_.x, position_.y, kFlareHeight + kFlareHeightPerIndex * static_cast<float>(flareIndex_));
}

void Bonus::Update(float scale)
{
    if (active_ == 0)
        return;
    if (caught_ == 0) {
        const float d = timers_->GetFrameTime() * scale;
        position_.y -= kFallSpeed * d;
        if (SpriteGroup::Sprite* flare = hasFlare_ ? flares_->GetSprite(flareIndex_) : nullptr)
            flare->angle += kFlareSpin * d;
        UpdateTransform();
        if (position_.y < kMissLine)
            active_ = 0;
        return;
    }
    if (!catchEffect_->emitting && catchEffect_->liveCount == 0) {
        active_ = 0;
        catchEffect_->SetVisible(false);
    }
}

void Bonus::Catch()
{
    caught_ = 1;
    Hide(model_);
    if (hasFlare_)
        flares_->RemoveSprite(flareIndex_);
    hasFlare_ = false;
    catchEffect_->SetPosition(model_->boundingBox.GetCenter());
    catchEffect_->emissionTime = 0.0f;
    catchEffect_->emitting = true;
    catchEffect_->SetVisible(true);
    Model* effectModel = catchEffect_->GetModel();
    effectModel->SetFlags(Model::kFixedDepth);
    effectModel->depth = kCatchEffectDepth;
}

const BoundingBox& Bonus::GetBoundingBox() const { return model_->boundingBox; }

Model* Bonus::DetachModel()
{
    Model* model = model_;
    model_ = nullptr;
    return model;
}

} // namespace Tamrisk
