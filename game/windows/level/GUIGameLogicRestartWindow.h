#pragma once

#include "framework/windows/GUIGameLogicRestartWindowBase.h"
#include "game/windows/parts/GUIButtonRowWindow.h"

namespace Tamrisk {

// The question, from the in-game menu or after a lost level, whether to
// start the level again: yes ends the level (13), after which the start-game
// window plays the same level anew at once, without showing the map; no
// (16) goes back to the in-game menu, or to the game over window after a
// lost level. It stands on the static title mount, which stays on screen
// only for the way back to the in-game menu, so that the menu's title does
// not jump.
// The parts must outlive the window. Main thread only.
class GUIGameLogicRestartWindow : public GUIButtonRowWindow<GameFramework::GUIGameLogicRestartWindowBase> {
public:
    static constexpr const char* kDescriptionName = "window_game_logic_restart";

    GUIGameLogicRestartWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                              GameData* resources, GUITools::GUIToolManager* tools,
                              GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);

protected:
    void OnShow() override;
    void OnHide() override;
};

} // namespace Tamrisk
