#include "engine/core/FileTextual.h"

#include <gtest/gtest.h>

#include "engine/core/CodePage.h"
#include "engine/core/FileBinary.h"
#include "engine/core/Math.h"
#include "engine/core/MessageManager.h"
#include "tests/support/QuietLog.h"
#include "tests/support/TempFolder.h"

#include <random>

namespace {

using namespace Halvard;
using Testing::TempFolder;

class FileTextualTest : public testing::Test {
protected:
    std::unique_ptr<FileTextual> Reader(const std::string& contents)
    {
        folder.WriteFile("text.txt", contents);
        return std::make_unique<FileTextual>(
            &messages, std::make_unique<FileBinary>(&messages, Path(), FileAccess::kRead), FileAccess::kRead, 0);
    }

    std::unique_ptr<FileTextual> Writer(u32 encoding)
    {
        return std::make_unique<FileTextual>(
            &messages, std::make_unique<FileBinary>(&messages, Path(), FileAccess::kWrite), FileAccess::kWrite,
            encoding);
    }

    std::vector<std::string> ReadLines(FileTextual& file, bool stripComments = false)
    {
        std::vector<std::string> lines;
        std::string line;
        while (file.ReadLine(line, stripComments, false))
            lines.push_back(line);
        return lines;
    }

    std::string Path() const { return folder.Internal() + "\\text.txt"; }

    TempFolder folder;
    Testing::QuietLog messages;
};

using Lines = std::vector<std::string>;

TEST_F(FileTextualTest, TheByteOrderMarkChoosesTheEncoding)
{
    EXPECT_EQ(Reader("\xEF\xBB\xBF" "abc")->GetEncoding(), FileTextual::kUtf8);
    EXPECT_EQ(Reader("\xFF\xFE" "a")->GetEncoding(), FileTextual::kUtf16LittleEndian);
    EXPECT_EQ(Reader("\xFE\xFF" "a")->GetEncoding(), FileTextual::kUtf16BigEndian);
    EXPECT_EQ(Reader("a")->GetEncoding(), FileTextual::kCodePage);

    auto utf8 = Reader("\xEF\xBB\xBF" "a\xC3\xA9");
    std::wstring line;
    ASSERT_TRUE(utf8->ReadLine(line, false, false));
    EXPECT_EQ(line, L"a\x00E9");

    auto notQuiteUtf8 = Reader("\xEF\xBB" "A");
    std::string narrow;
    ASSERT_TRUE(notQuiteUtf8->ReadLine(narrow, false, false));
    EXPECT_EQ(narrow, "\xEF\xBB" "A");
}

TEST_F(FileTextualTest, SixteenBitTextIsReadInEitherByteOrder)
{
    SetCodePage(1252);
    auto little = Reader(std::string("\xFF\xFE" "h\0i\0\r\0\n\0\x16\x04", 12));
    EXPECT_EQ(ReadLines(*little), (Lines{"hi", "?"}));
    auto big = Reader(std::string("\xFE\xFF\0h\0i", 6));
    std::wstring line;
    ASSERT_TRUE(big->ReadLine(line, false, false));
    EXPECT_EQ(line, L"hi");
    EXPECT_EQ(big->GetLength(), 3u);
}

TEST_F(FileTextualTest, LinesEndAtCarriageReturnLineFeedOrBoth)
{
    EXPECT_EQ(ReadLines(*Reader("a\r\nb")), (Lines{"a", "b"}));
    EXPECT_EQ(ReadLines(*Reader("a\r\nb\r\n")), (Lines{"a", "b", ""}));
    EXPECT_EQ(ReadLines(*Reader("a\nb\rc\r\n\r\nd")), (Lines{"a", "b", "c", "", "d"}));
    EXPECT_EQ(ReadLines(*Reader("")), (Lines{""}));
}

TEST_F(FileTextualTest, LinesLongerThanTheBufferComeWhole)
{
    const std::string first(1500, 'x');
    const std::string second(1030, 'y');
    EXPECT_EQ(ReadLines(*Reader(first + "\r\n" + second)), (Lines{first, second}));
}

TEST_F(FileTextualTest, StrippedCommentsKeepTheTextBeforeThem)
{
    EXPECT_EQ(ReadLines(*Reader("x 1 // note\r\nv_mode 800x600x32"), true), (Lines{"x 1 ", "v_mode 800x600x32"}));
}

TEST_F(FileTextualTest, TokensSkipBlanksLineEndsAndComments)
{
    auto file = Reader("1.5 // comment 9\n  3\r\n\r\n-2 0.5 4 x");
    EXPECT_FLOAT_EQ(file->ReadFloat(), 1.5f);
    EXPECT_EQ(file->ReadInt(), 3);
    Vector3 vector;
    file->ReadVector3(vector);
    EXPECT_FLOAT_EQ(vector.x, -2.0f);
    EXPECT_FLOAT_EQ(vector.y, 0.5f);
    EXPECT_FLOAT_EQ(vector.z, 4.0f);
    std::string token;
    EXPECT_TRUE(file->ReadToken(token));
    EXPECT_EQ(token, "x");
    EXPECT_FALSE(file->ReadToken(token));
    EXPECT_EQ(file->ReadInt(), 0);
}

TEST_F(FileTextualTest, ReadAllJoinsLinesAndRewindStartsOverAfterTheMark)
{
    auto file = Reader("\xEF\xBB\xBF<a>\n<b/>\r\n</a>");
    std::wstring all;
    file->ReadAll(all, false);
    EXPECT_EQ(all, L"<a>\r\n<b/>\r\n</a>");
    file->Rewind();
    std::string line;
    ASSERT_TRUE(file->ReadLine(line, false, false));
    EXPECT_EQ(line, "<a>");
    auto onlyMark = Reader("\xEF\xBB\xBF");
    onlyMark->Rewind();
    EXPECT_EQ(ReadLines(*onlyMark), (Lines{""}));
}

TEST_F(FileTextualTest, EightBitTextGoesThroughTheCodePage)
{
    SetCodePage(1252);
    auto file = Reader("caf\xE9");
    std::wstring line;
    ASSERT_TRUE(file->ReadLine(line, false, false));
    EXPECT_EQ(line, L"caf\x00E9");
}

TEST_F(FileTextualTest, WritingUtf8PutsTheMarkAndEncodesEachCharacter)
{
    SetCodePage(1252);
    auto file = Writer(FileTextual::kUtf8);
    file->WriteString("\xE9" "a");
    file->WriteNewLine();
    file->Close();
    EXPECT_EQ(folder.ReadFile("text.txt"), "\xEF\xBB\xBF\xC3\xA9" "a\r\n");
}

TEST_F(FileTextualTest, WritingSixteenBitTextPutsTheMarkInItsByteOrder)
{
    auto little = Writer(FileTextual::kUtf16LittleEndian);
    little->WriteString("a");
    little->Close();
    EXPECT_EQ(folder.ReadFile("text.txt"), std::string("\xFF\xFE" "a\0", 4));
    auto big = Writer(FileTextual::kUtf16BigEndian);
    big->WriteString("a");
    big->WriteNewLine();
    big->Close();
    EXPECT_EQ(folder.ReadFile("text.txt"), std::string("\xFE\xFF\0a\0\r\0\n", 8));
}

TEST_F(FileTextualTest, EightBitTextIsWrittenAsItIsUpToAZero)
{
    auto file = Writer(FileTextual::kCodePage);
    const std::string line(3000, 'q');
    file->WriteString(line);
    file->WriteString(std::string("ab\0cd", 5));
    file->WriteNewLine();
    file->Close();
    EXPECT_EQ(folder.ReadFile("text.txt"), line + "ab\r\n");
}

TEST_F(FileTextualTest, AWriterDroppedWithoutCloseLeavesTheOldFile)
{
    folder.WriteFile("text.txt", "old");
    {
        auto file = Writer(FileTextual::kCodePage);
        file->WriteString(std::string(5000, 'n'));
    }
    EXPECT_EQ(folder.ReadFile("text.txt"), "old");
}

// Garbage must end the reading, never the program: every line and token is
// made of bytes that were in the file.
TEST_F(FileTextualTest, RandomBytesAreReadToTheEndInEveryEncoding)
{
    SetCodePage(1252);
    const std::string marks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        std::string bytes = marks[round % 4];
        const size_t length = random() % 3000;
        for (size_t i = 0; i < length; ++i)
            bytes += static_cast<char>(random() % 4 == 0 ? "\r\n /\t"[random() % 5] : random());
        auto file = Reader(bytes);
        std::wstring all;
        file->ReadAll(all, round % 8 < 4);
        EXPECT_LE(all.size(), 2 * bytes.size());
        file->Rewind();
        std::string token;
        size_t tokens = 0;
        while (file->ReadToken(token) && tokens <= bytes.size())
            ++tokens;
        EXPECT_LE(tokens, bytes.size());
        EXPECT_EQ(file->ReadFloat(), 0.0f);
    }
}

} // namespace
