#include "framework/persistence/PlayerName.h"

#include <gtest/gtest.h>

namespace {

using GameFramework::FitPlayerName;
using GameFramework::MakeProfileName;

TEST(PlayerNameTest, ProfileNamesAreTrimmedCutAndHoldOnlySixteenBitCharacters)
{
    struct Case {
        std::wstring given;
        std::wstring profileName;
    };
    const std::wstring longest(254, L'a');
    const Case cases[] = {
        {L"  Anna\t", L"Anna"},
        {L" \n ", L""},
        {L"Zo\x1F600" L"e", L"Zo\xFFFD" L"e"},
        {longest + L"b", longest},
        {L" " + longest, longest},
        // The cut leaves a space at the end, which goes as well.
        {std::wstring(253, L'a') + L" b", std::wstring(253, L'a')},
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
