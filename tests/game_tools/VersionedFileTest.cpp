#include "game_tools/VersionedFile.h"

#include <gtest/gtest.h>

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/QuietLog.h"
#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestEngine.h"

namespace {

using namespace GameTools;
using Halvard::FileAccess;
using Halvard::FileError;
using Halvard::u32;

class VersionedFileTest : public testing::Test {
protected:
    void Save(VersionedFile& file, const std::string& path, const std::string& body)
    {
        file.Open(path, FileAccess::kWrite);
        file.GetFile()->Write(body.data(), static_cast<u32>(body.size()));
        file.Close();
    }

    std::string ReadFault(VersionedFile& file, const std::string& path)
    {
        try {
            file.Open(path, FileAccess::kRead);
        } catch (const FileError& error) {
            return error.GetText();
        }
        return "no fault";
    }

    static std::string Header(u32 size, const std::string& magic, u32 version)
    {
        const auto littleEndian = [](u32 value) {
            std::string bytes;
            for (int i = 0; i < 4; ++i)
                bytes += static_cast<char>(value >> (8 * i));
            return bytes;
        };
        return littleEndian(size) + magic + littleEndian(version);
    }

    Testing::TempFolder folder;
    Testing::ScopedProgramFolder programFolder{folder.Path()};
    Testing::QuietLog messages;
    Halvard::FileManager files{&messages, folder.Internal(), ""};
};

TEST_F(VersionedFileTest, ClosingAWrittenFilePutsItsSizeInTheHeader)
{
    VersionedFile file(&files, "TKPRFextra", 102);
    Save(file, "profiles\\a.prf", std::string(20, 'b'));
    EXPECT_EQ(file.GetFile(), nullptr);
    EXPECT_EQ(folder.ReadFile("profiles\\a.prf"), Header(33, "TKPRF", 102) + std::string(20, 'b'));
}

TEST_F(VersionedFileTest, RoundTripsABodyWithStrings)
{
    VersionedFile writer(&files, "GFHSF", 101);
    writer.Open("high_scores.hsf", FileAccess::kWrite);
    writer.GetFile()->WriteWideString(L"Anna");
    writer.GetFile()->WriteByte(7);
    writer.Close();

    VersionedFile reader(&files, "GFHSF", 101);
    reader.Open("high_scores.hsf", FileAccess::kRead);
    std::wstring name;
    reader.GetFile()->ReadWideString(name);
    EXPECT_EQ(name, L"Anna");
    u32 read = 0;
    Halvard::u8 byte = 0;
    reader.GetFile()->Read(&byte, 1, &read);
    EXPECT_EQ(byte, 7);
    reader.Close();
    EXPECT_EQ(reader.GetFile(), nullptr);
}

TEST_F(VersionedFileTest, RejectsAWrongMagicOrSize)
{
    folder.WriteFile("magic.gmf", Header(14, "GFGMX", 100) + "x");
    folder.WriteFile("size.gmf", Header(13, "GFGMF", 100) + "x");
    VersionedFile file(&files, "GFGMF", 100);
    EXPECT_EQ(ReadFault(file, "magic.gmf"), "Incorrect + \"magic.gmf\" file format");
    EXPECT_EQ(ReadFault(file, "size.gmf"), "Incorrect + \"size.gmf\" file format");
    folder.WriteFile("short.gmf", "GFG");
    EXPECT_EQ(ReadFault(file, "short.gmf").rfind("Failed to read 13 bytes from ", 0), 0u);
}

TEST_F(VersionedFileTest, RejectsAnotherVersionUnlessAnyIsAccepted)
{
    folder.WriteFile("old.prf", Header(13, "TKPRF", 101));
    VersionedFile file(&files, "TKPRF", 102);
    EXPECT_EQ(ReadFault(file, "old.prf"), "Incorrect \"old.prf\" format version (101), current is 102");
    u32 version = 0;
    file.Open("old.prf", FileAccess::kRead, VersionedFile::kAnyVersion, &version);
    EXPECT_EQ(version, 101u);
}

TEST_F(VersionedFileTest, ClosingAReaderLeavesTheFileAsItWas)
{
    const std::string contents = Header(15, "TKTKF", 100) + "ab";
    folder.WriteFile("field.tkf", contents);
    VersionedFile file(&files, "TKTKF", 100);
    file.Open("field.tkf", FileAccess::kRead);
    file.Close();
    EXPECT_EQ(folder.ReadFile("field.tkf"), contents);
}

TEST_F(VersionedFileTest, OpeningAgainSavesTheFileBeingWritten)
{
    VersionedFile file(&files, "TKTKG", 105);
    file.Open("a.tkg", FileAccess::kWrite);
    file.GetFile()->Write("xy", 2);
    file.Open("b.tkg", FileAccess::kWrite);
    EXPECT_EQ(folder.ReadFile("a.tkg"), Header(15, "TKTKG", 105) + "xy");
}

TEST_F(VersionedFileTest, AnInterruptedSaveKeepsTheOldFile)
{
    VersionedFile file(&files, "FLPMF", 100);
    Save(file, "profiles.pmf", "old body");
    const std::string old = folder.ReadFile("profiles.pmf");
    const std::string body(64 * 1024, 'n');
    try {
        Testing::FileSizeLimit limit(16 * 1024);
        VersionedFile saving(&files, "FLPMF", 100);
        saving.Open("profiles.pmf", FileAccess::kWrite);
        saving.GetFile()->Write(body.data(), static_cast<u32>(body.size()));
        saving.Close();
        FAIL() << "the write beyond the limit must fail";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetText(), "Failed to write 65536 bytes from \"" + folder.Internal() + "\\profiles.pmf\" file");
    }
    EXPECT_EQ(folder.ReadFile("profiles.pmf"), old);
}

TEST(VersionedFileOfTheEngine, SavesBelowTheEnginesBaseFolder)
{
    Testing::TestEngine engine;
    VersionedFile file(&engine.Get(), "GFGMF", 100);
    file.Open("saves\\map.gmf", FileAccess::kWrite);
    file.Close();
    EXPECT_EQ(engine.Folder().ReadFile("saves\\map.gmf").size(), VersionedFile::kHeaderSize);
}

} // namespace
