#pragma once

#include "framework/windows/GUIGameLogicGameExitWindowBase.h"
#include "game/windows/parts/GUIButtonRowWindow.h"

namespace Tamrisk {

// The question, over the level, whether to quit the program: yes ends the
// program (23), no resumes the level (19). It stands on the animated title
// mount alone.
// The parts must outlive the window. Main thread only.
class GUIGameLogicGameExitWindow : public GUIButtonRowWindow<GameFramework::GUIGameLogicGameExitWindowBase> {
public:
    static constexpr const char* kDescriptionName = "window_game_logic_game_exit";

    GUIGameLogicGameExitWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                               GameData* resources, GUITools::GUIToolManager* tools,
                               GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
};

} // namespace Tamrisk
