#include "game/objects/GunPart.h"

#include "engine/app/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "game/level/Effects.h"
#include "game/level/Shadow.h"

using namespace Halvard;

namespace Tamrisk {

namespace {

// A hidden copy whose own placement is where the source stands, placed on
// the mount every frame; its animation waits for the part to start it. The
// part decides when an animation ends, so none loops.
Model* CopyPart(ModelManager* models, Camera* camera, const Model& source)
{
    Model* model = models->CopyModel(source, camera, 0);
    model->ClearFlags(Model::kVisible);
    model->localMatrix = model->worldMatrix;
    AnimationControl& animation = model->GetAnimationControl();
    animation.looping = 0;
    animation.Stop();
    return model;
}

void Play(Model* model, i32 id)
{
    AnimationControl& animation = model->GetAnimationControl();
    animation.SetAnimation(id);
    animation.Play();
}

void SetVisible(Model* model, bool visible)
{
    if (visible)
        model->SetFlags(Model::kVisible);
    else
        model->ClearFlags(Model::kVisible);
}

void PlaceOn(Model* model, const Matrix4& mount)
{
    model->worldMatrix = mount * model->localMatrix;
    model->boundingBox.SetTransform(model->worldMatrix);
}

} // namespace

GunPart::GunPart(Engine* engine, Effects* effects, const Matrix4* mount, const Model& gun, const Model& bullet,
                 const GunAnimations& animations)
    : models_(engine->GetModelManager()), effects_(effects), mount_(mount)
{
    Camera* camera = engine->GetCameraManager()->GetDefaultCamera();
    gun_ = CopyPart(models_, camera, gun);
    bullet_ = CopyPart(models_, camera, bullet);

    AnimationControl& gunAnimation = gun_->GetAnimationControl();
    gunAnimation.AddAnimation(kMount, animations.mount[0], animations.mount[1]);
    gunAnimation.AddAnimation(kShot, animations.shot[0], animations.shot[1]);
    gunAnimation.AddAnimation(kReady, animations.ready[0], animations.ready[1]);
    gunAnimation.AddAnimation(kUnmount, animations.unmount[0], animations.unmount[1]);
    // A model without frames still has a frame 0 to show, never one below it.
    const u32 frames = bullet_->GetAnimationControl().GetFrameCount();
    bullet_->GetAnimationControl().AddAnimation(kReady, 0, frames == 0 ? 0 : frames - 1);

    shadow_ = effects_->AddShadow(gun_, true);
    shadow_->SetVisible(false);
}

GunPart::~GunPart()
{
    effects_->RemoveShadow(shadow_);
    models_->DestroyModel(gun_);
    models_->DestroyModel(bullet_);
}

bool GunPart::IsVisible() const { return (gun_->GetFlags() & Model::kVisible) != 0; }

void GunPart::Mount(bool mount)
{
    if (!mount) {
        Play(gun_, kUnmount);
        return;
    }
    Play(gun_, kMount);
    SetVisible(gun_, true);
    shadow_->SetVisible(true);
}

void GunPart::Ready()
{
    Play(gun_, kReady);
    SetVisible(bullet_, true);
    Play(bullet_, kReady);
}

void GunPart::Shoot(bool last)
{
    Play(gun_, kShot);
    SetVisible(bullet_, false);
    empty_ = last ? 1 : 0;
}

void GunPart::Hide()
{
    SetVisible(gun_, false);
    SetVisible(bullet_, false);
    shadow_->SetVisible(false);
}

void GunPart::Update()
{
    if (!IsVisible())
        return;
    const AnimationControl& animation = gun_->GetAnimationControl();
    if (animation.playing == 0) {
        switch (animation.GetAnimation()) {
        case kMount:
            Ready();
            break;
        case kShot:
            if (empty_ != 0)
                Mount(false);
            else
                Ready();
            break;
        case kUnmount:
            SetVisible(gun_, false);
            shadow_->SetVisible(false);
            break;
        default:
            break;
        }
    }
    PlaceOn(gun_, *mount_);
    PlaceOn(bullet_, *mount_);
}

} // namespace Tamrisk
