#include "framework/windows/VideoSettingsAccess.h"

#include "engine/core/Config.h"
#include "framework/persistence/ProfileManagerBase.h"

namespace GameFramework {

bool VideoSettingsAccess::IsPending(const Halvard::Config& config, const char* command)
{
    return !config.IsCommandHandled(command);
}

void VideoSettingsAccess::Invoke(Halvard::Config& config, const char* command)
{
    config.SetCommandHandled(command, false);
}

void VideoSettingsAccess::FollowPendingWindowMode(const Halvard::Config& config, bool& fullScreen)
{
    if (IsPending(config, kWindowChangeMode))
        fullScreen = config.fullScreen != 0;
}

void VideoSettingsAccess::StoreVolumes(ProfileManagerBase& profileManager)
{
    if (ProfileBase* profile = profileManager.GetCurrentProfile())
        profileManager.StoreProfileSettings(*profile);
}

} // namespace GameFramework
