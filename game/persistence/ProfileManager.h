#pragma once

#include "framework/persistence/ProfileManagerBase.h"

namespace Tamrisk {

// The game's profile manager: the game's profiles, and the list in
// "profiles.pmf" of magic "FLPMF", version 100. Everything is loaded at
// construction.
class ProfileManager : public GameFramework::ProfileManagerBase {
public:
    static constexpr const char* kMagic = "FLPMF";
    static constexpr Halvard::u32 kVersion = 100;

    ProfileManager(GameFramework::FileServices services, GameFramework::SoundVolumes* soundSet,
                   const std::string& userFolder);

protected:
    std::unique_ptr<GameFramework::ProfileBase> CreateProfileFromFile(const std::string& fileName) override;
    std::unique_ptr<GameFramework::ProfileBase> CreateProfile(const std::wstring& name) override;
};

} // namespace Tamrisk
