#include "framework/windows/ProfileCreation.h"

#include "framework/persistence/ProfileManagerBase.h"

namespace GameFramework {

bool ProfileCreation::AddAndMakeCurrent(ProfileManagerBase& profileManager, const std::wstring& name)
{
    // Looking the name up again could find another profile than the one
    // added (a name cut to the longest a file holds), or none; the added one
    // is the one meant.
    ProfileBase* profile = profileManager.AddProfile(name);
    if (profile == nullptr)
        return false;
    profileManager.SetCurrentProfile(profile, ProfileManagerBase::ListSaving::kSaveFile);
    return true;
}

} // namespace GameFramework
