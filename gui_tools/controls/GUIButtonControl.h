#pragma once

#include "gui_tools/controls/GUIControl.h"

namespace Halvard {
class GUIButton;
}

namespace GUITools {

// The control of a "button" element. The button's model frames show its
// state, so showing and hiding never play them. Owns its button.
class GUIButtonControl : public GUIControl {
public:
    GUIButtonControl(Halvard::Engine* engine, GameTools::DataKeeper* resources, Halvard::GUIWindow* parent,
                     const GUIControlDescription& description);
    ~GUIButtonControl() override;

    Halvard::GUIButton* GetButton() const { return button_; }

private:
    Halvard::GUIButton* button_ = nullptr;
};

} // namespace GUITools
