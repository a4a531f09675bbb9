#include "framework/windows/GUIWelcomeWindowBase.h"

#include "framework/windows/ProfileCreation.h"

namespace GameFramework {

void GUIWelcomeWindowBase::CreateProfile(const std::wstring& name)
{
    ProfileCreation::AddAndMakeCurrent(*profileManager_, name);
}

} // namespace GameFramework
