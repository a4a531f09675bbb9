#include "platform/os/Registry.h"

#include <optional>
#include <pwd.h>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnknownUser.h"

namespace {

using Platform::ReadRegistryValue;
using Testing::ScopedVariable;
using Platform::RegistryHive;

class RegistryFileTest : public testing::Test {
protected:
    RegistryFileTest() { Platform::SetRegistryHiveFile(RegistryHive::kUser, folder.Native("user.ini").string()); }
    ~RegistryFileTest() override { Platform::SetRegistryHiveFile(RegistryHive::kUser, ""); }

    void Write(const std::string& contents) const { folder.WriteFile("user.ini", contents); }

    static std::optional<std::string> String(const std::string& key, const std::string& name)
    {
        const auto value = ReadRegistryValue(RegistryHive::kUser, key, name);
        if (!value || !value->isString)
            return std::nullopt;
        return value->text;
    }

    Testing::TempFolder folder;
};

TEST_F(RegistryFileTest, ReadsPlainAndQuotedStringsOfTheirKey)
{
    Write("[SOFTWARE\\Quenbyworks\\Tamrisk]\n"
          "InstallPath = /opt/tamrisk \n"
          "\"Version\"=\"105\"\n"
          "\"Quoted Name\"=\"C:\\\\Games \\\"Tamrisk\\\"\"\n");
    EXPECT_EQ(String("SOFTWARE\\Quenbyworks\\Tamrisk", "InstallPath"), "/opt/tamrisk");
    EXPECT_EQ(String("SOFTWARE\\Quenbyworks\\Tamrisk", "Version"), "105");
    EXPECT_EQ(String("SOFTWARE\\Quenbyworks\\Tamrisk", "Quoted Name"), "C:\\Games \"Tamrisk\"");
}

TEST_F(RegistryFileTest, KeysAndNamesMatchWithoutRegardToCaseOrBackslashesAtTheEnds)
{
    Write("[\\Software\\QUENBYWORKS\\tamrisk\\]\nLanguage=RU\n");
    EXPECT_EQ(String("SOFTWARE\\Quenbyworks\\Tamrisk", "language"), "RU");
    EXPECT_EQ(String("software\\quenbyworks\\tamrisk\\", "LANGUAGE"), "RU");
}

TEST_F(RegistryFileTest, OnlyTheValuesOfTheNamedKeyAreSeen)
{
    Write("[SOFTWARE\\Other]\nVersion=1\n[SOFTWARE\\Other\\Deeper]\nVersion=2\n");
    EXPECT_EQ(String("SOFTWARE\\Other", "Version"), "1");
    EXPECT_EQ(String("SOFTWARE\\Other\\Deeper", "Version"), "2");
    EXPECT_EQ(String("SOFTWARE", "Version"), std::nullopt);
}

TEST_F(RegistryFileTest, NumbersAndBinaryDataAreValuesButNotStrings)
{
    Write("[K]\nCount=dword:00000064\nBlob=hex:01,02\nPath=hex(2):25,00\n");
    for (const char* name : {"Count", "Blob", "Path"}) {
        const auto value = ReadRegistryValue(RegistryHive::kUser, "K", name);
        ASSERT_TRUE(value.has_value()) << name;
        EXPECT_FALSE(value->isString) << name;
    }
}

TEST_F(RegistryFileTest, TheDefaultValueIsNamedByAnAt)
{
    Write("[K]\n@=the default\n");
    EXPECT_EQ(String("K", ""), "the default");
}

TEST_F(RegistryFileTest, LaterLinesOverrideEarlierOnesAndCommentsAndWindowsLineEndsAreIgnored)
{
    Write("; a comment\r\n[K]\r\n# Name=commented\r\nName=first\r\n[Other]\r\nName=other\r\n[K]\r\nName=second\r\n");
    EXPECT_EQ(String("K", "Name"), "second");
}

TEST_F(RegistryFileTest, MissingFilesKeysValuesAndMalformedLinesGiveNothing)
{
    EXPECT_EQ(ReadRegistryValue(RegistryHive::kUser, "K", "Name"), std::nullopt);
    Write("[K]\nNo equals sign here\n\"Unclosed=x\n");
    EXPECT_EQ(ReadRegistryValue(RegistryHive::kUser, "K", "Name"), std::nullopt);
    EXPECT_EQ(ReadRegistryValue(RegistryHive::kUser, "K", "No equals sign here"), std::nullopt);
    EXPECT_EQ(ReadRegistryValue(RegistryHive::kUser, "Missing", "Name"), std::nullopt);
}

TEST(RegistryHiveFiles, TheMachineHiveLiesInTheFirstSystemConfigurationFolder)
{
    {
        ScopedVariable dirs("XDG_CONFIG_DIRS", "/opt/conf:/etc/other");
        EXPECT_EQ(Platform::RegistryHiveFile(RegistryHive::kMachine), "/opt/conf/halvard/registry-machine.ini");
    }
    ScopedVariable dirs("XDG_CONFIG_DIRS", nullptr);
    EXPECT_EQ(Platform::RegistryHiveFile(RegistryHive::kMachine), "/etc/xdg/halvard/registry-machine.ini");
}

TEST(RegistryHiveFiles, TheUserHiveLiesInTheUsersConfigurationFolder)
{
    ScopedVariable home("HOME", "/home/player");
    {
        ScopedVariable config("XDG_CONFIG_HOME", "/home/player/conf");
        EXPECT_EQ(Platform::RegistryHiveFile(RegistryHive::kUser), "/home/player/conf/halvard/registry-user.ini");
    }
    ScopedVariable relative("XDG_CONFIG_HOME", "relative/conf");
    EXPECT_EQ(Platform::RegistryHiveFile(RegistryHive::kUser), "/home/player/.config/halvard/registry-user.ini");
}

// Without HOME (or with one that names no folder) the user's hive lies in
// his home folder from the password database, as the user folder does,
// never at the root of the disk.
TEST(RegistryHiveFiles, WithoutHomeTheUserHiveLiesInTheHomeFolderOfThePasswordDatabase)
{
    const passwd* entry = ::getpwuid(::getuid());
    ASSERT_TRUE(entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] == '/')
        << "this user has no home folder in the password database";
    const std::string expected = std::string(entry->pw_dir) + "/.config/halvard/registry-user.ini";
    const ScopedVariable config("XDG_CONFIG_HOME", nullptr);
    for (const char* home : {static_cast<const char*>(nullptr), "", "relative"}) {
        const ScopedVariable variable("HOME", home);
        EXPECT_EQ(Platform::RegistryHiveFile(RegistryHive::kUser), expected) << (home != nullptr ? home : "(unset)");
    }
}

// A user the password database does not know, with neither HOME nor
// XDG_CONFIG_HOME, has no hive of his own, and nothing is read for him.
// Only the superuser can become such a user, in a child process.
TEST(RegistryHiveFiles, AUserWithoutAnyHomeHasNoHiveOfHisOwn)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "becoming a user without an entry needs the superuser";
    const ScopedVariable home("HOME", nullptr);
    const ScopedVariable config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(Testing::ExitStatusAsUnknownUser([] {
        return Platform::RegistryHiveFile(RegistryHive::kUser).empty() &&
               !ReadRegistryValue(RegistryHive::kUser, "SOFTWARE\\Quenbyworks\\Tamrisk", "Version");
    }), 0);
}

TEST(RegistryHiveFiles, AnOverrideWinsUntilItIsCleared)
{
    ScopedVariable dirs("XDG_CONFIG_DIRS", nullptr);
    Platform::SetRegistryHiveFile(RegistryHive::kMachine, "/tmp/machine.ini");
    EXPECT_EQ(Platform::RegistryHiveFile(RegistryHive::kMachine), "/tmp/machine.ini");
    Platform::SetRegistryHiveFile(RegistryHive::kMachine, "");
    EXPECT_EQ(Platform::RegistryHiveFile(RegistryHive::kMachine), "/etc/xdg/halvard/registry-machine.ini");
}

} // namespace
