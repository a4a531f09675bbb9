#pragma once

#include "framework/windows/GUIExitWindowBase.h"
#include "game/windows/parts/GUIButtonRowWindow.h"

namespace Tamrisk {

// The question whether to quit the program: yes ends it (23); no goes back
// to the window that asked: the welcome window (2), the main menu (3) or the
// new-profile window (6); from any other opener no reports nothing. The
// parts must outlive the window. Main thread only.
class GUIExitWindow : public GUIButtonRowWindow<GameFramework::GUIExitWindowBase> {
public:
    static constexpr const char* kDescriptionName = "window_exit";

    GUIExitWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                  GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);

protected:
    Halvard::u32 GetResultOf(std::size_t index) const override;
};

} // namespace Tamrisk
