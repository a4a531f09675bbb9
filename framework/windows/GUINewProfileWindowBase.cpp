#include "framework/windows/GUINewProfileWindowBase.h"

#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/ProfileCreation.h"

namespace GameFramework {

void GUINewProfileWindowBase::ShowFrom(Halvard::u32 opener, bool)
{
    ShowWindow(opener);
}

bool GUINewProfileWindowBase::CreateProfile(const std::wstring& name)
{
    if (profileManager_->GetProfile(name) != nullptr)
        return false;
    return ProfileCreation::AddAndMakeCurrent(*profileManager_, name);
}

} // namespace GameFramework
