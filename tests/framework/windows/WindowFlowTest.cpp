#include "framework/windows/GUIHighScoresWindowBase.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "tests/framework/windows/FlowBed.h"
#include "tests/support/SaveWatch.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace Testing {
namespace {

using GameFramework::GameLogicBase;
using GameFramework::LevelReference;
using GameFramework::WindowResult;
using GameFramework::WindowSource;
using Halvard::u32;

TEST(WindowFlowPasses, AResultReportedInsideShowIsActedOnInTheNextPassOfTheSameFrameAndThenCleared)
{
    FlowBed bed;
    bed.StartMenus();
    bed.Window("help").ShowWindow(WindowSource::kMainMenu);
    bed.Take();
    // The help window comes later in the pass than the main menu it opens,
    // so only the kept result lets the main menu answer in the same frame.
    *bed.onShow["main menu"] = WindowResult::kHelp;
    *bed.onShow["help"] = WindowResult::kMainMenu;
    bed.Report("help", WindowResult::kMainMenu);
    bed.Dispatch();
    EXPECT_EQ(bed.Take(), (Journal{"hide help", "show main menu 9", "hide main menu", "show help 6", "hide help",
                                   "show main menu 9"}));
    for (const auto& [name, window] : bed.windows)
        EXPECT_EQ(window->GetResult(), 0u) << name;
}

TEST(WindowFlowPasses, AResultSetInAnUpdateIsHandledInTheFirstPassAndClearedRightAfter)
{
    FlowBed bed;
    bed.StartMenus();
    bed.Window("help").ShowWindow(WindowSource::kMainMenu);
    *bed.onUpdate["help"] = WindowResult::kMainMenu;
    bed.UpdateWindows();
    bed.Take();
    bed.ProcessWindows();
    EXPECT_EQ(bed.Take(), (Journal{"hide help", "show main menu 9"}));
    bed.ResetWindowResults();
    EXPECT_EQ(bed.Window("help").GetResult(), 0u);
    bed.ProcessWindows();
    bed.ResetWindowResults();
    EXPECT_TRUE(bed.Take().empty());
}

TEST(WindowFlowPasses, UpdatesReachEveryWindowAndTheLogicInTheirOrder)
{
    FlowBed bed;
    bed.StartLevel();
    bed.UpdateWindows();
    EXPECT_EQ(bed.Take(),
              (Journal{"update logos", "update game loading", "update welcome", "update exit", "update main menu",
                       "update profiles", "update new profile", "update rename profile", "update delete profile",
                       "update name conflict", "update game logic loading", "update start game", "update continue",
                       "update high scores", "update options", "update help", "update game", "update pause",
                       "update game menu", "update menu exit", "update restart", "update game exit",
                       "update logic", "update level complete", "update stage complete", "update game complete",
                       "update game over"}));
}

TEST(WindowFlowPasses, BeforeTheWindowsAreMadeOnlyTheStartUpWindowsTakePart)
{
    FlowBed bed;
    bed.StartUp();
    bed.UpdateWindows();
    bed.Dispatch();
    EXPECT_EQ(bed.Take(), (Journal{"update logos", "update game loading"}));
}

TEST(WindowFlowPasses, TheEndOfALevelIsReportedOnceThoughThreePassesRun)
{
    FlowBed bed;
    bed.StartLevel();
    bed.Logic()->SetState(GameLogicBase::kGameOver);
    bed.Dispatch();
    bed.Dispatch();
    EXPECT_EQ(bed.Take(), (Journal{"show game over 17"}));
    EXPECT_FALSE(bed.Logic()->IsStateChanged());
}

TEST(WindowFlowGame, TheGameWindowStaysVisibleInactiveBehindTheMenuAndTheLevelPausesUntilResumed)
{
    FlowBed bed;
    bed.StartLevel();
    auto& game = static_cast<GameFramework::GUIGameLogicWindowBase&>(bed.Window("game"));
    bed.Report("game", WindowResult::kPause);
    bed.Dispatch();
    EXPECT_TRUE(bed.IsShown("game"));
    EXPECT_FALSE(game.IsActive());
    EXPECT_EQ(bed.Logic()->GetState(), GameLogicBase::kPaused);
    bed.Report("pause", WindowResult::kResume);
    bed.Dispatch();
    EXPECT_TRUE(game.IsActive());
    EXPECT_EQ(bed.Logic()->GetState(), GameLogicBase::kRunning);
}

TEST(WindowFlowGame, LeavingALevelThroughTheMenuDeletesTheLogic)
{
    FlowBed bed;
    bed.StartLevel();
    bed.Report("menu exit", WindowResult::kMainMenu);
    bed.Dispatch();
    EXPECT_EQ(bed.Logic(), nullptr);
    EXPECT_FALSE(bed.IsShown("game"));
}

TEST(WindowFlowMenus, PlayWithAGameInProgressAsksToContinueAndANewGameStartsOverWithThreeLives)
{
    FlowBed bed;
    bed.StartMenus();
    bed.Profile().SetGameInProgress(true);
    bed.Profile().SetLives(1);
    bed.Profile().SetScore(700);
    bed.Report("main menu", WindowResult::kPlay);
    bed.Dispatch();
    EXPECT_EQ(bed.Take(), (Journal{"hide main menu", "show continue 6"}));
    bed.Report("continue", WindowResult::kEndLevel);
    bed.Dispatch();
    EXPECT_FALSE(bed.Profile().IsGameInProgress());
    EXPECT_EQ(bed.Profile().GetLives(), 3u);
    EXPECT_EQ(bed.Profile().GetScore(), 0u);
    EXPECT_TRUE(bed.IsShown("start game"));
}

TEST(WindowFlowMenus, PlayWithoutAGameInProgressResetsTheProfile)
{
    FlowBed bed;
    bed.StartMenus();
    bed.Profile().SetLives(1);
    bed.Profile().SetScore(90);
    bed.Report("main menu", WindowResult::kPlay);
    bed.ProcessWindows();
    EXPECT_EQ(bed.Profile().GetLives(), 3u);
    EXPECT_EQ(bed.Profile().GetScore(), 0u);
}

TEST(WindowFlowLevels, StartingThreeLevelsInARowDeletesTheFirstLevelsData)
{
    FlowBed bed;
    bed.StartMenus();
    std::vector<GameTools::DataKeeper*> made;
    for (int i = 0; i < 3; ++i) {
        bed.Report("start game", WindowResult::kPlay);
        bed.Dispatch();
        made.push_back(bed.state.gameLogicData.get());
        if (i > 0) {
            EXPECT_EQ(bed.state.previousGameLogicData.get(), made[i - 1]);
        }
    }
    EXPECT_NE(bed.state.previousGameLogicData.get(), made[0]);
    auto& loading = static_cast<GameFramework::GUILoadingWindowBase&>(bed.Window("game logic loading"));
    EXPECT_EQ(loading.GetTask(), made[2]);
}

TEST(WindowFlowLevels, ACurrentLevelOutsideTheListIsClampedToItsLastLevelBeforeTheLookup)
{
    for (const LevelReference stored : {LevelReference{7, 0}, LevelReference{1, 9}, LevelReference{0, 5}}) {
        FlowBed bed;
        bed.StartMenus();
        bed.Profile().SetCurrentLevel(stored);
        bed.Report("start game", WindowResult::kPlay);
        bed.Dispatch();
        bed.Report("game logic loading", WindowResult::kDone);
        bed.Dispatch();
        EXPECT_EQ(bed.Take(), (Journal{"create level data 2-2", "hide start game", "show game logic loading 15",
                                       "hide game logic loading", "create logic 2-2 lives 3", "show game 16"}));
        ASSERT_NE(bed.Logic(), nullptr);
        EXPECT_EQ(bed.Logic()->GetLevelReference(), (LevelReference{1, 1}));
    }
}

TEST(WindowFlowLevels, CompletingALevelMovesTheProfileOnAndKeepsTheLogicBehindTheWindow)
{
    FlowBed bed;
    bed.StartLevel();
    bed.Profile().SetScore(100);
    bed.Logic()->SetScore(250);
    bed.Logic()->SetLives(2);
    bed.Logic()->SetState(GameLogicBase::kLevelComplete);
    bed.Dispatch();
    GameFramework::ProfileBase& profile = bed.Profile();
    EXPECT_EQ(profile.GetCurrentLevel(), (LevelReference{0, 1}));
    EXPECT_EQ(profile.GetFurthestLevel(), (LevelReference{0, 1}));
    EXPECT_FALSE(profile.IsFurthestLevelCompleted());
    EXPECT_TRUE(profile.IsGameInProgress());
    EXPECT_EQ(profile.GetScore(), 350u);
    EXPECT_EQ(profile.GetLives(), 2u);
    ASSERT_NE(bed.Logic(), nullptr);
    EXPECT_EQ(bed.Logic()->GetScore(), 0u);
    ASSERT_EQ(profile.GetLevelResults().size(), 1u);
    EXPECT_EQ(profile.GetLevelResults()[0].level, (LevelReference{0, 0}));
    std::wstring holder;
    float time = -1.0f;
    EXPECT_TRUE(bed.profiles->GetLevelRecord({0, 0}, 0, holder, time));
    EXPECT_EQ(holder, L"Anna");
    auto& complete = static_cast<GameFramework::GUILevelCompleteWindowBase&>(bed.Window("level complete"));
    EXPECT_TRUE(bed.IsShown("level complete"));
    EXPECT_EQ(complete.GetOpener(), WindowSource::kGameLogic);
    EXPECT_EQ(complete.GetLevel(), (LevelReference{0, 0}));
    EXPECT_FALSE(static_cast<GameFramework::GUIGameLogicWindowBase&>(bed.Window("game")).IsActive());
}

// A program ended at any moment of a level's end leaves the level either
// wholly kept or not kept at all: the profile's file is replaced once, with
// the next level, the progress, the score with the time bonus, the game in
// progress and the time, and only then the best-time table.
TEST(WindowFlowLevels, TheWholeLevelResultReachesTheProfilesFileInOneSaveWithItsTimeBonus)
{
    FlowBed bed;
    bed.StartLevel();
    GameFramework::ProfileBase& profile = bed.Profile();
    profile.SetScore(100);
    profile.Save();
    bed.Logic()->SetScore(250);
    bed.Logic()->SetLives(2);
    static_cast<Testing::ScriptedLevelCompleteWindow&>(bed.Window("level complete")).timeBonus = 40;
    const std::string fileName = profile.GetFileName();
    Testing::SaveWatch saves({bed.engine.folder.Path(), bed.engine.folder.Path() / "profiles"});

    bed.Logic()->SetState(GameLogicBase::kLevelComplete);
    bed.Dispatch();
    EXPECT_EQ(saves.Take(), (std::vector<std::string>{fileName, "profiles.pmf"}));
    EXPECT_EQ(profile.GetScore(), 390u);

    // What the next start reads.
    Testing::BedProfileManager reread(GameFramework::FileServices::Of(bed.engine.Get()), bed.soundSet.get(),
                                      bed.engine.folder.Internal());
    const GameFramework::ProfileBase* kept = reread.GetProfile(L"Anna");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->GetCurrentLevel(), (LevelReference{0, 1}));
    EXPECT_EQ(kept->GetFurthestLevel(), (LevelReference{0, 1}));
    EXPECT_EQ(kept->GetScore(), 390u);
    EXPECT_EQ(kept->GetLives(), 2u);
    EXPECT_TRUE(kept->IsGameInProgress());
    ASSERT_EQ(kept->GetLevelResults().size(), 1u);
    EXPECT_EQ(kept->GetLevelResults()[0].level, (LevelReference{0, 0}));
    std::wstring holder;
    float time = -1.0f;
    EXPECT_TRUE(reread.GetLevelRecord({0, 0}, 0, holder, time));
    EXPECT_EQ(holder, L"Anna");
}

// A damaged profile may hold a score next to the largest its file keeps:
// the level's score and bonus take it there and no further, never round to a
// small one, on disk, in the display and in the high-score table.
TEST(WindowFlowLevels, AScoreNextToTheLargestAProfileKeepsStaysThereThroughALevelsEnd)
{
    const u32 most = GameFramework::ProfileBase::kMostScore;
    const struct {
        u32 profile;
        u32 level;
        u32 bonus;
        u32 shownInLevel;
        u32 saved;
    } cases[] = {{100, 250, 40, 350, 390},
                 {most - 300, 250, 40, most - 50, most - 10},
                 {most - 100, 250, 40, most, most},
                 {most - 10, 5, 40, most - 5, most},
                 {most, 0xFFFFFFFFu, 0xFFFFFFFFu, most, most}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.profile);
        FlowBed bed;
        bed.StartLevel();
        auto& game = static_cast<GameFramework::GUIGameLogicWindowBase&>(bed.Window("game"));
        bed.Profile().SetScore(c.profile);
        bed.Logic()->SetScore(c.level);
        EXPECT_EQ(game.GetTotalScore(), c.shownInLevel);
        static_cast<ScriptedLevelCompleteWindow&>(bed.Window("level complete")).timeBonus = c.bonus;
        bed.Logic()->SetState(GameLogicBase::kLevelComplete);
        bed.Dispatch();
        EXPECT_EQ(bed.Profile().GetScore(), c.saved);
        EXPECT_EQ(game.GetTotalScore(), c.saved);
        BedProfileManager reread(GameFramework::FileServices::Of(bed.engine.Get()), bed.soundSet.get(),
                                 bed.engine.folder.Internal());
        ASSERT_NE(reread.GetProfile(L"Anna"), nullptr);
        EXPECT_EQ(reread.GetProfile(L"Anna")->GetScore(), c.saved);
    }
}

// The bonus is saved with the level at once, but the score over the level
// rises only as the level complete window counts it, and ends at the saved
// total.
TEST(WindowFlowLevels, TheScoreOverTheLevelLeavesOutTheBonusTheWindowHasYetToCount)
{
    FlowBed bed;
    bed.StartLevel();
    auto& game = static_cast<GameFramework::GUIGameLogicWindowBase&>(bed.Window("game"));
    auto& complete = static_cast<ScriptedLevelCompleteWindow&>(bed.Window("level complete"));
    bed.Profile().SetScore(100);
    bed.Logic()->SetScore(250);
    complete.timeBonus = 40;
    complete.bonusToCount = 40;
    bed.Logic()->SetState(GameLogicBase::kLevelComplete);
    bed.Dispatch();
    ASSERT_EQ(bed.Profile().GetScore(), 390u);
    std::vector<u32> shown{game.GetTotalScore()};
    for (const u32 left : {30u, 12u, 0u}) {
        complete.bonusToCount = left;
        bed.Dispatch();
        shown.push_back(game.GetTotalScore());
    }
    EXPECT_EQ(shown, (std::vector<u32>{350, 360, 378, 390}));
    EXPECT_EQ(bed.Profile().GetScore(), 390u) << "the count changes nothing kept";
    complete.bonusToCount = 7;
    bed.Report("level complete", WindowResult::kStageComplete);
    bed.Dispatch();
    complete.bonusToCount = 0;
    bed.Dispatch();
    EXPECT_TRUE(bed.IsShown("game"));
    EXPECT_EQ(game.GetTotalScore(), 390u) << "the level stays behind the stage window with the whole score";
    game.HideWindow();
    game.ShowGameLogic(WindowSource::kGameLogicLoading, bed.Logic());
    EXPECT_EQ(game.GetTotalScore(), 390u);
}

TEST(WindowFlowLevels, FinishingTheLastLevelOfTheLastStageCompletesTheGame)
{
    FlowBed bed;
    bed.StartMenus();
    bed.Profile().SetCurrentLevel({1, 1});
    bed.Report("game logic loading", WindowResult::kDone);
    bed.Dispatch();
    bed.Logic()->SetState(GameLogicBase::kLevelComplete);
    bed.Dispatch();
    EXPECT_EQ(bed.Profile().GetCurrentLevel(), (LevelReference{1, 1}));
    EXPECT_EQ(bed.Profile().GetFurthestLevel(), (LevelReference{1, 1}));
    EXPECT_TRUE(bed.Profile().IsFurthestLevelCompleted());
    EXPECT_FALSE(bed.Profile().IsGameInProgress());
}

TEST(WindowFlowLevels, LeavingALevelStepsTheProfileBackToTheLevelBefore)
{
    FlowBed bed;
    bed.StartMenus();
    bed.Profile().SetCurrentLevel({1, 0});
    bed.Report("game logic loading", WindowResult::kDone);
    bed.Dispatch();
    bed.Take();
    bed.LeaveGameLogic();
    EXPECT_EQ(bed.Profile().GetCurrentLevel(), (LevelReference{0, 1}));
    EXPECT_EQ(bed.Logic(), nullptr);
    EXPECT_EQ(bed.Take(), (Journal{"hide game", "show start game 6"}));
}

TEST(WindowFlowGameOver, ALostLevelClearsTheGameInProgressAndAScoreOfZeroSkipsTheTable)
{
    FlowBed bed;
    bed.StartLevel();
    bed.Profile().SetGameInProgress(true);
    bed.Logic()->SetState(GameLogicBase::kGameOver);
    bed.Dispatch();
    EXPECT_FALSE(bed.Profile().IsGameInProgress());
    EXPECT_TRUE(bed.IsShown("game over"));
    bed.Report("game over", WindowResult::kDone);
    bed.Dispatch();
    EXPECT_TRUE(bed.IsShown("main menu"));
    EXPECT_EQ(bed.highScores->GetEntryCount(0), 0u);
    EXPECT_EQ(bed.Logic(), nullptr);
}

// The lost level's score joins a damaged profile's score next to the
// largest one it keeps without rounding to a small one.
TEST(WindowFlowGameOver, ALostLevelsScoreTakesAScoreNextToTheLargestNoFurther)
{
    FlowBed bed;
    bed.StartLevel();
    bed.Profile().SetScore(GameFramework::ProfileBase::kMostScore - 10);
    bed.Logic()->SetScore(80);
    bed.Logic()->SetState(GameLogicBase::kGameOver);
    bed.Dispatch();
    bed.Report("game over", WindowResult::kDone);
    bed.Dispatch();
    ASSERT_EQ(bed.highScores->GetEntryCount(0), 1u);
    EXPECT_EQ(bed.highScores->GetEntry(0, 0)->score, GameFramework::ProfileBase::kMostScore);
}

TEST(WindowFlowGameOver, TheRestartQuestionAskedAfterALostLevelGoesBackToTheGameOverWindow)
{
    FlowBed bed;
    bed.StartLevel();
    bed.Logic()->SetScore(80);
    bed.Logic()->SetState(GameLogicBase::kGameOver);
    bed.Dispatch();
    bed.Report("game over", WindowResult::kRestartQuestion);
    bed.Dispatch();
    bed.Take();
    bed.Report("restart", WindowResult::kGameLogicMenu);
    bed.Dispatch();
    EXPECT_EQ(bed.Take(), (Journal{"hide restart", "show game over 19"}));
    EXPECT_FALSE(bed.IsShown("game menu"));
    // The lost level's score still reaches the table.
    bed.Report("game over", WindowResult::kDone);
    bed.Dispatch();
    EXPECT_EQ(bed.highScores->GetEntryCount(0), 1u);
}

// A way a game ends with a score: the level played, the logic's end, the
// window that ends the game and the files the end saves, in order, after the
// high-score table.
struct GameEnd {
    const char* name;
    LevelReference level;
    u32 state;
    const char* window;
    std::vector<std::string> after;
};

void PrintTo(const GameEnd& end, std::ostream* out) { *out << end.name; }

class WindowFlowGameEnd : public ::testing::TestWithParam<GameEnd> {};

// A program ended while the window that ends a game shows keeps the game's
// score: the table is saved before that window shows, and only then the
// player's file without its game; the window's button shows the entry and
// writes nothing more.
TEST_P(WindowFlowGameEnd, TheScoreIsInTheSavedTableBeforeTheEndWindowShowsAndItsButtonWritesNothing)
{
    const GameEnd& end = GetParam();
    FlowBed bed;
    bed.StartMenus();
    GameFramework::ProfileBase& profile = bed.Profile();
    profile.SetCurrentLevel(end.level);
    bed.Report("game logic loading", WindowResult::kDone);
    bed.Dispatch();
    profile.SetScore(300);
    profile.SetGameInProgress(true);
    profile.Save();
    bed.Logic()->SetScore(45);
    Testing::SaveWatch saves({bed.engine.folder.Path(), bed.engine.folder.Path() / "profiles"});

    bed.Logic()->SetState(end.state);
    bed.Dispatch();
    std::vector<std::string> expected{GameFramework::HighScoresTable::kFileName, profile.GetFileName()};
    expected.insert(expected.end(), end.after.begin(), end.after.end());
    EXPECT_EQ(saves.Take(), expected);
    // What the next start reads.
    const GameFramework::FileServices services = GameFramework::FileServices::Of(bed.engine.Get());
    const GameFramework::HighScoresTable table(services, 10, bed.engine.folder.Internal());
    ASSERT_EQ(table.GetEntryCount(0), 1u);
    EXPECT_EQ(table.GetEntry(0, 0)->score, 345u);
    EXPECT_EQ(table.GetEntry(0, 0)->name, L"Anna");
    const Testing::BedProfileManager reread(services, bed.soundSet.get(), bed.engine.folder.Internal());
    ASSERT_NE(reread.GetProfile(L"Anna"), nullptr);
    EXPECT_FALSE(reread.GetProfile(L"Anna")->IsGameInProgress());

    bed.Report(end.window, WindowResult::kDone);
    bed.Dispatch();
    EXPECT_EQ(saves.Take(), std::vector<std::string>{});
    EXPECT_TRUE(bed.IsShown("high scores"));
    ASSERT_EQ(bed.highScores->GetEntryCount(0), 1u);
    EXPECT_EQ(static_cast<GameFramework::GUIHighScoresWindowBase&>(bed.Window("high scores")).GetNewEntry(),
              bed.highScores->GetEntry(0, 0));
}

INSTANTIATE_TEST_SUITE_P(
    LostAndCompleted, WindowFlowGameEnd,
    ::testing::Values(GameEnd{"Lost", {0, 1}, GameLogicBase::kGameOver, "game over", {}},
                      GameEnd{"Completed", {1, 1}, GameLogicBase::kLevelComplete, "game complete", {"profiles.pmf"}}),
    [](const ::testing::TestParamInfo<GameEnd>& info) { return std::string(info.param.name); });

// The restart question reaches the game over window both ways: a running
// level given up there is scored before the window shows, once; a restart
// after a lost level begins a new game, which carries neither the lost
// game's score nor its lives.
TEST(WindowFlowGameOver, EachGameThroughTheRestartQuestionIsScoredOnce)
{
    FlowBed bed;
    bed.StartLevel();
    GameFramework::ProfileBase& profile = bed.Profile();
    profile.SetScore(300);
    profile.SetLives(1);
    profile.SetGameInProgress(true);
    bed.Logic()->SetScore(45);
    bed.Window("restart").ShowWindow(WindowSource::kGameLogicMenu);
    bed.Report("restart", WindowResult::kGameOver);
    bed.Dispatch();
    EXPECT_TRUE(bed.IsShown("game over"));
    ASSERT_EQ(bed.highScores->GetEntryCount(0), 1u);
    EXPECT_EQ(bed.highScores->GetEntry(0, 0)->score, 345u);
    EXPECT_FALSE(profile.IsGameInProgress());

    bed.Report("game over", WindowResult::kRestartQuestion);
    bed.Dispatch();
    bed.Report("restart", WindowResult::kEndLevel);
    bed.Dispatch();
    EXPECT_TRUE(bed.IsShown("start game"));
    EXPECT_EQ(profile.GetScore(), 0u);
    EXPECT_EQ(profile.GetLives(), 3u);
    bed.Report("start game", WindowResult::kPlay);
    bed.Dispatch();
    bed.Report("game logic loading", WindowResult::kDone);
    bed.Dispatch();
    bed.Logic()->SetScore(20);
    bed.Logic()->SetState(GameLogicBase::kGameOver);
    bed.Dispatch();
    bed.Report("game over", WindowResult::kDone);
    bed.Dispatch();
    ASSERT_EQ(bed.highScores->GetEntryCount(0), 2u);
    EXPECT_EQ(bed.highScores->GetEntry(0, 0)->score, 345u);
    EXPECT_EQ(bed.highScores->GetEntry(0, 1)->score, 20u);
}

TEST(WindowFlowGame, TheGameWindowAddsTheLevelsScoreToTheProfilesAndForgetsBothWhenHidden)
{
    FlowBed bed;
    bed.StartLevel();
    auto& game = static_cast<GameFramework::GUIGameLogicWindowBase&>(bed.Window("game"));
    bed.Profile().SetScore(1000);
    bed.Logic()->SetScore(234);
    EXPECT_TRUE(game.IsActive());
    EXPECT_EQ(game.GetTotalScore(), 1234u);
    game.HideWindow();
    EXPECT_EQ(game.GetGameLogic(), nullptr);
    EXPECT_EQ(game.GetProfile(), nullptr);
    EXPECT_EQ(game.GetTotalScore(), 0u);
}

} // namespace
} // namespace Testing
