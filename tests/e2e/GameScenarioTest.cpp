#include "tests/support/game/GameReplay.h"

#include "engine/gui/GUIButton.h"
#include "framework/logic/GameLogicBase.h"
#include "framework/windows/FrameworkWindows.h"
#include "engine/app/Engine.h"
#include "game/Game.h"
#include "game/GameLogic.h"
#include "game/LevelManager.h"
#include "game/windows/menus/GUIHighScoresWindow.h"
#include "game/windows/level/GUILevelCompleteWindow.h"
#include "game/windows/menus/GUIMainMenuWindow.h"
#include "game/windows/parts/GUIMapElement.h"
#include "game/windows/parts/GUIMenuWindowManager.h"
#include "game/windows/menus/GUIStartGameLogicWindow.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/e2e/SavedFiles.h"
#include "tests/e2e/ScreenGolden.h"
#include "tests/support/LogProbe.h"
#include "tests/support/game/Autopilot.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <regex>
#include <utility>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

using Testing::GameReplay;
using Testing::LooksLikeGolden;
using Testing::SavedFiles::ProfileFiles;
using Testing::SavedFiles::ReadBytes;
using Testing::SavedFiles::ReadHighScores;
using Testing::SavedFiles::ReadProfile;
using Testing::SavedFiles::SavedProfile;

// "M:SS" of the whole seconds, as the level complete window writes a time.
std::wstring MinutesAndSeconds(Halvard::i32 seconds)
{
    return std::to_wstring(seconds / 60) + (seconds % 60 < 10 ? L":0" : L":") + std::to_wstring(seconds % 60);
}

// The text of a text control of the menu window holding the screen.
std::wstring ShownText(const Testing::GameReplay& replay, const std::string& control)
{
    const Tamrisk::GUIMenuWindow* window = replay.Game()->GetMenuWindowManager()->GetCurrent();
    const GUITools::GUITextControl* text = window->GetTextControl(window->GetName() + "/window/" + control);
    return text != nullptr && !text->GetLines().empty() ? text->GetLines().front() : L"";
}

// The stage and level of the map's chosen point; past the end when none is.
std::pair<Halvard::u32, Halvard::u32> ChosenPoint(const Tamrisk::GUIStartGameLogicWindow& map)
{
    for (const auto& element : map.GetElements())
        if (element->GetState() == Tamrisk::GUIMapElement::kChosen)
            return {element->GetStage(), element->GetLevel()};
    return {~0u, ~0u};
}

constexpr int kStepFrames = GameReplay::kStepFrames;
constexpr int kSettleFrames = GameReplay::kSettleFrames;

// A new player's first session, on a fresh user folder, and the next start:
// through the logos and the loading to the welcome, a profile made by typing
// its name, the stage map, level 1-1 cleared and level 1-2 left by mouse
// alone, the high scores, level 1-2 lost, the exit, and a second run that
// greets the player and offers the level reached.
TEST(GameScenarioTest, ANewPlayerMakesAProfileWinsLeavesAndLosesLevelsAndComesBack)
{
    Testing::GameReplay replay;

    // 1. The logos (one logo), the game's load, the welcome of a folder
    // without profiles.
    ASSERT_TRUE(replay.RunUntilWindow("window_welcome", kStepFrames)) << replay.ErrorText();
    EXPECT_THAT(replay.WindowsSeen(), ElementsAre("logos", "window_game_loading", "window_welcome"));
    EXPECT_NEAR(replay.FramesOn("logos"), 75, 3) << "one logo's 2.5 s at 30 frames a second";
    replay.RunDrawnFrames(kSettleFrames);
    EXPECT_EQ(replay.CurrentWindow(), "window_welcome");
    EXPECT_TRUE(LooksLikeGolden(replay, "1_welcome"));

    // 2. The name typed, ENTER: the main menu greets the new player, who is
    // the current one of the profile list and has a profile file of their own.
    // The window keeps one key a frame, as a player's hands give it.
    replay.TypeKeys("Tester", 2);
    replay.Input().TapKey(SDLK_RETURN);
    ASSERT_TRUE(replay.RunUntilWindow("window_main_menu", kStepFrames)) << replay.ErrorText();
    auto* menu = dynamic_cast<Tamrisk::GUIMainMenuWindow*>(replay.Game()->GetWindows().mainMenu.get());
    ASSERT_NE(menu, nullptr);
    ASSERT_FALSE(menu->GetTitle()->GetLines().empty());
    EXPECT_NE(menu->GetTitle()->GetLines().front().find(L"Tester"), std::wstring::npos);
    EXPECT_EQ(Testing::SavedFiles::ReadCurrentPlayer(replay.UserFolder() / "profiles.pmf"), "Tester");
    const std::vector<std::string> profiles = ProfileFiles(replay.UserFolder() / "profiles");
    ASSERT_EQ(profiles.size(), 1u);
    EXPECT_TRUE(std::regex_match(profiles.front(), std::regex("tester_[0-9]{9}\\.prf"))) << profiles.front();

    // 3. Start: the stage map; its play button: the level's load, then the
    // level in the game window.
    replay.RunDrawnFrames(kSettleFrames);
    EXPECT_TRUE(LooksLikeGolden(replay, "2_main_menu"));
    replay.Click(*menu->GetMenuButton(Tamrisk::GUIMainMenuWindow::kStart));
    ASSERT_TRUE(replay.RunUntilWindow("window_start_game", kStepFrames)) << replay.ErrorText();
    auto* map = dynamic_cast<Tamrisk::GUIStartGameLogicWindow*>(replay.Game()->GetWindows().startGameLogic.get());
    ASSERT_NE(map, nullptr);
    replay.RunDrawnFrames(kSettleFrames);
    EXPECT_EQ(ChosenPoint(*map), (std::pair<Halvard::u32, Halvard::u32>{0, 0}));
    EXPECT_TRUE(LooksLikeGolden(replay, "3_stage_map"));
    replay.Click(*map->GetPlayButton());
    ASSERT_TRUE(replay.RunUntilWindow("window_game_logic", kStepFrames)) << replay.ErrorText();
    EXPECT_THAT(replay.WindowsSeen(),
                ElementsAre("logos", "window_game_loading", "window_welcome", "window_main_menu", "window_start_game",
                            "window_game_logic_loading", "window_game_logic"));
    replay.RunFrames(kSettleFrames);
    EXPECT_EQ(replay.CurrentWindow(), "window_game_logic");
    // The bat rises with its ball.
    ASSERT_NE(replay.Logic(), nullptr);
    for (int frame = 0; frame < kStepFrames && !Testing::Autopilot::WantsLaunch(*replay.Logic()); ++frame)
        replay.RunDrawnFrames(1);
    ASSERT_TRUE(Testing::Autopilot::WantsLaunch(*replay.Logic()));
    EXPECT_TRUE(LooksLikeGolden(replay, "4_level_1_1"));

    const Testing::LogProbe log = Testing::LogProbe::FromHtmlFile(replay.Fixture().LogFile());
    EXPECT_TRUE(log.Contains("Loading level 1-1...")) << log.Joined();
    EXPECT_TRUE(log.Contains("...Blocks count: 48")) << log.Joined();
    EXPECT_THAT(log.ErrorLines(), IsEmpty()) << log.Joined();
    EXPECT_EQ(replay.ErrorText(), "");

    // 4. The scripted player clears the level within three minutes of game
    // time; the level complete window follows.
    const std::optional<Halvard::u32> state = replay.PlayLevel(false, 3 * 60 * 30);
    ASSERT_EQ(state, std::optional<Halvard::u32>(GameFramework::GameLogicBase::kLevelComplete)) << replay.ErrorText();
    const Halvard::u32 levelScore = replay.Game()->GetGameLogic()->GetScore();
    const auto levelSeconds = static_cast<Halvard::i32>(replay.Game()->GetGameLogic()->GetTime());
    ASSERT_TRUE(replay.RunUntilWindow("window_level_complete", kStepFrames)) << replay.ErrorText();
    EXPECT_EQ(replay.WindowsSeen().back(), "window_level_complete");
    EXPECT_EQ(replay.WindowsSeen().at(replay.WindowsSeen().size() - 2), "window_game_logic");

    // It shows the player's time against the level's ace time; a level
    // done faster earns 20 points a second saved.
    const auto* levels = dynamic_cast<const Tamrisk::LevelManager*>(replay.Game()->GetLevelManager());
    ASSERT_NE(levels, nullptr);
    const auto aceSeconds = static_cast<Halvard::i32>(levels->GetGameLevel({0, 0})->aceTime);
    replay.RunDrawnFrames(kSettleFrames);
    EXPECT_EQ(ShownText(replay, "your_time"), MinutesAndSeconds(levelSeconds));
    EXPECT_EQ(ShownText(replay, "ace_time"), L"2:30");
    EXPECT_TRUE(LooksLikeGolden(replay, "5_level_complete"));

    // Its button shows the rest of the bonus and goes straight on to the
    // stage's next level: the finished level stays on screen while the window
    // leaves, then the next one loads.
    const std::size_t before = replay.WindowsSeen().size();
    const auto* complete =
        dynamic_cast<const Tamrisk::GUILevelCompleteWindow*>(replay.Game()->GetWindows().levelComplete.get());
    ASSERT_NE(complete, nullptr);
    ASSERT_TRUE(replay.ClickButton("button_0"));
    const Halvard::i32 bonus = complete->GetShownBonus();
    EXPECT_EQ(bonus, 20 * std::max(0, aceSeconds - levelSeconds));
    EXPECT_GT(bonus, 0) << "the first level's ace time is within a new player's reach";
    ASSERT_TRUE(replay.RunUntilWindow("window_game_logic_loading", kStepFrames)) << replay.ErrorText();
    ASSERT_TRUE(replay.RunUntilWindow("window_game_logic", kStepFrames)) << replay.ErrorText();
    EXPECT_THAT(std::vector<std::string>(replay.WindowsSeen().begin() + static_cast<std::ptrdiff_t>(before),
                                         replay.WindowsSeen().end()),
                ElementsAre("window_game_logic", "window_game_logic_loading", "window_game_logic"));
    EXPECT_TRUE(Testing::LogProbe::FromHtmlFile(replay.Fixture().LogFile()).Contains("Loading level 1-2..."));

    // The player's file: their name, the game in progress at level 1-2,
    // which is also the furthest, and one result, that of level 1-1.
    const SavedProfile saved = ReadProfile(replay.UserFolder() / "profiles" / profiles.front());
    EXPECT_EQ(saved.name, "Tester");
    EXPECT_EQ(saved.current, (std::pair<std::uint32_t, std::uint32_t>{0, 1}));
    EXPECT_EQ(saved.furthest, (std::pair<std::uint32_t, std::uint32_t>{0, 1}));
    EXPECT_THAT(saved.results, ElementsAre(std::pair<std::uint32_t, std::uint32_t>{0, 0}));
    EXPECT_TRUE(saved.gameInProgress);
    EXPECT_EQ(saved.score, levelScore + static_cast<std::uint32_t>(bonus)) << "the time bonus is kept";

    // 5. ESC: the in-game menu; its first button, and yes to the question:
    // the main menu. The high scores have no record yet; back.
    replay.RunFrames(kSettleFrames);
    replay.Input().TapKey(SDLK_ESCAPE);
    ASSERT_TRUE(replay.RunUntilWindow("window_game_logic_menu", kStepFrames)) << replay.ErrorText();
    ASSERT_TRUE(replay.ClickThrough("button_0", "window_game_logic_menu_exit"));
    ASSERT_TRUE(replay.ClickThrough("button_1", "window_main_menu"));
    replay.RunFrames(kSettleFrames);
    replay.Click(*menu->GetMenuButton(Tamrisk::GUIMainMenuWindow::kHighScores));
    ASSERT_TRUE(replay.RunUntilWindow("window_high_scores", kStepFrames)) << replay.ErrorText();
    replay.RunFrames(kSettleFrames);
    auto* scores = dynamic_cast<Tamrisk::GUIHighScoresWindow*>(replay.Game()->GetWindows().highScores.get());
    ASSERT_NE(scores, nullptr);
    EXPECT_TRUE(scores->GetNoRecords()->IsVisible());
    ASSERT_TRUE(replay.ClickButton("button_0"));
    ASSERT_TRUE(replay.RunUntilWindow("window_main_menu", kStepFrames)) << replay.ErrorText();
    const std::vector<std::string>& seen = replay.WindowsSeen();
    // The level shows again while the question leaves.
    EXPECT_THAT(std::vector<std::string>(seen.end() - 7, seen.end()),
                ElementsAre("window_game_logic", "window_game_logic_menu", "window_game_logic_menu_exit",
                            "window_game_logic", "window_main_menu", "window_high_scores", "window_main_menu"));

    // 6. Start: the game in progress offers to continue; continuing loads
    // level 1-2 at once, without the map. The scripted player breaks a brick,
    // then launches every ball and keeps the bat away: game over, then the
    // high scores with the new entry.
    replay.RunFrames(kSettleFrames);
    replay.Click(*menu->GetMenuButton(Tamrisk::GUIMainMenuWindow::kStart));
    ASSERT_TRUE(replay.RunUntilWindow("window_continue_game_logic", kStepFrames)) << replay.ErrorText();
    ASSERT_TRUE(replay.ClickThrough("button_2", "window_game_logic_loading"));
    ASSERT_TRUE(replay.RunUntilWindow("window_game_logic", kStepFrames)) << replay.ErrorText();
    EXPECT_THAT(std::vector<std::string>(replay.WindowsSeen().end() - 4, replay.WindowsSeen().end()),
                ElementsAre("window_main_menu", "window_continue_game_logic", "window_game_logic_loading",
                            "window_game_logic"));
    EXPECT_EQ(Testing::LogProbe::FromHtmlFile(replay.Fixture().LogFile()).Count("Loading level 1-2..."), 2u);
    const auto scored = [](const Tamrisk::GameLogic& logic) { return logic.GetScore() > 0; };
    ASSERT_EQ(replay.PlayLevelUntil(false, 3 * 60 * 30, scored),
              std::optional<Halvard::u32>(GameFramework::GameLogicBase::kRunning));
    const std::optional<Halvard::u32> lost = replay.PlayLevel(true, 3 * 60 * 30);
    ASSERT_EQ(lost, std::optional<Halvard::u32>(GameFramework::GameLogicBase::kGameOver)) << replay.ErrorText();
    const Halvard::u32 lostScore = replay.Game()->GetGameLogic()->GetScore();
    EXPECT_GT(lostScore, 0u);
    ASSERT_TRUE(replay.RunUntilWindow("window_game_over", kStepFrames)) << replay.ErrorText();
    ASSERT_TRUE(replay.ClickThrough("button_0", "window_high_scores"));
    replay.RunDrawnFrames(kSettleFrames);
    EXPECT_FALSE(scores->GetNoRecords()->IsVisible());
    ASSERT_NE(scores->GetCell(0, Tamrisk::GUIHighScoresWindow::kName), nullptr);
    EXPECT_EQ(scores->GetCell(0, Tamrisk::GUIHighScoresWindow::kName)->GetLines(), std::vector<std::wstring>{L"Tester"});
    EXPECT_EQ(scores->GetCell(0, Tamrisk::GUIHighScoresWindow::kName)->GetFontName(), "common_1");
    EXPECT_TRUE(LooksLikeGolden(replay, "6_high_scores"));
    // The entry's score is the whole game's: the profile's and that of the
    // level being played.
    const std::vector<Testing::SavedFiles::SavedScore> table = ReadHighScores(replay.UserFolder() / "high_scores.hsf");
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table.front().name, "Tester");
    EXPECT_EQ(table.front().score, saved.score + lostScore);

    // 7. Back to the main menu; exit, yes: the run ends, cleanly.
    ASSERT_TRUE(replay.ClickButton("button_0"));
    ASSERT_TRUE(replay.RunUntilWindow("window_main_menu", kStepFrames)) << replay.ErrorText();
    replay.RunFrames(kSettleFrames);
    replay.Click(*menu->GetMenuButton(Tamrisk::GUIMainMenuWindow::kExit));
    ASSERT_TRUE(replay.RunUntilWindow("window_exit", kStepFrames)) << replay.ErrorText();
    replay.RunFrames(kSettleFrames);
    ASSERT_TRUE(replay.ClickButton("button_1"));
    for (int frame = 0; frame < kStepFrames && !replay.Ended(); ++frame)
        replay.Frame();
    ASSERT_TRUE(replay.Ended());
    EXPECT_EQ(replay.ErrorText(), "");
    const std::string ini = ReadBytes(replay.Fixture().IniFile());
    EXPECT_THAT(ini, HasSubstr("g_music_volume 0.285000"));
    EXPECT_THAT(ini, HasSubstr("g_sound_volume 0.315000"));
    EXPECT_THAT(ini, HasSubstr("v_mode 1024x768x32"));
    const Testing::LogProbe end = Testing::LogProbe::FromHtmlFile(replay.Fixture().LogFile());
    EXPECT_TRUE(end.Contains("Exiting...")) << end.Joined();
    ASSERT_FALSE(end.Entries().empty());
    EXPECT_THAT(end.Entries().back().text, HasSubstr(" Log end: "));
    const SavedProfile last = ReadProfile(replay.UserFolder() / "profiles" / profiles.front());
    EXPECT_EQ(last.score, saved.score) << "the time bonus outlives the exit; a lost level's points go to the table alone";
    EXPECT_THAT(end.ErrorLines(), IsEmpty()) << end.Joined();

    // A second run on the same folders greets Tester at once; the game over
    // cleared the game in progress, so start shows the map, at level 1-2.
    replay.Restart();
    ASSERT_TRUE(replay.RunUntilWindow("window_main_menu", kStepFrames)) << replay.ErrorText();
    EXPECT_THAT(replay.WindowsSeen(), ElementsAre("logos", "window_game_loading", "window_main_menu"));
    menu = dynamic_cast<Tamrisk::GUIMainMenuWindow*>(replay.Game()->GetWindows().mainMenu.get());
    ASSERT_NE(menu, nullptr);
    ASSERT_FALSE(menu->GetTitle()->GetLines().empty());
    EXPECT_NE(menu->GetTitle()->GetLines().front().find(L"Tester"), std::wstring::npos);
    replay.RunFrames(kSettleFrames);
    replay.Click(*menu->GetMenuButton(Tamrisk::GUIMainMenuWindow::kStart));
    ASSERT_TRUE(replay.RunUntilWindow("window_start_game", kStepFrames)) << replay.ErrorText();
    map = dynamic_cast<Tamrisk::GUIStartGameLogicWindow*>(replay.Game()->GetWindows().startGameLogic.get());
    ASSERT_NE(map, nullptr);
    replay.RunFrames(kSettleFrames);
    EXPECT_EQ(ChosenPoint(*map), (std::pair<Halvard::u32, Halvard::u32>{0, 1}));
}

} // namespace
