#pragma once

#include <string>

namespace GameFramework {

class ProfileManagerBase;

// Making a new profile current, shared by the welcome and new profile
// windows.
class ProfileCreation {
public:
    // Makes current, saving the profile list, the very profile the manager
    // added; false, with nothing changed, when the manager refused the name.
    static bool AddAndMakeCurrent(ProfileManagerBase& profileManager, const std::wstring& name);
};

} // namespace GameFramework
