#include "tools/PackWriter.h"

#include <gtest/gtest.h>

#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <stdexcept>

namespace {

using Testing::UIntAt;
using Testing::TextAt;
namespace fs = std::filesystem;
using Testing::TempFolder;

TEST(PackWriter, LaysOutHeaderNamesTableAndBytes)
{
    const std::vector<std::uint8_t> pack = Tools::BuildPack({{"a.txt", {'x', 'y'}}, {"d\\b", {'z'}}});
    ASSERT_EQ(pack.size(), 17u + 7u + 5u + 16u + 3u);
    EXPECT_EQ(UIntAt(pack, 0), pack.size());
    EXPECT_EQ(TextAt(pack, 4, 5), "HVPAK");
    EXPECT_EQ(UIntAt(pack, 9), 100u);
    EXPECT_EQ(UIntAt(pack, 13), 2u);
    EXPECT_EQ(pack[17], 6);
    EXPECT_EQ(TextAt(pack, 18, 6), std::string("a.txt\0", 6));
    EXPECT_EQ(UIntAt(pack, 29), 45u);
    EXPECT_EQ(UIntAt(pack, 33), 2u);
    EXPECT_EQ(UIntAt(pack, 37), 47u);
    EXPECT_EQ(UIntAt(pack, 41), 1u);
    EXPECT_EQ(TextAt(pack, 45, 3), "xyz");
}

TEST(PackWriter, RefusesNamesTooLongForTheirCountByte)
{
    EXPECT_THROW(Tools::BuildPack({{std::string(255, 'n'), {}}}), std::runtime_error);
    EXPECT_NO_THROW(Tools::BuildPack({{std::string(254, 'n'), {}}}));
}

TEST(PackWriter, CollectsFilesAsLowerCaseRelativeNamesInOrder)
{
    TempFolder folder;
    TempFolder outside;
    folder.WriteFile("Data\\UI\\Menu.XML", "m");
    folder.WriteFile("data2\\a.bin", "a");
    outside.WriteFile("secret.txt", "s");
    fs::create_directory_symlink(outside.Path(), folder.Path() / "link");
    const std::vector<Tools::PackEntry> entries = Tools::CollectEntries(folder.Path());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "data2\\a.bin");
    EXPECT_EQ(entries[1].name, "data\\ui\\menu.xml");
    EXPECT_EQ(entries[1].bytes, std::vector<std::uint8_t>{'m'});
}

TEST(PackWriter, AppendsThePackItsLengthAndMarkToAProgram)
{
    TempFolder folder;
    folder.WriteFile("content\\a.txt", "a");
    folder.WriteFile("program", "ELF");
    fs::permissions(folder.Path() / "program", fs::perms::owner_all);
    Tools::WriteProgramWithPack(folder.Path() / "content", folder.Path() / "program", folder.Path() / "program");

    const std::string written = folder.ReadFile("program");
    const std::vector<std::uint8_t> pack = Tools::BuildPack(Tools::CollectEntries(folder.Path() / "content"));
    ASSERT_EQ(written.size(), 3 + pack.size() + 7);
    EXPECT_EQ(written.substr(0, 3), "ELF");
    EXPECT_EQ(written.substr(written.size() - 3), "APC");
    const std::vector<std::uint8_t> tail(written.end() - 7, written.end());
    EXPECT_EQ(UIntAt(tail, 0), pack.size());
    EXPECT_EQ(fs::status(folder.Path() / "program").permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST(PackWriter, WritesAStandalonePackFile)
{
    TempFolder folder;
    folder.WriteFile("content\\x.txt", "x");
    Tools::WritePackFile(folder.Path() / "content", folder.Path() / "out.pak");
    const std::string written = folder.ReadFile("out.pak");
    const std::vector<std::uint8_t> expected = Tools::BuildPack(Tools::CollectEntries(folder.Path() / "content"));
    EXPECT_EQ(written, std::string(expected.begin(), expected.end()));
    EXPECT_FALSE(fs::exists(folder.Path() / "out.pak.part"));
}

// The reader would keep one of the two silently.
TEST(PackWriter, RefusesTwoFilesThatDifferOnlyInCaseNamingBoth)
{
    TempFolder folder;
    folder.WriteFile("data\\Menu.xml", "a");
    folder.WriteFile("data\\menu.XML", "b");
    try {
        Tools::CollectEntries(folder.Path());
        FAIL() << "two files of one entry name were collected";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("data/Menu.xml"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("data/menu.XML"), std::string::npos) << error.what();
    }
}

// An output inside the packed folder would carry the old pack into the new.
TEST(PackWriter, RefusesAnOutputInsideItsInput)
{
    TempFolder folder;
    folder.WriteFile("content\\x.txt", "x");
    folder.WriteFile("program", "ELF");
    const fs::path content = folder.Path() / "content";
    for (const fs::path& output : {content / "out.pak", content / "deeper" / "out.pak", content / "." / "x.txt"}) {
        SCOPED_TRACE(output.string());
        EXPECT_THROW(Tools::WritePackFile(content, output), std::runtime_error);
        EXPECT_THROW(Tools::WriteProgramWithPack(content, folder.Path() / "program", output), std::runtime_error);
    }
    EXPECT_EQ(folder.ReadFile("content\\x.txt"), "x");
    EXPECT_FALSE(fs::exists(content / "out.pak.part"));
    // A sibling whose name begins with the folder's is outside it.
    EXPECT_NO_THROW(Tools::WritePackFile(content, folder.Path() / "content.pak"));
}

} // namespace
