#pragma once

#include "framework/windows/GUIFrameworkWindow.h"

#include <string>

namespace GameFramework {

class ProfileManagerBase;

// The first window a player without a profile sees; it makes the first
// profile. The profile manager outlives the window.
class GUIWelcomeWindowBase : public GUIFrameworkWindow {
public:
    explicit GUIWelcomeWindowBase(ProfileManagerBase* profileManager) : profileManager_(profileManager) {}

    // Adds the profile and makes it current, saving the profile list. A name
    // the manager refuses (empty once trimmed) changes nothing.
    void CreateProfile(const std::wstring& name);

protected:
    ProfileManagerBase* GetProfileManager() const { return profileManager_; }

private:
    ProfileManagerBase* profileManager_;
};

} // namespace GameFramework
