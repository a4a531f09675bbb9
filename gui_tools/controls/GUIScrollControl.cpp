#include "gui_tools/controls/GUIScrollControl.h"

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"

using namespace Halvard;

namespace GUITools {

namespace {

// The layers of the arrows and of the track relative to the control's
// height, with the arrows above and below the track.
constexpr i32 kUpperArrowLayer = 2;
constexpr i32 kLowerArrowLayer = -1;

} // namespace

GUIScrollControl::GUIScrollControl(Engine* engine, GameTools::DataKeeper* resources, GUIWindow* parent,
                                   const GUIControlDescription& description)
    : GUISliderControl(engine, resources, description.name)
{
    scroll_ = CreateTrackWidget(parent, description, &GUIManager::CreateScrollFromShader, &GUIManager::CreateScroll);
    Adopt(scroll_, description);
}

GUIScrollControl::~GUIScrollControl()
{
    Release();
    GetGUIManager()->DestroyScroll(scroll_);
}

GUIButton* GUIScrollControl::ArrowWidget(ArrowKind kind) const
{
    return kind == kIncrease ? scroll_->GetIncreaseArrow() : scroll_->GetDecreaseArrow();
}

void GUIScrollControl::CreateArrow(ArrowKind kind, const std::string& model, const std::string& shader,
                                   const Vector2& uv)
{
    Arrow& arrow = arrows_[kind];
    arrow.model = model;
    arrow.shader = shader;
    arrow.uv = uv;
    MakePicture(
        model, shader, uv,
        [&](const ShaderDescriptor& picture, const Vector2& extent) {
            if (kind == kIncrease)
                scroll_->CreateIncreaseArrow(arrow.position, arrow.size, picture, extent);
            else
                scroll_->CreateDecreaseArrow(arrow.position, arrow.size, picture, extent);
            return ArrowWidget(kind);
        },
        [&](const Model* picture) {
            if (kind == kIncrease)
                scroll_->CreateIncreaseArrow(arrow.position, arrow.size, picture);
            else
                scroll_->CreateDecreaseArrow(arrow.position, arrow.size, picture);
            return ArrowWidget(kind);
        });
}

void GUIScrollControl::SetArrowSelectionPosition(ArrowKind kind, const Vector2& position)
{
    arrows_[kind].selectionPosition = position;
    arrows_[kind].selection = true;
}

void GUIScrollControl::SetArrowSelectionSize(ArrowKind kind, const Vector2& size)
{
    arrows_[kind].selectionSize = size;
    arrows_[kind].selection = true;
}

void GUIScrollControl::Update()
{
    GUISliderControl::Update();
    if (!scroll_->visible)
        return;
    const bool lower = buttonsAlignment_ == "lower";
    const i32 arrowLayer = lower ? kLowerArrowLayer : kUpperArrowLayer;
    PlaceArrow(kIncrease, arrowLayer);
    PlaceArrow(kDecrease, arrowLayer);
    scroll_->SetLayer(lower ? GetHeight() + 1 : GetHeight());
}

void GUIScrollControl::PlaceArrow(ArrowKind kind, i32 layer)
{
    const Arrow& arrow = arrows_[kind];
    GUIButton* widget = ArrowWidget(kind);
    widget->position = arrow.position;
    widget->size = arrow.size;
    widget->hitAreaEnabled = arrow.selection;
    if (arrow.selection) {
        widget->hitAreaOffset = arrow.selectionPosition;
        widget->hitAreaSize = arrow.selectionSize;
    }
    widget->SetLayer(layer);
}

} // namespace GUITools
