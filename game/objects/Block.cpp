#include "game/objects/Block.h"

#include "engine/app/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderUser.h"
#include "game/data/BlockRecord.h"
#include "game/level/Effects.h"
#include "game/objects/GameGeometry.h"
#include "game/level/Shadow.h"
#include "game/objects/ExplosionManager.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLQuery.h"

#include <algorithm>

namespace Tamrisk {

using Halvard::Matrix4;
using Halvard::Model;
using Halvard::ParticleSystem;
using Halvard::Vector3;

namespace {

constexpr float kMinDelay = 0.0001f;
constexpr float kFallGravity = 100.0f;
constexpr float kJoltSpeed = 20.0f;
constexpr float kJoltPerHeight = 0.8f;
constexpr float kSpreadScale = 1.21f;
constexpr float kNeighbourScale = 1.35f;

template <typename T>
bool AddOnce(std::vector<T*>& list, T* item)
{
    if (item == nullptr || std::find(list.begin(), list.end(), item) != list.end())
        return false;
    list.push_back(item);
    return true;
}

// Erases the block and takes over its own entries of the same list, so a
// stack stays connected across the gap.
void CloseGap(Block* self, std::vector<Block*>& list, Block* removed, const std::vector<Block*>& inherited)
{
    auto found = std::find(list.begin(), list.end(), removed);
    if (found == list.end())
        return;
    list.erase(found);
    for (Block* block : inherited)
        if (block != self)
            AddOnce(list, block);
}

} // namespace

Block::Block(const BlockContext& context, const GameTools::XMLNode* description, const BlockRecord* record)
    : engine_(context.engine)
    , timers_(context.engine->GetTimerManager())
    , models_(context.engine->GetModelManager())
    , particleSystems_(context.engine->GetParticleSystemManager())
    , interfaceData_(context.interfaceData)
    , levelData_(context.levelData)
    , effects_(context.effects)
    , description_(description)
    , geometry_(context.geometry)
    , record_(record)
    , name_(GameTools::GetXMLString(description, "name"))
{
    Halvard::Camera* camera = engine_->GetCameraManager()->GetDefaultCamera();
    model_ = models_->CopyModel(*levelData_->GetModel("geometry/" + name_ + "/model"), camera, 0);
    Halvard::AnimationControl& animation = model_->GetAnimationControl();
    animation.looping = 1;
    animation.SetRandomFrame();
    animation.Play();
    if (GameTools::GetXMLBool(description, "collision_model", false))
        collisionModel_ = levelData_->GetModel("geometry/" + name_ + "/collision_model");
    localBox_.SetMinMax(model_->boundingBox.GetLocalMin(), model_->boundingBox.GetLocalMax());

    falls_ = (record->flags & 1) != 0 ? 0 : 1;
    const BlockKeyFrame first = record->keyFrames.empty() ? BlockKeyFrame{Vector3(), {0, 0, 0, 1}} : record->keyFrames[0];
    position_ = first.position;
    rotation_ = first.rotation;
    scale_ = record->scale;
    Halvard::MatrixScaling(scaleMatrix_, scale_);
    if (record->shaderUser != nullptr)
        model_->SetShader(*record->shaderUser);
    SetRenderFlags();

    creationEffect_ = CopyEffect("blocks/creation");
    simpleDestruction_ = CopyEffect("blocks/destruction_simple");
    superDestruction_ = CopyEffect("blocks/destruction_super");
    alwaysDrawShadow_ = GameTools::GetXMLBool(description, "always_draw_shadow", false) ? 1 : 0;
    hasShadow_ = GameTools::GetXMLBool(description, "shadow", true) ? 1 : 0;
    shadow_ = effects_->AddShadow(model_, !GameTools::GetXMLBool(description, "fake_shadow", false));
}

Block::~Block()
{
    models_->DestroyModel(model_);
    for (ParticleSystem** system : {&creationEffect_, &secondCreationEffect_, &simpleDestruction_,
                                    &superDestruction_, &currentDestruction_})
        DestroyEffect(*system);
    effects_->RemoveShadow(shadow_);
}

void Block::SetRenderFlags()
{
    if (record_->shaderUser != nullptr && (record_->shaderUser->GetFlags() & 1) != 0) {
        model_->SetFlags(Model::kSecondList | Model::kTwoPasses);
        return;
    }
    const bool mirrored = scale_.x < 0.0f || scale_.y < 0.0f || scale_.z < 0.0f;
    if (mirrored && (model_->GetFlags() & Model::kCullClockwise) != 0) {
        model_->ClearFlags(Model::kCullClockwise);
        model_->SetFlags(Model::kCullCounterClockwise);
    }
}

ParticleSystem* Block::CopyEffect(const std::string& name) const
{
    ParticleSystem* system = particleSystems_->CopyParticleSystem(*interfaceData_->GetParticleSystem(name));
    system->looping = false;
    system->SetVisible(false);
    return system;
}

void Block::DestroyEffect(ParticleSystem*& system)
{
    if (system != nullptr)
        particleSystems_->DestroyParticleSystem(system);
    system = nullptr;
}

void Block::PlayEffect(ParticleSystem*& system)
{
    if (system == nullptr)
        return;
    PlaceEffect(system);
    effects_->StartEffect(system);
    system = nullptr;
}

void Block::Spawn()
{
    restHeight_ = fallHeight_ = GetStackHeight();
    alive_ = 1;
    Appear(0.0f);
}

void Block::Appear(float delay)
{
    if (appearing_ != 0 || (delay < kMinDelay && !supports_.empty()))
        return;
    SetVisible(false);
    appearing_ = 1;
    appearDelay_ = Halvard::RandomFloat(0.15f, 0.35f) + delay;
    for (Block* block : above_)
        block->Appear(appearDelay_);
}

void Block::Update(Halvard::u32 frameA, Halvard::u32 frameB, float t)
{
    const float dt = timers_->GetFrameTime();
    if (appearing_ != 0) {
        appearDelay_ -= dt;
        if (appearDelay_ <= 0.0f) {
            appearing_ = 0;
            SetVisible(true);
            PlayEffect(creationEffect_);
            if (secondCreationEffect_ != nullptr) {
                secondCreationEffect_->emissionTime = 0.0f;
                secondCreationEffect_->emitting = true;
                secondCreationEffect_->SetVisible(true);
            }
        }
    }
    if (marked_ != 0) {
        markDelay_ -= dt;
        if (markDelay_ < 0.0f)
            Destroy(kSuper, false);
    }
    float zOffset = 0.0f;
    if (falls_ != 0) {
        fallSpeed_ -= kFallGravity * dt;
        fallHeight_ += fallSpeed_ * dt;
        const float stackHeight = GetStackHeight();
        if (fallHeight_ < stackHeight) {
            fallHeight_ = stackHeight;
            fallSpeed_ = 0.0f;
        }
        zOffset = fallHeight_ - restHeight_;
    }
    FollowKeyFrames(frameA, frameB, t);
    position_.z += zOffset;
    UpdateTransform();
    const bool visible = (model_->GetFlags() & Model::kVisible) != 0;
    shadow_->SetVisible(hasShadow_ != 0 && visible && (StandsOnGround() || alwaysDrawShadow_ != 0));
}

void Block::FollowKeyFrames(Halvard::u32 frameA, Halvard::u32 frameB, float t)
{
    const std::vector<BlockKeyFrame>& frames = record_->keyFrames;
    if (frames.empty())
        return;
    if (frames.size() < 2) {
        position_ = frames[0].position;
        rotation_ = frames[0].rotation;
        return;
    }
    const BlockKeyFrame& a = frames[std::min<std::size_t>(frameA, frames.size() - 1)];
    const BlockKeyFrame& b = frames[std::min<std::size_t>(frameB, frames.size() - 1)];
    position_ = a.position + (b.position - a.position) * t;
    Halvard::QuaternionLerp(rotation_, a.rotation, b.rotation, t);
}

void Block::UpdateTransform()
{
    Halvard::MatrixTranslation(translation_, position_);
    rotation_.ToMatrix(rotationMatrix_);
    Halvard::MatrixScaling(scaleMatrix_, scale_);
    transform_ = translation_ * rotationMatrix_ * scaleMatrix_;
    model_->worldMatrix = transform_;
    model_->boundingBox.SetTransform(transform_);
    PlaceEffect(secondCreationEffect_);
}

void Block::SetVisible(bool visible)
{
    if (visible)
        model_->SetFlags(Model::kVisible);
    else
        model_->ClearFlags(Model::kVisible);
    shadow_->SetVisible(visible);
}

void Block::Fall()
{
    const float height = GetStackHeight();
    fallSpeed_ = kJoltPerHeight * height + kJoltSpeed;
    const float top = GetBox().GetWorldMax().z;
    for (Block* upper : std::vector<Block*>(above_)) {
        const Block* other = upper->FindOtherSupport(this);
        if (other == nullptr || std::fabs(other->GetBox().GetWorldMax().z - top) < kContactDistance)
            upper->Fall();
    }
}

const Block* Block::FindOtherSupport(const Block* hit) const
{
    const float bottom = GetBox().GetWorldMin().z;
    for (const Block* support : supports_)
        if (support != hit && std::fabs(support->GetBox().GetWorldMax().z - bottom) < kContactDistance)
            return support;
    return nullptr;
}

void Block::Destroy(Halvard::u32 kind, bool spread)
{
    // Only a live block chooses an effect, so a block hit twice in one frame
    // plays one destruction.
    if (alive_ == 0)
        return;
    if (currentDestruction_ == nullptr) {
        ParticleSystem*& chosen = kind == kSimple ? simpleDestruction_ : superDestruction_;
        std::swap(currentDestruction_, chosen);
    }
    PlayEffect(currentDestruction_);
    if (falls_ != 0)
        for (Block* upper : std::vector<Block*>(above_))
            upper->Fall();
    alive_ = 0;
    if (geometry_ != nullptr && geometry_->GetExplosionManager() != nullptr)
        geometry_->GetExplosionManager()->Trigger(*this);
    if (kind == kSuper && spread)
        SpreadExplosion();
}

void Block::SpreadExplosion()
{
    if (geometry_ == nullptr)
        return;
    const Halvard::BoundingBox reach = GetBox().GetScaled(kSpreadScale);
    for (Block* block : geometry_->GetBlocks())
        if (block->IsAlive() && reach.Intersects(block->GetBox().GetScaled(kNeighbourScale)))
            block->MarkForExplosion(GetBox().GetCenter());
}

void Block::MarkForExplosion(const Vector3& centre)
{
    if (marked_ != 0)
        return;
    marked_ = 1;
    markDelay_ = Halvard::RandomFloat(0.1f, 0.3f);
    blastCentre_ = centre;
}

void Block::PlaceEffect(ParticleSystem* system) const
{
    if (system == nullptr)
        return;
    const Halvard::BoundingBox& box = GetBox();
    if (system->emitterShape == ParticleSystem::kBox)
        system->SetEmitterBox(box.GetWorldMin(), box.GetWorldMax());
    else
        system->SetPosition(box.GetCenter());
    Model* model = system->GetModel();
    if (model == nullptr)
        return;
    const Vector3 eye = engine_->GetCameraManager()->GetDefaultCamera()->position;
    model->SetFlags(Model::kFixedDepth);
    model->depth = -0.3f - 0.0005f * (box.GetCenter() - eye).Length();
}

float Block::GetStackHeight() const
{
    float height = 0.0f;
    for (const Block* support : supports_)
        height = std::max(height, support->GetStackHeight() + 2.0f * support->GetBox().GetHalfSize().z);
    return height;
}

const Halvard::BoundingBox& Block::GetBox() const { return model_->boundingBox; }

void Block::AddAbove(Block* block) { AddOnce(above_, block); }

void Block::AddBelow(Block* block) { AddOnce(supports_, block); }

void Block::RemoveAbove(Block* block) { CloseGap(this, above_, block, block->above_); }

void Block::RemoveBelow(Block* block) { CloseGap(this, supports_, block, block->supports_); }

void Block::SetExplosionGroup(Halvard::u32 group)
{
    explosionGroup_ = group;
    hasExplosionGroup_ = 1;
}

} // namespace Tamrisk
