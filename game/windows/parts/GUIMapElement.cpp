#include "game/windows/parts/GUIMapElement.h"

#include "engine/app/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIStateFrame.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/GUIDoubleClickDetecter.h"

namespace Tamrisk {

using namespace Halvard;

namespace {

constexpr i32 kElementLayer = 2;
constexpr i32 kShadowLayer = 1;
constexpr Vector3 kShadowOffset(2.0f, -2.0f, 0.0f);
// The button covers the middle of the point, not its clear corners.
constexpr float kButtonShare = 0.6f;
constexpr u32 kShownFlags = GUIWindow::kShown | GUIWindow::kColored;

Matrix4 Moved(Matrix4 transform, const Vector3& offset)
{
    transform.m[3] += offset.x;
    transform.m[7] += offset.y;
    transform.m[11] += offset.z;
    return transform;
}

} // namespace

const char* GUIMapElement::ResourceName(u32 kind)
{
    static const char* const kNames[GUIStageMap::kKindCount] = {"ui/map_start", "ui/map_finish",
                                                                "ui/map_check_point", "ui/map_path"};
    return kNames[kind < GUIStageMap::kKindCount ? kind : GUIStageMap::kPathPoint];
}

GUIMapElement::GUIMapElement(Engine* engine, GameTools::DataKeeper* resources,
                             GameTools::GUIDoubleClickDetecter* detecter, const GUIStageMap::Element& element,
                             GUIWindow* parent)
    : gui_(engine->GetGUIManager()), resources_(resources), detecter_(detecter), parent_(parent),
      placement_(element.placement), kind_(element.kind), stage_(element.stage), level_(element.level)
{
    CreateWindows(ResourceName(kind_));

    Vector2 centre(0.0f, 0.0f);
    Vector2 half(0.0f, 0.0f);
    if (const Model* placed = window_->GetModel()) {
        const Vector3& low = placed->boundingBox.GetWorldMin();
        const Vector3& high = placed->boundingBox.GetWorldMax();
        centre = Vector2((low.x + high.x) * 0.5f, (low.y + high.y) * 0.5f);
        half = Vector2((high.x - low.x) * 0.5f, (high.y - low.y) * 0.5f);
    }
    const Vector2 size(2.0f * kButtonShare * half.x, 2.0f * kButtonShare * half.y);
    // The model is placed on the screen, the button inside its parent.
    const Vector2 origin = parent_ != nullptr ? parent_->GetAbsolutePosition() : Vector2(0.0f, 0.0f);
    button_ = gui_->CreateButtonFromModel(GUIWindow::kShown, centre - size * 0.5f - origin, size, nullptr, parent_);
    detecter_->AddWindow(button_);
    SetAlpha(alpha_);
}

GUIMapElement::~GUIMapElement()
{
    detecter_->RemoveWindow(button_);
    gui_->DestroyWindow(window_);
    gui_->DestroyWindow(shadow_);
    gui_->DestroyButton(button_);
}

// The element and its shadow from the named model and shader, showing the
// state's frame and the shadow's.
void GUIMapElement::CreateWindows(const char* resourceName)
{
    const Model* model = resources_->GetModel(resourceName);
    const ShaderUser* shader = resources_->GetShaderUser(resourceName);
    window_ = CreateMapWindow(model, placement_, kElementLayer);
    shadow_ = CreateMapWindow(model, Moved(placement_, kShadowOffset), kShadowLayer);
    window_->SetShader(*shader);
    shadow_->SetShader(*shader);
    SetFrame(shadow_, kShadow);
    SetFrame(window_, state_);
}

void GUIMapElement::SetCheckPoint(bool checkPoint)
{
    if (checkPoint == checkPoint_)
        return;
    checkPoint_ = checkPoint;
    const bool shown = IsVisible();
    gui_->DestroyWindow(window_);
    gui_->DestroyWindow(shadow_);
    CreateWindows(ResourceName(checkPoint_ ? GUIStageMap::kCheckPoint : GUIStageMap::kPathPoint));
    if (!shown) {
        window_->ClearFlags(GUIWindow::kShown);
        shadow_->ClearFlags(GUIWindow::kShown);
    }
    SetAlpha(alpha_);
}

GUIWindow* GUIMapElement::CreateMapWindow(const Model* model, const Matrix4& transform, i32 layer) const
{
    GUIWindow* window =
        gui_->CreateWindowFromModel(kShownFlags, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), model, parent_);
    // The placement is the whole transform: laying the model over a
    // rectangle of no size would flatten it.
    window->placeModel = false;
    window->SetLayer(layer);
    if (Model* own = window->GetModel()) {
        own->worldMatrix = transform;
        own->boundingBox.SetTransform(transform);
    }
    return window;
}

void GUIMapElement::SetFrame(GUIWindow* window, u32 frame) { ShowStateFrame(window->GetAnimation(), frame); }

void GUIMapElement::SetState(u32 state)
{
    state_ = state;
    SetFrame(window_, state_);
    if (!locked_)
        button_->SetEnabled(state_ < kOutOfReach);
    if (state_ < kOutOfReach)
        SetAlpha(1.0f);
}

void GUIMapElement::SetAlpha(float alpha)
{
    alpha_ = alpha;
    const Vector4 color(1.0f, 1.0f, 1.0f, alpha_ * fade_);
    window_->SetColor(color);
    shadow_->SetColor(color);
}

void GUIMapElement::SetFade(float fade)
{
    fade_ = fade;
    SetAlpha(alpha_);
}

void GUIMapElement::SetVisible(bool show)
{
    for (GUIWindow* window : {window_, shadow_, static_cast<GUIWindow*>(button_)}) {
        if (show)
            window->SetFlags(GUIWindow::kShown);
        else
            window->ClearFlags(GUIWindow::kShown);
    }
    if (show) {
        locked_ = false;
        button_->SetEnabled(true);
    }
}

void GUIMapElement::Lock()
{
    locked_ = true;
    button_->SetEnabled(false);
}

void GUIMapElement::UpdateHighlight(bool allow)
{
    highlighted_ = false;
    if (state_ == kChosen || state_ == kOutOfReach)
        return;
    if (button_->over && !locked_ && allow) {
        SetFrame(window_, kHighlighted);
        highlighted_ = true;
    } else {
        SetFrame(window_, state_);
    }
}

bool GUIMapElement::IsVisible() const { return (window_->GetFlags() & GUIWindow::kShown) != 0; }

bool GUIMapElement::IsClicked() const { return button_->clicked; }

bool GUIMapElement::IsDoubleClicked() const
{
    return state_ != kOutOfReach && (!locked_ || state_ == kChosen) && detecter_->doubleClicked &&
           detecter_->window == button_;
}

} // namespace Tamrisk
