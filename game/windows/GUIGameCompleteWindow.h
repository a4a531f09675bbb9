#pragma once

#include "framework/windows/GUIGameCompleteWindowBase.h"
#include "game/windows/GUIButtonRowWindow.h"

namespace Tamrisk {

// The message that the game is won: one button that reports done (1).
// The parts must outlive the window. Main thread only.
class GUIGameCompleteWindow : public GUIButtonRowWindow<GameFramework::GUIGameCompleteWindowBase> {
public:
    static constexpr const char* kDescriptionName = "window_game_complete";

    GUIGameCompleteWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                          GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
};

} // namespace Tamrisk
