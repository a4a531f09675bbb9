#include "framework/LanguageManager.h"

#include "engine/core/CodePage.h"
#include "engine/core/FileManager.h"
#include "engine/core/Locale.h"
#include "engine/core/Registry.h"
#include "engine/core/StringUtils.h"

namespace GameFramework {

namespace {

// The order counts: without a registry choice the first language whose
// fonts ship wins.
const Language kLanguages[] = {
    {"en", 1033, "english", false}, {"ru", 1049, "russian", false}, {"ge", 1031, "german", false},
    {"fr", 1036, "french", false},  {"it", 1040, "italian", false}, {"sp", 1034, "spanish", false},
    {"jp", 1041, "japanese", false},
};

constexpr Halvard::u32 kRussianCodePage = 1251;
constexpr Halvard::u32 kWesternCodePage = 1252;

} // namespace

LanguageManager::LanguageManager(Halvard::FileManager* files, const std::string& registryPath) : files_(files)
{
    for (const Language& language : kLanguages)
        languages_.push_back(std::make_unique<Language>(language));
    current_ = FindLanguage(ChooseCode(registryPath));
    // A folder of a language the table does not know.
    if (current_ == nullptr)
        current_ = FindLanguage("en");
    // A failed switch leaves the layout as it was and is not reported.
    if (current_->switchKeyboard)
        Halvard::SwitchKeyboardLayout(current_->keyboardLayout);
    Halvard::SetLanguageLocale();
    Halvard::SetCodePage(current_->code == "ru" ? kRussianCodePage : kWesternCodePage);
}

LanguageManager::~LanguageManager() = default;

const Language* LanguageManager::FindLanguage(const std::string& code) const
{
    const std::string wanted = Halvard::ToLower(code);
    for (const std::unique_ptr<Language>& language : languages_) {
        if (language->code == wanted)
            return language.get();
    }
    return nullptr;
}

// An empty registry value names no folder of its own: it would find the
// fonts folder itself, so it counts as no value.
std::string LanguageManager::ChooseCode(const std::string& registryPath) const
{
    std::string code;
    if (Halvard::ReadRegistryString(registryPath, "Language", code) && !code.empty() && HasFontFolder(code))
        return code;
    for (const std::unique_ptr<Language>& language : languages_) {
        if (HasFontFolder(language->code))
            return language->code;
    }
    return "en";
}

bool LanguageManager::HasFontFolder(const std::string& code) const
{
    return files_->FolderExists("data\\ui\\fonts\\" + code);
}

} // namespace GameFramework
