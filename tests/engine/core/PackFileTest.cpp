#include "engine/core/PackFile.h"

#include <gtest/gtest.h>

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "tests/support/FileBytes.h"
#include "tests/support/QuietLog.h"
#include "tests/support/TempFolder.h"
#include "tools/PackWriter.h"

#include <random>

namespace {

using namespace Halvard;
using Testing::TempFolder;
using Testing::TextEntry;

class PackFileTest : public testing::Test {
protected:
    std::string Write(const std::string& bytes)
    {
        folder.WriteFile("test.pak", bytes);
        return folder.Internal() + "\\test.pak";
    }

    static std::string Build(const std::vector<Tools::PackEntry>& entries)
    {
        const std::vector<u8> bytes = Tools::BuildPack(entries);
        return std::string(bytes.begin(), bytes.end());
    }

    static void PutUInt(std::string& bytes, size_t at, u32 value)
    {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>(value >> (8 * i));
    }

    void ExpectRejected(const std::string& bytes, const std::string& message = "Incorrect pack file format")
    {
        try {
            PackFile pack(&messages, Write(bytes), 0, 0);
            ADD_FAILURE() << "the pack must be rejected";
        } catch (const FileError& error) {
            EXPECT_EQ(error.GetText(), message);
        }
    }

    TempFolder folder;
    Testing::QuietLog messages;
};

TEST_F(PackFileTest, ReadsEntriesWhateverTheCaseOfTheName)
{
    PackFile pack(&messages, Write(Build({TextEntry("data\\ui\\x.xml", "<x/>"), TextEntry("data\\empty", "")})), 0, 0);
    u32 size = 0;
    ASSERT_TRUE(pack.GetFileSize("DATA\\UI\\X.XML", size));
    EXPECT_EQ(size, 4u);
    std::string contents(size, '\0');
    ASSERT_TRUE(pack.ReadFile("data\\ui\\x.xml", reinterpret_cast<u8*>(contents.data())));
    EXPECT_EQ(contents, "<x/>");
    EXPECT_TRUE(pack.HasFile("data\\empty"));
    EXPECT_FALSE(pack.HasFile("data\\ui"));
    EXPECT_FALSE(pack.ReadFile("missing", nullptr));
}

TEST_F(PackFileTest, NamesAreLowerCasedAndTheFirstOfARepeatedNameWins)
{
    PackFile pack(&messages, Write(Build({TextEntry("Data\\A.txt", "first"), TextEntry("data\\a.txt", "second!")})), 0, 0);
    u32 size = 0;
    pack.GetFileSize("data\\a.txt", size);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(pack.GetFileNames(), (std::vector<std::string>{"data\\a.txt", "data\\a.txt"}));
}

TEST_F(PackFileTest, FoldersAreTheNamesBeforeTheLastSeparatorInOrder)
{
    PackFile pack(&messages, Write(Build({TextEntry("z\\y\\a", ""), TextEntry("b\\c", ""), TextEntry("top", "")})), 0, 0);
    EXPECT_EQ(pack.GetFolderNames(), (std::vector<std::string>{"b", "z\\y"}));
    EXPECT_TRUE(pack.ContainsPath("Z\\Y"));
    EXPECT_TRUE(pack.ContainsPath("y"));
    EXPECT_FALSE(pack.ContainsPath("top"));
}

TEST_F(PackFileTest, FindFilesLooksForTheMasksPlainText)
{
    PackFile pack(&messages,
                  Write(Build({TextEntry("levels\\level1.tkg", ""), TextEntry("levels\\stage\\level2.tkg", ""),
                               TextEntry("levels\\intro.tkg", ""), TextEntry("other\\level3.tkg", "")})),
                  0, 0);
    std::vector<std::string> found;
    pack.FindFiles("Levels", "LEVEL*", found);
    EXPECT_EQ(found, (std::vector<std::string>{"levels\\level1.tkg", "levels\\stage\\level2.tkg"}));
    found.clear();
    pack.FindFiles("levels\\", "*", found);
    EXPECT_EQ(found.size(), 3u);
    found.clear();
    pack.FindFiles("", "*.tkg", found);
    EXPECT_EQ(found.size(), 4u);
}

TEST_F(PackFileTest, APackInsideALargerFileIsReadFromItsStart)
{
    const std::string pack = Build({TextEntry("a.txt", "inside")});
    const std::string file = "prefix" + pack + "trailer";
    PackFile mounted(&messages, Write(file), 6, static_cast<u32>(pack.size()));
    std::string contents(6, '\0');
    ASSERT_TRUE(mounted.ReadFile("a.txt", reinterpret_cast<u8*>(contents.data())));
    EXPECT_EQ(contents, "inside");
}

TEST_F(PackFileTest, RejectsWrongMagicLengthOrVersion)
{
    const std::string good = Build({TextEntry("a.txt", "a")});
    std::string magic = good;
    magic[4] = 'X';
    ExpectRejected(magic);
    std::string shortLength = good;
    PutUInt(shortLength, 0, static_cast<u32>(good.size() - 1));
    ExpectRejected(shortLength);
    std::string version = good;
    PutUInt(version, 9, 101);
    ExpectRejected(version, "Incorrect pack file version, current is 100");
    ExpectRejected(good.substr(0, 10), "Incorrect pack file format");
}

TEST_F(PackFileTest, RejectsEntriesOutsideThePackAndCountsItCannotHold)
{
    const std::string good = Build({TextEntry("a.txt", "abc")});
    const size_t table = 17 + 1 + 6;
    std::string beyond = good;
    PutUInt(beyond, table + 4, 4);
    ExpectRejected(beyond);
    std::string wrapping = good;
    PutUInt(wrapping, table, 0xFFFFFFF0u);
    PutUInt(wrapping, table + 4, 0x20);
    ExpectRejected(wrapping);
    std::string huge = good;
    PutUInt(huge, 13, 0x7FFFFFFF);
    ExpectRejected(huge);
    std::string longName = good;
    longName[17] = static_cast<char>(200);
    ExpectRejected(longName);
}

// An entry whose name is no relative path of a file (none, absolute, a
// folder, a step out) is listed by searches but opens nothing: the pack is
// damaged. A name ends at its zero byte, wherever that is.
TEST_F(PackFileTest, RejectsEntriesNamingNoFileBelowTheDataAndEndsANameAtItsZeroByte)
{
    for (const std::string& name : {std::string(), std::string("\0b", 2), std::string("\\tmp\\a.txt"),
                                     std::string("c:\\a.txt"), std::string(".."), std::string("."),
                                     std::string("data\\"), std::string("data\\..\\..\\a.txt"),
                                     std::string("data\\\\a.txt")})
        ExpectRejected(Build({TextEntry("a.txt", "a"), TextEntry(name, "b")}));
    PackFile pack(&messages, Write(Build({TextEntry(std::string("a.txt\0b", 7), "a")})), 0, 0);
    EXPECT_EQ(pack.GetFileNames(), std::vector<std::string>{"a.txt"});
}

TEST_F(PackFileTest, TruncatedAndScrambledPacksNeverCrash)
{
    const std::string good =
        Build({TextEntry("data\\a.txt", "alpha"), TextEntry("data\\sub\\b.bin", std::string(300, 'b')), TextEntry("c", "")});
    for (size_t length = 0; length < good.size(); ++length) {
        EXPECT_THROW(PackFile(&messages, Write(good.substr(0, length)), 0, 0), FileError) << length;
    }
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::string scrambled = good;
        for (int flips = 0; flips < 4; ++flips)
            scrambled[random() % scrambled.size()] = static_cast<char>(random());
        try {
            PackFile pack(&messages, Write(scrambled), 0, 0);
            for (const std::string& name : pack.GetFileNames()) {
                u32 size = 0;
                pack.GetFileSize(name, size);
                std::vector<u8> buffer(size);
                pack.ReadFile(name, buffer.data());
            }
        } catch (const FileError&) {
        }
    }
}

} // namespace
