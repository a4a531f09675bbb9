#include "engine/core/FileManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "platform/os/Paths.h"
#include "tests/support/FileBytes.h"
#include "tests/support/LogProbe.h"
#include "tests/support/QuietLog.h"
#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"
#include "tools/PackWriter.h"

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using namespace Halvard;
using Testing::TempFolder;

using Testing::TextEntry;
using Testing::TextOf;

class FileManagerTest : public testing::Test {
protected:
    void WritePack(const std::string& relative, const std::vector<Tools::PackEntry>& entries)
    {
        base.WriteFile(relative, TextOf(Tools::BuildPack(entries)));
    }

    std::unique_ptr<FileManager> Mount(const std::string& packFolder = "Data")
    {
        return std::make_unique<FileManager>(&messages, base.Internal(), packFolder);
    }

    std::string ReadAll(FileManager& files, const std::string& path)
    {
        std::unique_ptr<FileBinary> file = files.OpenFileBinary(path, FileAccess::kRead);
        std::string contents(file->GetSize(), '\0');
        file->Read(contents.data(), file->GetSize());
        return contents;
    }

    bool Logged(const std::string& text) const { return Testing::LogProbe(messages).Contains(text); }

    TempFolder program;
    Testing::ScopedProgramFolder programFolder{program.Path()};
    TempFolder base;
    Testing::QuietLog messages;
};

TEST_F(FileManagerTest, LooseFilesOverridePackEntries)
{
    WritePack("Data\\pack0.pak", {TextEntry("data\\ui\\x.xml", "packed")});
    base.WriteFile("data\\ui\\x.xml", "loose");
    auto files = Mount();
    EXPECT_EQ(ReadAll(*files, "data\\ui\\x.xml"), "loose");
    fs::remove(base.Native("data\\ui\\x.xml"));
    EXPECT_EQ(ReadAll(*files, "data\\ui\\x.xml"), "packed");
}

TEST_F(FileManagerTest, PackLookupsIgnoreCaseAndDoubledSeparators)
{
    WritePack("Data\\pack0.pak", {TextEntry("data\\ui\\x.xml", "packed")});
    auto files = Mount();
    EXPECT_EQ(ReadAll(*files, "Data\\\\UI\\x.XML"), "packed");
    EXPECT_TRUE(files->FileExists("DATA\\ui\\X.xml"));
    EXPECT_FALSE(files->FileExists("data\\ui\\y.xml"));
}

TEST_F(FileManagerTest, TheFirstMountedPackWins)
{
    WritePack("Data\\a.pak", {TextEntry("data\\same.txt", "first")});
    WritePack("Data\\b.pak", {TextEntry("data\\same.txt", "second"), TextEntry("data\\only_b.txt", "b")});
    auto files = Mount();
    EXPECT_EQ(files->GetPackCount(), 2u);
    EXPECT_EQ(ReadAll(*files, "data\\same.txt"), "first");
    EXPECT_EQ(ReadAll(*files, "data\\only_b.txt"), "b");
}

TEST_F(FileManagerTest, APackAppendedToTheProgramIsMountedFirst)
{
    std::string fakeProgram = "\x7F" "ELF and code";
    fakeProgram += TextOf(Tools::BuildAppendedPack({TextEntry("data\\inside.txt", "appended")}));
    std::ofstream(Platform::ProgramFile(), std::ios::binary) << fakeProgram;
    WritePack("Data\\pack0.pak", {TextEntry("data\\inside.txt", "folder pack")});
    auto files = Mount();
    EXPECT_EQ(files->GetPackCount(), 2u);
    EXPECT_EQ(ReadAll(*files, "data\\inside.txt"), "appended");
}

TEST_F(FileManagerTest, AProgramWithoutAPackMountsNothing)
{
    std::ofstream(Platform::ProgramFile(), std::ios::binary) << "plain program";
    EXPECT_EQ(Mount()->GetPackCount(), 0u);
    std::ofstream(Platform::ProgramFile(), std::ios::binary) << std::string("\xFF\xFF\xFF\x7F" "APC", 7);
    EXPECT_EQ(Mount()->GetPackCount(), 0u);
    EXPECT_TRUE(Logged("skipped"));
}

TEST_F(FileManagerTest, BadPacksAreSkippedWithALogLineAndTheRestStillMount)
{
    std::string shortLength = TextOf(Tools::BuildPack({TextEntry("data\\a.txt", "a")}));
    shortLength[0] = static_cast<char>(shortLength[0] - 1);
    base.WriteFile("Data\\1_short.pak", shortLength);
    std::string newer = TextOf(Tools::BuildPack({TextEntry("data\\a.txt", "a")}));
    newer[9] = 101;
    base.WriteFile("Data\\2_newer.pak", newer);
    WritePack("Data\\3_good.pak", {TextEntry("data\\a.txt", "good")});

    auto files = Mount();
    EXPECT_EQ(files->GetPackCount(), 1u);
    EXPECT_EQ(ReadAll(*files, "data\\a.txt"), "good");
    EXPECT_TRUE(Logged("1_short.pak skipped: Incorrect pack file format"));
    EXPECT_TRUE(Logged("2_newer.pak skipped: Incorrect pack file version, current is 100"));
    EXPECT_TRUE(Logged("...Pack file " + base.Internal() + "\\Data\\3_good.pak found..."));
    EXPECT_TRUE(Logged("......It contains 1 files..."));
}

TEST_F(FileManagerTest, MissingFilesNameTheFullPath)
{
    auto files = Mount();
    try {
        files->OpenFileBinary("data\\none.txt", FileAccess::kRead);
        FAIL() << "a file in neither place must not open";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetText(), "Failed to open \"" + base.Internal() + "\\data\\none.txt\" file");
    }
}

// The size is that of the file a read opens: the loose file first, then the
// pack entry, in any letter case; a file in neither place has none.
TEST_F(FileManagerTest, AFileSizeIsTheSizeOfTheFileAReadWouldOpen)
{
    WritePack("Data\\pack0.pak", {TextEntry("data\\ui\\x.xml", "packed"), TextEntry("data\\ui\\y.xml", "")});
    base.WriteFile("data\\ui\\x.xml", "a loose file");
    auto files = Mount();
    const std::pair<const char*, bool> cases[] = {
        {"data\\ui\\x.xml", true}, {"DATA\\ui\\x.xml", true}, {"data\\UI\\Y.XML", true}, {"data\\ui\\z.xml", false}};
    for (const auto& [path, found] : cases) {
        u32 size = 77;
        ASSERT_EQ(files->GetFileSize(path, size), found) << path;
        if (found)
            EXPECT_EQ(size, ReadAll(*files, path).size()) << path;
    }
    u32 loose = 0;
    ASSERT_TRUE(files->GetFileSize("data\\ui\\x.xml", loose));
    EXPECT_EQ(loose, 12u);
    fs::remove(base.Native("data\\ui\\x.xml"));
    u32 size = 0;
    ASSERT_TRUE(files->GetFileSize("data\\ui\\x.xml", size));
    EXPECT_EQ(size, 6u);
}

// A data file that is missing may have been in a pack that could not be
// mounted: the error names each such pack and why it was skipped, so that
// the box the player sees points at the pack and not only at the file. A
// file that is there, and a path no pack could hold, say nothing of packs.
TEST_F(FileManagerTest, AMissingDataFileNamesThePacksThatWereSkipped)
{
    std::string damaged = TextOf(Tools::BuildPack({TextEntry("data\\ui\\fonts\\fonts_basic.xml", "<fonts/>")}));
    damaged[4] = 'X';
    base.WriteFile("Data\\pack0.pak", damaged);
    std::string newer = TextOf(Tools::BuildPack({TextEntry("data\\b.txt", "b")}));
    newer[9] = 101;
    base.WriteFile("Data\\pack1.pak", newer);
    base.WriteFile("data\\loose.txt", "loose");
    auto files = Mount();

    const std::string missing = "Failed to open \"" + base.Internal() + "\\data\\ui\\fonts\\fonts_basic.xml\" file";
    const std::string packs = "; the pack file \"" + base.Internal() + "\\Data\\pack0.pak\" was skipped: " +
                              "Incorrect pack file format; the pack file \"" + base.Internal() +
                              "\\Data\\pack1.pak\" was skipped: Incorrect pack file version, current is 100";
    for (bool textual : {false, true}) {
        try {
            if (textual)
                files->OpenFileTextual("data\\ui\\fonts\\fonts_basic.xml", FileAccess::kRead);
            else
                files->OpenFileBinary("data\\ui\\fonts\\fonts_basic.xml", FileAccess::kRead);
            FAIL() << "the file was only in the damaged pack";
        } catch (const FileError& error) {
            EXPECT_EQ(error.GetText(), missing + packs);
        }
    }
    EXPECT_EQ(ReadAll(*files, "data\\loose.txt"), "loose");
    const std::string outside = base.Internal() + "\\user\\profiles.pmf";
    try {
        files->OpenFileBinary(outside, FileAccess::kRead);
        FAIL() << "no such file";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetText(), "Failed to open \"" + outside + "\" file");
    }
}

// The pack appended to the program is named like a pack of the data
// folder, whether its length runs past the program or its contents are bad.
TEST_F(FileManagerTest, AMissingDataFileNamesTheAppendedPackThatWasSkipped)
{
    std::string damaged = TextOf(Tools::BuildAppendedPack({TextEntry("data\\inside.txt", "appended")}));
    damaged[4] = 'X';
    const struct {
        const char* what;
        std::string appended;
    } cases[] = {{"a length past the program", std::string("\xFF\xFF\xFF\x7F" "APC", 7)},
                 {"a damaged pack", damaged}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::ofstream(Platform::ProgramFile(), std::ios::binary) << "\x7F" "ELF and code" << c.appended;
        auto files = Mount();
        const std::string program = Platform::FromNativePath(Platform::ProgramFile());
        try {
            files->OpenFileBinary("data\\inside.txt", FileAccess::kRead);
            FAIL() << "the file was only in the damaged pack";
        } catch (const FileError& error) {
            EXPECT_THAT(error.GetText(), ::testing::EndsWith("; the pack file \"" + program +
                                                             "\" was skipped: Incorrect pack file format"));
        }
    }
}

TEST_F(FileManagerTest, FolderExistsOnDiskOrInsideAPack)
{
    WritePack("Data\\pack0.pak", {TextEntry("data\\levels\\stage1\\l.tkg", "x")});
    base.WriteFile("saves\\x", "");
    auto files = Mount();
    EXPECT_TRUE(files->FolderExists("saves"));
    EXPECT_TRUE(files->FolderExists("Data\\Levels"));
    EXPECT_TRUE(files->FolderExists("stage1"));
    EXPECT_FALSE(files->FolderExists("data\\models"));
}

TEST_F(FileManagerTest, FindFilesMergesDiskAndPacksSortedWithoutRepeats)
{
    WritePack("Data\\a.pak", {TextEntry("profiles\\a.prf", ""), TextEntry("profiles\\old\\b.prf", ""),
                              TextEntry("profiles\\x.prf.bak", ""), TextEntry("other\\c.prf", "")});
    WritePack("Data\\b.pak", {TextEntry("profiles\\a.prf", "")});
    base.WriteFile("Profiles\\Disk.prf", "");
    base.WriteFile("Profiles\\notes.txt", "");
    auto files = Mount();
    std::vector<std::string> found = {"stale"};
    files->FindFiles("profiles", "*.prf", found);
    const std::vector<std::string> expected = {base.Internal() + "\\profiles\\Disk.prf", "profiles\\a.prf",
                                               "profiles\\old\\b.prf", "profiles\\x.prf.bak"};
    EXPECT_EQ(found, expected);
}

TEST_F(FileManagerTest, WritingCreatesFoldersAndReplacesTheFileOnClose)
{
    auto files = Mount();
    std::unique_ptr<FileBinary> file = files->OpenFileBinary("saves\\profiles\\a.prf", FileAccess::kWrite);
    file->Write("abc", 3);
    EXPECT_FALSE(files->FileExists("saves\\profiles\\a.prf"));
    file->Close();
    EXPECT_EQ(base.ReadFile("saves\\profiles\\a.prf"), "abc");
}

// The ini file is written with encoding 0 and read back line by line, with
// comments stripped.
TEST_F(FileManagerTest, TheIniFileRoundTripsThroughTheTextLayer)
{
    auto files = Mount();
    const std::vector<std::string> written = {"v_mode 1024x768x32", "g_name Anna \\\\ kept", "ui_volume 0.5"};
    {
        std::unique_ptr<FileTextual> ini =
            files->OpenFileTextual("Tamrisk.ini", FileAccess::kWrite, FileTextual::kCodePage);
        for (const std::string& line : written) {
            ini->WriteString(line);
            ini->WriteNewLine();
        }
        ini->Close();
    }
    EXPECT_EQ(base.ReadFile("Tamrisk.ini"), "v_mode 1024x768x32\r\ng_name Anna \\\\ kept\r\nui_volume 0.5\r\n");

    std::unique_ptr<FileTextual> ini = files->OpenFileTextual("tamrisk.INI", FileAccess::kRead);
    std::vector<std::string> read;
    std::string line;
    while (ini->ReadLine(line, true, false))
        read.push_back(line);
    const std::vector<std::string> expected = {written[0], written[1], written[2], ""};
    EXPECT_EQ(read, expected);
}

} // namespace
