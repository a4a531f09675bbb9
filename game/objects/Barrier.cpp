#include "game/objects/Barrier.h"

#include "engine/app/Engine.h"
#include "engine/core/StringUtils.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "game/level/Effects.h"
#include "game/level/Shadow.h"
#include "game_tools/DataKeeper.h"

namespace Tamrisk {

using Halvard::Model;
using Halvard::u32;
using Halvard::Vector3;

namespace {

constexpr u32 kPostCount = 2;
// The box reaches this far above and below rope 0, so that a ball meets it
// at whatever height it rolls.
constexpr float kDepthReach = 1000.0f;

void Restart(Model* model)
{
    Halvard::AnimationControl& animation = model->GetAnimationControl();
    animation.Stop();
    animation.Play();
}

} // namespace

Barrier::Barrier(Halvard::Engine* engine, GameTools::DataKeeper* data, Effects* effects, GameFramework::SoundSet*)
    : models_(engine->GetModelManager()), effects_(effects)
{
    Halvard::Camera* camera = engine->GetCameraManager()->GetDefaultCamera();
    for (u32 i = 0; i < kPostCount; ++i) {
        Model* post = models_->CopyModel(*data->GetModel("barrier/hardware_" + Halvard::UIntToString(i)), camera, 0);
        post->GetAnimationControl().Stop();
        posts_.push_back(post);
        Shadow* shadow = effects_->AddShadow(post, true);
        shadow->SetVisible(false);
        postShadows_.push_back(shadow);
    }
    for (u32 i = 0; i < kMaxStrength; ++i) {
        Model* rope = models_->CopyModel(*data->GetModel("barrier/rope_" + Halvard::UIntToString(i)), camera, 0);
        rope->ClearFlags(Model::kVisible);
        rope->GetAnimationControl().Stop();
        ropes_.push_back(rope);
    }
    ropeShadow_ = effects_->AddShadow(ropes_[0], true);
    ropeShadow_->SetVisible(false);
    const Halvard::BoundingBox& rope = ropes_[0]->boundingBox;
    box_.SetMinMax(rope.GetWorldMin() - Vector3(0.0f, 0.0f, kDepthReach),
                   rope.GetWorldMax() + Vector3(0.0f, 0.0f, kDepthReach));
}

Barrier::~Barrier()
{
    effects_->RemoveShadow(ropeShadow_);
    for (Shadow* shadow : postShadows_)
        effects_->RemoveShadow(shadow);
    for (Model* model : posts_)
        models_->DestroyModel(model);
    for (Model* model : ropes_)
        models_->DestroyModel(model);
}

void Barrier::Activate()
{
    if (strength_ >= kMaxStrength)
        return;
    Restart(posts_[strength_ % kPostCount]);
    Model* rope = ropes_[strength_];
    rope->SetFlags(Model::kVisible);
    Restart(rope);
    ++strength_;
}

void Barrier::Hit()
{
    if (strength_ == 0)
        return;
    ropes_[strength_ - 1]->ClearFlags(Model::kVisible);
    --strength_;
}

void Barrier::Update() { ropeShadow_->SetVisible(false); }

} // namespace Tamrisk
