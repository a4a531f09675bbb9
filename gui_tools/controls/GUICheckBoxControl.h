#pragma once

#include "gui_tools/controls/GUIControl.h"

namespace Halvard {
class GUICheckBox;
}

namespace GUITools {

// The control of a "check_box" element. The check box's model frames show
// its state, so showing and hiding never play them. Owns its check box.
class GUICheckBoxControl : public GUIControl {
public:
    GUICheckBoxControl(Halvard::Engine* engine, GameTools::DataKeeper* resources, Halvard::GUIWindow* parent,
                       const GUIControlDescription& description);
    ~GUICheckBoxControl() override;

    Halvard::GUICheckBox* GetCheckBox() const { return checkBox_; }

private:
    Halvard::GUICheckBox* checkBox_ = nullptr;
};

} // namespace GUITools
