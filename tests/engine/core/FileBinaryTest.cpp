#include "engine/core/FileBinary.h"

#include <gtest/gtest.h>

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/LogProbe.h"
#include "tests/support/QuietLog.h"
#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"

#include <functional>

namespace {

using namespace Halvard;
using Testing::TempFolder;

class FileBinaryTest : public testing::Test {
protected:
    std::unique_ptr<FileBinary> OpenRead(const std::string& name, const std::string& contents)
    {
        folder.WriteFile(name, contents);
        return std::make_unique<FileBinary>(&messages, folder.Internal() + "\\" + name, FileAccess::kRead);
    }

    std::string WrittenBytes(const std::string& name, const std::function<void(FileBinary&)>& write)
    {
        FileBinary file(&messages, folder.Internal() + "\\" + name, FileAccess::kWrite);
        write(file);
        file.Close();
        return folder.ReadFile(name);
    }

    bool Logged(const std::string& text) const { return Testing::LogProbe(messages).Contains(text); }

    TempFolder folder;
    Testing::QuietLog messages;
};

TEST_F(FileBinaryTest, SeeksAreClampedToTheFile)
{
    auto file = OpenRead("ten.bin", "0123456789");
    EXPECT_FALSE(file->Seek(1, 0));
    EXPECT_EQ(file->GetPosition(), 9u);
    EXPECT_TRUE(file->Seek(1, 10));
    EXPECT_EQ(file->GetPosition(), 0u);
    EXPECT_FALSE(file->Seek(1, 11));
    EXPECT_EQ(file->GetPosition(), 0u);
    EXPECT_FALSE(file->Seek(0, 15));
    EXPECT_EQ(file->GetPosition(), 9u);
    EXPECT_TRUE(file->Seek(0, 9));
    EXPECT_TRUE(file->Seek(2, -4));
    EXPECT_EQ(file->GetPosition(), 5u);
    EXPECT_FALSE(file->Seek(2, -6));
    EXPECT_EQ(file->GetPosition(), 0u);
}

TEST_F(FileBinaryTest, SeekingInAnEmptyFileKeepsPositionZero)
{
    auto file = OpenRead("empty.bin", "");
    EXPECT_TRUE(file->Seek(0, 0));
    EXPECT_FALSE(file->Seek(0, 5));
    EXPECT_EQ(file->GetPosition(), 0u);
    EXPECT_FALSE(file->Seek(1, 3));
    EXPECT_EQ(file->GetPosition(), 0u);
    u32 read = 7;
    char byte = 0;
    file->Read(&byte, 1, &read);
    EXPECT_EQ(read, 0u);
}

TEST_F(FileBinaryTest, ReadingPastTheEndCopiesWhatIsThereThenReportsOrThrows)
{
    auto file = OpenRead("ten.bin", "0123456789");
    file->Seek(0, 6);
    char buffer[10] = {};
    u32 read = 0;
    file->Read(buffer, 10, &read);
    EXPECT_EQ(read, 4u);
    EXPECT_EQ(std::string(buffer, 4), "6789");

    file->Seek(0, 6);
    try {
        file->Read(buffer, 10);
        FAIL() << "a short read without a count must throw";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetText(), "Failed to read 10 bytes from \"" + folder.Internal() + "\\ten.bin\" file");
    }
    EXPECT_EQ(file->GetPosition(), 10u);
}

TEST_F(FileBinaryTest, NumbersAndStringsAreLittleEndianWithACountByte)
{
    auto file = OpenRead("data.bin", std::string("\x78\x56\x34\x12\x04" "ab\0z\x03" "a\0b\0\0\0", 16));
    EXPECT_EQ(file->ReadUInt(), 0x12345678u);
    std::string narrow;
    file->ReadString(narrow);
    EXPECT_EQ(narrow, "ab");
    std::wstring wide;
    file->ReadWideString(wide);
    EXPECT_EQ(wide, L"ab");
    EXPECT_EQ(file->GetPosition(), file->GetSize());
}

TEST_F(FileBinaryTest, BytesNumbersAndFloatsAreWrittenLittleEndianAndReadBack)
{
    const std::string bytes = WrittenBytes("numbers.bin", [](FileBinary& file) {
        file.WriteByte(0x1FF);
        file.WriteUInt(0x12345678u);
        file.WriteFloat(1.5f);
    });
    EXPECT_EQ(bytes, std::string("\xFF\x78\x56\x34\x12\0\0\xC0\x3F", 9));
    auto file = OpenRead("again.bin", bytes);
    EXPECT_EQ(file->ReadByte(), 0xFFu);
    EXPECT_EQ(file->ReadUInt(), 0x12345678u);
    EXPECT_EQ(file->ReadFloat(), 1.5f);
}

TEST_F(FileBinaryTest, ACountIsTakenOnlyWhenItsEntriesFitInTheBytesLeft)
{
    struct Case {
        std::uint32_t count;
        std::uint32_t entrySize;
        bool fits;
    };
    // Eight bytes follow the count.
    const Case cases[] = {{0, 16, true},  {2, 4, true},          {1, 8, true},          {3, 3, false},
                          {1, 9, false}, {0x80000000u, 2, false}, {0xFFFFFFFFu, 16, false}};
    for (const Case& c : cases) {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[i] = static_cast<char>(c.count >> (8 * i));
        auto file = OpenRead("count.bin", bytes + std::string(8, 'x'));
        if (c.fits)
            EXPECT_EQ(file->ReadCount(c.entrySize), c.count);
        else
            EXPECT_THROW(file->ReadCount(c.entrySize), FileError) << c.count << " x " << c.entrySize;
    }
}

TEST_F(FileBinaryTest, WideStringsAreWrittenAsSixteenBitUnitsWithTheirZero)
{
    EXPECT_EQ(WrittenBytes("abc.bin", [](FileBinary& file) { file.WriteWideString(L"abc"); }),
              std::string("\x04" "a\0b\0c\0\0\0", 9));
    EXPECT_EQ(WrittenBytes("empty.bin", [](FileBinary& file) { file.WriteWideString(L""); }),
              std::string("\x01\0\0", 3));
    EXPECT_EQ(WrittenBytes("wide.bin", [](FileBinary& file) { file.WriteWideString(L"\x0416\x1F600"); }),
              std::string("\x03\x16\x04\xFD\xFF\0\0", 7));
}

TEST_F(FileBinaryTest, AWideStringTooLongForItsCountIsCutTo254Characters)
{
    const std::wstring name(300, L'x');
    WrittenBytes("long.bin", [&name](FileBinary& file) { file.WriteWideString(name); });
    FileBinary file(&messages, folder.Internal() + "\\long.bin", FileAccess::kRead);
    EXPECT_EQ(file.GetSize(), 1u + 2u * 255u);
    std::wstring read;
    file.ReadWideString(read);
    EXPECT_EQ(read, std::wstring(254, L'x'));
}

TEST_F(FileBinaryTest, SmallFilesAreHeldInMemoryLargeOnesReadPiecewise)
{
    std::string large(9 * 1024 * 1024, 'a');
    large[FileBinary::kWholeReadLimit + 5] = 'z';
    auto piecewise = OpenRead("large.bin", large);
    EXPECT_FALSE(piecewise->IsInMemory());
    piecewise->Seek(0, static_cast<i32>(FileBinary::kWholeReadLimit + 5));
    char byte = 0;
    piecewise->Read(&byte, 1);
    EXPECT_EQ(byte, 'z');

    FileBinary whole(&messages, folder.Internal() + "\\large.bin", FileAccess::kRead, FileLoading::kWhole);
    EXPECT_TRUE(whole.IsInMemory());
    EXPECT_TRUE(OpenRead("small.bin", "abc")->IsInMemory());
    EXPECT_FALSE(FileBinary(&messages, folder.Internal() + "\\small.bin", FileAccess::kRead, FileLoading::kStreamed)
                     .IsInMemory());
}

TEST_F(FileBinaryTest, RelativeNamesLieBelowTheProgramFolderAndCaseIsIgnored)
{
    Testing::ScopedProgramFolder program(folder.Path());
    folder.WriteFile("Data\\Level.bin", "xy");
    FileBinary file(&messages, "data\\LEVEL.bin", FileAccess::kRead);
    EXPECT_EQ(file.GetSize(), 2u);
    EXPECT_EQ(file.GetName(), "data\\LEVEL.bin");
}

TEST_F(FileBinaryTest, AMissingFileCannotBeOpened)
{
    try {
        FileBinary file(&messages, folder.Internal() + "\\none.bin", FileAccess::kRead);
        FAIL() << "opening a missing file must throw";
    } catch (const FileError& error) {
        EXPECT_EQ(error.GetText(), "Failed to open \"" + folder.Internal() + "\\none.bin\" file");
    }
    EXPECT_THROW(FileBinary(&messages, folder.Internal() + "\\no\\such\\folder.bin", FileAccess::kWrite), FileError);
}

TEST_F(FileBinaryTest, WritingReplacesTheTargetOnlyOnClose)
{
    folder.WriteFile("save.bin", "old");
    FileBinary file(&messages, folder.Internal() + "\\save.bin", FileAccess::kWrite);
    file.WriteByte(0x141);
    file.Write("bc", 2);
    EXPECT_EQ(file.GetSize(), 3u);
    EXPECT_EQ(folder.ReadFile("save.bin"), "old");
    file.Close();
    EXPECT_EQ(folder.ReadFile("save.bin"), "Abc");
    EXPECT_THROW(file.Write("d", 1), FileError);
}

TEST_F(FileBinaryTest, AWriterDroppedBeforeCloseKeepsTheOldFileAndSaysSo)
{
    folder.WriteFile("save.bin", "old");
    try {
        FileBinary file(&messages, folder.Internal() + "\\save.bin", FileAccess::kWrite);
        file.Write("new", 3);
        throw FileError("interrupted");
    } catch (const FileError&) {
    }
    EXPECT_EQ(folder.ReadFile("save.bin"), "old");
    EXPECT_TRUE(Logged("\"" + folder.Internal() + "\\save.bin\" was not saved"));
}

TEST_F(FileBinaryTest, AWriteThatFailsMidwayThrowsAndKeepsTheOldFile)
{
    folder.WriteFile("save.bin", "old");
    const std::string block(64 * 1024, 'n');
    {
        Testing::FileSizeLimit limit(16 * 1024);
        FileBinary file(&messages, folder.Internal() + "\\save.bin", FileAccess::kWrite);
        try {
            file.Write(block.data(), static_cast<u32>(block.size()));
            file.Close();
            FAIL() << "the write beyond the limit must fail";
        } catch (const FileError& error) {
            EXPECT_EQ(error.GetText().rfind("Failed to ", 0), 0u);
        }
    }
    EXPECT_EQ(folder.ReadFile("save.bin"), "old");
}

} // namespace
