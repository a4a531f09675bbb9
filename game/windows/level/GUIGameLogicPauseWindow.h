#pragma once

#include "framework/windows/GUIGameLogicPauseWindowBase.h"
#include "game/windows/parts/GUIButtonRowWindow.h"

namespace Tamrisk {

// The pause over the level: one button that resumes it (19). It stands on
// the animated title mount alone.
// The parts must outlive the window. Main thread only.
class GUIGameLogicPauseWindow : public GUIButtonRowWindow<GameFramework::GUIGameLogicPauseWindowBase> {
public:
    static constexpr const char* kDescriptionName = "window_game_logic_pause";

    GUIGameLogicPauseWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                            GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
};

} // namespace Tamrisk
