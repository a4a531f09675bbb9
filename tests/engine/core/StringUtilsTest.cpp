#include "engine/core/CodePage.h"
#include "engine/core/StringUtils.h"

#include "platform/os/Paths.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Halvard;

TEST(NumberToText, IntegersPadToTheirMinimumDigits)
{
    EXPECT_EQ(IntToString(5, 2), "05");
    EXPECT_EQ(IntToString(123, 2), "123");
    EXPECT_EQ(IntToString(-5, 3), "-005");
    EXPECT_EQ(IntToString(7, 0), "7");
    EXPECT_EQ(UIntToString(4000000000u, 0), "4000000000");
    EXPECT_EQ(UIntToHexString(255, 4), "00FF");
    EXPECT_EQ(UIntToHexString(255, 0), "FF");
    EXPECT_EQ(IntToWString(-42, 4), L"-0042");
    EXPECT_EQ(UIntToWString(9, 3), L"009");
}

TEST(NumberToText, FloatsKeepTheirDecimals)
{
    EXPECT_EQ(FloatToString(0.285f, 6), "0.285000");
    EXPECT_EQ(FloatToString(1.25f, 0), "1");
    EXPECT_EQ(FloatToWString(1.0f, 4), L"1.0000");
    EXPECT_EQ(Vector3ToWString(1.0f, -2.0f, 0.5f, 1), L"1.0 -2.0 0.5");
    EXPECT_EQ(QuaternionToWString(0.0f, 0.0f, 0.0f, 1.0f, 0), L"0 0 0 1");
}

TEST(NumberToText, AbsurdCountsAreCappedInsteadOfOverflowing)
{
    EXPECT_EQ(IntToString(1, 1000).size(), 64u);
    EXPECT_EQ(FloatToString(1e30f, 1000).size(), 31u + 1u + 64u);
}

TEST(TextToNumber, InvalidTextReadsAsZeroAndLeadingNumbersCount)
{
    EXPECT_EQ(StringToInt("ff", 16), 255);
    EXPECT_EQ(StringToInt("ff", 10), 0);
    EXPECT_EQ(StringToInt("12abc", 10), 12);
    EXPECT_TRUE(StringToBool("2"));
    EXPECT_FALSE(StringToBool("0"));
    EXPECT_FALSE(StringToBool(""));
    EXPECT_EQ(StringToUInt("1024", 10), 1024u);
    EXPECT_FLOAT_EQ(StringToFloat("0.5"), 0.5f);
    EXPECT_EQ(WStringToInt(L"-17", 10), -17);
    EXPECT_FLOAT_EQ(WStringToFloat(L"2.25"), 2.25f);
    EXPECT_TRUE(WStringToBool(L"1"));
}

TEST(TextToNumber, NumbersBeyondThirtyTwoBitsSaturateInsteadOfWrapping)
{
    constexpr i32 kLargest = std::numeric_limits<i32>::max();
    constexpr i32 kSmallest = std::numeric_limits<i32>::min();
    EXPECT_EQ(StringToInt("4294967297", 10), kLargest);
    EXPECT_EQ(StringToInt("-4294967297", 10), kSmallest);
    EXPECT_EQ(StringToInt("2147483648", 10), kLargest);
    EXPECT_EQ(StringToInt("-2147483648", 10), kSmallest);
    EXPECT_EQ(WStringToInt(L"4294967297", 10), kLargest);
    EXPECT_EQ(StringToUInt("4294967296", 10), std::numeric_limits<u32>::max());
    EXPECT_EQ(StringToUInt("-4294967296", 10), std::numeric_limits<u32>::max());
    EXPECT_EQ(StringToUInt("4294967295", 10), 4294967295u);
    // A minus sign negates in unsigned arithmetic, as the C library does.
    EXPECT_EQ(StringToUInt("-1", 10), 4294967295u);
}

TEST(Trimming, RemovesWhiteSpaceAndChosenCharacters)
{
    std::string text = " \ta b \n";
    Trim(text);
    EXPECT_EQ(text, "a b");
    std::string slashes = "//x/";
    TrimLeftChar(slashes, '/');
    EXPECT_EQ(slashes, "x/");
    EXPECT_EQ(TrimRightCopy("ab  "), "ab");
    EXPECT_EQ(TrimCopyW(L"  w  "), L"w");
    EXPECT_EQ(TrimLeftCopyW(L"\t w "), L"w ");
    std::string blank = "   ";
    Trim(blank);
    EXPECT_EQ(blank, "");
}

TEST(Replacing, DoesNotReplaceInsideItsOwnReplacement)
{
    std::string text = "aaa";
    ReplaceAll(text, "a", "aa");
    EXPECT_EQ(text, "aaaaaa");
    std::string dotted = "a.b.c";
    EraseAll(dotted, ".");
    EXPECT_EQ(dotted, "abc");
    std::string unchanged = "abc";
    ReplaceAll(unchanged, "", "x");
    EXPECT_EQ(unchanged, "abc");
    EXPECT_EQ(ReplaceAllCopyW(L"a-b-c", L"-", L"+"), L"a+b+c");
    EXPECT_EQ(EraseAllCopyW(L"%s%", L"%"), L"s");
}

TEST(Case, ChangesAsciiLetters)
{
    EXPECT_EQ(ToLower("V_MODE"), "v_mode");
    EXPECT_EQ(ToUpper("leftarrow"), "LEFTARROW");
    EXPECT_EQ(ToLowerW(L"ABC"), L"abc");
}

class CodePageText : public ::testing::Test {
protected:
    void TearDown() override { SetCodePage(1252); }
};

TEST_F(CodePageText, WesternTextRoundTripsAndDropsUnmappedBytes)
{
    SetCodePage(1252);
    EXPECT_EQ(ToWString("caf\xE9 \x80"), L"caf\u00E9 \u20AC");
    EXPECT_EQ(ToString(L"caf\u00E9 \u20AC"), "caf\xE9 \x80");
    EXPECT_EQ(ToWString("a\x81z"), L"az");
    EXPECT_EQ(ToString(L"a\u0416z"), "az");
}

TEST_F(CodePageText, CyrillicCodePageMapsItsAlphabet)
{
    SetCodePage(1251);
    EXPECT_EQ(ToWString("\xC0\xFF\xA8"), L"\u0410\u044F\u0401");
    EXPECT_EQ(ToString(L"\u0416\u0451"), "\xC6\xB8");
}

TEST_F(CodePageText, ConversionStopsAtAZero)
{
    EXPECT_EQ(ToWString(std::string("ab\0cd", 5)), L"ab");
    EXPECT_EQ(ToString(std::wstring(L"ab\0cd", 5)), "ab");
}

TEST(ApplicationFolder, IsTheProgramFolderInBackslashForm)
{
    Platform::SetProgramFolder("/opt/play/x");
    EXPECT_EQ(GetApplicationFolder(), "\\opt\\play\\x");
    Platform::SetProgramFolder("");
    EXPECT_FALSE(GetApplicationFolder().empty());
}
