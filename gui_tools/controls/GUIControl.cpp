#include "gui_tools/controls/GUIControl.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderUser.h"
#include "game_tools/DataKeeper.h"

#include <algorithm>
#include <cmath>

using namespace Halvard;

namespace GUITools {

namespace {

constexpr float kTolerance = 0.0001f;
const std::string kResourcePrefix = "ui/";

bool IsShownFlagSet(const GUIWindow& widget) { return (widget.GetFlags() & GUIWindow::kShown) != 0; }

bool HasStopped(const AnimationControl* animation, i32 id)
{
    return animation != nullptr && animation->GetAnimation() == id && animation->playing == 0;
}

} // namespace

GUIControl::GUIControl(Engine* engine, GameTools::DataKeeper* resources, const std::string& name)
    : engine_(engine), timers_(engine->GetTimerManager()), models_(engine->GetModelManager()),
      gui_(engine->GetGUIManager()), resources_(resources), name_(name)
{
}

GUIControl::~GUIControl() = default;

void GUIControl::Init(GUIWindow* widget, const GUIControlDescription& description)
{
    widget_ = widget;
    model_ = widget->GetModel();
    if (model_ != nullptr)
        modelAnimation_ = PrepareAnimation(*model_, description.modelStartFrame, description.modelEndFrame);
    CreateAnimator(description);
    widget_->ClearFlags(GUIWindow::kShown);
}

AnimationControl* GUIControl::PrepareAnimation(Model& model, i32 startFrame, i32 endFrame) const
{
    AnimationControl& animation = model.GetAnimationControl();
    animation.looping = 0;
    // A model without frames counts as one frame: there is no last frame to
    // count back from, and nothing to play.
    const i32 last = static_cast<i32>(std::max(animation.GetFrameCount(), 1u)) - 1;
    i32 first = 0;
    i32 end = last;
    if (startFrame != GUIControlDescription::kNoFrame)
        first = std::clamp(startFrame, 0, last);
    if (endFrame != GUIControlDescription::kNoFrame)
        end = std::max(std::min(endFrame, last), first);
    if (first == end) {
        animation.HoldListFrame(static_cast<u32>(first));
        return nullptr;
    }
    animation.AddAnimation(kShowAnimation, static_cast<u32>(first), static_cast<u32>(end));
    animation.AddAnimation(kHideAnimation, static_cast<u32>(end), static_cast<u32>(first));
    return &animation;
}

void GUIControl::CreateAnimator(const GUIControlDescription& description)
{
    if (description.animatorModel.empty())
        return;
    const Model* source = resources_->GetModel(kResourcePrefix + description.animatorModel);
    animatorModel_.reset(models_->NewModelCopy(*source, nullptr, 0));
    animatorAnimation_ = PrepareAnimation(*animatorModel_, description.animatorModelStartFrame,
                                          description.animatorModelEndFrame);
    animatorModel_->SetFlags(Model::kVisible);
}

void GUIControl::SetSelectionPosition(const Vector2& position)
{
    selectionPosition_ = position;
    hasSelection_ = true;
}

void GUIControl::SetSelectionSize(const Vector2& size)
{
    selectionSize_ = size;
    hasSelection_ = true;
}

void GUIControl::SetFader(const std::string& name, const GUIFaderSettings& settings)
{
    faderName_ = name;
    fader_ = settings;
}

void GUIControl::SetVisible(bool show, bool runActions)
{
    if (runActions) {
        const std::string& action = show ? showAction_ : hideAction_;
        if (action == "show")
            shown_ = true;
        else if (action == "hide")
            shown_ = false;
        else
            return;
    } else {
        shown_ = show;
    }
    running_ = true;
    elapsed_ = 0.0f;
    fadeTime_ = 0.0f;
    // A show waits hidden for its start; a hide stays drawn while it runs.
    if (shown_)
        widget_->ClearFlags(GUIWindow::kShown);
    else
        widget_->SetFlags(GUIWindow::kShown);
    alpha_ = shown_ ? fader_.min : fader_.max;
}

bool GUIControl::IsVisible() const { return shown_ || widget_->visible; }

void GUIControl::Update()
{
    const float dt = timers_->GetFrameTime();
    StartShow(dt);
    if (!widget_->visible) {
        if (!shown_ && IsShownFlagSet(*widget_)) {
            widget_->ClearFlags(GUIWindow::kShown);
            running_ = false;
        }
        return;
    }
    if (StartHide(dt))
        return;
    EndHideByAnimation();
    Place();
    Fade(dt);
}

void GUIControl::StartShow(float dt)
{
    if (!shown_ || !running_)
        return;
    elapsed_ += dt;
    if (HasFader() && elapsed_ <= fader_.showOffset)
        return;
    widget_->SetFlags(GUIWindow::kShown);
    PlayAll(kShowAnimation);
    running_ = false;
}

bool GUIControl::StartHide(float dt)
{
    if (shown_ || !running_)
        return false;
    elapsed_ += dt;
    if (HasFader() && elapsed_ <= fader_.hideOffset)
        return false;
    PlayAll(kHideAnimation);
    if (!HasFader() && modelAnimation_ == nullptr && animatorAnimation_ == nullptr) {
        HideWidget();
        return true;
    }
    running_ = false;
    return false;
}

void GUIControl::PlayAll(i32 animation)
{
    for (AnimationControl* controller : {modelAnimation_, animatorAnimation_}) {
        if (controller == nullptr)
            continue;
        // Selecting the animation puts it back on its first frame.
        controller->SetAnimation(animation);
        controller->Play();
    }
}

void GUIControl::HideWidget() { widget_->ClearFlags(GUIWindow::kShown); }

void GUIControl::EndHideByAnimation()
{
    const bool endsByAnimation = !HasFader() || fader_.type == GUIFaderSettings::kModelAnimation;
    if (!endsByAnimation)
        return;
    if (HasStopped(modelAnimation_, kHideAnimation) && animatorAnimation_ == nullptr)
        HideWidget();
    if (HasStopped(animatorAnimation_, kHideAnimation))
        HideWidget();
}

void GUIControl::Place()
{
    widget_->SetLayer(height_);
    Vector2 position = position_;
    if (animatorModel_ != nullptr) {
        animatorModel_->Update(false);
        const Vector3& centre = animatorModel_->boundingBox.GetCenter();
        position += Vector2(centre.x, centre.y);
    }
    widget_->position = position;
    widget_->size = size_;
    widget_->hitAreaEnabled = hasSelection_;
    if (hasSelection_) {
        widget_->hitAreaOffset = selectionPosition_;
        widget_->hitAreaSize = selectionSize_;
    }
}

void GUIControl::Fade(float dt)
{
    if (!HasFader())
        return;
    if (!shown_ && elapsed_ < fader_.hideOffset)
        return;
    const float v = std::clamp(FadeValue(dt), 0.0f, 1.0f);
    if (!shown_ && v <= kTolerance)
        HideWidget();
    alpha_ = v * fader_.max + (1.0f - v) * fader_.min;
    if (std::fabs(alpha_ - widget_->GetAlpha()) > kTolerance)
        widget_->SetAlpha(alpha_);
}

float GUIControl::FadeValue(float dt)
{
    if (fader_.type == GUIFaderSettings::kModelAnimation)
        return AnimationFadeValue() * (shown_ ? fader_.showSpeed : fader_.hideSpeed);
    fadeTime_ += dt;
    const float t = std::max(fadeTime_ - fader_.fadeOffset, 0.0f);
    return shown_ ? t * fader_.showSpeed : 1.0f - t * fader_.hideSpeed;
}

float GUIControl::AnimationFadeValue() const
{
    const AnimationControl* animation = animatorModel_ != nullptr ? animatorAnimation_ : modelAnimation_;
    if (animation == nullptr)
        return 0.0f;
    const float length = static_cast<float>(animation->GetRangeFrameCount() - 1);
    if (length <= 0.0f)
        return 1.0f;
    float p = std::min(animation->time, length);
    if (animation->GetAnimation() == kHideAnimation)
        p = length - p;
    return p / length;
}

GUIPlacement GUIControl::Placement(GUIWindow* parent) const
{
    return GUIPlacement{GUIWindow::kColored, position_, size_, parent};
}

template <class Widget>
Widget* GUIControl::CreateWidget(GUIWindow* parent, const GUIControlDescription& description,
                                 FromShader<Widget> fromShader, FromModel<Widget> fromModel)
{
    GUIManager* gui = gui_;
    const GUIPlacement at = Placement(parent);
    return MakePicture(
        description.model, description.shader, description.uv,
        [gui, at, fromShader](const ShaderDescriptor& shader, const Vector2& uv) {
            return (gui->*fromShader)(at.flags, at.position, at.size, shader, at.parent, uv);
        },
        [gui, at, fromModel](const Model* model) {
            return (gui->*fromModel)(at.flags, at.position, at.size, model, at.parent);
        });
}

template GUIButton* GUIControl::CreateWidget(GUIWindow*, const GUIControlDescription&, FromShader<GUIButton>,
                                             FromModel<GUIButton>);
template GUICheckBox* GUIControl::CreateWidget(GUIWindow*, const GUIControlDescription&, FromShader<GUICheckBox>,
                                               FromModel<GUICheckBox>);

GUIWindow* GUIControl::CreateWindowWidget(GUIWindow* parent, const GUIControlDescription& description)
{
    return CreateWidget(parent, description, &GUIManager::CreateWindowFromShader, &GUIManager::CreateWindowFromModel);
}

const ShaderDescriptor* GUIControl::FindShader(const std::string& name) const
{
    return name.empty() ? nullptr : resources_->GetShaderUser(kResourcePrefix + name);
}

const Model* GUIControl::FindModel(const std::string& name) const
{
    return name.empty() ? nullptr : resources_->GetModel(kResourcePrefix + name);
}

} // namespace GUITools
