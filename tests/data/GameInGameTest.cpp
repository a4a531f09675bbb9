#include "tests/data/GameFixture.h"

#include "engine/gui/GUIWindow.h"
#include "engine/render/ParticleSystem.h"
#include "framework/levels/LevelManagerBase.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/GUILevelCompleteWindowBase.h"
#include "framework/windows/FrameworkWindows.h"
#include "framework/windows/GUIStageCompleteWindowBase.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/persistence/ProfileManager.h"
#include "game/windows/parts/GUIBackground.h"
#include "game/windows/level/GUIGameCompleteWindow.h"
#include "game/windows/parts/GUIGameCursor.h"
#include "game/windows/level/GUIGameLogicWindow.h"
#include "game/windows/menus/GUILogosWindow.h"
#include "tests/data/BuiltData.h"
#include "tests/support/SaveWatch.h"
#include "tests/support/TempFolder.h"
#include "tests/support/game/InGameFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <string>
#include <vector>

namespace {

using GameFramework::FrameworkWindows;
using GameFramework::GUIFrameworkWindow;
using GameFramework::WindowResult;

// A copy of the build's data with the cursor's files and the in-game
// display's description; the cursor's effects join the interface's
// additional resources.
std::filesystem::path CopyWithCursorAndDisplay(const Testing::TempFolder& folder)
{
    std::filesystem::copy(Testing::GameFolder() / "data", folder.Path() / "data",
                          std::filesystem::copy_options::recursive);
    const std::string entries = Testing::InGameFiles::WriteCursor(folder);
    const std::string list = "data\\ui\\resources_additional.xml";
    std::string xml = folder.ReadFile(list);
    xml.insert(xml.rfind("</resources>"), entries);
    folder.WriteFile(list, xml);
    Testing::InGameFiles::WriteDisplay(folder);
    return folder.Path();
}

struct TrainCase {
    const char* name;
    std::function<GUIFrameworkWindow*(const FrameworkWindows&)> window;
    Halvard::u32 result;
    std::function<void(Testing::TestGame&)> handler;
    bool trainBefore;
    bool trainAfter;
    // Shape 0 is selected.
    bool menuCursor;
};

void PrintTo(const TrainCase& c, std::ostream* out) { *out << c.name; }

// The game during its first level, its cursor and display made from the
// copy's files.
class GameInGameTest : public ::testing::Test {
protected:
    GameInGameTest() : fixture(CopyWithCursorAndDisplay(program)) { game.StartFirstLevel(); }

    Tamrisk::GUIGameCursor& Cursor() { return dynamic_cast<Tamrisk::GUIGameCursor&>(*game.GetGameCursor()); }

    Testing::TempFolder program;
    Testing::GameFixture fixture;
    Testing::TestGame game;
};

class GameCursorTrainTest : public GameInGameTest, public ::testing::WithParamInterface<TrainCase> {};

// The cursor's trail is off while a level is played and on in every window
// laid over it; a result that opens no such window leaves it alone.
TEST_P(GameCursorTrainTest, TheTrailFollowsTheScreens)
{
    const TrainCase& c = GetParam();
    Cursor().EnableTrain(c.trainBefore);
    Cursor().SetCursor(GameFramework::GUIGameCursorBase::kNoCursor);
    c.window(game.GetWindows())->SetResult(c.result);
    c.handler(game);
    EXPECT_EQ(Cursor().IsTrainEnabled(), c.trainAfter);
    EXPECT_EQ(Cursor().GetTrain()->emitting, c.trainAfter);
    EXPECT_EQ(Cursor().GetCurrentId() == Tamrisk::GUIGameCursor::kCursorId, c.menuCursor);
}

TrainCase Case(const char* name, std::function<GUIFrameworkWindow*(const FrameworkWindows&)> window,
               Halvard::u32 result, std::function<void(Testing::TestGame&)> handler, bool before, bool after,
               bool menuCursor = false)
{
    return {name, std::move(window), result, std::move(handler), before, after, menuCursor};
}

auto GameWindow() { return [](const FrameworkWindows& w) { return w.gameLogic.get(); }; }
auto ProcessGameWindow() { return [](Testing::TestGame& g) { g.ProcessGameLogicWindow(); }; }

INSTANTIATE_TEST_SUITE_P(
    Results, GameCursorTrainTest,
    ::testing::Values(
        Case("LevelLoaded", [](const FrameworkWindows& w) { return w.gameLogicLoading.get(); }, WindowResult::kDone,
             [](Testing::TestGame& g) { g.ProcessGameLogicLoadingWindow(); }, true, false),
        Case("InGameMenu", GameWindow(), WindowResult::kGameLogicMenu, ProcessGameWindow(), false, true, true),
        Case("Pause", GameWindow(), WindowResult::kPause, ProcessGameWindow(), false, true, true),
        Case("ExitQuestion", GameWindow(), WindowResult::kExitQuestion, ProcessGameWindow(), false, true, true),
        Case("NoResult", GameWindow(), WindowResult::kNone, ProcessGameWindow(), false, false),
        Case("PauseResumed", [](const FrameworkWindows& w) { return w.gameLogicPause.get(); }, WindowResult::kResume,
             [](Testing::TestGame& g) { g.ProcessGameLogicPauseWindow(); }, true, false),
        Case("MenuResumed", [](const FrameworkWindows& w) { return w.gameLogicMenu.get(); }, WindowResult::kResume,
             [](Testing::TestGame& g) { g.ProcessGameLogicMenuWindow(); }, true, false),
        Case("ExitQuestionResumed", [](const FrameworkWindows& w) { return w.gameLogicGameExit.get(); },
             WindowResult::kResume, [](Testing::TestGame& g) { g.ProcessGameLogicGameExitWindow(); }, true, false),
        Case("LevelComplete", GameWindow(), WindowResult::kNone, [](Testing::TestGame& g) { g.OnLevelComplete(); },
             false, true, true),
        Case("GameOver", GameWindow(), WindowResult::kNone, [](Testing::TestGame& g) { g.OnGameOver(); }, false, true),
        Case("LevelLeft", GameWindow(), WindowResult::kNone, [](Testing::TestGame& g) { g.LeaveGameLogic(); }, false,
             true)),
    [](const ::testing::TestParamInfo<TrainCase>& info) { return info.param.name; });

// The game makes its own logos window, cursor (with its effects once the
// windows exist) and in-game display, the display last of the menu set:
// under the background's upper window, which stays shown while the
// background fades out for the level.
// Choosing to play hides the cursor until the level is shown.
TEST_F(GameInGameTest, PlayingHidesTheCursor)
{
    Cursor().SetVisible(true);
    game.GetWindows().startGameLogic->SetResult(WindowResult::kPlay);
    game.ProcessStartGameLogicWindow();
    EXPECT_FALSE(Cursor().IsVisible());
}

// Leaving the level opens the level choice as a return from a level, which
// plays the profile's current level at its next update, without the map.
TEST_F(GameInGameTest, LeavingALevelOpensTheLevelChoiceAsAReturnFromALevel)
{
    game.LeaveGameLogic();
    GUIFrameworkWindow& choice = *game.GetWindows().startGameLogic;
    EXPECT_EQ(choice.GetOpener(), GameFramework::WindowSource::kLevelComplete);
    EXPECT_EQ(game.GetFlowState().gameLogic, nullptr);
    choice.UpdateWindow();
    EXPECT_EQ(choice.GetResult(), WindowResult::kPlay);
}

// The first completion of the game with a profile is handed to the game
// complete window and cleared in the profile's file when the window closes;
// a second completion hands none.
TEST_F(GameInGameTest, OnlyTheFirstCompletionOfTheGameIsHandedToItsWindow)
{
    const GameFramework::FrameworkWindows& windows = game.GetWindows();
    auto& complete = dynamic_cast<Tamrisk::GUIGameCompleteWindow&>(*windows.gameComplete);
    const GameFramework::ProfileBase& profile = *game.GetProfileManager()->GetCurrentProfile();
    const std::filesystem::path file = fixture.UserFolder() / "profiles" / profile.GetFileName();
    const GameFramework::LevelReference last{1, 2};
    ASSERT_TRUE(game.GetLevelManager()->IsLastLevel(last));
    // The profile's file ends with its first-game and first-completion flags.
    const auto firstCompletionByte = [&file] {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return bytes.empty() ? -1 : bytes.back();
    };
    ASSERT_EQ(firstCompletionByte(), 1);
    for (const bool first : {true, false}) {
        windows.stageComplete->ShowStage(GameFramework::WindowSource::kLevelComplete, last);
        ASSERT_EQ(windows.stageComplete->GetResult(), WindowResult::kGameComplete);
        game.ProcessStageCompleteWindow();
        EXPECT_EQ(complete.IsFirstCompletion(), first);
        complete.SetResult(WindowResult::kDone);
        game.ProcessGameCompleteWindow();
        EXPECT_EQ(firstCompletionByte(), 0);
    }
}

// A program ended at any moment of a level's end leaves the level wholly
// kept or not at all: the player's file is replaced once, with the next
// level, the score with the time bonus and the time, before the level
// complete window shows; the best-time table follows; the window's count and
// its button write nothing more.
TEST_F(GameInGameTest, ALevelsWholeResultWithItsTimeBonusReachesTheDiskInOneSaveBeforeItsWindowShows)
{
    GameFramework::GameLogicBase& logic = *game.GetFlowState().gameLogic;
    logic.SetScore(150);
    const GameFramework::FrameworkWindows& windows = game.GetWindows();
    const Halvard::u32 bonus = windows.levelComplete->GetTimeBonus({0, 0}, logic.GetTime());
    ASSERT_GT(bonus, 0u) << "the level ends well under its ace time";
    const std::string fileName = game.GetProfileManager()->GetCurrentProfile()->GetFileName();
    Testing::SaveWatch saves({fixture.UserFolder(), fixture.UserFolder() / "profiles"});

    game.OnLevelComplete();
    EXPECT_EQ(saves.Take(), (std::vector<std::string>{fileName, "profiles.pmf"}));
    const auto reread = [&] {
        return Tamrisk::ProfileManager(GameFramework::FileServices::Of(*game.GetEngine()), game.GetSoundSet(),
                                       game.GetProfileManager()->GetUserFolder());
    };
    {
        const Tamrisk::ProfileManager kept = reread();
        const GameFramework::ProfileBase* player = kept.GetProfile(L"Tester");
        ASSERT_NE(player, nullptr);
        EXPECT_EQ(player->GetScore(), 150u + bonus);
        EXPECT_EQ(player->GetCurrentLevel(), (GameFramework::LevelReference{0, 1}));
        EXPECT_TRUE(player->IsGameInProgress());
        EXPECT_EQ(player->GetLevelResults().size(), 1u);
    }

    for (int frame = 0; frame < 30; ++frame)
        windows.levelComplete->UpdateWindow();
    windows.levelComplete->SetResult(WindowResult::kEndLevel);
    game.ProcessLevelCompleteWindow();
    EXPECT_EQ(saves.Take(), std::vector<std::string>{});
    EXPECT_EQ(reread().GetProfile(L"Tester")->GetScore(), 150u + bonus);
}

TEST_F(GameInGameTest, MakesItsLogosCursorAndDisplayUnderTheBackgroundsUpperWindow)
{
    EXPECT_NE(dynamic_cast<Tamrisk::GUILogosWindow*>(game.GetWindows().logos.get()), nullptr);
    ASSERT_NE(Cursor().GetTrain(), nullptr);
    ASSERT_NE(Cursor().GetClick(), nullptr);
    auto* display = dynamic_cast<Tamrisk::GUIGameLogicWindow*>(game.GetWindows().gameLogic.get());
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->GetBaseWindow()->GetParent(), game.GetBackground()->GetUpperWindow());
    EXPECT_EQ(display->GetGameLogic(), game.GetFlowState().gameLogic.get());
    EXPECT_NE(display->GetShownLogic(), nullptr);
}

} // namespace
