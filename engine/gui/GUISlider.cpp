#include "engine/gui/GUISlider.h"

#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUIStateFrame.h"
#include "engine/render/Model.h"

#include <algorithm>
#include <cmath>

namespace Halvard {

namespace {

// Below this track length the drag divides by 1, not by the length.
constexpr float kShortestDivisor = 1.0f;

} // namespace

GUISlider::GUISlider(const GUIServices& services, const GUIPlacement& placement, const Model* model,
                     const GUISliderTrack& track)
    : GUIWindow(services, placement, model)
{
    Configure(track);
}

GUISlider::GUISlider(const GUIServices& services, const GUIPlacement& placement, const ShaderDescriptor& shader,
                     const Vector2& uvExtent, const GUISliderTrack& track)
    : GUIWindow(services, placement, shader, uvExtent)
{
    Configure(track);
}

void GUISlider::Configure(const GUISliderTrack& track)
{
    vertical_ = track.vertical;
    trackStart_ = track.start;
    trackEnd_ = track.end;
    positionCount_ = std::max(track.positionCount, 2u);
    CreateThumbFromModel(Vector2(0.0f, 0.0f), nullptr);
    SetPosition(0);
}

GUIPlacement GUISlider::ChildPlacement(const Vector2& position, const Vector2& size)
{
    return GUIPlacement{kShown | (GetFlags() & kColored), position, size, this};
}

GUIPlacement GUISlider::ThumbPlacement()
{
    return ChildPlacement(trackStart_, thumbSize_ + (trackEnd_ - trackStart_));
}

void GUISlider::CreateThumbFromFile(const Vector2& size, const std::string& modelFile)
{
    thumb_.reset();
    thumbSize_ = size;
    AdoptThumb(std::make_unique<GUIButton>(GetServices(), ThumbPlacement(), modelFile));
}

void GUISlider::CreateThumbFromModel(const Vector2& size, const Model* model)
{
    thumb_.reset();
    thumbSize_ = size;
    AdoptThumb(std::make_unique<GUIButton>(GetServices(), ThumbPlacement(), model));
}

void GUISlider::CreateThumbFromShader(const Vector2& size, const ShaderDescriptor& shader, const Vector2& uvExtent)
{
    thumb_.reset();
    thumbSize_ = size;
    AdoptThumb(std::make_unique<GUIButton>(GetServices(), ThumbPlacement(), shader, uvExtent));
}

// The slider places the thumb's picture at the position; the thumb's own
// rectangle covers the whole track.
void GUISlider::AdoptThumb(std::unique_ptr<GUIButton> thumb)
{
    thumb_ = std::move(thumb);
    thumb_->placeModel = false;
    ThumbCreated();
    SetPosition(position_);
}

void GUISlider::ThumbCreated()
{
    thumb_->overSoundId = GUISoundManager::kSliderThumbOver;
    thumb_->clickSoundId = GUISoundManager::kSliderThumbClick;
}

void GUISlider::ResizeThumb() { thumb_->size = thumbSize_ + (trackEnd_ - trackStart_); }

void GUISlider::SetTrackStart(const Vector2& start)
{
    trackStart_ = start;
    thumb_->position = start;
    ResizeThumb();
}

void GUISlider::SetTrackEnd(const Vector2& end)
{
    trackEnd_ = end;
    ResizeThumb();
}

void GUISlider::SetThumbSize(const Vector2& size)
{
    thumbSize_ = size;
    ResizeThumb();
}

void GUISlider::SetPositionCount(u32 count)
{
    if (count == positionCount_)
        return;
    positionCount_ = std::max(count, 2u);
    SetPosition(position_);
}

void GUISlider::SetPosition(u32 position) { position_ = std::min(position, positionCount_ - 1); }

bool GUISlider::ProcessInput(const Vector2& cursor, bool held, bool pressed)
{
    if (!GUIWindow::ProcessInput(cursor, held, pressed))
        return false;
    if (!thumb_->ProcessInput(cursor, held, pressed) || state == kDisabled)
        return false;
    state = over ? kOver : kNormal;
    if (thumb_->latched)
        Drag(cursor);
    return true;
}

// The thumb's centre follows the cursor; the nearest position wins, a half
// rounding up.
void GUISlider::Drag(const Vector2& cursor)
{
    const Vector2 at = GetAbsolutePosition();
    const float along = vertical_ ? cursor.y - at.y - trackStart_.y - thumbSize_.y * 0.5f
                                  : cursor.x - at.x - trackStart_.x - thumbSize_.x * 0.5f;
    const float length = vertical_ ? trackEnd_.y - trackStart_.y : trackEnd_.x - trackStart_.x;
    float t = std::clamp(along / (length > kShortestDivisor ? length : kShortestDivisor), 0.0f, 1.0f);
    if (inverted)
        t = 1.0f - t;
    t *= static_cast<float>(positionCount_ - 1);
    const float whole = std::floor(t);
    SetPosition(static_cast<u32>(whole) + (t - whole >= 0.5f ? 1u : 0u));
}

bool GUISlider::Draw()
{
    if (!GUIWindow::Draw())
        return false;
    PlaceThumbModel();
    thumb_->Draw();
    if (GetModel() != nullptr)
        ShowStateFrame(GetAnimation(), state);
    return true;
}

void GUISlider::PlaceThumbModel()
{
    Model* model = thumb_->GetModel();
    if (model == nullptr)
        return;
    float t = static_cast<float>(position_) / static_cast<float>(positionCount_ - 1);
    if (inverted)
        t = 1.0f - t;
    const Vector2 at = GetAbsolutePosition() + trackStart_ + (trackEnd_ - trackStart_) * t;
    Matrix4 place;
    MatrixTranslation(place, Vector3(at.x, at.y, 0.0f));
    model->worldMatrix = place * MakeScalingMatrix(Vector3(thumbSize_.x, thumbSize_.y, 1.0f)) * model->localMatrix;
    model->boundingBox.SetTransform(model->worldMatrix);
}

void GUISlider::SetColor(const Vector4& color)
{
    GUIWindow::SetColor(color);
    thumb_->SetColor(color);
}

void GUISlider::SetAlpha(float alpha)
{
    GUIWindow::SetAlpha(alpha);
    thumb_->SetAlpha(alpha);
}

void GUISlider::BecameVisible()
{
    if (state != kDisabled)
        state = kNormal;
}

void GUISlider::SetEnabled(bool enable)
{
    if ((state != kDisabled) == enable)
        return;
    state = enable ? kNormal : kDisabled;
    thumb_->SetEnabled(enable);
}

bool GUISlider::IsPressed() const { return thumb_->latched; }

} // namespace Halvard
