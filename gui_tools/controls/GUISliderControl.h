#pragma once

#include "gui_tools/controls/GUIControl.h"

namespace Halvard {
class GUISlider;
struct GUISliderTrack;
} // namespace Halvard

namespace GUITools {

// The control of a "slider" element. Its orientation, thumb ("toddler")
// size, track and thumb rectangle are pushed into the slider in every
// visible frame, so they win over anything set on the slider directly.
// Owns its slider.
class GUISliderControl : public GUIControl {
public:
    GUISliderControl(Halvard::Engine* engine, GameTools::DataKeeper* resources, Halvard::GUIWindow* parent,
                     const GUIControlDescription& description);
    ~GUISliderControl() override;

    void Update() override;

    // Replaces the thumb: from the shader alone when only a shader is named.
    void CreateThumb(const std::string& model, const std::string& shader, const Halvard::Vector2& uv);
    // Any word holding "vertical" makes the slider vertical.
    void SetOrientation(const std::string& orientation) { orientation_ = orientation; }
    void SetThumbSize(const Halvard::Vector2& size) { thumbSize_ = size; }
    void SetTrackStart(const Halvard::Vector2& start) { trackStart_ = start; }
    void SetTrackEnd(const Halvard::Vector2& end) { trackEnd_ = end; }
    // Either turns the thumb's mouse-sensitive rectangle on.
    void SetThumbSelectionPosition(const Halvard::Vector2& position);
    void SetThumbSelectionSize(const Halvard::Vector2& size);

    Halvard::GUISlider* GetSlider() const { return slider_; }
    const std::string& GetOrientation() const { return orientation_; }
    const std::string& GetThumbModel() const { return thumbModel_; }
    const std::string& GetThumbShader() const { return thumbShader_; }

protected:
    // For a derived control that makes a slider of its own and adopts it.
    GUISliderControl(Halvard::Engine* engine, GameTools::DataKeeper* resources, const std::string& name);
    void Adopt(Halvard::GUISlider* slider, const GUIControlDescription& description);
    // A slider or scroll bar on the default track, made as the description
    // says through the GUI manager's pair of creating operations for it.
    template <class Slider>
    using TrackFromShader = Slider* (Halvard::GUIManager::*)(const Halvard::GUIPlacement&,
                                                             const Halvard::GUISliderTrack&,
                                                             const Halvard::ShaderDescriptor&, const Halvard::Vector2&);
    template <class Slider>
    using TrackFromModel = Slider* (Halvard::GUIManager::*)(const Halvard::GUIPlacement&, const Halvard::Model*,
                                                            const Halvard::GUISliderTrack&);
    template <class Slider>
    Slider* CreateTrackWidget(Halvard::GUIWindow* parent, const GUIControlDescription& description,
                              TrackFromShader<Slider> fromShader, TrackFromModel<Slider> fromModel);
    // Its owner destroys the slider; this control then leaves it alone.
    void Release() { slider_ = nullptr; }

private:
    Halvard::GUISlider* slider_ = nullptr;
    std::string orientation_ = "horizontal";
    std::string thumbModel_;
    std::string thumbShader_;
    Halvard::Vector2 thumbUv_{1.0f, 1.0f};
    Halvard::Vector2 trackStart_{0.0f, 0.0f};
    Halvard::Vector2 trackEnd_{0.0f, 0.0f};
    Halvard::Vector2 thumbSize_{1.0f, 1.0f};
    bool thumbSelection_ = false;
    Halvard::Vector2 thumbSelectionPosition_{0.0f, 0.0f};
    Halvard::Vector2 thumbSelectionSize_{0.0f, 0.0f};
};

} // namespace GUITools
