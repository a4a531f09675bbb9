#include "tests/support/game/GameFixture.h"

#include "platform/os/MessageBox.h"
#include "platform/os/Registry.h"
#include "platform/os/Shell.h"

#include <cstdlib>

namespace Testing {

std::filesystem::path ShippedProgramFolder() { return TAMRISK_GAME_FOLDER; }

GameFixture::GameFixture() : GameFixture(ShippedProgramFolder()) {}

GameFixture::GameFixture(const std::filesystem::path& programFolder) : program_(programFolder)
{
    setenv("XDG_DATA_HOME", (folder_.Path() / "share").c_str(), 1);
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
    unsetenv("XDG_DATA_HOME");
}

std::filesystem::path GameFixture::UserFolder() const { return folder_.Path() / "share" / "Quenbyworks" / "Tamrisk"; }

} // namespace Testing
