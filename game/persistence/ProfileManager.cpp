#include "game/persistence/ProfileManager.h"

#include "game/persistence/Profile.h"

namespace Tamrisk {

ProfileManager::ProfileManager(GameFramework::FileServices services, GameFramework::SoundVolumes* soundSet,
                               const std::string& userFolder)
    : ProfileManagerBase(services, soundSet, userFolder, GameFramework::SaveFormat{kMagic, kVersion})
{
    LoadProfiles();
}

std::unique_ptr<GameFramework::ProfileBase> ProfileManager::CreateProfileFromFile(const std::string& fileName)
{
    return std::make_unique<Profile>(GetFileServices(), fileName, GetUserFolder());
}

std::unique_ptr<GameFramework::ProfileBase> ProfileManager::CreateProfile(const std::wstring& name)
{
    return std::make_unique<Profile>(GetFileServices(), name, GetUserFolder(), GetFileNames());
}

} // namespace Tamrisk
