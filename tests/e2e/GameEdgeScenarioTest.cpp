#include "tests/support/game/GameReplay.h"

#include "engine/core/MessageManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "framework/logic/GameLogicBase.h"
#include "framework/windows/FrameworkWindows.h"
#include "game/Game.h"
#include "game/GameLogic.h"
#include "game/objects/GameGeometry.h"
#include "game/objects/Ball.h"
#include "game/objects/BallManager.h"
#include "game/windows/menus/GUIMainMenuWindow.h"
#include "game/windows/menus/GUIStartGameLogicWindow.h"
#include "game/windows/menus/GUIWelcomeWindow.h"
#include "game/windows/parts/ProfileNameForm.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/e2e/SavedFiles.h"
#include "tests/e2e/ScreenGolden.h"
#include "tests/support/LogProbe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

using Testing::GameReplay;
using Testing::SavedFiles::ProfileFiles;
using Testing::SavedFiles::ReadBytes;
using Testing::SavedFiles::ReadCurrentPlayer;
using Testing::SavedFiles::ReadHighScores;
using Testing::SavedFiles::ReadProfile;

constexpr int kStepFrames = GameReplay::kStepFrames;
constexpr int kSettleFrames = GameReplay::kSettleFrames;
// Three minutes of game time.
constexpr int kLevelFrames = 3 * 60 * 30;
// The level's time scale falls from 1 to 0 within a second of frames.
constexpr int kSlowDownFrames = 30;
// One frame of the replay clock, with room for the timer's rounding.
constexpr float kFrameTime = 1.0f / 30.0f + 1e-3f;

// A free ball on its way up from the bat's half of the field, once a brick
// has scored: the moment leaves the ball time to slow down and stop without
// reaching the bat's line.
bool BallRising(const Tamrisk::GameLogic& logic)
{
    if (logic.GetScore() == 0)
        return false;
    for (const Tamrisk::Ball* ball : logic.GetBalls().GetBalls())
        if (!ball->IsHeld() && ball->GetDirection().y > 0.0f && ball->GetPosition().y < -40.0f)
            return true;
    return false;
}

struct BallSnapshot {
    const Tamrisk::Ball* ball;
    Halvard::Vector2 position;
};

std::vector<BallSnapshot> Balls(const Tamrisk::GameLogic& logic)
{
    std::vector<BallSnapshot> balls;
    for (const Tamrisk::Ball* ball : logic.GetBalls().GetBalls())
        balls.push_back({ball, ball->GetPosition()});
    return balls;
}

std::vector<const Tamrisk::Ball*> Identities(const std::vector<BallSnapshot>& balls)
{
    std::vector<const Tamrisk::Ball*> identities;
    for (const BallSnapshot& snapshot : balls)
        identities.push_back(snapshot.ball);
    return identities;
}

// The title's lines as one text: a long name may wrap.
std::wstring TitleText(const GameReplay& replay)
{
    const auto* menu = dynamic_cast<const Tamrisk::GUIMainMenuWindow*>(replay.Game()->GetWindows().mainMenu.get());
    std::wstring text;
    if (menu != nullptr && menu->GetTitle() != nullptr)
        for (const std::wstring& line : menu->GetTitle()->GetLines())
            text += line;
    return text;
}

std::wstring Wide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

// A player's edge cases on a fresh folder: a name longer than the files can
// hold, the window losing the focus during a level, the in-game menu and its
// resume, a lost game with a score, a second player, then a damaged profile
// list found by the next start.
TEST(GameEdgeScenarioTest, LongNameFocusLossMenuResumeAndDamagedProfileList)
{
    GameReplay replay;
    ASSERT_TRUE(replay.RunUntilWindow("window_welcome", kStepFrames)) << replay.ErrorText();
    replay.RunFrames(kSettleFrames);

    // 1. 300 characters typed, one a frame. The name field takes the first
    // 254, the most a save file counts; the player is named by exactly those
    // in their own file and in the list.
    const auto* welcome = dynamic_cast<const Tamrisk::GUIWelcomeWindow*>(replay.Game()->GetWindows().welcome.get());
    ASSERT_NE(welcome, nullptr);
    const Halvard::GUIEditBox* field = welcome->GetForm().GetEditBox();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->GetMaxLength(), 254u);
    std::string typed;
    for (int i = 0; i < 300; ++i)
        typed.push_back(i == 0 ? 'Q' : static_cast<char>('a' + i % 26));
    replay.TypeKeys(typed, 1);
    const std::size_t kept = field->GetText().size();
    ASSERT_EQ(kept, 254u);
    const std::string name = typed.substr(0, kept);
    EXPECT_EQ(field->GetText(), Wide(name));
    // Full: it refused the rest for its limits, not for keys gone astray.
    EXPECT_FALSE(field->CanAccept(static_cast<wchar_t>(typed.at(kept))));
    replay.Input().TapKey(SDLK_RETURN);
    ASSERT_TRUE(replay.RunUntilWindow("window_main_menu", kStepFrames)) << replay.ErrorText();
    EXPECT_NE(TitleText(replay).find(Wide(name)), std::wstring::npos);
    const std::filesystem::path user = replay.UserFolder();
    const std::vector<std::string> profiles = ProfileFiles(user / "profiles");
    ASSERT_THAT(profiles, SizeIs(1));
    const std::filesystem::path profileFile = user / "profiles" / profiles.front();
    EXPECT_EQ(ReadProfile(profileFile).name, name);
    EXPECT_EQ(ReadCurrentPlayer(user / "profiles.pmf"), name);

    // 2. Start, the map's play button: level 1-1. The scripted player breaks
    // a brick and sends a ball up.
    ASSERT_TRUE(replay.ClickThrough("start", "window_start_game"));
    replay.RunFrames(kSettleFrames);
    const auto* map = dynamic_cast<Tamrisk::GUIStartGameLogicWindow*>(replay.Game()->GetWindows().startGameLogic.get());
    ASSERT_NE(map, nullptr);
    replay.Click(*map->GetPlayButton());
    ASSERT_TRUE(replay.RunUntilWindow("window_game_logic", kStepFrames)) << replay.ErrorText();
    ASSERT_EQ(replay.PlayLevelUntil(false, kLevelFrames, BallRising), GameFramework::GameLogicBase::kRunning);
    const Tamrisk::GameLogic* logic = replay.Logic();
    ASSERT_NE(logic, nullptr);
    ASSERT_TRUE(BallRising(*logic));

    // 3. The window loses the focus: the pause window at once, and the
    // level's time stops with the frame of the loss; it stands while the
    // program waits for the focus, after the focus comes back, and until the
    // player resumes.
    const float beforeFocusLoss = logic->GetTime();
    replay.Input().LoseFocus();
    replay.Frame();
    EXPECT_EQ(replay.CurrentWindow(), "window_game_logic_pause");
    EXPECT_EQ(logic->GetState(), GameFramework::GameLogicBase::kPaused);
    const float paused = logic->GetTime();
    EXPECT_LE(paused - beforeFocusLoss, kFrameTime);
    replay.RunFrames(5);
    EXPECT_EQ(replay.CurrentWindow(), "window_game_logic_pause");
    EXPECT_EQ(logic->GetTime(), paused);
    replay.Input().GainFocus();
    replay.RunFrames(2 * kSettleFrames);
    EXPECT_EQ(replay.CurrentWindow(), "window_game_logic_pause");
    EXPECT_EQ(logic->GetTime(), paused);
    ASSERT_TRUE(replay.ClickButton("button_0"));
    ASSERT_TRUE(replay.RunUntilWindow("window_game_logic", kStepFrames)) << replay.ErrorText();
    EXPECT_EQ(logic->GetState(), GameFramework::GameLogicBase::kRunning);
    ASSERT_EQ(replay.PlayLevelUntil(false, kLevelFrames, BallRising), GameFramework::GameLogicBase::kRunning);
    EXPECT_GT(logic->GetTime(), paused);

    // 4. ESC: the in-game menu. The level stops once the key reaches the
    // windows; the balls slow down to a stop within a second and stand while
    // the menu shows. Its resume button goes on with the same balls from
    // where they stood, in the same level.
    const float beforeMenu = logic->GetTime();
    const std::vector<BallSnapshot> inPlay = Balls(*logic);
    const Halvard::u32 score = logic->GetScore();
    const Halvard::u32 blocks = logic->GetGeometry().GetBlocksToDestroy();
    replay.Input().TapKey(SDLK_ESCAPE);
    ASSERT_TRUE(replay.RunUntilWindow("window_game_logic_menu", kStepFrames)) << replay.ErrorText();
    EXPECT_EQ(logic->GetState(), GameFramework::GameLogicBase::kPaused);
    const float stoppedAt = logic->GetTime();
    EXPECT_LE(stoppedAt - beforeMenu, 2 * kFrameTime) << "the key's frame, then the dispatch of its result";
    replay.RunFrames(kSlowDownFrames + kSettleFrames);
    const std::vector<BallSnapshot> stopped = Balls(*logic);
    replay.RunFrames(kSettleFrames);
    const std::vector<BallSnapshot> stillStopped = Balls(*logic);
    EXPECT_EQ(replay.CurrentWindow(), "window_game_logic_menu");
    EXPECT_EQ(Identities(stopped), Identities(inPlay));
    ASSERT_EQ(Identities(stillStopped), Identities(stopped));
    for (std::size_t i = 0; i < stopped.size(); ++i) {
        EXPECT_EQ(stillStopped[i].position.x, stopped[i].position.x) << i;
        EXPECT_EQ(stillStopped[i].position.y, stopped[i].position.y) << i;
    }
    EXPECT_EQ(logic->GetTime(), stoppedAt);
    ASSERT_TRUE(replay.ClickButton("button_2"));
    ASSERT_TRUE(replay.RunUntilWindow("window_game_logic", kStepFrames)) << replay.ErrorText();
    replay.RunFrames(kSettleFrames);
    EXPECT_EQ(replay.Logic(), logic);
    EXPECT_EQ(logic->GetState(), GameFramework::GameLogicBase::kRunning);
    const std::vector<BallSnapshot> resumed = Balls(*logic);
    ASSERT_EQ(Identities(resumed), Identities(stopped));
    // A ball runs at most its speed, and only while the level's time runs.
    const float ranSince = logic->GetTime() - stoppedAt;
    EXPECT_GT(ranSince, 0.0f);
    for (std::size_t i = 0; i < resumed.size(); ++i) {
        EXPECT_FALSE(resumed[i].ball->IsHeld()) << i;
        const float moved = (resumed[i].position - stopped[i].position).Length();
        EXPECT_GT(moved, 0.0f) << i;
        EXPECT_LE(moved, resumed[i].ball->GetSpeed() * (ranSince + kFrameTime)) << i;
    }
    EXPECT_EQ(logic->GetScore(), score);
    EXPECT_EQ(logic->GetGeometry().GetBlocksToDestroy(), blocks);
    EXPECT_EQ(Testing::LogProbe::FromHtmlFile(replay.Fixture().LogFile()).Count("Loading level 1-1..."), 1u);

    // 5. The player keeps the bat away from every ball: game over with the
    // score made, and the high scores hold the cut name.
    ASSERT_EQ(replay.PlayLevel(true, kLevelFrames), GameFramework::GameLogicBase::kGameOver) << replay.ErrorText();
    ASSERT_TRUE(replay.RunUntilWindow("window_game_over", kStepFrames)) << replay.ErrorText();
    ASSERT_TRUE(replay.ClickThrough("button_0", "window_high_scores"));
    const std::vector<Testing::SavedFiles::SavedScore> scores = ReadHighScores(user / "high_scores.hsf");
    ASSERT_THAT(scores, SizeIs(1));
    EXPECT_EQ(scores.front().name, name);
    EXPECT_GT(scores.front().score, 0u);

    // 6. A second player, "Zed", made through the profiles window, is the
    // current one when the program ends.
    ASSERT_TRUE(replay.ClickThrough("button_0", "window_main_menu"));
    ASSERT_TRUE(replay.ClickThrough("change_player", "window_profiles"));
    ASSERT_TRUE(replay.ClickThrough("create", "window_new_profile"));
    replay.RunFrames(kSettleFrames);
    replay.TypeKeys("Zed", 1);
    ASSERT_TRUE(replay.ClickButton("button_1"));
    ASSERT_TRUE(replay.RunUntilWindow("window_profiles", kStepFrames)) << replay.ErrorText();
    replay.RunDrawnFrames(kSettleFrames);
    // The new player's line, the chosen one, stands lit above the other.
    EXPECT_TRUE(Testing::LooksLikeGolden(replay, "7_profiles"));
    ASSERT_TRUE(replay.ClickButton("done"));
    ASSERT_TRUE(replay.RunUntilWindow("window_main_menu", kStepFrames)) << replay.ErrorText();
    EXPECT_NE(TitleText(replay).find(L"Zed"), std::wstring::npos);
    EXPECT_EQ(ReadCurrentPlayer(user / "profiles.pmf"), "Zed");
    ASSERT_TRUE(replay.ClickThrough("exit", "window_exit"));
    replay.RunFrames(kSettleFrames);
    ASSERT_TRUE(replay.ClickButton("button_1"));
    for (int frame = 0; frame < kStepFrames && !replay.Ended(); ++frame)
        replay.Frame();
    ASSERT_TRUE(replay.Ended());
    EXPECT_EQ(replay.ErrorText(), "");
    const Testing::LogProbe firstRun = Testing::LogProbe::FromHtmlFile(replay.Fixture().LogFile());
    EXPECT_THAT(firstRun.ErrorLines(), IsEmpty()) << firstRun.Joined();

    // 7. The list is cut short while the program is not running. The next
    // start keeps the damaged bytes beside it, warns, writes a new list and
    // greets the first player in name order; both players' files stay.
    const std::string listBytes = ReadBytes(user / "profiles.pmf");
    const std::string damaged = listBytes.substr(0, listBytes.size() / 2);
    std::ofstream(user / "profiles.pmf", std::ios::binary | std::ios::trunc) << damaged;
    replay.Restart();
    ASSERT_TRUE(replay.RunUntilWindow("window_main_menu", kStepFrames)) << replay.ErrorText();
    EXPECT_THAT(replay.WindowsSeen(), ElementsAre("logos", "window_game_loading", "window_main_menu"));
    EXPECT_NE(TitleText(replay).find(Wide(name)), std::wstring::npos);
    EXPECT_EQ(ReadCurrentPlayer(user / "profiles.pmf"), name);
    EXPECT_EQ(ReadBytes(user / "profiles.pmf.bad"), damaged);
    EXPECT_THAT(ProfileFiles(user / "profiles"), SizeIs(2));
    // The players and their progress live in their own files: the list's
    // loss is a warning, not an error.
    const Testing::LogProbe secondRun = Testing::LogProbe::FromHtmlFile(replay.Fixture().LogFile());
    EXPECT_THAT(secondRun.ErrorLines(), IsEmpty()) << secondRun.Joined();
    EXPECT_THAT(secondRun.Lines(Halvard::MessageManager::kWarning),
                ElementsAre(AllOf(HasSubstr("profiles.pmf\" file format"),
                                  HasSubstr("the file is kept as"), EndsWith("profiles.pmf.bad\"!"))))
        << secondRun.Joined();
}

} // namespace
