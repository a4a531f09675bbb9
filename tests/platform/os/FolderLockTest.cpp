#include "platform/os/FolderLock.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

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

} // namespace
