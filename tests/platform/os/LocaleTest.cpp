#include "platform/os/Locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <cwctype>

namespace {

TEST(Locale, CharacterClassesAndCollationAreUnicodeAndEverythingElseStaysC)
{
    std::setlocale(LC_ALL, "C");
    ASSERT_EQ(std::towupper(L'я'), static_cast<wint_t>(L'я')) << "C maps no Cyrillic case";
    ASSERT_TRUE(Platform::SetUnicodeCharacterLocale());
    const std::string characters = std::setlocale(LC_CTYPE, nullptr);
    EXPECT_TRUE(characters == "C.UTF-8" || characters == "C.utf8") << characters;
    EXPECT_STREQ(std::setlocale(LC_COLLATE, nullptr), std::setlocale(LC_CTYPE, nullptr));
    for (const int category : {LC_NUMERIC, LC_MONETARY, LC_TIME, LC_MESSAGES})
        EXPECT_STREQ(std::setlocale(category, nullptr), "C") << category;
    const struct {
        wchar_t lower;
        wchar_t upper;
    } letters[] = {{L'a', L'A'}, {L'é', L'É'}, {L'ß', L'ß'}, {L'я', L'Я'}, {L'ё', L'Ё'}, {L'ѓ', L'Ѓ'}};
    for (const auto& letter : letters) {
        EXPECT_EQ(std::towupper(letter.lower), static_cast<wint_t>(letter.upper)) << static_cast<int>(letter.lower);
        EXPECT_TRUE(std::iswalpha(letter.lower));
    }
    char number[16];
    std::snprintf(number, sizeof number, "%.1f", 2.5);
    EXPECT_STREQ(number, "2.5");
    std::setlocale(LC_ALL, "C");
}

TEST(Locale, TheKeyboardLayoutIsNeverSwitched)
{
    for (const uint32_t layout : {1033u, 1049u, 0u})
        EXPECT_FALSE(Platform::SwitchKeyboardLayout(layout));
}

} // namespace
