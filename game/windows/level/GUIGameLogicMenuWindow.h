#pragma once

#include "framework/windows/GUIGameLogicMenuWindowBase.h"
#include "game/windows/parts/GUIButtonRowWindow.h"
#include "game/windows/parts/SettingsControls.h"

namespace Tamrisk {

// The menu over a running level, "window_game_logic_menu": volume scroll
// bars that the sound set follows at once, a full-screen box applied as
// soon as it is clicked, and three buttons: to the main menu (result 18),
// restart (17) and resume (19), a later one replacing an earlier one.
// Opened from the game window it comes in with the animated title mount,
// its frame and controls after their faders' delays; back from one of its
// questions the frame is still on screen, so the static mount shows and
// the controls skip the frame's delay. A control the description lacks is
// logged when looked up and skipped afterwards. The sound set and the
// profile manager must outlive the window. Main thread only.
class GUIGameLogicMenuWindow : public GUIButtonRowWindow<GameFramework::GUIGameLogicMenuWindowBase> {
public:
    static constexpr const char* kDescriptionName = "window_game_logic_menu";
    // The faders whose show delays the window re-times.
    static constexpr const char* kFrameFader = "game_logic_window";
    static constexpr const char* kControlFader = "game_logic_control";

    GUIGameLogicMenuWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                           GameFramework::ProfileManagerBase* profiles, GameData* resources,
                           GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
    ~GUIGameLogicMenuWindow() override;

    void UpdateWindow() override;

    Halvard::GUIScroll* GetSoundScroll() const { return settings_.GetSoundScroll(); }
    Halvard::GUIScroll* GetMusicScroll() const { return settings_.GetMusicScroll(); }
    Halvard::GUICheckBox* GetFullScreenBox() const { return settings_.GetFullScreenBox(); }
    Halvard::GUIButton* GetMenuExitButton() const { return GetRowButton(0); }
    Halvard::GUIButton* GetRestartButton() const { return GetRowButton(1); }
    Halvard::GUIButton* GetResumeButton() const { return GetRowButton(2); }

protected:
    void OnShow() override;
    // Only resuming lets the animated mount play its leaving; with any other
    // result the question that follows stands on a static mount at once.
    void OnHide() override;

private:
    void EnableTitleMounts(bool animated);
    void SetShowOffsets(float frameOffset, float controlOffset);

    SettingsControls settings_;
    float frameShowOffset_ = 0.0f;
    float controlShowOffset_ = 0.0f;
};

} // namespace Tamrisk
