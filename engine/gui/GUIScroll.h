#pragma once

#include "engine/gui/GUISlider.h"

namespace Halvard {

// A slider with two arrow buttons that step the position: a press steps at
// once and holding repeats a step every 0.15 s while the cursor stays on
// the arrow. The arrows are the scroll bar's, children of it, not the GUI
// manager's. Takes the frame time from the services' timers. Main thread
// only.
class GUIScroll : public GUISlider {
public:
    GUIScroll(const GUIServices& services, const GUIPlacement& placement, const Model* model,
              const GUISliderTrack& track);
    GUIScroll(const GUIServices& services, const GUIPlacement& placement, const ShaderDescriptor& shader,
              const Vector2& uvExtent, const GUISliderTrack& track);

    bool ProcessInput(const Vector2& cursor, bool held, bool pressed) override;
    bool Draw() override;
    void SetColor(const Vector4& color) override;
    void SetAlpha(float alpha) override;
    void SetEnabled(bool enable) override;
    bool IsPressed() const override;

    // Each replaces its arrow.
    void CreateIncreaseArrow(const Vector2& position, const Vector2& size, const ShaderDescriptor& shader,
                             const Vector2& uvExtent);
    void CreateIncreaseArrow(const Vector2& position, const Vector2& size, const Model* model);
    void CreateDecreaseArrow(const Vector2& position, const Vector2& size, const ShaderDescriptor& shader,
                             const Vector2& uvExtent);
    void CreateDecreaseArrow(const Vector2& position, const Vector2& size, const Model* model);
    GUIButton* GetIncreaseArrow() const { return increaseArrow_.get(); }
    GUIButton* GetDecreaseArrow() const { return decreaseArrow_.get(); }

    // Positions one arrow step moves; set by the scroll bar's users.
    u32 step = 1;

protected:
    void ThumbCreated() override;

private:
    void Configure();
    std::unique_ptr<GUIButton> Arrow(std::unique_ptr<GUIButton> arrow) const;
    void Repeat(bool up);

    std::unique_ptr<GUIButton> increaseArrow_;
    std::unique_ptr<GUIButton> decreaseArrow_;
    // Time held on an arrow not yet spent on steps.
    float repeatTime_ = 0.0f;
};

} // namespace Halvard
