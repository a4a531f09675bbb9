#pragma once

#include "framework/windows/GUINewProfileWindowBase.h"
#include "game/windows/parts/GUIMenuWindow.h"
#include "game/windows/parts/ProfileNameForm.h"

namespace Tamrisk {

// A further profile, "window_new_profile": a name field, the accept button
// and a cancel button that reads "common/exit" and leads to the exit
// question while no profile exists (after the last one was deleted). A name
// blank once trimmed is refused: nothing is made and nothing reported. The
// profile manager must outlive the window. Main thread only.
class GUINewProfileWindow : public GameFramework::GUINewProfileWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kDescriptionName = "window_new_profile";

    GUINewProfileWindow(Halvard::Engine* engine, GameFramework::ProfileManagerBase* profiles,
                        GameFramework::SoundSet* sounds, GameData* resources, GUITools::GUIToolManager* tools,
                        GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
    ~GUINewProfileWindow() override;

    // Asks for the screen, empties the name field when asked to and labels
    // the cancel button after whether any profile exists.
    void ShowFrom(Halvard::u32 opener, bool clearName) override;
    void HideWindow() override;
    // Once on screen: cancel gives the exit question 4 without profiles, else
    // the profiles 5; accepting gives 5 once the profile is made, the name
    // conflict 9 when the name is taken.
    void UpdateWindow() override;

    bool HasNoProfiles() const { return noProfiles_; }
    const ProfileNameForm& GetForm() const { return form_; }
    GUITools::GUITextControl* GetCancelTitle() const { return cancelTitle_; }

private:
    ProfileNameForm form_;
    GUITools::GUITextControl* cancelTitle_;
    bool noProfiles_ = true;
};

} // namespace Tamrisk
