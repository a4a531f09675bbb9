#include "framework/persistence/PlayerName.h"

#include <gtest/gtest.h>

namespace {

using GameFramework::FitPlayerName;
using GameFramework::MakeProfileName;
using GameFramework::MakeProfileNameKey;

TEST(PlayerNameTest, ProfileNamesAreTrimmedOfEveryBlankCutAndHoldOnlySixteenBitCharacters)
{
    struct Case {
        std::wstring given;
        std::wstring profileName;
    };
    const std::wstring longest(254, L'a');
    const Case cases[] = {
        {L"  Anna\t", L"Anna"},
        {L" \n ", L""},
        // Blanks a paste brings, which look like nothing or like a space.
        {L"\xA0" L"Anna\xA0", L"Anna"},
        {L"\x3000" L"Anna\x2003", L"Anna"},
        {L"\xFEFF" L"Anna\x200B\x202F\x205F", L"Anna"},
        {L"\t\xA0 \x1680" L"Anna \x2028\r\n", L"Anna"},
        {L"\xA0\x3000\t\x2000\x200A \x85", L""},
        // Inside the name they stay.
        {L"Anna\xA0" L"Lee", L"Anna\xA0" L"Lee"},
        {L"Zo\x1F600" L"e", L"Zo\xFFFD" L"e"},
        {longest + L"b", longest},
        {L" " + longest, longest},
        // The cut leaves a space at the end, which goes as well.
        {std::wstring(253, L'a') + L" b", std::wstring(253, L'a')},
        {std::wstring(253, L'a') + L"\xA0" L"b", std::wstring(253, L'a')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeProfileName(c.given), c.profileName) << c.given.size();
}

TEST(PlayerNameTest, FittingKeepsWhiteSpace)
{
    EXPECT_EQ(FitPlayerName(L" Anna "), L" Anna ");
    EXPECT_EQ(FitPlayerName(std::wstring(300, L' ')), std::wstring(254, L' '));
}

// Characters that show nothing, wherever they stand, do not tell one name
// from another; letters and visible marks do.
TEST(PlayerNameTest, TheKeyOfANameIgnoresCaseBlanksAtTheEndsAndWhatShowsNothing)
{
    struct Case {
        std::wstring given;
        std::wstring key;
    };
    const Case cases[] = {
        {L"Bob", L"bob"},
        {L" BOB\xA0", L"bob"},
        {L"\x00AD" L"Bob", L"bob"},
        {L"B\x00AD" L"ob", L"bob"},
        {L"Bob\x200C", L"bob"},
        {L"Bo\x200D" L"b", L"bob"},
        {L"\x200E" L"Bob\x200F", L"bob"},
        {L"\x202A" L"Bob\x202C", L"bob"},
        {L"\x2066" L"Bob\x2069", L"bob"},
        {L"\x061C" L"Bob", L"bob"},
        {L"Bob\x2060", L"bob"},
        {L"\x180E" L"Bob", L"bob"},
        {L"\x115F\x1160" L"Bob\x3164\xFFA0", L"bob"},
        {L"\x2800" L"Bob", L"bob"},
        {L"Bob\x0007\x007F\x0085\x009F", L"bob"},
        {L"B\x0001" L"ob", L"bob"},
        {L"\xFEFF" L"Bob\xFE0F", L"bob"},
        // An invisible character between blanks leaves the blanks at an end.
        {L"\x200D Bob \x2060", L"bob"},
        {L"\x200D\x2060\x00AD", L""},
        {L"\x3164", L""},
        // What shows stays: inner blanks, accents, other scripts.
        {L"Bob Lee", L"bob lee"},
        {L"zo\x00EB", L"zo\x00EB"},
        {L"\x0431\x043E\x0431\x200B", L"\x0431\x043E\x0431"},
        {L"Bob-", L"bob-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeProfileNameKey(c.given), c.key) << testing::PrintToString(c.given);
}

// The name itself keeps what the player typed.
TEST(PlayerNameTest, AProfileNameKeepsItsInvisibleCharacters)
{
    EXPECT_EQ(MakeProfileName(L"Zo\x200D" L"e"), L"Zo\x200D" L"e");
    EXPECT_EQ(MakeProfileName(L"\x00AD" L"Bob"), L"\x00AD" L"Bob");
}

} // namespace
