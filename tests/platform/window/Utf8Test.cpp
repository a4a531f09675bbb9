#include "platform/window/Utf8.h"

#include <gtest/gtest.h>

namespace {

using Platform::Utf8ToUtf16;

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

TEST(Utf8Test, MalformedBytesAreDroppedAndTheRestKept)
{
    EXPECT_EQ(Utf8ToUtf16("a\xFFz"), u"az");
    EXPECT_EQ(Utf8ToUtf16("a\xC3"), u"a");
    EXPECT_EQ(Utf8ToUtf16("\xC3("), u"(");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAFx"), u"x");
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80x"), u"x");
}

} // namespace
