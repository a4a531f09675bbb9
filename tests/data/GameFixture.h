#pragma once

#include "framework/logic/GameLogicBase.h"
#include "game/Game.h"
#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <memory>
#include <string>

namespace Testing {

// The game itself, reached from a test: what the flow holds is open to it.
class TestGame : public Tamrisk::Game {
public:
    using GameBase::GetFlowState;

    // The menus' windows and a running level of stage 1, level 1 played by
    // a current profile, shown in the game window, as the level loading
    // window would leave them.
    GameFramework::GameLogicBase& StartFirstLevel();
};

// The real game in this process, on a program folder of the test's choice
// (the build's by default), with its user folder, its registry hives and its
// home in a temporary folder, and message boxes off. Each test makes the
// game it needs.
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
    const TempFolder& Folder() const { return folder_; }

private:
    TempFolder folder_;
    ScopedProgramFolder program_;
};

} // namespace Testing
