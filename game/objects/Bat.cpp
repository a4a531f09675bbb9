#include "game/objects/Bat.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "framework/sound/SoundSet.h"
#include "game/SoundTable.h"
#include "game/level/Effects.h"
#include "game/level/Shadow.h"
#include "game/objects/Explosion.h"
#include "game_tools/DataKeeper.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Tamrisk {

using Halvard::BoundingBox;
using Halvard::Matrix4;
using Halvard::Model;
using Halvard::Vector2;
using Halvard::Vector3;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kTolerance = 0.0001f;
// The GUI's virtual screen, which the cursor is read on.
constexpr float kScreenWidth = 800.0f;
constexpr float kFieldCentre = 75.0f;
constexpr float kRestY = -85.0f;
constexpr float kStartLength = 20.0f;
constexpr float kLengthStep = 20.0f;
constexpr float kLengthSpeed = 55.0f;
constexpr float kWaitTime = 1.8f;
constexpr float kStartHeight = -30.0f;
constexpr float kStartRiseSpeed = 75.0f;
constexpr float kRiseBraking = 92.0f;
constexpr float kMinRiseSpeed = 6.0f;
constexpr float kLeanPerMove = 10.0f;
constexpr float kMaxLean = 2.5f;
constexpr float kLeanSettling = 6.0f;
constexpr float kRecoilKick = -9.0f;
constexpr float kRecoilDepth = -0.9f;
constexpr float kRecoilSpring = 6.0f;
constexpr float kRollSettling = 5.0f;
constexpr float kRollPerMove = 0.12f;
constexpr float kMaxRollSpeed = 1.5f;
constexpr float kMaxRoll = kPi / 24.0f;
constexpr float kScrewPerMove = 0.2f;
constexpr float kMinScrewSpin = 0.5f;
constexpr float kMaxScrewSpin = 8.0f;
// A ball leaving an end of the bat turns this share of a right angle aside.
constexpr float kBounceSpread = 0.85f;
constexpr float kDestructionDepth = -0.299f;

enum Part : unsigned { kHead = 0, kBody = 1, kScrew = 2 };

Matrix4 Translation(const Vector3& v)
{
    Matrix4 matrix;
    Halvard::MatrixTranslation(matrix, v);
    return matrix;
}

Vector3 LocalCentre(const BoundingBox& box) { return (box.GetLocalMin() + box.GetLocalMax()) * 0.5f; }

// Moves the value towards 0 by its share of the frame; a share that would
// carry it past 0 leaves it at 0.
float Settle(float value, float rate, float dt)
{
    const float settled = value - value * rate * dt;
    return settled * value < 0.0f ? 0.0f : settled;
}

FragmentSettings PieceSettings(float horizontalFactor)
{
    FragmentSettings settings;
    settings.timeFactor = 1.0f;
    settings.horizontalFactor = horizontalFactor;
    settings.targetSize = 100.0f;
    settings.sinkDelay = 0.5f;
    settings.floorLevel = 1.0f;
    return settings;
}

} // namespace

Bat::Bat(Halvard::Engine* engine, GameTools::DataKeeper* data, Effects* effects, GameFramework::SoundSet* sounds)
    : engine_(engine), timers_(engine->GetTimerManager()), models_(engine->GetModelManager()),
      gui_(engine->GetGUIManager()), effects_(effects), sounds_(sounds)
{
    Halvard::Camera* camera = engine->GetCameraManager()->GetDefaultCamera();
    head_ = models_->CopyModel(*data->GetModel("bat/head"), camera, 0);
    body_ = models_->CopyModel(*data->GetModel("bat/body"), camera, 0);
    screw_ = models_->CopyModel(*data->GetModel("bat/screw"), camera, 0);
    // The parts are modelled where they stand on the bat, the head on the
    // field across the bat's place. The screw spins about its own centre;
    // the body and the screw roll about one line along the bat through
    // that centre, so that rolled the screw stays on its mast. Each pivot
    // goes to the bat's place plus that same point.
    const Vector3 screwCentre = LocalCentre(screw_->boundingBox);
    headPivot_ = LocalCentre(head_->boundingBox);
    bodyPivot_ = LocalCentre(body_->boundingBox);
    bodyPivot_.x = screwCentre.x;
    bodyPivot_.z = screwCentre.z;
    screwPivot_ = screwCentre;
    head_->localMatrix = Translation(-headPivot_);
    body_->localMatrix = Translation(-bodyPivot_);
    screw_->localMatrix = Translation(-screwPivot_);

    destruction_ = engine->GetParticleSystemManager()->CopyParticleSystem(*data->GetParticleSystem("bat/destruction"));
    destruction_->looping = false;
    destruction_->SetVisible(false);
    headShadow_ = effects_->AddShadow(head_, true);
    bodyShadow_ = effects_->AddShadow(body_, true);
    explosions_[kHead] =
        std::make_unique<Explosion>(engine, data, effects, "bat/fragments/head", 7, true, PieceSettings(0.8f));
    explosions_[kBody] =
        std::make_unique<Explosion>(engine, data, effects, "bat/fragments/body", 35, true, PieceSettings(0.8f));
    explosions_[kScrew] =
        std::make_unique<Explosion>(engine, data, effects, "bat/fragments/screw", 1, true, PieceSettings(1.1f));
    waiting_ = 1;
    waitTime_ = kWaitTime;
    frozen_ = 0;
    Respawn();
}

// The pieces go before the effects list they cast their shadows on.
Bat::~Bat()
{
    for (std::unique_ptr<Explosion>& explosion : explosions_)
        explosion.reset();
    effects_->RemoveShadow(headShadow_);
    effects_->RemoveShadow(bodyShadow_);
    models_->DestroyModel(head_);
    models_->DestroyModel(body_);
    models_->DestroyModel(screw_);
    engine_->GetParticleSystemManager()->DestroyParticleSystem(destruction_);
}

void Bat::Respawn()
{
    x_ = kFieldCentre;
    lean_ = recoil_ = recoilSpeed_ = roll_ = rollSpeed_ = screwAngle_ = screwSpin_ = 0.0f;
    targetLength_ = length_ = kStartLength;
    riseSpeed_ = kStartRiseSpeed;
    height_ = kStartHeight;
    extraHeight_ = 0.0f;
    present_ = risen_ = 0;
    SetVisible(true);
    UpdateTransform();
}

void Bat::Update(float scale)
{
    const float dt = timers_->GetFrameTime();
    UpdateDestruction();
    UpdateLength(dt);
    const float dx = FollowMouse(scale);
    UpdateSprings(dx, dt);
    Rise(dt);
    UpdateTransform();
}

void Bat::UpdateDestruction()
{
    if (!IsHidden())
        return;
    if (present_ != 0) {
        for (const std::unique_ptr<Explosion>& explosion : explosions_)
            explosion->Update();
        const bool running = std::any_of(std::begin(explosions_), std::end(explosions_),
                                         [](const std::unique_ptr<Explosion>& e) { return e->IsRunning(); });
        if (!running)
            present_ = 0;
    }
    if (destruction_->IsVisible() && !destruction_->emitting && destruction_->liveCount == 0)
        destruction_->SetVisible(false);
}

void Bat::UpdateLength(float dt)
{
    const float reach = kLengthSpeed * dt;
    length_ += std::clamp(targetLength_ - length_, -reach, reach);
    length_ = std::clamp(length_, 0.0f, kMaxLength);
    // The head's frames are its stretches: frame k is k units longer.
    head_->GetAnimationControl().time = length_;
}

float Bat::FollowMouse(float scale)
{
    if (scale <= kTolerance)
        return 0.0f;
    const float half = GetHeadBox().GetHalfSize().x;
    const float wanted = gui_->GetCursorPosition().x / kScreenWidth * kFieldWidth;
    const float previous = x_;
    x_ = std::min(std::max(wanted, half), kFieldWidth - half);
    return x_ - previous;
}

void Bat::UpdateSprings(float dx, float dt)
{
    lean_ = std::clamp(lean_ - dx * kLeanPerMove * dt, -kMaxLean, kMaxLean);
    lean_ -= lean_ * kLeanSettling * dt;

    if (std::fabs(recoilSpeed_) > kTolerance) {
        recoil_ += recoilSpeed_ * dt;
        if (recoil_ > 0.0f) {
            recoil_ = recoilSpeed_ = 0.0f;
        } else if (recoil_ < kRecoilDepth) {
            recoil_ = kRecoilDepth;
            recoilSpeed_ = kRecoilSpring;
        }
    }

    rollSpeed_ = Settle(rollSpeed_, kRollSettling, dt);
    roll_ = Settle(roll_, kRollSettling, dt);
    rollSpeed_ = std::clamp(rollSpeed_ + dx * kRollPerMove, -kMaxRollSpeed, kMaxRollSpeed);
    roll_ = std::clamp(roll_ + rollSpeed_ * dt, -kMaxRoll, kMaxRoll);

    screwSpin_ -= screwSpin_ * dt;
    screwSpin_ = std::clamp(screwSpin_ + std::fabs(dx) * kScrewPerMove, kMinScrewSpin, kMaxScrewSpin);
    screwAngle_ += screwSpin_ * dt;
}

void Bat::Rise(float dt)
{
    if (height_ >= -kTolerance || frozen_ != 0)
        return;
    if (waiting_ != 0) {
        waitTime_ -= dt;
        if (waitTime_ <= 0.0f) {
            waiting_ = 0;
            present_ = 1;
        }
        return;
    }
    if (std::fabs(height_ - kStartHeight) <= kTolerance && sounds_ != nullptr)
        sounds_->PlaySound(kSoundBatCreation);
    riseSpeed_ = std::max(riseSpeed_ - kRiseBraking * dt, kMinRiseSpeed);
    height_ += riseSpeed_ * dt;
    if (height_ > -kTolerance) {
        height_ = 0.0f;
        present_ = risen_ = 1;
    }
}

void Bat::UpdateTransform()
{
    const Vector3 place(x_ - kFieldCentre + lean_, extraHeight_ + height_ + kRestY + recoil_, 0.0f);
    Matrix4 roll;
    Halvard::MatrixRotationY(roll, roll_);
    Matrix4 spin;
    Halvard::MatrixRotationZ(spin, screwAngle_);

    head_->worldMatrix = Translation(place + headPivot_) * head_->localMatrix;
    body_->worldMatrix = Translation(place + bodyPivot_) * roll * body_->localMatrix;
    screw_->worldMatrix = Translation(place + screwPivot_) * roll * spin * screw_->localMatrix;
    for (Model* part : {head_, body_, screw_})
        part->boundingBox.SetTransform(part->worldMatrix);
    bodyMatrix_ = body_->worldMatrix;
    catchBox_.SetMinMax(head_->boundingBox.GetWorldMin(), head_->boundingBox.GetWorldMax());
    catchBox_.Merge(body_->boundingBox);
}

void Bat::SetVisible(bool visible)
{
    for (Model* part : {head_, body_, screw_}) {
        if (visible)
            part->SetFlags(Model::kVisible);
        else
            part->ClearFlags(Model::kVisible);
    }
    headShadow_->SetVisible(visible);
    bodyShadow_->SetVisible(visible);
}

bool Bat::IsHidden() const { return (head_->GetFlags() & Model::kVisible) == 0; }

void Bat::Destroy()
{
    if (sounds_ != nullptr)
        sounds_->PlaySound(kSoundBatDestruction);
    explosions_[kHead]->Start(*head_, true);
    explosions_[kBody]->Start(*body_, true);
    explosions_[kScrew]->Start(*screw_, true);
    destruction_->SetPosition(body_->boundingBox.GetCenter());
    destruction_->emissionTime = 0.0f;
    destruction_->emitting = true;
    destruction_->SetVisible(true);
    if (Model* model = destruction_->GetModel()) {
        model->SetFlags(Model::kFixedDepth);
        model->depth = kDestructionDepth;
    }
    for (const std::unique_ptr<Explosion>& explosion : explosions_)
        explosion->Update();
    SetVisible(false);
}

void Bat::Enlarge() { targetLength_ = std::min(targetLength_ + kLengthStep, kMaxLength); }

void Bat::Shrink() { targetLength_ = std::max(targetLength_ - kLengthStep, 0.0f); }

void Bat::Recoil() { recoilSpeed_ = kRecoilKick; }

Vector2 Bat::GetBounceDirection(const Vector2& point) const
{
    const BoundingBox& head = GetHeadBox();
    const float half = head.GetHalfSize().x;
    const float t = half > 0.0f ? (point.x - head.GetCenter().x) / (2.0f * half) : 0.0f;
    const float angle = kPi / 2.0f * kBounceSpread * t;
    Vector2 direction(std::sin(angle), std::cos(angle));
    direction.Normalize();
    return direction;
}

const BoundingBox& Bat::GetHeadBox() const { return head_->boundingBox; }

const BoundingBox& Bat::GetBodyBox() const { return body_->boundingBox; }

const Explosion* Bat::GetExplosion(unsigned part) const { return part < 3 ? explosions_[part].get() : nullptr; }

} // namespace Tamrisk
