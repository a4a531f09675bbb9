#pragma once

#include "framework/windows/GUIDeleteProfileWindowBase.h"
#include "game/windows/parts/GUIMenuWindow.h"

namespace Halvard {
class GUIButton;
}

namespace Tamrisk {

// The question before a profile is deleted, "window_delete_profile": its
// text names the profile in double quotes ("%PROFILE_NAME%"); the yes
// button "/window/button_1" deletes, the no button "/window/button_0" goes
// back. The profile manager must outlive the window. Main thread only.
class GUIDeleteProfileWindow : public GameFramework::GUIDeleteProfileWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kDescriptionName = "window_delete_profile";

    GUIDeleteProfileWindow(Halvard::Engine* engine, GameFramework::ProfileManagerBase* profiles,
                           GameFramework::SoundSet* sounds, GameData* resources, GUITools::GUIToolManager* tools,
                           GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
    ~GUIDeleteProfileWindow() override;

    // Keeps the name for the deletion and asks for the screen.
    void ShowWithName(Halvard::u32 opener, const std::wstring& name) override;
    void HideWindow() override;
    // Once on screen: no gives the profiles 5; yes deletes, then 5 while a
    // profile is left, else the new profile window 6.
    void UpdateWindow() override;

    Halvard::GUIButton* GetNoButton() const { return no_; }
    Halvard::GUIButton* GetYesButton() const { return yes_; }

private:
    Halvard::GUIButton* no_;
    Halvard::GUIButton* yes_;
};

} // namespace Tamrisk
