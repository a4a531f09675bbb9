#pragma once

#include "framework/windows/GUIFrameworkWindow.h"

#include <string>

namespace GameFramework {

class ProfileManagerBase;

// Asks before deleting the profile whose name it was shown with. The profile
// manager outlives the window.
class GUIDeleteProfileWindowBase : public GUIFrameworkWindow {
public:
    explicit GUIDeleteProfileWindowBase(ProfileManagerBase* profileManager) : profileManager_(profileManager) {}

    virtual void ShowWithName(Halvard::u32 opener, const std::wstring& name);
    void DeleteProfile();

    const std::wstring& GetKeptName() const { return keptName_; }

protected:
    ProfileManagerBase* GetProfileManager() const { return profileManager_; }

private:
    ProfileManagerBase* profileManager_;
    std::wstring keptName_;
};

} // namespace GameFramework
