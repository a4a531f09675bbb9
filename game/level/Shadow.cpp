#include "game/level/Shadow.h"

#include "engine/app/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "game/level/Lighting.h"

#include <algorithm>
#include <cmath>

using namespace Halvard;

namespace Tamrisk {

namespace {

// Blend factors of the device: source alpha over inverse source alpha.
constexpr u32 kSourceAlphaBlend = 4;
constexpr u32 kInverseSourceAlphaBlend = 5;
// Lighting, both culling modes and the first list's claim are of no use to a
// flat dark copy; it is drawn late, at a fixed depth, where a stencil keeps
// overlapping shadows from darkening twice.
constexpr u32 kClearedFlags = Model::kCullCounterClockwise | Model::kCullClockwise | Model::kLit;
constexpr u32 kSetFlags = Model::kStencil | Model::kSecondList | Model::kFixedDepth;
constexpr float kStartDepth = -0.01f;
// Just above the field, so the shadow is not lost in it.
constexpr float kLift = 0.02f;
// Heights at and above this fade the shadow to its faintest.
constexpr float kFadeHeight = 40.0f;
constexpr float kFaintest = 0.1f;
// The colour is written again only for a visible change: writing it touches
// every vertex.
constexpr float kAlphaStep = 0.01f;

ShaderDescriptor ShadowDescriptor()
{
    ShaderDescriptor descriptor(ShaderDescriptor::kAlphaBlending);
    descriptor.SetBlendFactor(0, kSourceAlphaBlend);
    descriptor.SetBlendFactor(1, kInverseSourceAlphaBlend);
    return descriptor;
}

} // namespace

Shadow::Shadow(Engine* engine, const Lighting* lighting, Model* objectModel, bool real)
    : models_(engine->GetModelManager()), lighting_(lighting), objectModel_(objectModel)
{
    const ShaderDescriptor descriptor = ShadowDescriptor();
    if (real) {
        shadowModel_ = models_->CopyModel(*objectModel, nullptr, Model::kColored);
        shadowModel_->SetShader(descriptor);
    } else {
        // The box in the object's own space: the shadow's transform puts it
        // under the object's world transform.
        const Vector3& min = objectModel->boundingBox.GetLocalMin();
        const Vector3& max = objectModel->boundingBox.GetLocalMax();
        const float lo[3] = {min.x, min.y, min.z};
        const float hi[3] = {max.x, max.y, max.z};
        shadowModel_ = models_->CreateModelFromArrays(lo, hi, &descriptor, nullptr, Model::kColored);
    }
    shadowModel_->ClearFlags(Model::kVisible);
    shadowModel_->ClearFlags(kClearedFlags);
    shadowModel_->SetFlags(kSetFlags);
    shadowModel_->depth = kStartDepth;
    shadowModel_->SetColor(Vector4(0.0f, 0.0f, 0.0f, kAlpha));
}

Shadow::~Shadow() { models_->DestroyModel(shadowModel_); }

void Shadow::SetVisible(bool visible)
{
    if (visible)
        shadowModel_->SetFlags(Model::kVisible);
    else
        shadowModel_->ClearFlags(Model::kVisible);
}

bool Shadow::IsVisible() const { return (shadowModel_->GetFlags() & Model::kVisible) != 0; }

void Shadow::Update()
{
    if (!IsVisible())
        return;
    AnimationControl& animation = shadowModel_->GetAnimationControl();
    const AnimationControl& objectAnimation = objectModel_->GetAnimationControl();
    if (animation.GetFrameCount() == objectAnimation.GetFrameCount())
        animation.CopyState(objectAnimation);

    Vector3 offset(0.0f, 0.0f, kLift);
    if (lighting_ != nullptr) {
        offset.x = lighting_->GetShadowDirection().x;
        offset.y = lighting_->GetShadowDirection().y;
    }
    Matrix4 lift;
    MatrixTranslation(lift, offset);
    shadowModel_->worldMatrix =
        lift * MakeScalingMatrix(Vector3(1.0f, 1.0f, 0.0f)) * objectModel_->GetWorldMatrix();
    shadowModel_->boundingBox.SetTransform(shadowModel_->worldMatrix);

    const BoundingBox& objectBox = objectModel_->boundingBox;
    const float height = std::clamp(objectBox.GetCenter().z - objectBox.GetHalfSize().z, 0.0f, kFadeHeight);
    const float fade = std::max((kFadeHeight - height) / kFadeHeight, kFaintest);
    const float alpha = alpha_ * fade;
    shadowModel_->depth = alpha * 0.01f - 0.021f;
    if (std::fabs(shadowModel_->GetColor().w - alpha) > kAlphaStep)
        shadowModel_->SetColor(Vector4(0.0f, 0.0f, 0.0f, alpha));
}

} // namespace Tamrisk
