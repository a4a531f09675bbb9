#include "tests/framework/NullGame.h"

#include "engine/core/Error.h"
#include "tests/support/FilePermissionsHonoured.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnknownUser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using Testing::Failure;
using Testing::NullGame;

constexpr const char* kAlreadyRunning =
    "TestTitle is already running: close the copy that is running before starting TestTitle again.";

// Every entry below a folder with what it holds and when it last changed; a
// symbolic link with where it points, followed by nobody.
std::map<std::string, std::string> Snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> entries;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        std::string state;
        if (entry.is_symlink()) {
            state = "-> " + fs::read_symlink(entry.path()).string();
        } else {
            state = std::to_string(entry.last_write_time().time_since_epoch().count());
            if (entry.is_regular_file())
                state += ":" + std::to_string(entry.file_size());
        }
        entries[entry.path().lexically_relative(folder).string()] = state;
    }
    return entries;
}

// The text of the Error a game's construction throws; none when it starts.
std::optional<std::string> StartFailure()
{
    try {
        const NullGame game(Failure::kNone);
    } catch (const Halvard::Error& error) {
        return error.GetText();
    }
    return std::nullopt;
}

class GameBaseUserFolderTest : public ::testing::Test {
protected:
    fs::path UserFolder() const { return folder_.Path() / "xdg" / "TestMaker" / "TestTitle"; }
    fs::path InUserFolder(const std::string& relative) const
    {
        return folder_.Native("xdg\\TestMaker\\TestTitle\\" + relative);
    }
    void WriteInUserFolder(const std::string& relative, const std::string& text) const
    {
        folder_.WriteFile("xdg\\TestMaker\\TestTitle\\" + relative, text);
    }

    Testing::TempFolder folder_;
    Testing::ScopedVariable dataHome_{"XDG_DATA_HOME", (folder_.Path() / "xdg").c_str()};
};

// A second copy on the same user folder stops in its constructor, before
// anything of it reaches the folder; once the first is gone a copy starts.
TEST_F(GameBaseUserFolderTest, ASecondCopyStopsWithoutTouchingTheUserFolder)
{
    {
        const NullGame running(Failure::kNone);
        WriteInUserFolder("profiles.pmf", "the running copy's");
        const auto before = Snapshot(UserFolder());
        EXPECT_EQ(StartFailure(), kAlreadyRunning);
        EXPECT_EQ(StartFailure(), kAlreadyRunning);
        EXPECT_EQ(Snapshot(UserFolder()), before);
    }
    EXPECT_EQ(StartFailure(), std::nullopt);
}

// What saves cut short left behind goes at the next start, in the user folder
// and the profiles below it; every other file stays. While another copy runs
// the files may be its own saves under way, so a copy that stops takes none.
TEST_F(GameBaseUserFolderTest, LeftoverTemporaryFilesGoOnlyOnceTheFolderIsOurs)
{
    const std::vector<std::string> leftovers = {".profiles.pmf.tmp-a1B2c3", ".high_scores.hsf.tmp-XyZ789",
                                                ".TestTitle.ini.tmp-000000", "profiles\\.Zoe_1234.prf.tmp-Qq9Qq9"};
    const std::vector<std::string> kept = {"profiles.pmf", "high_scores.hsf.bad", "TestTitle.ini",
                                           "profiles\\Zoe_1234.prf", "profiles\\.Zoe_1234.prf.tmp-Qq9Qq"};
    {
        const NullGame running(Failure::kNone);
        for (const std::string& name : leftovers)
            WriteInUserFolder(name, "half");
        for (const std::string& name : kept)
            WriteInUserFolder(name, "whole");
        EXPECT_EQ(StartFailure(), kAlreadyRunning);
        for (const std::string& name : leftovers)
            EXPECT_TRUE(fs::exists(InUserFolder(name))) << name;
    }
    EXPECT_EQ(StartFailure(), std::nullopt);
    for (const std::string& name : leftovers)
        EXPECT_FALSE(fs::exists(InUserFolder(name))) << name;
    for (const std::string& name : kept)
        EXPECT_EQ(folder_.ReadFile("xdg\\TestMaker\\TestTitle\\" + name), "whole") << name;
}

// What bears the lock file's name and cannot be locked stops the start, as a
// running copy does, before anything is written: the leftover of a save is
// not taken, for a copy that cannot lock may not be alone. So does a lock
// file the system cannot open for a cause of its own. The box names the
// file, the system's reason and what to do.
TEST_F(GameBaseUserFolderTest, ALockFileThatCannotBeOpenedStopsTheStartAndSaysWhy)
{
    struct Case {
        const char* what;
        std::function<void(const fs::path& lockFile)> make;
        const char* reason;
        const char* advice = "Remove TestTitle.lock from that folder";
        // No descriptor is free for the start.
        bool filesUsedUp = false;
    };
    const std::vector<Case> cases = {
        {"a folder", [](const fs::path& lockFile) { fs::create_directory(lockFile); }, "Is a directory"},
        {"a dangling link",
         [](const fs::path& lockFile) { fs::create_symlink(lockFile.parent_path() / "gone", lockFile); },
         "Is a symbolic link"},
        {"a link to a file",
         [](const fs::path& lockFile) { fs::create_symlink(lockFile.parent_path() / "profiles.pmf", lockFile); },
         "Is a symbolic link"},
        {"another owner's file closed to all",
         [](const fs::path& lockFile) {
             std::ofstream(lockFile) << "";
             fs::permissions(lockFile, fs::perms::none);
             if (::geteuid() == 0) {
                 ASSERT_EQ(::chown(lockFile.c_str(), 65534, 65534), 0);
             }
         },
         "Permission denied"},
        {"too many files open", [](const fs::path& lockFile) { std::ofstream(lockFile) << ""; },
         "Too many open files", "Too many files are open: close some programs, or raise the limit on open files,",
         true},
    };
    for (const Case& lockCase : cases) {
        SCOPED_TRACE(lockCase.what);
        fs::remove_all(UserFolder());
        WriteInUserFolder("profiles.pmf", "the player's");
        WriteInUserFolder(".profiles.pmf.tmp-a1B2c3", "half");
        const fs::path lockFile = UserFolder() / "TestTitle.lock";
        lockCase.make(lockFile);
        const auto before = Snapshot(UserFolder());
        std::optional<std::string> failure;
        {
            const Testing::FilePermissionsHonoured honoured;
            rlimit files{};
            ::getrlimit(RLIMIT_NOFILE, &files);
            rlimit usedUp = files;
            usedUp.rlim_cur = static_cast<rlim_t>(::dup(0));
            ::close(static_cast<int>(usedUp.rlim_cur));
            if (lockCase.filesUsedUp)
                ::setrlimit(RLIMIT_NOFILE, &usedUp);
            failure = StartFailure();
            ::setrlimit(RLIMIT_NOFILE, &files);
        }
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(*failure, "TestTitle cannot lock its user folder, so a second copy could write over its saves: " +
                                lockFile.string() + " cannot be opened (" + lockCase.reason + "). " +
                                lockCase.advice + " before starting TestTitle again.");
        EXPECT_EQ(Snapshot(UserFolder()), before);
    }
}

// A folder that takes no file at all can hold no save of a second copy
// either: the game starts there without a lock, as it always has.
TEST_F(GameBaseUserFolderTest, AUserFolderClosedToWritingStillStarts)
{
    WriteInUserFolder("profiles.pmf", "the player's");
    fs::permissions(UserFolder(), fs::perms::owner_read | fs::perms::owner_exec);
    std::optional<std::string> failure;
    {
        const Testing::FilePermissionsHonoured honoured;
        failure = StartFailure();
    }
    fs::permissions(UserFolder(), fs::perms::owner_all);
    EXPECT_EQ(failure, std::nullopt);
    EXPECT_FALSE(fs::exists(UserFolder() / "TestTitle.lock"));
}

// With no home folder anywhere the game says so instead of making its
// folder at the root of the disk. Only the superuser can become a user the
// password database does not know, in a child process.
TEST_F(GameBaseUserFolderTest, WithoutAnyHomeFolderTheStartEndsWithAClearError)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "becoming a user without an entry needs the superuser";
    const Testing::ScopedVariable home("HOME", nullptr);
    const Testing::ScopedVariable data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(Testing::ExitStatusAsUnknownUser([] {
        const std::optional<std::string> failure = StartFailure();
        return failure.has_value() && failure->find("HOME is not set") != std::string::npos &&
               failure->find("password database") != std::string::npos;
    }), 0);
}

} // namespace
