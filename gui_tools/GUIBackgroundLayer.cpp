#include "gui_tools/GUIBackgroundLayer.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderUser.h"
#include "game_tools/DataKeeper.h"

#include <algorithm>
#include <cmath>

namespace GUITools {

using namespace Halvard;

namespace {

constexpr float kDone = 0.0001f;
// The renderer's blend factors: source alpha over inverse source alpha.
constexpr u32 kSourceAlpha = 4;
constexpr u32 kInverseSourceAlpha = 5;

void StartAnimation(AnimationControl& animation, float speed, bool randomStart)
{
    if (speed >= 0.0f)
        animation.speed = speed;
    animation.looping = 1;
    animation.Play();
    if (randomStart)
        animation.SetRandomFrame();
}

} // namespace

GUIBackgroundLayer::GUIBackgroundLayer(Engine* engine, GameTools::DataKeeper* resources,
                                       const GUIBackgroundLayerSettings& settings)
    : engine_(engine), timers_(engine->GetTimerManager()), models_(engine->GetModelManager()),
      particleSystems_(engine->GetParticleSystemManager()), gui_(engine->GetGUIManager()), resources_(resources),
      name_(settings.name)
{
    if (settings.particleSystemName.empty())
        CreateModelWindow(settings);
    else
        CreateParticleWindow(settings);
    window_->SetLayer(settings.layer);
    if (particles_ != nullptr) {
        Model* model = particles_->GetModel();
        model->SetFlags(Model::kFixedDepth);
        model->depth = window_->GetDepth();
        particles_->SetVisible(true);
    }
    ApplyShader(settings.shaderName);
    if (!settings.animatorName.empty())
        CreateAnimator(settings);
    color_ = settings.color;
}

// The particle system goes with the layer: left to its manager it would go
// on being simulated and drawn after the background is gone.
GUIBackgroundLayer::~GUIBackgroundLayer()
{
    gui_->DestroyWindow(window_);
    particleSystems_->DestroyParticleSystem(particles_);
}

void GUIBackgroundLayer::CreateModelWindow(const GUIBackgroundLayerSettings& settings)
{
    window_ = gui_->CreateWindowFromModel(GUIWindow::kColored, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f),
                                          resources_->GetModel(settings.modelName), settings.parent);
    if (AnimationControl* animation = window_->GetAnimation())
        StartAnimation(*animation, settings.animationSpeed, settings.randomStart);
}

void GUIBackgroundLayer::CreateParticleWindow(const GUIBackgroundLayerSettings& settings)
{
    window_ = gui_->CreateWindowFromModel(GUIWindow::kColored, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), nullptr,
                                          settings.parent);
    particles_ = particleSystems_->CopyParticleSystem(*resources_->GetParticleSystem(settings.particleSystemName));
    particles_->SetVisible(false);
    particles_->GetModel()->SetCamera(gui_->GetCamera());
    particles_->looping = true;
    particles_->emitting = true;
}

// The layer's own shader, then blending on whatever shader it has, so that
// the fade's alpha shows.
void GUIBackgroundLayer::ApplyShader(const std::string& shaderName)
{
    if (!shaderName.empty()) {
        ShaderUser* shader = resources_->GetShaderUser(shaderName);
        if (particles_ != nullptr)
            particles_->SetShader(shader);
        else
            window_->SetShader(*shader);
    }
    ShaderUser* user = nullptr;
    if (particles_ != nullptr)
        user = particles_->GetShaderUser();
    else if (window_->GetModel() != nullptr)
        user = window_->GetModel()->GetShaderUser();
    if (user == nullptr)
        return;
    user->SetFlags(ShaderDescriptor::kAlphaBlending);
    user->SetBlendFactor(0, kSourceAlpha);
    user->SetBlendFactor(1, kInverseSourceAlpha);
}

// The copy is never registered, so never drawn; it is made visible because a
// model updates its box, which gives the layer's position, only while
// visible.
void GUIBackgroundLayer::CreateAnimator(const GUIBackgroundLayerSettings& settings)
{
    animator_.reset(models_->NewModelCopy(*resources_->GetModel(settings.animatorName), nullptr, 0));
    StartAnimation(animator_->GetAnimationControl(), settings.animationSpeed, settings.randomStart);
    animator_->SetFlags(Model::kVisible);
}

void GUIBackgroundLayer::Update()
{
    if (!window_->visible)
        return;
    FollowAnimator();
    MoveParticles();
    AdvanceFade();
}

// The animator's translation is the centre of its world box, which follows
// vertex and skeletal animation.
void GUIBackgroundLayer::FollowAnimator()
{
    if (animator_ == nullptr)
        return;
    animator_->Update(false);
    const Vector3& centre = animator_->boundingBox.GetCenter();
    window_->position = Vector2(centre.x, centre.y);
}

void GUIBackgroundLayer::MoveParticles()
{
    if (particles_ == nullptr)
        return;
    const Vector2 at = window_->GetAbsolutePosition();
    if (particles_->emitterShape != ParticleSystem::kBox) {
        particles_->SetPosition(Vector3(at.x, at.y, 0.0f));
        return;
    }
    const Vector3& half = particles_->GetEmitterBox().GetHalfSize();
    particles_->SetEmitterBox(Vector3(at.x - half.x, at.y - half.y, 0.0f), Vector3(at.x + half.x, at.y + half.y, 0.0f));
}

void GUIBackgroundLayer::AdvanceFade()
{
    if (!fading_)
        return;
    fadeTime_ += timers_->GetFrameTime();
    ownAlpha_ = std::clamp(fadeSpeed_ * fadeTime_, 0.0f, 1.0f);
    if (std::fabs(ownAlpha_ - 1.0f) < kDone)
        fading_ = false;
    SetAlpha(1.0f);
}

void GUIBackgroundLayer::StartFade(bool show, bool fade, float speed)
{
    show_ = show;
    fadeSpeed_ = speed;
    fadeTime_ = 0.0f;
    // Hiding is always at once: a hidden window is not updated, so a fade
    // out could never run; nor could one at a speed of 0 or less.
    fade = show && fade && speed > 0.0f;
    fading_ = fade;
    if (show) {
        window_->SetFlags(GUIWindow::kShown);
        if (particles_ != nullptr)
            particles_->SetVisible(true);
        ownAlpha_ = fade ? 0.0f : 1.0f;
    } else {
        window_->ClearFlags(GUIWindow::kShown);
        if (particles_ != nullptr)
            particles_->SetVisible(false);
        ownAlpha_ = 1.0f;
    }
    SetAlpha(1.0f);
}

void GUIBackgroundLayer::SetAlpha(float alpha)
{
    const Vector4 color(color_.x, color_.y, color_.z, alpha * ownAlpha_ * color_.w);
    window_->SetColor(color);
    if (particles_ != nullptr)
        particles_->SetColor(color);
}

} // namespace GUITools
