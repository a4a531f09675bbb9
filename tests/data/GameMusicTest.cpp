#include "tests/data/GameFixture.h"

#include "framework/sound/MusicTrack.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/FrameworkWindows.h"
#include "framework/windows/WindowResult.h"
#include "game/SoundTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using GameFramework::FrameworkWindows;
using GameFramework::GUIFrameworkWindow;
using GameFramework::MusicFade;
using GameFramework::MusicTrack;
using GameFramework::WindowResult;

struct MusicCase {
    const char* name;
    std::function<GUIFrameworkWindow*(const FrameworkWindows&)> window;
    Halvard::u32 result;
    std::function<void(Testing::TestGame&)> handler;
    // The fade each slot's track is left in; none: the slot has no track.
    Halvard::u32 levelTrackFade;
    bool menuTrackStarted;
};

// During a level, with the level's track playing, a window's result leads
// back to the menus or not: the level track is paused (the next level
// resumes it) or stopped, and the menu track fades in; any other result
// leaves the music alone.
class GameMusicTest : public ::testing::TestWithParam<MusicCase> {
protected:
    Testing::GameFixture fixture;
    Testing::TestGame game;
};

TEST_P(GameMusicTest, LeavingALevelPausesOrStopsItsTrackAndStartsTheMenus)
{
    const MusicCase& c = GetParam();
    game.StartFirstLevel();
    GameFramework::SoundSet& sounds = *game.GetSoundSet();
    sounds.PlayMusic(Tamrisk::kLevelMusicSlot, Tamrisk::kMusicGame, MusicFade::AtOnce());
    ASSERT_NE(sounds.GetSlotTrack(Tamrisk::kLevelMusicSlot), nullptr);

    c.window(game.GetWindows())->SetResult(c.result);
    c.handler(game);

    EXPECT_EQ(sounds.GetSlotTrack(Tamrisk::kLevelMusicSlot)->GetFadeState(), c.levelTrackFade);
    const MusicTrack* menu = sounds.GetSlotTrack(Tamrisk::kMenuMusicSlot);
    EXPECT_EQ(menu != nullptr, c.menuTrackStarted);
    if (c.menuTrackStarted && menu != nullptr) {
        EXPECT_EQ(menu->GetId(), Tamrisk::kMusicMenu);
        EXPECT_EQ(menu->GetFadeState(), MusicTrack::kFadeIn);
        EXPECT_FLOAT_EQ(menu->GetFadeSpeed(), 0.5f);
    }
}

MusicCase Case(const char* name, std::function<GUIFrameworkWindow*(const FrameworkWindows&)> window,
               Halvard::u32 result, std::function<void(Testing::TestGame&)> handler, Halvard::u32 fade,
               bool menu)
{
    return {name, std::move(window), result, std::move(handler), fade, menu};
}

INSTANTIATE_TEST_SUITE_P(
    Results, GameMusicTest,
    ::testing::Values(
        Case("MenuExitToTheMainMenuStops", [](const FrameworkWindows& w) { return w.gameLogicMenuExit.get(); },
             WindowResult::kMainMenu, [](Testing::TestGame& g) { g.ProcessGameLogicMenuExitWindow(); },
             MusicTrack::kFadeOutThenStop, true),
        Case("MenuExitBackToTheMenuLeavesIt", [](const FrameworkWindows& w) { return w.gameLogicMenuExit.get(); },
             WindowResult::kGameLogicMenu, [](Testing::TestGame& g) { g.ProcessGameLogicMenuExitWindow(); },
             MusicTrack::kNoFade, false),
        Case("RestartEndingTheLevelPauses", [](const FrameworkWindows& w) { return w.gameLogicRestart.get(); },
             WindowResult::kEndLevel, [](Testing::TestGame& g) { g.ProcessGameLogicRestartWindow(); },
             MusicTrack::kFadeOutThenPause, true),
        Case("RestartToGameOverLeavesIt", [](const FrameworkWindows& w) { return w.gameLogicRestart.get(); },
             WindowResult::kGameOver, [](Testing::TestGame& g) { g.ProcessGameLogicRestartWindow(); },
             MusicTrack::kNoFade, false),
        Case("LevelCompleteEndingTheLevelPauses", [](const FrameworkWindows& w) { return w.levelComplete.get(); },
             WindowResult::kEndLevel, [](Testing::TestGame& g) { g.ProcessLevelCompleteWindow(); },
             MusicTrack::kFadeOutThenPause, true),
        Case("StageCompleteEndingTheLevelStops", [](const FrameworkWindows& w) { return w.stageComplete.get(); },
             WindowResult::kEndLevel, [](Testing::TestGame& g) { g.ProcessStageCompleteWindow(); },
             MusicTrack::kFadeOutThenStop, true),
        Case("GameOverDoneStops", [](const FrameworkWindows& w) { return w.gameOver.get(); }, WindowResult::kDone,
             [](Testing::TestGame& g) { g.ProcessGameOverWindow(); }, MusicTrack::kFadeOutThenStop, true),
        Case("GameOverToRestartLeavesIt", [](const FrameworkWindows& w) { return w.gameOver.get(); },
             WindowResult::kRestartQuestion, [](Testing::TestGame& g) { g.ProcessGameOverWindow(); },
             MusicTrack::kNoFade, false)),
    [](const ::testing::TestParamInfo<MusicCase>& info) { return std::string(info.param.name); });

} // namespace
