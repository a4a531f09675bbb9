#include "framework/persistence/PlayerName.h"

#include <gtest/gtest.h>

namespace {

using GameFramework::FitPlayerName;
using GameFramework::MakeProfileName;

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

} // namespace
