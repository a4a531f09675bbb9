#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "game/windows/parts/GUIStageMap.h"

namespace Halvard {
class Engine;
class GUIButton;
class GUIManager;
class GUIWindow;
class Model;
} // namespace Halvard

namespace GameTools {
class DataKeeper;
class GUIDoubleClickDetecter;
} // namespace GameTools

namespace Tamrisk {

// One point of the stage map: the kind's model ("ui/map_start",
// "ui/map_finish", "ui/map_check_point", "ui/map_path") placed on the
// interface by the map file's matrix, a shadow copy of it 2 units right and
// down, and an invisible button over its middle that the map's double-click
// detector watches. The state picks the model's frame: 0 not yet passed,
// 1 passed, 2 highlighted, 3 chosen, 4 out of reach; the shadow shows
// frame 5. Colours carry the fade: each window is coloured white at alpha x
// fade.
//
// The windows have no size of their own: the model's world matrix is the
// placement, and the button's rectangle comes from the model's placed box.
// The interface data, the detector and the parent must outlive the
// element. Main thread only.
class GUIMapElement {
public:
    enum State : Halvard::u32 { kNotPassed, kPassed, kHighlighted, kChosen, kOutOfReach, kShadow };

    GUIMapElement(Halvard::Engine* engine, GameTools::DataKeeper* resources,
                  GameTools::GUIDoubleClickDetecter* detecter, const GUIStageMap::Element& element,
                  Halvard::GUIWindow* parent);
    GUIMapElement(const GUIMapElement&) = delete;
    GUIMapElement& operator=(const GUIMapElement&) = delete;
    virtual ~GUIMapElement();

    // Shows the state's frame; unless locked, the button takes clicks
    // exactly while the state is below out of reach. A state below out of
    // reach is fully opaque (alpha 1).
    void SetState(Halvard::u32 state);
    // The element's own alpha, times the fade.
    void SetAlpha(float alpha);
    // The window's fade, times the alpha.
    void SetFade(float fade);
    // Shows or hides both windows and the button; showing unlocks.
    void SetVisible(bool show);
    // The element can be looked at, not clicked, until shown again.
    void Lock();
    // Gives the element a check point's look, or a path dot's; its state,
    // visibility and colour stay. Its button and kind stay as they are.
    void SetCheckPoint(bool checkPoint);
    bool IsCheckPoint() const { return checkPoint_; }
    // The cursor over the button of an element that is neither chosen nor
    // out of reach highlights it when allowed and unlocked; otherwise it
    // shows its state.
    void UpdateHighlight(bool allow);

    bool IsVisible() const;
    bool IsClicked() const;
    // The detector's double click of this update was on this element, which
    // is not out of reach and is unlocked or chosen.
    bool IsDoubleClicked() const;
    bool IsHighlighted() const { return highlighted_; }
    bool IsLocked() const { return locked_; }

    Halvard::u32 GetKind() const { return kind_; }
    Halvard::u32 GetState() const { return state_; }
    Halvard::u32 GetStage() const { return stage_; }
    Halvard::u32 GetLevel() const { return level_; }
    float GetAlpha() const { return alpha_; }
    Halvard::GUIWindow* GetWindow() const { return window_; }
    Halvard::GUIWindow* GetShadow() const { return shadow_; }
    Halvard::GUIButton* GetButton() const { return button_; }

    // The model names by kind.
    static const char* ResourceName(Halvard::u32 kind);

private:
    void CreateWindows(const char* resourceName);
    Halvard::GUIWindow* CreateMapWindow(const Halvard::Model* model, const Halvard::Matrix4& transform,
                                        Halvard::i32 layer) const;
    static void SetFrame(Halvard::GUIWindow* window, Halvard::u32 frame);

    Halvard::GUIManager* gui_;
    GameTools::DataKeeper* resources_;
    GameTools::GUIDoubleClickDetecter* detecter_;
    Halvard::GUIWindow* parent_;
    Halvard::Matrix4 placement_;
    Halvard::GUIWindow* window_ = nullptr;
    Halvard::GUIWindow* shadow_ = nullptr;
    Halvard::GUIButton* button_ = nullptr;
    Halvard::u32 kind_;
    Halvard::u32 stage_;
    Halvard::u32 level_;
    Halvard::u32 state_ = kNotPassed;
    bool highlighted_ = false;
    bool locked_ = false;
    bool checkPoint_ = false;
    float alpha_ = 1.0f;
    float fade_ = 0.0f;
};

} // namespace Tamrisk
