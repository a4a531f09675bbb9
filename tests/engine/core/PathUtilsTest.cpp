#include "engine/core/PathUtils.h"

#include "engine/core/StringUtils.h"

#include <gtest/gtest.h>

#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace Halvard;
using Testing::ScopedProgramFolder;
using Testing::TempFolder;

TEST(PathParts, SplitAtTheLastSeparatorAndDot)
{
    EXPECT_EQ(GetFileName("data\\ui\\menu.xml"), "menu.xml");
    EXPECT_EQ(GetFileName("menu.xml"), "menu.xml");
    EXPECT_EQ(GetFileFolder("data\\ui\\menu.xml"), "data\\ui");
    EXPECT_EQ(GetFileFolder("menu.xml"), "");
    EXPECT_EQ(GetFileExtension("data\\menu.xml"), "xml");
    EXPECT_EQ(GetFileExtension("data\\menu"), "");
    EXPECT_EQ(GetFileExtension("data.v2\\menu"), "");
}

TEST(PathParts, SetFileExtensionReplacesAppendsOrRemoves)
{
    std::string path = "model.mlf";
    SetFileExtension(path, "bak");
    EXPECT_EQ(path, "model.bak");
    SetFileExtension(path, "");
    EXPECT_EQ(path, "model");
    SetFileExtension(path, "");
    EXPECT_EQ(path, "model");
    SetFileExtension(path, "jpg");
    EXPECT_EQ(path, "model.jpg");
}

TEST(PathParts, ExtensionsCompareWithoutRegardToCase)
{
    EXPECT_TRUE(HasFileExtension("a\\B.JPG", "jpg"));
    EXPECT_FALSE(HasFileExtension("a\\b.jpeg", "jpg"));
}

TEST(PathParts, DataPathsAndAbsolutePaths)
{
    EXPECT_EQ(MakeDataPath("models\\x.mlf"), "data\\models\\x.mlf");
    EXPECT_EQ(MakeDataPath("c:\\x.mlf"), "c:\\x.mlf");
    EXPECT_EQ(MakeDataPath("\\home\\x.mlf"), "\\home\\x.mlf");
    EXPECT_TRUE(IsAbsolutePath("\\tmp"));
    EXPECT_FALSE(IsAbsolutePath("tmp\\x"));
}

TEST(CombinePath, JoinsAndFoldsParentSteps)
{
    EXPECT_EQ(CombinePath("data\\ui", "..\\textures\\t.jpg"), "data\\textures\\t.jpg");
    EXPECT_EQ(CombinePath("data\\ui\\", "x.xml"), "data\\ui\\x.xml");
    EXPECT_EQ(CombinePath("", "x"), "x");
    EXPECT_EQ(CombinePath("a", ""), "");
    EXPECT_EQ(CombinePath("b", "..\\c"), "c");
    EXPECT_EQ(CombinePath("a\\b\\c", "..\\..\\d"), "a\\d");
    EXPECT_EQ(CombinePath("", "..\\x"), "..\\x");
}

TEST(Wildcards, StarsAndQuestionMarksIgnoringCase)
{
    EXPECT_TRUE(MatchesWildcard("*.pak", "Pack0.PAK"));
    EXPECT_TRUE(MatchesWildcard("*", "anything"));
    EXPECT_TRUE(MatchesWildcard("level?.*", "LEVEL3.tkg"));
    EXPECT_TRUE(MatchesWildcard("*a*b", "xxaxxbxb"));
    EXPECT_FALSE(MatchesWildcard("*.pak", "pack.pak.bak"));
    EXPECT_FALSE(MatchesWildcard("level?", "level12"));
}

TEST(DiskPaths, RelativePathsLieBelowTheProgramFolder)
{
    TempFolder folder;
    ScopedProgramFolder program(folder.Path());
    folder.WriteFile("Data\\UI\\x.xml", "x");
    EXPECT_TRUE(FileExistsOnDisk("data\\ui\\X.xml"));
    EXPECT_TRUE(FileExistsOnDisk("data\\ui"));
    EXPECT_FALSE(FileExistsOnDisk("data\\ui\\y.xml"));
    EXPECT_FALSE(FileExistsOnDisk(""));
}

TEST(DiskPaths, CreateFoldersMakesEveryLevelButTheFileAndReusesOtherCases)
{
    TempFolder folder;
    ScopedProgramFolder program(folder.Path());
    fs::create_directories(folder.Path() / "Saves");
    CreateFolders("saves\\profiles\\anna\\a.prf");
    EXPECT_TRUE(fs::is_directory(folder.Path() / "Saves" / "profiles" / "anna"));
    EXPECT_FALSE(fs::exists(folder.Path() / "Saves" / "profiles" / "anna" / "a.prf"));
    EXPECT_FALSE(fs::exists(folder.Path() / "saves"));
}

TEST(DiskPaths, DeleteFolderRemovesATreeButNeverTheProgramOrAProtectedFolder)
{
    TempFolder folder;
    ScopedProgramFolder program(folder.Path());
    folder.WriteFile("profiles\\anna\\a.prf", "x");
    folder.WriteFile("user\\Quenbyworks\\Tamrisk\\profiles.pmf", "x");
    ProtectFolderFromDeletion("user\\Quenbyworks\\Tamrisk");
    DeleteFolder("");
    DeleteFolder(GetApplicationFolder());
    DeleteFolder("user\\quenbyworks");
    EXPECT_TRUE(fs::exists(folder.Path() / "profiles" / "anna" / "a.prf"));
    EXPECT_TRUE(fs::exists(folder.Path() / "user" / "Quenbyworks" / "Tamrisk" / "profiles.pmf"));
    DeleteFolder("profiles\\anna");
    EXPECT_FALSE(fs::exists(folder.Path() / "profiles" / "anna"));
    EXPECT_TRUE(fs::exists(folder.Path() / "profiles"));
}

// A rename never replaces what has the new name, in whatever case, and moves
// only files; refused, it leaves both sides as they were.
TEST(DiskPaths, RenameFileOnDiskMovesAFileOnlyToAFreeName)
{
    struct Case {
        const char* what;
        const char* existing;
        const char* from;
        const char* to;
        bool renamed;
    };
    const Case cases[] = {
        {"a free name", nullptr, "profiles\\a.prf", "profiles\\a.prf.bad", true},
        {"the source in another case", nullptr, "PROFILES\\A.PRF", "profiles\\a.prf.bad", true},
        {"a file of that name", "profiles\\a.prf.bad", "profiles\\a.prf", "profiles\\a.prf.bad", false},
        {"that name in another case", "profiles\\A.prf.BAD", "profiles\\a.prf", "profiles\\a.prf.bad", false},
        {"a folder of that name", "profiles\\a.prf.bad\\x", "profiles\\a.prf", "profiles\\a.prf.bad", false},
        {"a folder as the source", nullptr, "profiles", "kept", false},
        {"no source", nullptr, "profiles\\b.prf", "profiles\\b.prf.bad", false},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        ScopedProgramFolder program(folder.Path());
        folder.WriteFile("profiles\\a.prf", "player");
        if (c.existing != nullptr)
            folder.WriteFile(c.existing, "earlier");
        EXPECT_EQ(RenameFileOnDisk(c.from, c.to), c.renamed) << c.what;
        EXPECT_EQ(fs::exists(folder.Path() / "profiles" / "a.prf"), !c.renamed) << c.what;
        if (c.renamed) {
            EXPECT_EQ(folder.ReadFile("profiles\\a.prf.bad"), "player") << c.what;
        }
        if (c.existing != nullptr) {
            EXPECT_EQ(folder.ReadFile(c.existing), "earlier") << c.what;
        }
    }
}

TEST(DiskSearch, RelativeFolderGivesRelativeNamesAndSubFoldersFullPaths)
{
    TempFolder folder;
    ScopedProgramFolder program(folder.Path());
    folder.WriteFile("packs\\B.pak", "");
    folder.WriteFile("packs\\a.pak", "");
    folder.WriteFile("packs\\notes.txt", "");
    folder.WriteFile("packs\\old.pak\\c.pak", "");
    folder.WriteFile("packs\\other\\d.pak", "");

    std::vector<std::string> found;
    FindFilesOnDisk("packs", "*.pak", found);
    const std::vector<std::string> expected = {"packs\\B.pak", "packs\\a.pak",
                                               folder.Internal() + "\\packs\\old.pak\\c.pak"};
    EXPECT_EQ(found, expected);
}

TEST(DiskSearch, MissingFolderAddsNothing)
{
    TempFolder folder;
    std::vector<std::string> found = {"kept"};
    FindFilesOnDisk(folder.Internal() + "\\none", "*", found);
    EXPECT_EQ(found, std::vector<std::string>{"kept"});
}

} // namespace
