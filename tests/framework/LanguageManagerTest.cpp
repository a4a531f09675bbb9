#include "framework/LanguageManager.h"

#include "engine/core/CodePage.h"
#include "engine/core/FileManager.h"
#include "platform/os/Registry.h"
#include "tests/support/QuietLog.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>
#include <optional>
#include <string>
#include <vector>

using GameFramework::LanguageManager;
using Platform::RegistryHive;

namespace {

const char* const kKey = "SOFTWARE\\Quenbyworks\\Tamrisk";

// Both registry hives and a data folder of the test's own.
class LanguageManagerTest : public testing::Test {
protected:
    LanguageManagerTest()
    {
        Platform::SetRegistryHiveFile(RegistryHive::kMachine, registry.Native("machine.ini").string());
        Platform::SetRegistryHiveFile(RegistryHive::kUser, registry.Native("user.ini").string());
    }
    ~LanguageManagerTest() override
    {
        Platform::SetRegistryHiveFile(RegistryHive::kMachine, "");
        Platform::SetRegistryHiveFile(RegistryHive::kUser, "");
        Halvard::SetCodePage(1252);
    }

    void Registry(const char* file, const std::optional<std::string>& language) const
    {
        if (language)
            registry.WriteFile(file, "[" + std::string(kKey) + "]\nLanguage=" + *language + "\n");
    }

    // A font folder with one file, as the data builder ships them.
    static void FontFolder(const Testing::TempFolder& program, const std::string& code)
    {
        program.WriteFile("data\\ui\\fonts\\" + code + "\\common.fnt", "font");
    }

    std::string Choose(const Testing::TempFolder& program)
    {
        Halvard::FileManager files(&log, program.Internal(), "");
        const LanguageManager languages(&files, kKey);
        return languages.GetCurrentLanguage()->code;
    }

    Testing::TempFolder registry;
    Testing::QuietLog log;
};

TEST_F(LanguageManagerTest, TheRegistryChoiceNeedsItsFontFolderElseTheFirstShippedLanguageElseEnglish)
{
    struct Case {
        const char* what;
        std::optional<std::string> machine;
        std::optional<std::string> user;
        std::vector<std::string> folders;
        const char* chosen;
        Halvard::u32 codePage;
    };
    const Case cases[] = {
        {"codes match without regard to case", std::nullopt, "RU", {"RU"}, "ru", 1251},
        {"a folder of an unknown language", std::nullopt, "de", {"de"}, "en", 1252},
        {"only French ships", std::nullopt, std::nullopt, {"fr"}, "fr", 1252},
        {"no font folder at all", std::nullopt, std::nullopt, {}, "en", 1252},
        {"the registry's folder is missing", std::nullopt, "ru", {"fr", "ge"}, "ge", 1252},
        {"table order, not folder order", std::nullopt, std::nullopt, {"jp", "ru"}, "ru", 1251},
        {"an empty value is no value", std::nullopt, "", {"ru"}, "ru", 1251},
        {"the machine's value comes first", "ru", "en", {"en", "ru"}, "ru", 1251},
        {"the user's value when the machine has none", std::nullopt, "it", {"en", "it"}, "it", 1252},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Testing::TempFolder program;
        std::filesystem::remove(registry.Native("machine.ini"));
        std::filesystem::remove(registry.Native("user.ini"));
        Registry("machine.ini", c.machine);
        Registry("user.ini", c.user);
        for (const std::string& code : c.folders)
            FontFolder(program, code);
        EXPECT_EQ(Choose(program), c.chosen);
        EXPECT_EQ(Halvard::GetCodePage(), c.codePage);
    }
}

TEST_F(LanguageManagerTest, FindLanguageIgnoresCaseAndKnowsOnlyTheTablesCodes)
{
    const Testing::TempFolder program;
    Halvard::FileManager files(&log, program.Internal(), "");
    const LanguageManager languages(&files, kKey);
    ASSERT_NE(languages.FindLanguage("Ru"), nullptr);
    EXPECT_EQ(languages.FindLanguage("Ru")->keyboardLayout, 1049u);
    EXPECT_EQ(languages.FindLanguage("JP")->code, "jp");
    EXPECT_EQ(languages.FindLanguage("de"), nullptr);
    EXPECT_EQ(languages.FindLanguage(""), nullptr);
}

// Case mapping of Latin-1 and Cyrillic letters is what upper-case labels and
// the fonts' added case glyphs need; numbers must keep their '.'.
TEST_F(LanguageManagerTest, TheLocaleMapsLatinOneAndCyrillicCaseAndKeepsNumbersPlain)
{
    const Testing::TempFolder program;
    FontFolder(program, "ru");
    EXPECT_EQ(Choose(program), "ru");
    EXPECT_EQ(std::towupper(L'я'), static_cast<wint_t>(L'Я'));
    EXPECT_EQ(std::towlower(L'Ё'), static_cast<wint_t>(L'ё'));
    EXPECT_EQ(std::towupper(L'ä'), static_cast<wint_t>(L'Ä'));
    EXPECT_TRUE(std::iswalpha(L'ж'));
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    char number[16];
    std::snprintf(number, sizeof number, "%.2f", 1.25);
    EXPECT_STREQ(number, "1.25");
}

} // namespace
