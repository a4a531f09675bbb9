#pragma once

#include "framework/windows/GUIGameCompleteWindowBase.h"
#include "game/windows/parts/GUIButtonRowWindow.h"

namespace Tamrisk {

// The message that the game is won: one button that reports done (1).
// It is handed whether this is the profile's first completion of the game
// and keeps it; nothing shows it. The parts must outlive the window. Main
// thread only.
class GUIGameCompleteWindow : public GUIButtonRowWindow<GameFramework::GUIGameCompleteWindowBase> {
public:
    static constexpr const char* kDescriptionName = "window_game_complete";

    GUIGameCompleteWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                          GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);

    void SetFirstCompletion(bool firstCompletion) { firstCompletion_ = firstCompletion; }
    bool IsFirstCompletion() const { return firstCompletion_; }

private:
    bool firstCompletion_ = false;
};

} // namespace Tamrisk
