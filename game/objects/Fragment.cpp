#include "game/objects/Fragment.h"

#include "engine/app/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderUser.h"
#include "game/level/Effects.h"
#include "game/level/Shadow.h"
#include "game_tools/DataKeeper.h"

#include <algorithm>

using namespace Halvard;

namespace Tamrisk {

namespace {

const char* const kCommonPieces = "geometry/fragments/common/";
constexpr u32 kCommonPieceCount = 10;
// Below this a landed time counts as not landed yet.
constexpr float kLandedEpsilon = 0.0001f;
constexpr float kGravity = 7.0f;
// Radians a piece turns per second of flight.
constexpr float kSpinSpeed = 8.0f;
// Units a piece travels per second at unit velocity.
constexpr float kFlightSpeed = 25.0f;
// Seconds a large piece takes to shrink to the target size.
constexpr float kShrinkTime = 1.0f;
// Seconds a landed piece's shadow takes to fade out.
constexpr float kShadowFadeTime = 1.0f;
// A fade below this is no shadow at all.
constexpr float kFadeEpsilon = 0.0001f;
constexpr float kSinkSpeed = 4.0f;
// A piece whose top has sunk this far below the field is gone.
constexpr float kGoneDepth = -0.2f;
constexpr float kUpwardBias = 0.75f;
constexpr float kLaunchLift = 1.5f;

float Largest(const Vector3& v) { return std::max({v.x, v.y, v.z}); }

Matrix4 Identity()
{
    Matrix4 matrix;
    MatrixIdentity(matrix);
    return matrix;
}

Matrix4 Translation(const Vector3& v)
{
    Matrix4 matrix;
    MatrixTranslation(matrix, v);
    return matrix;
}

Vector3 LocalCentre(const BoundingBox& box) { return (box.GetLocalMin() + box.GetLocalMax()) * 0.5f; }

} // namespace

Fragment::Fragment(Engine* engine, GameTools::DataKeeper* data, Effects* effects, const std::string& pieceName,
                   bool models, const FragmentSettings& settings)
    : models_(engine->GetModelManager()), timers_(engine->GetTimerManager()), effects_(effects),
      settings_(settings), homeCentre_(0.0f), homeTransform_(Identity()), launchTransform_(Identity()),
      spin_(Identity()), move_(Identity()), scale_(Identity()), composed_(Identity()), velocity_(0.0f)
{
    const Model& piece = *data->GetModel(pieceName);
    ownSize_ = Largest(piece.boundingBox.GetHalfSize());
    homeCentre_ = piece.boundingBox.GetCenter();
    homeTransform_ = Translation(homeCentre_);
    MakeModel(data, piece, models);
    model_->ClearFlags(Model::kVisible);
    shadow_ = effects_->AddShadow(model_, true);
}

Fragment::~Fragment()
{
    effects_->RemoveShadow(shadow_);
    models_->DestroyModel(model_);
}

void Fragment::MakeModel(GameTools::DataKeeper* data, const Model& piece, bool models)
{
    Matrix4 base;
    if (models) {
        model_ = models_->CopyModel(piece, nullptr, 0);
        base = Translation(-LocalCentre(piece.boundingBox));
    } else {
        const Model& common = *data->GetModel(kCommonPieces + UIntToString(RandomIndex(kCommonPieceCount), 2));
        model_ = models_->CopyModel(common, nullptr, 0);
        // A common piece with no extent cannot be brought to any size.
        const float commonSize = Largest(common.boundingBox.GetHalfSize());
        const float factor = commonSize > 0.0f ? ownSize_ / commonSize : 1.0f;
        base = MakeScalingMatrix(Vector3(factor)) * Translation(-LocalCentre(common.boundingBox));
    }
    model_->localMatrix = base;
    model_->worldMatrix = base;
    model_->boundingBox.SetTransform(base);
}

void Fragment::Start(const Model& source, bool shadow)
{
    launchTransform_ = source.GetWorldMatrix();
    spin_ = Identity();
    move_ = Identity();
    scale_ = Identity();

    const ShaderUser& shader = *source.GetShaderUser();
    model_->SetShader(shader);
    AnimationControl& animation = model_->GetAnimationControl();
    const AnimationControl& sourceAnimation = source.GetAnimationControl();
    animation.CopyState(sourceAnimation);
    // Without time moving on, the frame stays the one the source showed.
    if (animation.GetFrameCount() == sourceAnimation.GetFrameCount())
        animation.playing = 0;

    model_->SetFlags(Model::kVisible);
    shadow_->SetVisible(shadow);
    shadow_->SetAlpha(Shadow::kAlpha);
    const bool blends = (shader.GetFlags() & ShaderDescriptor::kAlphaBlending) != 0;
    model_->SetFlags(blends ? Model::kSecondList : Model::kFirstList);

    const float x = RandomSigned();
    const float y = RandomSigned();
    velocity_ = Vector3(x, y, kUpwardBias);
    velocity_.Normalize(1.0f);
    velocity_.x *= settings_.horizontalFactor;
    velocity_.y *= settings_.horizontalFactor;
    velocity_.z += kLaunchLift;

    active_ = 1;
    elapsed_ = 0.0f;
    landedTime_ = 0.0f;
    // Shown from the first frame where the piece sat in the source.
    Place();
}

void Fragment::Update()
{
    if (active_ == 0)
        return;
    const float dt = timers_->GetFrameTime();
    elapsed_ += dt;
    if (landedTime_ < kLandedEpsilon)
        Fly(dt * settings_.timeFactor);
    Place();
    const float centreZ = model_->boundingBox.GetCenter().z;
    if (centreZ < settings_.floorLevel) {
        Lift(settings_.floorLevel - centreZ);
        Land(dt);
    }
    if (landedTime_ > settings_.sinkDelay)
        Lift(-(landedTime_ - settings_.sinkDelay) * kSinkSpeed);
    if (model_->boundingBox.GetWorldMax().z < kGoneDepth) {
        model_->ClearFlags(Model::kVisible);
        shadow_->SetVisible(false);
        active_ = 0;
    }
}

void Fragment::Fly(float step)
{
    velocity_.z -= kGravity * step;
    Matrix4 rotation;
    MatrixRotationAxis(rotation, Vector3(velocity_.y, -velocity_.x, 0.3f * velocity_.z), -kSpinSpeed * step);
    spin_ = spin_ * rotation;
    move_ = move_ * Translation(velocity_ * step * kFlightSpeed);
    if (ownSize_ <= settings_.targetSize) {
        scale_ = Identity();
        return;
    }
    const float t = std::min(elapsed_, kShrinkTime) / kShrinkTime;
    const float factor = (settings_.targetSize * t + ownSize_ * (1.0f - t)) / ownSize_;
    scale_ = MakeScalingMatrix(Vector3(factor));
}

void Fragment::Place()
{
    composed_ = move_ * launchTransform_ * homeTransform_ * spin_ * scale_;
    model_->worldMatrix = composed_ * model_->localMatrix;
    model_->boundingBox.SetTransform(model_->worldMatrix);
}

void Fragment::Lift(float height)
{
    model_->worldMatrix = Translation(Vector3(0.0f, 0.0f, height)) * model_->worldMatrix;
    model_->boundingBox.SetTransform(model_->worldMatrix);
}

void Fragment::Land(float dt)
{
    landedTime_ += dt;
    const float fade = 1.0f - std::min(landedTime_, kShadowFadeTime) / kShadowFadeTime;
    if (fade >= kFadeEpsilon)
        shadow_->SetAlpha(Shadow::kAlpha * fade);
    else
        shadow_->SetVisible(false);
}

} // namespace Tamrisk
