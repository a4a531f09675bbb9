#include "platform/window/Utf8.h"

#include <gtest/gtest.h>

namespace {

using Platform::Utf8ToUtf16;
using Platform::WideToUtf8;

TEST(Utf8Test, AsciiAndAccentedLettersBecomeOneCharacterEach)
{
    EXPECT_EQ(Utf8ToUtf16("aZ"), u"aZ");
    EXPECT_EQ(Utf8ToUtf16("\xC3\xA9"), u"\u00E9");
    EXPECT_EQ(Utf8ToUtf16("\xD0\x96"), u"\u0416");
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82\xAC"), u"\u20AC");
}

TEST(Utf8Test, CharactersBeyondSixteenBitsBecomeSurrogatePairs)
{
    const std::u16string out = Utf8ToUtf16("\xF0\x9F\x98\x80");
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], 0xD83D);
    EXPECT_EQ(out[1], 0xDE00);
}

// A name in Latin-1 ("josé") reads as it was written.
TEST(Utf8Test, EachMalformedByteBecomesTheLatin1CharacterOfItsCode)
{
    EXPECT_EQ(Utf8ToUtf16("a\xFFz"), u"a\u00FFz");
    EXPECT_EQ(Utf8ToUtf16("a\xC3"), u"a\u00C3");
    EXPECT_EQ(Utf8ToUtf16("\xC3("), u"\u00C3(");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAFx"), u"\u00C0\u00AFx");
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80x"), u"\u00ED\u00A0\u0080x");
    EXPECT_EQ(Utf8ToUtf16("\xE9\xC3\xA9"), u"\u00E9\u00E9");
    EXPECT_EQ(Platform::Utf8ToWide("/home/jos\xE9/\xF0\x9F\x98"), L"/home/jos\u00E9/\u00F0\u009F\u0098");
}

TEST(Utf8Test, WideTextBecomesOneToFourBytesACharacter)
{
    EXPECT_EQ(WideToUtf8(L"aZ"), "aZ");
    EXPECT_EQ(WideToUtf8(L"\u00E9"), "\xC3\xA9");
    EXPECT_EQ(WideToUtf8(L"\u0416\u044F"), "\xD0\x96\xD1\x8F");
    EXPECT_EQ(WideToUtf8(L"\u20AC"), "\xE2\x82\xAC");
    EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0x1F600))), "\xF0\x9F\x98\x80");
    EXPECT_EQ(WideToUtf8(L""), "");
}

TEST(Utf8Test, WideValuesThatAreNoCharacterAreDropped)
{
    const std::wstring text = {L'a', static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000), L'z'};
    EXPECT_EQ(WideToUtf8(text), "az");
}

TEST(Utf8Test, EveryCharacterOfTheBasicPlaneSurvivesTheRoundTrip)
{
    for (uint32_t character = 1; character < 0x10000; ++character) {
        if (character >= 0xD800 && character <= 0xDFFF)
            continue;
        const std::u16string back = Utf8ToUtf16(WideToUtf8(std::wstring(1, static_cast<wchar_t>(character))));
        ASSERT_EQ(back, std::u16string(1, static_cast<char16_t>(character))) << character;
    }
}

} // namespace
