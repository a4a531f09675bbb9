#pragma once

#include "framework/windows/GUIContinueGameLogicWindowBase.h"
#include "game/windows/parts/GUIButtonRowWindow.h"

namespace GameFramework {
class ProfileManagerBase;
}

namespace Tamrisk {

// The question whether to go on with the saved game, showing the current
// profile's level ("<stage>-<level>", counted from 1) and score: continue
// (14), a new game (13) or back to the main menu (3), a later one in this
// order replacing an earlier. The profile manager and the parts must outlive
// the window. Main thread only.
class GUIContinueGameLogicWindow : public GUIButtonRowWindow<GameFramework::GUIContinueGameLogicWindowBase> {
public:
    static constexpr const char* kDescriptionName = "window_continue_game_logic";

    GUIContinueGameLogicWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                               GameFramework::ProfileManagerBase* profiles, GameData* resources,
                               GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                               Halvard::GUIWindow* parent);

    // Null where the description lacks the control.
    GUITools::GUITextControl* GetLevelText() const { return level_; }
    GUITools::GUITextControl* GetScoreText() const { return score_; }

    // Fills the texts once the window has asked for the screen.
    void ShowWindow(Halvard::u32 opener) override;

private:
    GameFramework::ProfileManagerBase* profiles_;
    GUITools::GUITextControl* level_ = nullptr;
    GUITools::GUITextControl* score_ = nullptr;
};

} // namespace Tamrisk
