#include "framework/windows/GUIDeleteProfileWindowBase.h"

#include "framework/persistence/ProfileManagerBase.h"

namespace GameFramework {

void GUIDeleteProfileWindowBase::ShowWithName(Halvard::u32 opener, const std::wstring& name)
{
    ShowWindow(opener);
    keptName_ = name;
}

void GUIDeleteProfileWindowBase::DeleteProfile()
{
    profileManager_->DeleteProfile(keptName_);
}

} // namespace GameFramework
