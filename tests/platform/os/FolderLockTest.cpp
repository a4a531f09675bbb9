#include "platform/os/FolderLock.h"

#include <gtest/gtest.h>

#include "tests/support/FilePermissionsHonoured.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Watchdog.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Platform::FolderLock;
using State = Platform::FolderLock::State;
using Testing::TempFolder;

// A second opening, even in the same process, is kept out until the first
// lets go; the lock file is made once and never written.
TEST(FolderLock, OnlyOneHolderAtATime)
{
    TempFolder folder;
    const std::string file = (folder.Path() / "game.lock").string();
    {
        const FolderLock first(file);
        ASSERT_EQ(first.GetState(), State::kHeld);
        const FolderLock second(file);
        EXPECT_EQ(second.GetState(), State::kHeldElsewhere);
        const FolderLock third(file);
        EXPECT_EQ(third.GetState(), State::kHeldElsewhere);
    }
    const FolderLock after(file);
    EXPECT_EQ(after.GetState(), State::kHeld);
    EXPECT_EQ(fs::file_size(file), 0u);
}

// Another process holds the lock until it dies, and its death by a signal,
// with no chance to let go, frees the lock all the same.
TEST(FolderLock, AHolderThatIsKilledLeavesTheFolderFree)
{
    TempFolder folder;
    const std::string file = (folder.Path() / "game.lock").string();
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const FolderLock held(file);
        const char state = held.GetState() == State::kHeld ? 'h' : 'n';
        if (::write(ready[1], &state, 1) != 1)
            ::_exit(2);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(state, 'h');
    EXPECT_EQ(FolderLock(file).GetState(), State::kHeldElsewhere);

    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(FolderLock(file).GetState(), State::kHeld);
}

// Where no lock file can be made there is no lock to be had, and nothing is
// claimed to be held by anyone.
TEST(FolderLock, NoLockWhereTheFileCannotBeMade)
{
    TempFolder folder;
    folder.WriteFile("plain", "a file, not a folder");
    for (const fs::path& file : {folder.Path() / "missing" / "game.lock", folder.Path() / "plain" / "game.lock"}) {
        const FolderLock lock(file.string());
        EXPECT_EQ(lock.GetState(), State::kUnavailable) << file;
        EXPECT_FALSE(fs::exists(file)) << file;
    }
}

// What lies at a path, read without following a link: its kind, its size,
// the link's target and its owner and mode, so that any change shows.
std::string Describe(const fs::path& path)
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0)
        return "nothing";
    std::string text = std::to_string(status.st_mode) + ":" + std::to_string(status.st_uid) + ":" +
                       std::to_string(status.st_size);
    if (S_ISLNK(status.st_mode))
        text += "->" + fs::read_symlink(path).string();
    return text;
}

int FailAsWithoutLocks(int, int)
{
    errno = ENOLCK;
    return -1;
}

struct UnusableName {
    const char* what;
    // Puts something at the lock file's name (or gets the folder ready).
    std::function<void(const fs::path& folder, const fs::path& file)> make;
    FolderLock::LockCall lockCall;
    State state;
    const char* reason;
    // The lock file's path below the test's folder.
    std::string name = "game.lock";
};

// The file that would have to be opened for the lock cannot be: the folder
// takes files, but its lock cannot be had, and the state tells which
// trouble, with the system's words for why. Nothing at the name is touched,
// nothing is made (a file made for a lock that is refused goes again), and
// the open never waits.
TEST(FolderLock, WhereTheFolderTakesFilesButNoLockCanBeHadTheReasonIsGiven)
{
    const uid_t anotherOwner = 65534;
    const std::vector<UnusableName> cases = {
        {"a folder", [](const fs::path&, const fs::path& file) { fs::create_directory(file); }, nullptr,
         State::kFileUnusable, "Is a directory"},
        {"a dangling link", [](const fs::path& folder,
                               const fs::path& file) { fs::create_symlink(folder / "nowhere", file); },
         nullptr, State::kFileUnusable, "Is a symbolic link"},
        {"a link to a file",
         [](const fs::path& folder, const fs::path& file) {
             std::ofstream(folder / "target") << "kept";
             fs::create_symlink(folder / "target", file);
         },
         nullptr, State::kFileUnusable, "Is a symbolic link"},
        {"another owner's file that is closed to all",
         [anotherOwner](const fs::path&, const fs::path& file) {
             std::ofstream(file) << "";
             fs::permissions(file, fs::perms::none);
             if (::geteuid() == 0) {
                 ASSERT_EQ(::chown(file.c_str(), anotherOwner, anotherOwner), 0);
             }
         },
         nullptr, State::kFileUnusable, "Permission denied"},
        {"a pipe", [](const fs::path&, const fs::path& file) { ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0); },
         nullptr, State::kFileUnusable, "Is not a regular file"},
        {"a file system without locks", [](const fs::path&, const fs::path& file) { std::ofstream(file) << ""; },
         FailAsWithoutLocks,
         State::kLocksRefused, "No locks available"},
        {"a file system without locks, the file not made yet", [](const fs::path&, const fs::path&) {},
         FailAsWithoutLocks, State::kLocksRefused, "No locks available"},
        {"a loop of links above the folder",
         [](const fs::path& folder, const fs::path&) { fs::create_symlink("loop", folder / "loop"); }, nullptr,
         State::kNotOpened, "Too many levels of symbolic links", "loop/game.lock"},
        {"a name too long", [](const fs::path&, const fs::path&) {}, nullptr, State::kNotOpened,
         "File name too long", std::string(300, 'n')},
    };
    for (const UnusableName& unusable : cases) {
        SCOPED_TRACE(unusable.what);
        TempFolder folder;
        const fs::path file = folder.Path() / unusable.name;
        unusable.make(folder.Path(), file);
        const std::string before = Describe(file);
        // An open that waits (a pipe with no writer) would hold the suite
        // until its time limit, naming no row.
        Testing::RunWithin(std::chrono::seconds(5), std::string("locking ") + unusable.what, [&] {
            const Testing::FilePermissionsHonoured honoured;
            const FolderLock lock(file.string(), unusable.lockCall);
            EXPECT_EQ(lock.GetState(), unusable.state);
            EXPECT_EQ(lock.GetReason(), unusable.reason);
        });
        EXPECT_EQ(Describe(file), before);
        EXPECT_FALSE(fs::exists(folder.Path() / "nowhere"));
    }
}

// A lock tried again by a program that had none at first is taken only on a
// file made then: one that is there may have been locked by a program that
// has ended since. A file made then whose lock is refused stays, so that a
// program that comes later finds the folder claimed.
TEST(FolderLock, ALockTriedAgainIsTakenOnlyOnAFileItMakes)
{
    TempFolder folder;
    const std::string file = (folder.Path() / "game.lock").string();
    EXPECT_EQ(FolderLock(file, FailAsWithoutLocks, FolderLock::Opening::kMakeOnly).GetState(), State::kLocksRefused);
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(FolderLock(file, nullptr, FolderLock::Opening::kMakeOnly).GetState(), State::kTaken);
}

// A folder closed to writing takes no lock file, and no save either: there
// is no lock to be had, which is no trouble of the lock's own. The same
// folder with its lock file already made is locked as ever, for the lock
// needs no writing.
TEST(FolderLock, AFolderClosedToWritingHasNoLockUnlessItsFileIsThere)
{
    TempFolder folder;
    const fs::path closed = folder.Path() / "closed";
    fs::create_directory(closed);
    fs::permissions(closed, fs::perms::owner_read | fs::perms::owner_exec);
    {
        const Testing::FilePermissionsHonoured honoured;
        const FolderLock lock((closed / "game.lock").string());
        EXPECT_EQ(lock.GetState(), State::kUnavailable);
        EXPECT_EQ(lock.GetReason(), "Permission denied");
    }
    EXPECT_FALSE(fs::exists(closed / "game.lock"));

    fs::permissions(closed, fs::perms::owner_all);
    std::ofstream(closed / "game.lock") << "";
    fs::permissions(closed, fs::perms::owner_read | fs::perms::owner_exec);
    {
        const Testing::FilePermissionsHonoured honoured;
        const FolderLock lock((closed / "game.lock").string());
        EXPECT_EQ(lock.GetState(), State::kHeld);
        EXPECT_EQ(lock.GetReason(), "");
    }
    fs::permissions(closed, fs::perms::owner_all);
}

} // namespace
