#include "engine/core/Registry.h"

#include "platform/os/Registry.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using namespace Halvard;

namespace {

// Both hives point at files of the test.
class RegistryTest : public testing::Test {
protected:
    RegistryTest()
    {
        Platform::SetRegistryHiveFile(Platform::RegistryHive::kMachine, folder.Native("machine.ini").string());
        Platform::SetRegistryHiveFile(Platform::RegistryHive::kUser, folder.Native("user.ini").string());
    }
    ~RegistryTest() override
    {
        Platform::SetRegistryHiveFile(Platform::RegistryHive::kMachine, "");
        Platform::SetRegistryHiveFile(Platform::RegistryHive::kUser, "");
    }

    void Machine(const std::string& values) const { folder.WriteFile("machine.ini", "[SOFTWARE\\Q\\T]\n" + values); }
    void User(const std::string& values) const { folder.WriteFile("user.ini", "[SOFTWARE\\Q\\T]\n" + values); }

    Testing::TempFolder folder;
    std::string out = "untouched";
};

TEST_F(RegistryTest, RootIndicesNameThePredefinedRootsAndOthersTheCurrentUser)
{
    EXPECT_EQ(GetRegistryRoot(0), RegistryRoot::kClassesRoot);
    EXPECT_EQ(GetRegistryRoot(1), RegistryRoot::kCurrentConfig);
    EXPECT_EQ(GetRegistryRoot(2), RegistryRoot::kCurrentUser);
    EXPECT_EQ(GetRegistryRoot(3), RegistryRoot::kLocalMachine);
    EXPECT_EQ(GetRegistryRoot(4), RegistryRoot::kUsers);
    EXPECT_EQ(GetRegistryRoot(5), RegistryRoot::kCurrentUser);
    EXPECT_EQ(GetRegistryRoot(0xFFFFFFFF), RegistryRoot::kCurrentUser);
}

TEST_F(RegistryTest, EachRootReadsItsOwnHive)
{
    Machine("Version=100\n");
    User("Version=105\n");
    EXPECT_TRUE(ReadRegistryStringFromRoot(3, "SOFTWARE\\Q\\T", "Version", out));
    EXPECT_EQ(out, "100");
    EXPECT_TRUE(ReadRegistryStringFromRoot(2, "SOFTWARE\\Q\\T", "Version", out));
    EXPECT_EQ(out, "105");
    EXPECT_TRUE(ReadRegistryStringFromRoot(9, "SOFTWARE\\Q\\T", "Version", out));
    EXPECT_EQ(out, "105");
}

TEST_F(RegistryTest, RootsWithoutAHiveHoldNothing)
{
    Machine("Version=100\n");
    User("Version=105\n");
    for (u32 root : {0u, 1u, 4u})
        EXPECT_FALSE(ReadRegistryStringFromRoot(root, "SOFTWARE\\Q\\T", "Version", out)) << root;
    EXPECT_EQ(out, "untouched");
}

TEST_F(RegistryTest, TheMachinesValueComesBeforeTheUsers)
{
    Machine("InstallPath=/opt/t\n");
    User("InstallPath=/home/t\nLanguage=RU\n");
    EXPECT_TRUE(ReadRegistryString("SOFTWARE\\Q\\T", "InstallPath", out));
    EXPECT_EQ(out, "/opt/t");
    EXPECT_TRUE(ReadRegistryString("software\\q\\t", "language", out));
    EXPECT_EQ(out, "RU");
}

TEST_F(RegistryTest, AMissingValueInBothHivesIsFalseAndLeavesTheTextAlone)
{
    EXPECT_FALSE(ReadRegistryString("SOFTWARE\\Q\\T", "Version", out));
    Machine("Other=1\n");
    EXPECT_FALSE(ReadRegistryString("SOFTWARE\\Q\\T", "Version", out));
    EXPECT_EQ(out, "untouched");
}

TEST_F(RegistryTest, ANumberIsReportedAsMissingAndTheUsersStringIsReadInstead)
{
    Machine("Version=dword:00000064\n");
    EXPECT_FALSE(ReadRegistryStringFromRoot(3, "SOFTWARE\\Q\\T", "Version", out));
    User("Version=\"105\"\n");
    EXPECT_TRUE(ReadRegistryString("SOFTWARE\\Q\\T", "Version", out));
    EXPECT_EQ(out, "105");
}

TEST_F(RegistryTest, ALongValueIsCutToTheReadersBuffer)
{
    User("Long=" + std::string(5000, 'x') + "\n");
    EXPECT_TRUE(ReadRegistryString("SOFTWARE\\Q\\T", "Long", out));
    EXPECT_EQ(out, std::string(4095, 'x'));
}

} // namespace
