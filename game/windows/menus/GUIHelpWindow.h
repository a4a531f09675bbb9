#pragma once

#include "framework/windows/GUIHelpWindowBase.h"
#include "game/windows/parts/GUIButtonRowWindow.h"

namespace Tamrisk {

// The credits: one button back to the main menu (3).
// The parts must outlive the window. Main thread only.
class GUIHelpWindow : public GUIButtonRowWindow<GameFramework::GUIHelpWindowBase> {
public:
    static constexpr const char* kDescriptionName = "window_credits";

    GUIHelpWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                  GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
};

} // namespace Tamrisk
