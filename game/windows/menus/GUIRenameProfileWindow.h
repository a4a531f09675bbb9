#pragma once

#include "framework/windows/GUIRenameProfileWindowBase.h"
#include "game/windows/parts/GUIMenuWindow.h"
#include "game/windows/parts/ProfileNameForm.h"

namespace Tamrisk {

// Renaming a profile, "window_rename_profile": the name field starts with
// the profile's name; the accept button renames, the cancel button goes
// back. A name blank once trimmed is refused: nothing changes and nothing is
// reported. The profile manager must outlive the window. Main thread only.
class GUIRenameProfileWindow : public GameFramework::GUIRenameProfileWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kDescriptionName = "window_rename_profile";

    GUIRenameProfileWindow(Halvard::Engine* engine, GameFramework::ProfileManagerBase* profiles,
                           GameFramework::SoundSet* sounds, GameData* resources, GUITools::GUIToolManager* tools,
                           GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
    ~GUIRenameProfileWindow() override;

    // Asks for the screen; with keepName the field shows the name, without
    // it the field keeps what the player typed (back from the conflict).
    void ShowWithName(Halvard::u32 opener, bool keepName, const std::wstring& name) override;
    void HideWindow() override;
    // Once on screen: cancel gives the profiles 5; accepting gives 5 once
    // renamed, the name conflict 9 when another profile has the name.
    void UpdateWindow() override;

    const ProfileNameForm& GetForm() const { return form_; }

private:
    ProfileNameForm form_;
};

} // namespace Tamrisk
