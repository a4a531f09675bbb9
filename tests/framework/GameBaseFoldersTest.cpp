#include "tests/framework/NullGame.h"

#include "engine/core/PathUtils.h"
#include "platform/os/Registry.h"
#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace {

using Platform::RegistryHive;
using Testing::Failure;
using Testing::NullGame;

constexpr const char* kKey = "[SOFTWARE\\TestMaker\\TestTitle]\n";

struct FolderCase {
    const char* name;
    // Lines under the game's key in each hive; none: no hive file at all.
    std::optional<std::string> machineValues;
    std::optional<std::string> userValues;
    bool packBesideProgram;
    Halvard::u32 expectedVersion;
    // Empty: the program's own folder.
    std::string expectedInstallFolder;
};

// The hives, the program folder and the user's data folder all lie in a
// folder of the test's own.
class GameBaseFoldersTest : public ::testing::TestWithParam<FolderCase> {
protected:
    GameBaseFoldersTest() : program_(folder_.Path() / "program")
    {
        std::filesystem::create_directories(folder_.Path() / "program");
        setenv("XDG_DATA_HOME", (folder_.Path() / "xdg").c_str(), 1);
        Platform::SetRegistryHiveFile(RegistryHive::kMachine, folder_.Native("machine.ini").string());
        Platform::SetRegistryHiveFile(RegistryHive::kUser, folder_.Native("user.ini").string());
    }
    ~GameBaseFoldersTest() override
    {
        Platform::SetRegistryHiveFile(RegistryHive::kMachine, "");
        Platform::SetRegistryHiveFile(RegistryHive::kUser, "");
        unsetenv("XDG_DATA_HOME");
    }

    void WriteHive(const char* file, const std::optional<std::string>& values)
    {
        if (values.has_value())
            folder_.WriteFile(file, kKey + *values);
    }

    Testing::TempFolder folder_;
    Testing::ScopedProgramFolder program_;
};

TEST_P(GameBaseFoldersTest, VersionAndInstallFolderFollowTheRegistryAndThePack)
{
    const FolderCase& c = GetParam();
    WriteHive("machine.ini", c.machineValues);
    WriteHive("user.ini", c.userValues);
    if (c.packBesideProgram)
        folder_.WriteFile("program\\data\\pack0.pak", "PACK");

    const NullGame game(Failure::kNone, 100);

    EXPECT_EQ(game.GetVersion(), c.expectedVersion);
    const std::string programFolder = folder_.Internal() + "\\program";
    EXPECT_EQ(game.GetInstallFolder(), c.expectedInstallFolder.empty() ? programFolder : c.expectedInstallFolder);
    EXPECT_EQ(game.GetRegistryPath(), "SOFTWARE\\TestMaker\\TestTitle");
}

INSTANTIATE_TEST_SUITE_P(
    Registry, GameBaseFoldersTest,
    ::testing::Values(
        FolderCase{"NoHiveAtAll", std::nullopt, std::nullopt, false, 100, ""},
        FolderCase{"NoValues", "", "", false, 100, ""},
        FolderCase{"VersionFromTheMachine", "\"Version\"=\"105\"\n", std::nullopt, false, 105, ""},
        FolderCase{"VersionFromTheUser", std::nullopt, "Version=105\n", false, 105, ""},
        FolderCase{"TheMachineBeforeTheUser", "Version=7\n", "Version=9\n", false, 7, ""},
        FolderCase{"VersionThatIsNoNumber", "Version=abc\n", std::nullopt, false, 0, ""},
        FolderCase{"VersionStoredAsANumberIsNotAString", "Version=dword:00000069\n", std::nullopt, false, 100, ""},
        FolderCase{"InstallPathWithoutThePack", "InstallPath=\\opt\\tamrisk\n", std::nullopt, false, 100,
                   "\\opt\\tamrisk"},
        FolderCase{"ThePackBesideTheProgramWinsOverInstallPath", "InstallPath=\\opt\\tamrisk\n", std::nullopt,
                   true, 100, ""},
        FolderCase{"NeitherPackNorInstallPath", "Version=100\n", "", false, 100, ""}),
    [](const ::testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

// The user's folder is maker and title below the application-data folder,
// and it can never be deleted by the system's guarded deletion.
TEST_F(GameBaseFoldersTest, TheUserFolderLiesBelowTheDataFolderAndIsProtected)
{
    const NullGame game(Failure::kNone);
    const std::string expected = folder_.Internal() + "\\xdg\\TestMaker\\TestTitle";
    EXPECT_EQ(game.GetUserFolder(), expected);

    folder_.WriteFile("xdg\\TestMaker\\TestTitle\\high_scores.hsf", "kept");
    Halvard::DeleteFolder(expected);
    Halvard::DeleteFolder(folder_.Internal() + "\\xdg\\TestMaker");
    EXPECT_TRUE(std::filesystem::exists(folder_.Native("xdg\\TestMaker\\TestTitle\\high_scores.hsf")));
}

} // namespace
