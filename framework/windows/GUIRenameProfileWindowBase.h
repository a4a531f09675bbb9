#pragma once

#include "framework/windows/GUIFrameworkWindow.h"

#include <string>

namespace GameFramework {

class ProfileManagerBase;

// Renames the profile whose name it was shown with. The profile manager
// outlives the window.
class GUIRenameProfileWindowBase : public GUIFrameworkWindow {
public:
    explicit GUIRenameProfileWindowBase(ProfileManagerBase* profileManager) : profileManager_(profileManager) {}

    // Shows the window; with keepName the name becomes the profile to rename,
    // without it the one kept before stays (back from the name conflict).
    virtual void ShowWithName(Halvard::u32 opener, bool keepName, const std::wstring& name);
    // True without any change when the new name is the kept one in another
    // letter case; false when another profile has the new name; otherwise
    // renames and true.
    bool RenameProfile(const std::wstring& newName);

    const std::wstring& GetKeptName() const { return keptName_; }

protected:
    ProfileManagerBase* GetProfileManager() const { return profileManager_; }

private:
    ProfileManagerBase* profileManager_;
    std::wstring keptName_;
};

} // namespace GameFramework
