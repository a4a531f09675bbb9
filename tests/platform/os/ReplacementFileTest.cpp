#include "platform/os/ReplacementFile.h"

#include <gtest/gtest.h>

#include "tests/support/FilePermissionsHonoured.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
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

// Every entry below a folder: a link's text, or a mode and a file's bytes.
std::map<std::string, std::string> Tree(const TempFolder& folder)
{
    std::map<std::string, std::string> tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder.Path())) {
        const std::string name = entry.path().lexically_relative(folder.Path()).string();
        tree[name] = entry.is_symlink() ? "-> " + fs::read_symlink(entry.path()).string()
                                        : std::to_string(static_cast<unsigned>(entry.symlink_status().permissions())) +
                                              (entry.is_regular_file() ? ":" + folder.ReadFile(name) : "");
    }
    return tree;
}

// A target that is a link, or a chain of them (each relative one read from
// its own folder), stays one: the file at the chain's end takes the bytes
// with its mode. Where that file cannot be written the save fails as any
// other and nothing changes, made or left anywhere.
TEST(ReplacementFile, ALinkedTargetStaysALinkAndTheFileItPointsToIsReplaced)
{
    using Fault = Platform::WriteFault;
    struct Row {
        const char* what;
        // Where each link lies and what it says; "@" stands for the folder.
        std::vector<std::pair<std::string, std::string>> links;
        // The file that takes the bytes; none when the save fails.
        const char* replaced;
        Fault fault;
    };
    const Row rows[] = {
        {"an absolute link named in another case", {{"user/Save.dat", "@/elsewhere/save.dat"}}, "elsewhere/save.dat",
         Fault::kOther},
        {"a chain", {{"user/save.dat", "../elsewhere/hop"}, {"elsewhere/hop", "deeper/save.dat"}},
         "elsewhere/deeper/save.dat", Fault::kOther},
        {"a dangling link", {{"user/save.dat", "../elsewhere/new.dat"}}, "elsewhere/new.dat", Fault::kOther},
        {"a closed folder", {{"user/save.dat", "../closed/save.dat"}}, nullptr, Fault::kNoRight},
        {"a missing folder", {{"user/save.dat", "../gone/save.dat"}}, nullptr, Fault::kNoFolder},
        {"a loop", {{"user/save.dat", "../elsewhere/loop"}, {"elsewhere/loop", "../user/save.dat"}}, nullptr,
         Fault::kOther},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempFolder folder;
        for (const char* file : {"elsewhere/save.dat", "elsewhere/deeper/save.dat", "closed/save.dat"}) {
            folder.WriteFile(file, "old");
            fs::permissions(folder.Path() / file, fs::perms::owner_read | fs::perms::owner_write);
        }
        fs::create_directory(folder.Path() / "user");
        for (const auto& [where, text] : row.links)
            fs::create_symlink(text[0] == '@' ? folder.Path().string() + text.substr(1) : text, folder.Path() / where);
        fs::permissions(folder.Path() / "closed", fs::perms::owner_read | fs::perms::owner_exec);
        std::map<std::string, std::string> expected = Tree(folder);
        if (row.replaced != nullptr) // 0600 kept, or 0644 for a new file
            expected[row.replaced] = fs::exists(folder.Path() / row.replaced) ? "384:new" : "420:new";
        {
            const Testing::FilePermissionsHonoured honoured;
            Platform::ReplacementFile file((folder.Path() / "user/save.dat").string());
            const bool saved = file.Write("new", 3) == 3 && file.Commit();
            EXPECT_EQ(saved, row.replaced != nullptr);
            if (!saved) {
                EXPECT_EQ(file.GetFault(), row.fault);
            }
        }
        EXPECT_EQ(Tree(folder), expected);
        fs::permissions(folder.Path() / "closed", fs::perms::owner_all);
    }
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
// folder's, nor is what lies beside a linked save elsewhere.
TEST(LeftoverReplacements, LinksAreLeftAlone)
{
    TempFolder folder;
    TempFolder elsewhere;
    elsewhere.WriteFile(".save.tmp-Ab3dE9", "someone else's");
    fs::create_symlink(elsewhere.Path() / "save", folder.Path() / "save");
    fs::create_directories(folder.Path() / "inside");
    fs::create_symlink(elsewhere.Path() / ".save.tmp-Ab3dE9", folder.Path() / ".link.tmp-Ab3dE9");
    fs::create_directory_symlink(elsewhere.Path(), folder.Path() / "inside" / "linked");

    EXPECT_TRUE(Platform::RemoveLeftoverReplacements(folder.Path().string()).empty());
    EXPECT_TRUE(fs::is_symlink(folder.Path() / ".link.tmp-Ab3dE9"));
    EXPECT_EQ(elsewhere.ReadFile(".save.tmp-Ab3dE9"), "someone else's");
}

} // namespace
