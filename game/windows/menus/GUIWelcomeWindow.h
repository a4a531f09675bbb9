#pragma once

#include "framework/windows/GUIWelcomeWindowBase.h"
#include "game/windows/parts/GUIMenuWindow.h"
#include "game/windows/parts/ProfileNameForm.h"

namespace Tamrisk {

// The first start, "window_welcome": the player types a name and accepts it
// (the button or ENTER), or asks to leave the game. The profile manager must
// outlive the window. Main thread only.
class GUIWelcomeWindow : public GameFramework::GUIWelcomeWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kDescriptionName = "window_welcome";

    GUIWelcomeWindow(Halvard::Engine* engine, GameFramework::ProfileManagerBase* profiles,
                     GameFramework::SoundSet* sounds, GameData* resources, GUITools::GUIToolManager* tools,
                     GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
    ~GUIWelcomeWindow() override;

    // Asks for the screen with an empty name field.
    void ShowWindow(Halvard::u32 opener) override;
    void HideWindow() override;
    // Once on screen: the exit question 4, or the profile made from the
    // name (the text "welcome/player" for a blank one) and the main menu 3.
    void UpdateWindow() override;

    const ProfileNameForm& GetForm() const { return form_; }

private:
    ProfileNameForm form_;
};

} // namespace Tamrisk
