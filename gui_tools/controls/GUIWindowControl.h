#pragma once

#include "gui_tools/controls/GUIControl.h"

namespace GUITools {

// The control of a "window" element: a plain engine window, which keeps
// its model's show and hide animations. Owns its window.
class GUIWindowControl : public GUIControl {
public:
    GUIWindowControl(Halvard::Engine* engine, GameTools::DataKeeper* resources, Halvard::GUIWindow* parent,
                     const GUIControlDescription& description);
    ~GUIWindowControl() override;
};

} // namespace GUITools
