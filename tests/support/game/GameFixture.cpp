#include "tests/support/game/GameFixture.h"

#include "platform/os/MessageBox.h"
#include "platform/os/Registry.h"
#include "platform/os/Shell.h"

#include <cstdlib>
#include <utility>

namespace Testing {

namespace {

// The home and the XDG folders the game, SDL and the drivers may write to,
// each a folder of the fixture's, but the cache.
constexpr std::pair<const char*, const char*> kHomeFolders[] = {{"HOME", "home"},
                                                                 {"XDG_DATA_HOME", "share"},
                                                                 {"XDG_CONFIG_HOME", "config"},
                                                                 {"XDG_CACHE_HOME", nullptr},
                                                                 {"XDG_STATE_HOME", "state"}};

// A GL driver keeps the cache folder it first saw for the whole process (its
// shader cache goes with the screen, made once), so the cache outlives every
// fixture and goes with the process.
const std::filesystem::path& ProcessCacheFolder()
{
    static const TempFolder folder;
    return folder.Path();
}

} // namespace

std::filesystem::path ShippedProgramFolder() { return TAMRISK_GAME_FOLDER; }

GameFixture::GameFixture() : GameFixture(ShippedProgramFolder()) {}

GameFixture::GameFixture(const std::filesystem::path& programFolder) : program_(programFolder)
{
    for (const auto& [variable, folder] : kHomeFolders) {
        const char* old = std::getenv(variable);
        environment_.emplace_back(variable, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
        setenv(variable, folder != nullptr ? (folder_.Path() / folder).c_str() : ProcessCacheFolder().c_str(), 1);
    }
    Platform::SetRegistryHiveFile(Platform::RegistryHive::kMachine, folder_.Native("machine.ini").string());
    Platform::SetRegistryHiveFile(Platform::RegistryHive::kUser, folder_.Native("user.ini").string());
    Platform::SetMessageBoxesShown(false);
    Platform::ClearShellOpenRequests();
}

GameFixture::~GameFixture()
{
    Platform::ClearShellOpenRequests();
    Platform::SetMessageBoxesShown(true);
    Platform::SetRegistryHiveFile(Platform::RegistryHive::kMachine, "");
    Platform::SetRegistryHiveFile(Platform::RegistryHive::kUser, "");
    for (const auto& [variable, old] : environment_) {
        if (old.has_value())
            setenv(variable.c_str(), old->c_str(), 1);
        else
            unsetenv(variable.c_str());
    }
}

std::filesystem::path GameFixture::UserFolder() const { return folder_.Path() / "share" / "Quenbyworks" / "Tamrisk"; }

} // namespace Testing
