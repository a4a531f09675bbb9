#include "platform/os/Paths.h"

#include <gtest/gtest.h>

#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnknownUser.h"

#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Testing::ScopedVariable;

std::string HomeInPasswordDatabase()
{
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

TEST(UserFolders, TheDataFolderFollowsXdgDataHomeThenHome)
{
    Testing::TempFolder folder;
    const ScopedVariable home("HOME", (folder.Path() / "home").c_str());
    {
        const ScopedVariable data("XDG_DATA_HOME", (folder.Path() / "data").c_str());
        EXPECT_EQ(Platform::ApplicationDataFolder(), (folder.Path() / "data").string());
    }
    // A relative XDG_DATA_HOME is no folder to rely on.
    for (const char* data : {static_cast<const char*>(nullptr), "", "relative/share"}) {
        const ScopedVariable variable("XDG_DATA_HOME", data);
        EXPECT_EQ(Platform::ApplicationDataFolder(), (folder.Path() / "home" / ".local" / "share").string());
    }
    EXPECT_TRUE(fs::is_directory(folder.Path() / "home" / ".local" / "share"));
}

// Without HOME (or with one that names no folder) the home folder is the
// user's own from the password database, never the root of the disk.
TEST(UserFolders, WithoutHomeTheHomeFolderComesFromThePasswordDatabase)
{
    const std::string expected = HomeInPasswordDatabase();
    ASSERT_FALSE(expected.empty()) << "this user has no home folder in the password database";
    for (const char* home : {static_cast<const char*>(nullptr), "", "relative"}) {
        const ScopedVariable variable("HOME", home);
        EXPECT_EQ(Platform::HomeFolder(), expected) << (home != nullptr ? home : "(unset)");
    }
}

// A user the password database does not know, with neither HOME nor
// XDG_DATA_HOME, has no data folder at all, and nothing is made for him.
// Only the superuser can become such a user, in a child process.
TEST(UserFolders, AUserWithoutAnyHomeHasNoDataFolder)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "becoming a user without an entry needs the superuser";
    const ScopedVariable home("HOME", nullptr);
    const ScopedVariable data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(Testing::ExitStatusAsUnknownUser([] {
        return Platform::HomeFolder().empty() && Platform::ApplicationDataFolder().empty();
    }), 0);
}

} // namespace
