#pragma once

#include "framework/windows/GUIFrameworkWindow.h"

#include <string>

namespace GameFramework {

class ProfileManagerBase;

// The list of players. The game's window remembers the name of the profile
// to rename or delete, which the flow hands to those windows. The profile
// manager outlives the window.
class GUIProfilesWindowBase : public GUIFrameworkWindow {
public:
    explicit GUIProfilesWindowBase(ProfileManagerBase* profileManager) : profileManager_(profileManager) {}

    const std::wstring& GetSelectedName() const { return selectedName_; }

protected:
    void SetSelectedName(const std::wstring& name) { selectedName_ = name; }
    ProfileManagerBase* GetProfileManager() const { return profileManager_; }

private:
    ProfileManagerBase* profileManager_;
    std::wstring selectedName_;
};

} // namespace GameFramework
