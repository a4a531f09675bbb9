#pragma once

#include "framework/windows/GUIOptionsWindowBase.h"
#include "game/windows/parts/GUIMenuWindow.h"
#include "game/windows/parts/SettingsControls.h"

namespace Halvard {
class GUIButton;
} // namespace Halvard

namespace Tamrisk {

// The options, "window_options": volume scroll bars that the sound set
// follows at once, a full-screen box and the screen size stepped through
// the game's modes, which apply only on confirming (button 2, result 3);
// button 1 resets everything to the defaults, button 0 brings back the
// volumes of the opening and forgets the rest (result 3). A control the
// description lacks is logged when looked up and skipped afterwards. The
// sound set and the profile manager must outlive the window. Main thread
// only.
class GUIOptionsWindow : public GameFramework::GUIOptionsWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kDescriptionName = "window_options";

    GUIOptionsWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                     GameFramework::ProfileManagerBase* profiles, GameData* resources, GUITools::GUIToolManager* tools,
                     GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
    ~GUIOptionsWindow() override;

    void ShowWindow(Halvard::u32 opener) override;
    void HideWindow() override;
    void UpdateWindow() override;

    Halvard::GUIScroll* GetSoundScroll() const { return settings_.GetSoundScroll(); }
    Halvard::GUIScroll* GetMusicScroll() const { return settings_.GetMusicScroll(); }
    Halvard::GUICheckBox* GetFullScreenBox() const { return settings_.GetFullScreenBox(); }
    GUITools::GUITextControl* GetVideoModeText() const { return videoModeText_; }
    Halvard::GUIButton* GetDecreaseButton() const { return decreaseButton_; }
    Halvard::GUIButton* GetIncreaseButton() const { return increaseButton_; }
    Halvard::GUIButton* GetCancelButton() const { return cancelButton_; }
    Halvard::GUIButton* GetDefaultsButton() const { return defaultsButton_; }
    Halvard::GUIButton* GetConfirmButton() const { return confirmButton_; }

private:
    static bool Clicked(const Halvard::GUIButton* button);
    void StepVideoMode();
    void ReadButtons();
    void ShowVideoMode();

    SettingsControls settings_;
    GUITools::GUITextControl* videoModeText_;
    Halvard::GUIButton* decreaseButton_;
    Halvard::GUIButton* increaseButton_;
    Halvard::GUIButton* confirmButton_;
    Halvard::GUIButton* defaultsButton_;
    Halvard::GUIButton* cancelButton_;
};

} // namespace Tamrisk
