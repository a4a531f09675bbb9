#pragma once

#include "framework/windows/GUIFrameworkWindow.h"

#include <string>

namespace GameFramework {

class ProfileManagerBase;

// Makes a further profile. The profile manager outlives the window.
class GUINewProfileWindowBase : public GUIFrameworkWindow {
public:
    explicit GUINewProfileWindowBase(ProfileManagerBase* profileManager) : profileManager_(profileManager) {}

    // Shows the window; the game's window empties its name field when asked
    // to. The base does not keep the flag.
    virtual void ShowFrom(Halvard::u32 opener, bool clearName);
    // False, with nothing changed, when a profile of that name exists (in
    // any letter case) or the manager refuses the name; otherwise the new
    // profile becomes current and the list is saved.
    bool CreateProfile(const std::wstring& name);

protected:
    ProfileManagerBase* GetProfileManager() const { return profileManager_; }

private:
    ProfileManagerBase* profileManager_;
};

} // namespace GameFramework
