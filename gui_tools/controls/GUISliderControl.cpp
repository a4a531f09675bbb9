#include "gui_tools/controls/GUISliderControl.h"

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"

using namespace Halvard;

namespace GUITools {

GUISliderControl::GUISliderControl(Engine* engine, GameTools::DataKeeper* resources, GUIWindow* parent,
                                   const GUIControlDescription& description)
    : GUIControl(engine, resources, description.name)
{
    Adopt(CreateTrackWidget(parent, description, &GUIManager::CreateSliderFromShader, &GUIManager::CreateSlider),
          description);
}

template <class Slider>
Slider* GUISliderControl::CreateTrackWidget(GUIWindow* parent, const GUIControlDescription& description,
                                            TrackFromShader<Slider> fromShader, TrackFromModel<Slider> fromModel)
{
    GUIManager* gui = GetGUIManager();
    const GUIPlacement at = Placement(parent);
    const GUISliderTrack track;
    return MakePicture(
        description.model, description.shader, description.uv,
        [gui, at, track, fromShader](const ShaderDescriptor& shader, const Vector2& uv) {
            return (gui->*fromShader)(at, track, shader, uv);
        },
        [gui, at, track, fromModel](const Model* model) { return (gui->*fromModel)(at, model, track); });
}

template GUIScroll* GUISliderControl::CreateTrackWidget(GUIWindow*, const GUIControlDescription&,
                                                        TrackFromShader<GUIScroll>, TrackFromModel<GUIScroll>);

GUISliderControl::GUISliderControl(Engine* engine, GameTools::DataKeeper* resources, const std::string& name)
    : GUIControl(engine, resources, name)
{
}

GUISliderControl::~GUISliderControl() { GetGUIManager()->DestroySlider(slider_); }

void GUISliderControl::Adopt(GUISlider* slider, const GUIControlDescription& description)
{
    slider_ = slider;
    Init(slider_, description);
    DropModelAnimation();
}

void GUISliderControl::CreateThumb(const std::string& model, const std::string& shader, const Vector2& uv)
{
    thumbModel_ = model;
    thumbShader_ = shader;
    thumbUv_ = uv;
    MakePicture(
        model, shader, uv,
        [&](const ShaderDescriptor& picture, const Vector2& extent) {
            slider_->CreateThumbFromShader(thumbSize_, picture, extent);
            return slider_->GetThumb();
        },
        [&](const Model* picture) {
            slider_->CreateThumbFromModel(thumbSize_, picture);
            return slider_->GetThumb();
        });
}

void GUISliderControl::SetThumbSelectionPosition(const Vector2& position)
{
    thumbSelectionPosition_ = position;
    thumbSelection_ = true;
}

void GUISliderControl::SetThumbSelectionSize(const Vector2& size)
{
    thumbSelectionSize_ = size;
    thumbSelection_ = true;
}

void GUISliderControl::Update()
{
    GUIControl::Update();
    if (!slider_->visible)
        return;
    slider_->SetVertical(orientation_.find("vertical") != std::string::npos);
    slider_->SetThumbSize(thumbSize_);
    slider_->SetTrackStart(trackStart_);
    slider_->SetTrackEnd(trackEnd_);
    GUIButton* thumb = slider_->GetThumb();
    thumb->hitAreaEnabled = thumbSelection_;
    if (thumbSelection_) {
        thumb->hitAreaOffset = thumbSelectionPosition_;
        thumb->hitAreaSize = thumbSelectionSize_;
    }
}

} // namespace GUITools
