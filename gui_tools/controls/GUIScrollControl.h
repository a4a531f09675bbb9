#pragma once

#include "gui_tools/controls/GUISliderControl.h"

namespace Halvard {
class GUIButton;
class GUIScroll;
} // namespace Halvard

namespace GUITools {

// The control of a "scroll" element: a slider control whose scroll bar has
// an increase and a decrease arrow. The arrows' places, rectangles and
// layers are pushed in every visible frame like the slider's settings.
// Owns its scroll bar.
class GUIScrollControl : public GUISliderControl {
public:
    // What the description says about one arrow.
    struct Arrow {
        std::string model;
        std::string shader;
        Halvard::Vector2 uv{1.0f, 1.0f};
        Halvard::Vector2 position{0.0f, 0.0f};
        Halvard::Vector2 size{1.0f, 1.0f};
        bool selection = false;
        Halvard::Vector2 selectionPosition{0.0f, 0.0f};
        Halvard::Vector2 selectionSize{0.0f, 0.0f};
    };
    enum ArrowKind { kIncrease = 0, kDecrease = 1 };

    GUIScrollControl(Halvard::Engine* engine, GameTools::DataKeeper* resources, Halvard::GUIWindow* parent,
                     const GUIControlDescription& description);
    ~GUIScrollControl() override;

    void Update() override;

    // Replaces the arrow, made at its present position and size.
    void CreateArrow(ArrowKind kind, const std::string& model, const std::string& shader,
                     const Halvard::Vector2& uv);
    void SetArrowPosition(ArrowKind kind, const Halvard::Vector2& position) { arrows_[kind].position = position; }
    void SetArrowSize(ArrowKind kind, const Halvard::Vector2& size) { arrows_[kind].size = size; }
    // Either turns the arrow's mouse-sensitive rectangle on.
    void SetArrowSelectionPosition(ArrowKind kind, const Halvard::Vector2& position);
    void SetArrowSelectionSize(ArrowKind kind, const Halvard::Vector2& size);
    // Exactly "lower" puts the arrows below the track.
    void SetButtonsAlignment(const std::string& alignment) { buttonsAlignment_ = alignment; }

    Halvard::GUIScroll* GetScroll() const { return scroll_; }
    const Arrow& GetArrow(ArrowKind kind) const { return arrows_[kind]; }
    const std::string& GetButtonsAlignment() const { return buttonsAlignment_; }

private:
    Halvard::GUIButton* ArrowWidget(ArrowKind kind) const;
    void PlaceArrow(ArrowKind kind, Halvard::i32 layer);

    Halvard::GUIScroll* scroll_ = nullptr;
    Arrow arrows_[2];
    std::string buttonsAlignment_ = "upper";
};

} // namespace GUITools
