#include "game/objects/Hammer.h"

#include "engine/app/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "framework/sound/SoundSet.h"
#include "game/SoundTable.h"
#include "game/objects/GameGeometry.h"
#include "game/objects/Block.h"
#include "game_tools/DataKeeper.h"

#include <numbers>

using namespace Halvard;

namespace Tamrisk {

namespace {

// Below this an animation's time counts as not started.
constexpr float kAtRest = 0.0001f;
// The hammer tilts up to 45 degrees either way across the 800-unit width.
constexpr float kCentreX = 400.0f;
constexpr float kMaxTilt = std::numbers::pi_v<float> / 2.0f * 0.5f;
// In front of everything else drawn in GUI space.
constexpr float kHeight = 300.0f;

} // namespace

Hammer::Hammer(Engine* engine, GameFramework::SoundSet* sounds, GameTools::DataKeeper* data, GameGeometry* geometry)
    : engine_(engine), sounds_(sounds), geometry_(geometry)
{
    // The copy keeps the depth the interface data gives the hammer.
    model_ = engine->GetModelManager()->CopyModel(*data->GetModel("hammer/model"), engine->GetGUIManager()->GetCamera(),
                                                  0);
    model_->ClearFlags(Model::kLit);
    model_->SetFlags(Model::kSecondList | Model::kFixedDepth);
    AnimationControl& animation = model_->GetAnimationControl();
    animation.AddAnimation(kSwingDown, 0, 4);
    animation.AddAnimation(kSwingBack, 4, 9);
    animation.looping = 0;
    Remove();
}

Hammer::~Hammer() { engine_->GetModelManager()->DestroyModel(model_); }

bool Hammer::IsVisible() const { return (model_->GetFlags() & Model::kVisible) != 0; }

void Hammer::AddStrikes(u32 count)
{
    if (count == 0)
        return;
    if (strikes_ == 0)
        model_->SetFlags(Model::kVisible);
    strikes_ += count;
}

// A swing cut short stops here too: otherwise the next hammer would finish
// it and smash a block nobody struck.
void Hammer::Remove()
{
    strikes_ = 0;
    model_->ClearFlags(Model::kVisible);
    AnimationControl& animation = model_->GetAnimationControl();
    animation.SetAnimation(kSwingDown);
    animation.Stop();
}

void Hammer::Strike()
{
    AnimationControl& animation = model_->GetAnimationControl();
    const bool atRest = animation.GetAnimation() == kSwingDown && animation.time < kAtRest;
    const bool backUp = animation.GetAnimation() == kSwingBack && animation.time > kAtRest;
    if (animation.playing != 0 || !(atRest || backUp))
        return;
    if (sounds_ != nullptr)
        sounds_->PlaySound(kSoundHammer);
    animation.SetAnimation(kSwingDown);
    animation.time = 0.0f;
    animation.Play();
}

void Hammer::Update(float /*scale: the swing runs on the model's own animation*/)
{
    if (!IsVisible())
        return;
    AnimationControl& animation = model_->GetAnimationControl();
    if (animation.playing == 0 && animation.GetAnimation() == kSwingBack && animation.time > kAtRest &&
        strikes_ == 0) {
        Remove();
        return;
    }
    if (frozen_ != 0)
        return;
    const Vector2 cursor = engine_->GetGUIManager()->GetCursorPosition();
    Follow(cursor.x, cursor.y);
    if (animation.playing != 0 || animation.GetAnimation() != kSwingDown || animation.time <= kAtRest)
        return;
    // The swing down has reached the bottom: the blow lands as it swings back.
    --strikes_;
    animation.SetAnimation(kSwingBack);
    animation.time = 0.0f;
    animation.Play();
    if (Block* block = FindBlockUnder(cursor.x, cursor.y))
        block->Destroy(Block::kSuper, true);
}

void Hammer::Follow(float x, float y)
{
    const float angle = (x - kCentreX) / kCentreX * kMaxTilt;
    Matrix4 rotation;
    MatrixRotationY(rotation, angle);
    Matrix4 translation;
    MatrixTranslation(translation, Vector3(x, y, kHeight));
    model_->worldMatrix = translation * rotation * model_->localMatrix;
    model_->boundingBox.SetTransform(model_->worldMatrix);
}

Block* Hammer::FindBlockUnder(float x, float y) const
{
    const GUIManager& gui = *engine_->GetGUIManager();
    const Window& window = *engine_->GetWindow();
    const float px = x / gui.GetWidth() * static_cast<float>(window.GetClientWidth());
    const float py = y / gui.GetHeight() * static_cast<float>(window.GetClientHeight());
    const CameraManager& cameras = *engine_->GetCameraManager();
    Vector3 nearPoint;
    Vector3 farPoint;
    cameras.UnprojectPoint(nearPoint, cameras.GetDefaultCamera(), px, py, 0.0f);
    cameras.UnprojectPoint(farPoint, cameras.GetDefaultCamera(), px, py, 1.0f);
    Ray ray;
    ray.Set(nearPoint, farPoint - nearPoint);

    Block* nearest = nullptr;
    float nearestDistance = 0.0f;
    Block* firstBoxHit = nullptr;
    for (Block* block : geometry_->GetBlocks()) {
        float distance = 0.0f;
        if (block->GetModel()->IntersectRay(ray, &distance)) {
            if (nearest == nullptr || distance < nearestDistance) {
                nearest = block;
                nearestDistance = distance;
            }
        } else if (firstBoxHit == nullptr && block->GetBox().IntersectsSegment(ray)) {
            firstBoxHit = block;
        }
    }
    return nearest != nullptr ? nearest : firstBoxHit;
}

} // namespace Tamrisk
