#pragma once

#include "game/windows/parts/GUIMenuLoadingWindow.h"

namespace GameFramework {
class LevelManagerBase;
}

namespace Tamrisk {

// The window "window_game_logic_loading", shown while a level's data loads
// before play.
class GUIGameLogicLoadingWindow : public GUIMenuLoadingWindow {
public:
    static constexpr const char* kDescriptionName = "window_game_logic_loading";

    // The level manager only completes the factory's arguments: the window
    // reads nothing from it.
    GUIGameLogicLoadingWindow(Halvard::Engine* engine, GameFramework::LevelManagerBase* levels,
                              GameFramework::SoundSet* sounds, GameData* resources, GUITools::GUIToolManager* tools,
                              GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
    ~GUIGameLogicLoadingWindow() override;
};

} // namespace Tamrisk
