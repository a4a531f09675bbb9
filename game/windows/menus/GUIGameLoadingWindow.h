#pragma once

#include "game/windows/parts/GUIMenuLoadingWindow.h"

namespace Tamrisk {

// The window "window_game_loading", shown while the interface's additional
// data loads after the logos. It is built before that load, so its
// description may use only the basic resources and fonts.
class GUIGameLoadingWindow : public GUIMenuLoadingWindow {
public:
    static constexpr const char* kDescriptionName = "window_game_loading";

    GUIGameLoadingWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                         GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
    ~GUIGameLoadingWindow() override;
};

} // namespace Tamrisk
