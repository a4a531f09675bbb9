#pragma once

#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Testing {

// The built program's folder, which holds the shipped data folder.
std::filesystem::path ShippedProgramFolder();

// The surroundings of the real game in this process, on a program folder of
// the test's choice (the build's by default), with its user folder, its
// registry hives and its home in a temporary folder, and message boxes off.
// Each test makes the game it needs.
class GameFixture {
public:
    explicit GameFixture(const std::filesystem::path& programFolder);
    GameFixture();
    ~GameFixture();

    GameFixture(const GameFixture&) = delete;
    GameFixture& operator=(const GameFixture&) = delete;

    // Where the game writes its log, its ini file and its saves.
    std::filesystem::path UserFolder() const;
    std::filesystem::path LogFile() const { return UserFolder() / "Tamrisk.html"; }
    std::filesystem::path IniFile() const { return UserFolder() / "Tamrisk.ini"; }
    const TempFolder& Folder() const { return folder_; }

private:
    TempFolder folder_;
    ScopedProgramFolder program_;
    // The home and XDG variables as they were, to be put back.
    std::vector<std::pair<std::string, std::optional<std::string>>> environment_;
};

} // namespace Testing
