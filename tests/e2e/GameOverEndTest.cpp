#include "tests/support/game/GameReplay.h"

#include "engine/gui/GUIButton.h"
#include "framework/logic/GameLogicBase.h"
#include "framework/persistence/HighScoresTable.h"
#include "framework/windows/FrameworkWindows.h"
#include "game/Game.h"
#include "game/GameLogic.h"
#include "game/windows/menus/GUIMainMenuWindow.h"
#include "game/windows/menus/GUIStartGameLogicWindow.h"
#include "tests/e2e/SavedFiles.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/SdlEvents.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <csignal>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Testing::GameReplay;

constexpr int kStepFrames = GameReplay::kStepFrames;
constexpr int kSettleFrames = GameReplay::kSettleFrames;
constexpr int kLevelFrames = 3 * 60 * 30;

// From the main menu to the first frames of the level.
void PlayFromTheMainMenu(GameReplay& replay)
{
    ASSERT_TRUE(replay.RunUntilWindow("window_main_menu", kStepFrames)) << replay.ErrorText();
    replay.RunFrames(kSettleFrames);
    auto* menu = dynamic_cast<Tamrisk::GUIMainMenuWindow*>(replay.Game()->GetWindows().mainMenu.get());
    ASSERT_NE(menu, nullptr);
    replay.Click(*menu->GetMenuButton(Tamrisk::GUIMainMenuWindow::kStart));
    ASSERT_TRUE(replay.RunUntilWindow("window_start_game", kStepFrames)) << replay.ErrorText();
    replay.RunFrames(kSettleFrames);
    auto* map = dynamic_cast<Tamrisk::GUIStartGameLogicWindow*>(replay.Game()->GetWindows().startGameLogic.get());
    ASSERT_NE(map, nullptr);
    replay.Click(*map->GetPlayButton());
    ASSERT_TRUE(replay.RunUntilWindow("window_game_logic", kStepFrames)) << replay.ErrorText();
}

// A way the program is ended while a window shows; with a full disk, both
// saves of the game's end fail.
struct Ending {
    const char* name;
    std::function<void(GameReplay&)> end;
    bool fullDiskAtLoss = false;
};

void PrintTo(const Ending& ending, std::ostream* out) { *out << ending.name; }

void CloseTheWindow(GameReplay&) { Testing::Push({Testing::QuitEvent()}); }

// As a session's logout does: SDL's handler turns the signal into a quit
// request, as it does in the program.
void Terminate(GameReplay&)
{
    struct sigaction current {};
    ASSERT_EQ(sigaction(SIGTERM, nullptr, &current), 0);
    ASSERT_NE(current.sa_handler, SIG_DFL) << "without SDL's handler the signal would end the tests";
    ASSERT_NE(current.sa_handler, SIG_IGN);
    ASSERT_EQ(std::raise(SIGTERM), 0);
}

// Space freed after the disk-full notice, the player plays on: the save on
// the way to the level keeps the score, which the exit does not write again.
void PlayOnOnceSpaceIsFreed(GameReplay& replay)
{
    ASSERT_TRUE(replay.ClickButton("button_0"));
    ASSERT_TRUE(replay.RunUntilWindow("window_save_trouble", kStepFrames)) << replay.ErrorText();
    ASSERT_TRUE(replay.ClickThrough("button_0", "window_high_scores"));
    replay.RunFrames(kSettleFrames);
    ASSERT_TRUE(replay.ClickButton("button_0"));
    PlayFromTheMainMenu(replay);
    ASSERT_EQ(Testing::SavedFiles::ReadHighScores(replay.UserFolder() / "high_scores.hsf").size(), 1u);
    CloseTheWindow(replay);
}

class GameOverEndTest : public ::testing::TestWithParam<Ending> {};

// A new player scores on level 1-1, then loses it; the program is ended
// while the game over window shows, before its button is pressed. The next
// start has the score in the high-score table and no game to continue; so
// it has when the disk was full as the game ended and the player freed
// space and played on before the end.
TEST_P(GameOverEndTest, TheScoreOfAGameEndedAtGameOverOutlivesTheProgram)
{
    GameReplay replay;
    ASSERT_TRUE(replay.RunUntilWindow("window_welcome", kStepFrames)) << replay.ErrorText();
    replay.RunFrames(kSettleFrames);
    replay.TypeKeys("Tester", 2);
    replay.Input().TapKey(SDLK_RETURN);
    PlayFromTheMainMenu(replay);
    ASSERT_FALSE(HasFatalFailure());

    const auto scored = [](const Tamrisk::GameLogic& logic) { return logic.GetScore() > 0; };
    ASSERT_EQ(replay.PlayLevelUntil(false, kLevelFrames, scored),
              std::optional<Halvard::u32>(GameFramework::GameLogicBase::kRunning));
    std::optional<Testing::FileSizeLimit> full;
    if (GetParam().fullDiskAtLoss)
        full.emplace(0);
    ASSERT_EQ(replay.PlayLevel(true, kLevelFrames), std::optional<Halvard::u32>(GameFramework::GameLogicBase::kGameOver))
        << replay.ErrorText();
    const Halvard::u32 score = replay.Logic()->GetScore();
    ASSERT_GT(score, 0u);
    ASSERT_TRUE(replay.RunUntilWindow("window_game_over", kStepFrames)) << replay.ErrorText();
    replay.RunFrames(kSettleFrames);

    full.reset();
    GetParam().end(replay);
    ASSERT_FALSE(HasFatalFailure());
    for (int frame = 0; frame < kStepFrames && !replay.Ended(); ++frame)
        replay.Frame();
    ASSERT_TRUE(replay.Ended());
    EXPECT_EQ(replay.ErrorText(), "");

    replay.Restart();
    ASSERT_TRUE(replay.RunUntilWindow("window_main_menu", kStepFrames)) << replay.ErrorText();
    const GameFramework::HighScoresTable& table = *replay.Game()->GetHighScores();
    ASSERT_EQ(table.GetEntryCount(0), 1u);
    EXPECT_EQ(table.GetEntry(0, 0)->name, L"Tester");
    EXPECT_EQ(table.GetEntry(0, 0)->score, score);
    const std::vector<std::string> profiles = Testing::SavedFiles::ProfileFiles(replay.UserFolder() / "profiles");
    ASSERT_EQ(profiles.size(), 1u);
    EXPECT_FALSE(Testing::SavedFiles::ReadProfile(replay.UserFolder() / "profiles" / profiles.front()).gameInProgress);
}

INSTANTIATE_TEST_SUITE_P(WindowClosedOrTerminated, GameOverEndTest,
                         ::testing::Values(Ending{"WindowClosed", CloseTheWindow}, Ending{"Terminated", Terminate},
                                           Ending{"DiskFullThenFreed", PlayOnOnceSpaceIsFreed, true},
                                           Ending{"DiskFullThenFreedAndClosed", CloseTheWindow, true}),
                         [](const ::testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

} // namespace
