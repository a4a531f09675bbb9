#include "framework/windows/GUIRenameProfileWindowBase.h"

#include "framework/persistence/PlayerName.h"
#include "framework/persistence/ProfileManagerBase.h"

namespace GameFramework {

void GUIRenameProfileWindowBase::ShowWithName(Halvard::u32 opener, bool keepName, const std::wstring& name)
{
    ShowWindow(opener);
    if (keepName)
        keptName_ = name;
}

bool GUIRenameProfileWindowBase::RenameProfile(const std::wstring& newName)
{
    // Names compare as the manager compares them.
    if (MakeProfileNameKey(newName) == MakeProfileNameKey(keptName_))
        return true;
    if (profileManager_->GetProfile(newName) != nullptr)
        return false;
    profileManager_->RenameProfile(keptName_, newName);
    return true;
}

} // namespace GameFramework
