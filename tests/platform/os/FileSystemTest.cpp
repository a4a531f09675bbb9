#include "platform/os/FileSystem.h"

#include <gtest/gtest.h>

#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Testing::TempFolder;

std::string Native(const TempFolder& folder, const std::string& relative) { return (folder.Path() / relative).string(); }

TEST(PathResolution, FindsEachComponentWithoutRegardToCase)
{
    TempFolder folder;
    folder.WriteFile("Data\\UI\\Menu.xml", "x");
    EXPECT_EQ(Platform::ResolvePath(Native(folder, "data/ui/MENU.XML")), Native(folder, "Data/UI/Menu.xml"));
    EXPECT_TRUE(Platform::PathExists(Native(folder, "DATA/Ui/menu.xml")));
}

TEST(PathResolution, PrefersTheExactSpellingWhenSeveralExist)
{
    TempFolder folder;
    folder.WriteFile("Data\\a.txt", "upper");
    folder.WriteFile("data\\a.txt", "lower");
    EXPECT_EQ(Platform::ResolvePath(Native(folder, "data/a.txt")), Native(folder, "data/a.txt"));
    EXPECT_EQ(Platform::ResolvePath(Native(folder, "Data/a.txt")), Native(folder, "Data/a.txt"));
}

TEST(PathResolution, KeepsTheMissingRestAsGiven)
{
    TempFolder folder;
    fs::create_directories(folder.Path() / "Saves");
    EXPECT_EQ(Platform::ResolvePath(Native(folder, "saves/New/File.sav")), Native(folder, "Saves/New/File.sav"));
    EXPECT_FALSE(Platform::PathExists(Native(folder, "saves/New")));
}

TEST(PathResolution, OpensOnlyRegularFilesForReading)
{
    TempFolder folder;
    folder.WriteFile("Sub\\file.bin", "abc");
    std::FILE* file = Platform::OpenForReading(Native(folder, "sub/FILE.bin"));
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_EQ(Platform::OpenForReading(Native(folder, "sub")), nullptr);
    EXPECT_EQ(Platform::OpenForReading(Native(folder, "missing")), nullptr);
}

TEST(FolderListing, SortsByNameKeepsCaseAndDoesNotFollowFolderLinks)
{
    TempFolder folder;
    TempFolder outside;
    folder.WriteFile("b.txt", "");
    folder.WriteFile("A.TXT", "");
    folder.WriteFile("Sub\\c.txt", "");
    fs::create_directory_symlink(outside.Path(), folder.Path() / "linkedFolder");
    fs::create_symlink(folder.Path() / "b.txt", folder.Path() / "linkedFile");

    const std::vector<Platform::FolderEntry> entries = Platform::ListFolder(Native(folder, ""));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].name, "A.TXT");
    EXPECT_EQ(entries[1].name, "Sub");
    EXPECT_TRUE(entries[1].isFolder);
    EXPECT_EQ(entries[2].name, "b.txt");
    EXPECT_EQ(entries[3].name, "linkedFile");
    EXPECT_FALSE(entries[3].isFolder);
}

TEST(GuardedDeletion, RemovesAFolderTreeGivenInAnyCase)
{
    TempFolder folder;
    folder.WriteFile("Profiles\\Anna\\a.prf", "x");
    EXPECT_TRUE(Platform::DeletePath(Native(folder, "profiles/anna")));
    EXPECT_FALSE(fs::exists(folder.Path() / "Profiles" / "Anna"));
    EXPECT_TRUE(fs::exists(folder.Path() / "Profiles"));
}

TEST(GuardedDeletion, RemovesLinksWithoutTouchingWhatTheyPointTo)
{
    TempFolder folder;
    TempFolder outside;
    outside.WriteFile("keep.txt", "x");
    folder.WriteFile("Doomed\\a.txt", "x");
    fs::create_directory_symlink(outside.Path(), folder.Path() / "Doomed" / "link");
    EXPECT_TRUE(Platform::DeletePath(Native(folder, "Doomed")));
    EXPECT_FALSE(fs::exists(folder.Path() / "Doomed"));
    EXPECT_EQ(outside.ReadFile("keep.txt"), "x");
}

TEST(GuardedDeletion, RefusesEmptyRootProgramAndProtectedFolders)
{
    TempFolder program;
    TempFolder user;
    program.WriteFile("game.exe", "x");
    user.WriteFile("Quenbyworks\\Tamrisk\\profiles.pmf", "x");
    Testing::ScopedProgramFolder scoped(program.Path());
    Platform::AddProtectedFolder(Native(user, "Quenbyworks/Tamrisk"));

    EXPECT_FALSE(Platform::DeletePath(""));
    EXPECT_FALSE(Platform::DeletePath("/"));
    EXPECT_FALSE(Platform::DeletePath(Native(program, "")));
    EXPECT_FALSE(Platform::DeletePath(Native(program, "..")));
    EXPECT_FALSE(Platform::DeletePath(Native(user, "quenbyworks/tamrisk")));
    EXPECT_FALSE(Platform::DeletePath(Native(user, "Quenbyworks")));
    EXPECT_TRUE(fs::exists(program.Path() / "game.exe"));
    EXPECT_TRUE(fs::exists(user.Path() / "Quenbyworks" / "Tamrisk" / "profiles.pmf"));
}

TEST(GuardedDeletion, RefusesTheApplicationDataFolder)
{
    TempFolder data;
    data.WriteFile("Quenbyworks\\Tamrisk\\profiles.pmf", "x");
    const char* given = std::getenv("XDG_DATA_HOME");
    const std::string saved = given != nullptr ? given : "";
    ::setenv("XDG_DATA_HOME", data.Path().c_str(), 1);
    const bool deleted = Platform::DeletePath(data.Path().string());
    if (given != nullptr)
        ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
    EXPECT_FALSE(deleted);
    EXPECT_TRUE(fs::exists(data.Path() / "Quenbyworks" / "Tamrisk" / "profiles.pmf"));
}

} // namespace
