#include "engine/gui/GUIScroll.h"

#include "engine/core/TimerManager.h"
#include "engine/gui/GUISoundManager.h"

#include <algorithm>

namespace Halvard {

namespace {

constexpr float kRepeatSeconds = 0.15f;
// Held time above this still owes a step.
constexpr float kRepeatTolerance = 0.0001f;
constexpr i32 kScrollLayer = 2;

} // namespace

GUIScroll::GUIScroll(const GUIServices& services, const GUIPlacement& placement, const Model* model,
                     const GUISliderTrack& track)
    : GUISlider(services, placement, model, track)
{
    Configure();
}

GUIScroll::GUIScroll(const GUIServices& services, const GUIPlacement& placement, const ShaderDescriptor& shader,
                     const Vector2& uvExtent, const GUISliderTrack& track)
    : GUISlider(services, placement, shader, uvExtent, track)
{
    Configure();
}

// The slider's placeholder thumb is made again now that the scroll bar's
// own thumb settings apply.
void GUIScroll::Configure()
{
    CreateThumbFromModel(Vector2(0.0f, 0.0f), nullptr);
    CreateIncreaseArrow(Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr);
    CreateDecreaseArrow(Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr);
}

void GUIScroll::ThumbCreated()
{
    GetThumb()->SetLayer(kScrollLayer);
    GetThumb()->overSoundId = GUISoundManager::kScrollThumbOver;
    GetThumb()->clickSoundId = GUISoundManager::kScrollThumbClick;
}

std::unique_ptr<GUIButton> GUIScroll::Arrow(std::unique_ptr<GUIButton> arrow) const
{
    arrow->overSoundId = GUISoundManager::kScrollArrowOver;
    arrow->clickSoundId = GUISoundManager::kScrollArrowClick;
    return arrow;
}

void GUIScroll::CreateIncreaseArrow(const Vector2& position, const Vector2& size, const ShaderDescriptor& shader,
                                    const Vector2& uvExtent)
{
    increaseArrow_.reset();
    increaseArrow_ = Arrow(std::make_unique<GUIButton>(GetServices(), ChildPlacement(position, size), shader, uvExtent));
}

void GUIScroll::CreateIncreaseArrow(const Vector2& position, const Vector2& size, const Model* model)
{
    increaseArrow_.reset();
    increaseArrow_ = Arrow(std::make_unique<GUIButton>(GetServices(), ChildPlacement(position, size), model));
}

void GUIScroll::CreateDecreaseArrow(const Vector2& position, const Vector2& size, const ShaderDescriptor& shader,
                                    const Vector2& uvExtent)
{
    decreaseArrow_.reset();
    decreaseArrow_ = Arrow(std::make_unique<GUIButton>(GetServices(), ChildPlacement(position, size), shader, uvExtent));
}

void GUIScroll::CreateDecreaseArrow(const Vector2& position, const Vector2& size, const Model* model)
{
    decreaseArrow_.reset();
    decreaseArrow_ = Arrow(std::make_unique<GUIButton>(GetServices(), ChildPlacement(position, size), model));
}

bool GUIScroll::ProcessInput(const Vector2& cursor, bool held, bool pressed)
{
    if (!GUISlider::ProcessInput(cursor, held, pressed)) {
        repeatTime_ = 0.0f;
        return false;
    }
    increaseArrow_->ProcessInput(cursor, held, pressed);
    decreaseArrow_->ProcessInput(cursor, held, pressed);
    bool up = increaseArrow_->latched && increaseArrow_->over;
    bool down = decreaseArrow_->latched && decreaseArrow_->over;
    if (inverted)
        std::swap(up, down);
    if (!up && !down) {
        repeatTime_ = 0.0f;
        return true;
    }
    repeatTime_ += GetServices().timers->GetFrameTime();
    while (repeatTime_ > kRepeatTolerance) {
        repeatTime_ -= kRepeatSeconds;
        Repeat(up);
    }
    return true;
}

void GUIScroll::Repeat(bool up)
{
    const u32 position = GetPosition();
    if (up)
        SetPosition(std::min(position + step, GetPositionCount() - 1));
    else
        SetPosition(position >= step ? position - step : 0);
}

bool GUIScroll::Draw()
{
    if (!GUISlider::Draw())
        return false;
    increaseArrow_->Draw();
    decreaseArrow_->Draw();
    return true;
}

void GUIScroll::SetColor(const Vector4& color)
{
    GUISlider::SetColor(color);
    increaseArrow_->SetColor(color);
    decreaseArrow_->SetColor(color);
}

void GUIScroll::SetAlpha(float alpha)
{
    GUISlider::SetAlpha(alpha);
    increaseArrow_->SetAlpha(alpha);
    decreaseArrow_->SetAlpha(alpha);
}

void GUIScroll::SetEnabled(bool enable)
{
    GUISlider::SetEnabled(enable);
    increaseArrow_->SetEnabled(enable);
    decreaseArrow_->SetEnabled(enable);
}

bool GUIScroll::IsPressed() const
{
    return GUISlider::IsPressed() || increaseArrow_->latched || decreaseArrow_->latched;
}

} // namespace Halvard
