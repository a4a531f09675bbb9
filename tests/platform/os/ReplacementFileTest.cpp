#include "platform/os/ReplacementFile.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

#include <cstring>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Testing::TempFolder;

void Put(Platform::ReplacementFile& file, const char* text)
{
    std::fwrite(text, 1, std::strlen(text), file.Stream());
}

size_t CountEntries(const fs::path& folder)
{
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(ReplacementFile, TheTargetChangesOnlyOnCommit)
{
    TempFolder folder;
    folder.WriteFile("save.dat", "old");
    Platform::ReplacementFile file((folder.Path() / "save.dat").string());
    ASSERT_TRUE(file.IsOpen());
    Put(file, "new contents");
    std::fflush(file.Stream());
    EXPECT_EQ(folder.ReadFile("save.dat"), "old");
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(folder.ReadFile("save.dat"), "new contents");
    EXPECT_EQ(CountEntries(folder.Path()), 1u);
}

TEST(ReplacementFile, DroppingAnUncommittedFileKeepsTheOldTargetAndLeavesNothingBehind)
{
    TempFolder folder;
    folder.WriteFile("save.dat", "old");
    {
        Platform::ReplacementFile file((folder.Path() / "save.dat").string());
        Put(file, "half");
    }
    EXPECT_EQ(folder.ReadFile("save.dat"), "old");
    EXPECT_EQ(CountEntries(folder.Path()), 1u);
}

TEST(ReplacementFile, ReplacesTheFileSpeltInAnotherCase)
{
    TempFolder folder;
    folder.WriteFile("Game.ini", "old");
    Platform::ReplacementFile file((folder.Path() / "game.INI").string());
    Put(file, "new");
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(folder.ReadFile("Game.ini"), "new");
    EXPECT_EQ(CountEntries(folder.Path()), 1u);
}

TEST(ReplacementFile, KeepsThePermissionsOfTheTarget)
{
    TempFolder folder;
    folder.WriteFile("tool", "old");
    fs::permissions(folder.Path() / "tool", fs::perms::owner_all);
    Platform::ReplacementFile file((folder.Path() / "tool").string());
    Put(file, "new");
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(fs::status(folder.Path() / "tool").permissions() & fs::perms::all, fs::perms::owner_all);
}

} // namespace
