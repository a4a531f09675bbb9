#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace Halvard {
class FileManager;
}

namespace GameFramework {

// One language the framework knows.
struct Language {
    // Two letters: the language's font folder below "data\ui\fonts\" and the
    // element of its texts.
    std::string code;
    // The Windows language identifier of its keyboard layout.
    Halvard::u32 keyboardLayout = 0;
    // The name the original runtime's locale functions took.
    std::string name;
    // Whether choosing the language switches the keyboard layout.
    bool switchKeyboard = false;
};

// Decides once, at start-up, which language the texts and fonts are shown
// in: the registry's "Language" when its font folder ships, else the first
// known language whose font folder ships, else English. Sets the runtime's
// locale and the code page of narrow text (1251 for Russian, 1252 for the
// others) for the whole process. Never throws: every missing value or
// folder leads to the next choice. Main thread, before other threads run.
class LanguageManager {
public:
    // The registry path is the key the application's values live under.
    LanguageManager(Halvard::FileManager* files, const std::string& registryPath);
    LanguageManager(const LanguageManager&) = delete;
    LanguageManager& operator=(const LanguageManager&) = delete;
    virtual ~LanguageManager();

    // Never null.
    const Language* GetCurrentLanguage() const { return current_; }
    // The first language of the code, compared without regard to case;
    // null when none has it.
    const Language* FindLanguage(const std::string& code) const;
    const std::vector<std::unique_ptr<Language>>& GetLanguages() const { return languages_; }

private:
    std::string ChooseCode(const std::string& registryPath) const;
    bool HasFontFolder(const std::string& code) const;

    Halvard::FileManager* files_;
    std::vector<std::unique_ptr<Language>> languages_;
    const Language* current_ = nullptr;
};

} // namespace GameFramework
