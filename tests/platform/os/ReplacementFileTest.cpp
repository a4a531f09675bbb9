#include "platform/os/ReplacementFile.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Testing::TempFolder;

void Put(Platform::ReplacementFile& file, const char* text)
{
    ASSERT_EQ(file.Write(text, std::strlen(text)), std::strlen(text));
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
    // Writes out what is buffered, so the bytes are on disk before the commit.
    ASSERT_TRUE(file.Seek(0));
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

// A replacement whose process died before Commit or Discard leaves its new
// file; only names of that form go, wherever below the folder they lie.
TEST(LeftoverReplacements, OnlyTheNewFilesOfReplacementsAreRemoved)
{
    TempFolder folder;
    const std::vector<std::string> leftovers = {
        ".profiles.pmf.tmp-Ab3dE9", ".Tamrisk.ini.tmp-000000", "profiles\\.Zoe_1234.prf.tmp-zzzzzz",
        "profiles\\deeper\\.x.tmp-QQQQQQ"};
    const std::vector<std::string> kept = {
        "profiles.pmf",                  // the target itself
        "profiles.pmf.tmp-Ab3dE9",       // not hidden
        ".profiles.pmf.tmp-Ab3dE",       // five letters
        ".profiles.pmf.tmp-Ab3dE9x",     // seven
        ".profiles.pmf.tmp-Ab_dE9",      // not a letter or digit
        ".profiles.pmf.tmp_Ab3dE9",      // another mark
        ".tmp-Ab3dE9",                   // no target name
        ".profiles.pmf.TMP-Ab3dE9",      // the mark in capitals
        "profiles\\Zoe_1234.prf",        // a player's file
        "notes.txt"};
    for (const std::string& name : leftovers)
        folder.WriteFile(name, "half");
    for (const std::string& name : kept)
        folder.WriteFile(name, "kept");
    fs::create_directories(folder.Path() / ".folder.tmp-Ab3dE9");

    std::vector<std::string> removed = Platform::RemoveLeftoverReplacements(folder.Path().string());

    std::vector<std::string> expected;
    for (const std::string& name : leftovers) {
        expected.push_back(folder.Native(name).string());
        EXPECT_FALSE(fs::exists(folder.Native(name))) << name;
    }
    std::sort(removed.begin(), removed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(removed, expected);
    for (const std::string& name : kept)
        EXPECT_EQ(folder.ReadFile(name), "kept") << name;
    EXPECT_TRUE(fs::is_directory(folder.Path() / ".folder.tmp-Ab3dE9"));
}

// Whatever name a replacement gives its new file is one that is recognised.
TEST(LeftoverReplacements, TheNamesReplacementsMakeAreRecognised)
{
    TempFolder folder;
    for (const char* target : {"high_scores.hsf", "Tamrisk.ini", "a", ".hidden"}) {
        Platform::ReplacementFile file((folder.Path() / target).string());
        ASSERT_TRUE(file.IsOpen()) << target;
        const std::vector<std::string> removed = Platform::RemoveLeftoverReplacements(folder.Path().string());
        EXPECT_EQ(removed, std::vector<std::string>{file.TemporaryPath()}) << target;
    }
}

// Links are neither removed nor followed: what they point at is not the
// folder's.
TEST(LeftoverReplacements, LinksAreLeftAlone)
{
    TempFolder folder;
    TempFolder elsewhere;
    elsewhere.WriteFile(".save.tmp-Ab3dE9", "someone else's");
    fs::create_directories(folder.Path() / "inside");
    fs::create_symlink(elsewhere.Path() / ".save.tmp-Ab3dE9", folder.Path() / ".link.tmp-Ab3dE9");
    fs::create_directory_symlink(elsewhere.Path(), folder.Path() / "inside" / "linked");

    EXPECT_TRUE(Platform::RemoveLeftoverReplacements(folder.Path().string()).empty());
    EXPECT_TRUE(fs::is_symlink(folder.Path() / ".link.tmp-Ab3dE9"));
    EXPECT_EQ(elsewhere.ReadFile(".save.tmp-Ab3dE9"), "someone else's");
}

} // namespace
