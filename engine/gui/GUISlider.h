#pragma once

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUISliderTrack.h"
#include "engine/gui/GUIWindow.h"

#include <memory>

namespace Halvard {

// A window that holds one of a fixed number of positions along a straight
// track, set by dragging a thumb: the thumb is a button of its own that
// covers the whole track, so a press anywhere on it grabs the thumb, and
// the slider places the thumb's picture at the position. The thumb is the
// slider's, not the GUI manager's. Main thread only.
class GUISlider : public GUIWindow {
public:
    enum State : u32 { kNormal = 0, kOver = 1, kDisabled = 2 };

    GUISlider(const GUIServices& services, const GUIPlacement& placement, const Model* model,
              const GUISliderTrack& track);
    GUISlider(const GUIServices& services, const GUIPlacement& placement, const ShaderDescriptor& shader,
              const Vector2& uvExtent, const GUISliderTrack& track);

    // Drags the position while the thumb is latched; false for a hidden or
    // disabled slider.
    bool ProcessInput(const Vector2& cursor, bool held, bool pressed) override;
    bool Draw() override;
    void SetColor(const Vector4& color) override;
    void SetAlpha(float alpha) override;

    // Each replaces the thumb; the thumb's picture is size large.
    void CreateThumbFromFile(const Vector2& size, const std::string& modelFile);
    void CreateThumbFromModel(const Vector2& size, const Model* model);
    void CreateThumbFromShader(const Vector2& size, const ShaderDescriptor& shader, const Vector2& uvExtent);
    virtual void SetEnabled(bool enable);
    // The thumb is held down.
    virtual bool IsPressed() const;

    void SetVertical(bool vertical) { vertical_ = vertical; }
    bool IsVertical() const { return vertical_; }
    const Vector2& GetTrackStart() const { return trackStart_; }
    const Vector2& GetTrackEnd() const { return trackEnd_; }
    void SetTrackStart(const Vector2& start);
    void SetTrackEnd(const Vector2& end);
    void SetThumbSize(const Vector2& size);
    // Keeps the position within the new count.
    void SetPositionCount(u32 count);
    // Beyond the last position gives the last.
    void SetPosition(u32 position);
    u32 GetPosition() const { return position_; }
    u32 GetPositionCount() const { return positionCount_; }
    GUIButton* GetThumb() const { return thumb_.get(); }
    const Vector2& GetThumbSize() const { return thumbSize_; }

    // Read by the slider's users; inverted puts position 0 at the track's end.
    u32 state = kNormal;
    bool inverted = false;

protected:
    // Shown again, the slider is back to normal unless disabled.
    void BecameVisible() override;
    // What a new thumb takes from its owner: its sounds, and for a scroll
    // bar its layer.
    virtual void ThumbCreated();
    // A shown child of the slider, coloured when the slider is.
    GUIPlacement ChildPlacement(const Vector2& position, const Vector2& size);

private:
    void Configure(const GUISliderTrack& track);
    void AdoptThumb(std::unique_ptr<GUIButton> thumb);
    GUIPlacement ThumbPlacement();
    void ResizeThumb();
    void Drag(const Vector2& cursor);
    void PlaceThumbModel();

    bool vertical_ = false;
    Vector2 trackStart_{0.0f, 0.0f};
    Vector2 trackEnd_{0.0f, 0.0f};
    Vector2 thumbSize_{0.0f, 0.0f};
    u32 positionCount_ = 2;
    u32 position_ = 0;
    std::unique_ptr<GUIButton> thumb_;
};

} // namespace Halvard
