#include "tests/data/GameFixture.h"

#include "engine/app/Engine.h"
#include "engine/core/Config.h"
#include "engine/input/Controls.h"
#include "engine/input/KeyNames.h"
#include "engine/sound/SoundUtils.h"
#include "framework/logic/GameLogicBase.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/GUIGameLogicPauseWindowBase.h"
#include "framework/windows/GUIGameLogicWindowBase.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/SoundTable.h"
#include "tests/support/FakeClock.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/SdlEvents.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using GameFramework::GameLogicBase;
using GameFramework::MusicFade;
using GameFramework::WindowSource;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kWindowChangeMode = "v_window_change_mode";
constexpr const char* kUpdateVideoMode = "g_update_video_mode";

// The real game on the build's data, its time standing still on the fake
// clock, the focus lost and regained through SDL's own event queue.
class GameFrameTest : public ::testing::Test {
protected:
    GameFrameTest() : scopedClock_(clock_) { game_ = std::make_unique<Testing::TestGame>(); }
    ~GameFrameTest() override
    {
        game_.reset();
        Testing::ResetInput();
    }

    void Send(SDL_WindowEventID event)
    {
        Testing::Push({Testing::WindowEvent(event, Testing::WindowIdOf(*game_->GetEngine()->GetWindow()))});
        Testing::PumpAll();
    }

    // The sleeps of one frame.
    std::vector<uint32_t> Frame()
    {
        const size_t before = clock_.Sleeps().size();
        game_->Update();
        return {clock_.Sleeps().begin() + static_cast<std::ptrdiff_t>(before), clock_.Sleeps().end()};
    }

    // The window may ask for a mode of its own while it comes up (SDL reports
    // the new window maximised, which asks for full screen): frames run
    // until no mode change is pending.
    void Settle()
    {
        for (int frame = 0; frame < 4; ++frame) {
            if (Config().IsCommandHandled(kWindowChangeMode) && Config().IsCommandHandled(kUpdateVideoMode))
                return;
            Frame();
        }
        FAIL() << "a window-mode change never settled";
    }

    // A new video mode, applied by the next frame's reset.
    void RequestModeChange()
    {
        Config().videoMode = "640x480x32";
        Config().SetCommandHandled(kUpdateVideoMode, false);
    }

    // How many times the render device was reset, as the log tells.
    size_t Resets() const
    {
        const std::vector<std::string> texts = Testing::LogProbe::FromHtmlFile(fixture_.LogFile()).Texts();
        return static_cast<size_t>(std::count_if(texts.begin(), texts.end(), [](const std::string& text) {
            return text.find("Reseting Direct3D device:") != std::string::npos;
        }));
    }

    Halvard::Config& Config() { return *game_->GetEngine()->GetConfig(); }
    GameFramework::SoundSet& Sounds() { return *game_->GetSoundSet(); }

    Testing::GameFixture fixture_;
    Testing::FakeClock clock_;
    Testing::ScopedClock scopedClock_;
    std::unique_ptr<Testing::TestGame> game_;
};

// In a menu: no pause window, the music pauses at once, every frame without
// the focus only keeps the platform alive and sleeps 100 ms; on return only
// the track the focus loss paused plays again, a track paused on purpose
// stays paused.
TEST_F(GameFrameTest, LosingTheFocusInAMenuPausesTheMusicAndSleeps)
{
    ASSERT_NE(game_->GetEngine()->GetSoundManager(), nullptr);
    Sounds().PlayMusic(Tamrisk::kMenuMusicSlot, Tamrisk::kMusicMenu, MusicFade::AtOnce());
    Sounds().PlayMusic(Tamrisk::kLevelMusicSlot, Tamrisk::kMusicGame, MusicFade::AtOnce());
    Sounds().PauseMusic(Tamrisk::kLevelMusicSlot, true, MusicFade::AtOnce());
    EXPECT_THAT(Frame(), IsEmpty());

    Send(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_THAT(Frame(), ElementsAre(100u));
    EXPECT_EQ(Sounds().GetMusicState(Tamrisk::kMenuMusicSlot), Halvard::kSoundPaused);
    EXPECT_THAT(Frame(), ElementsAre(100u));

    Send(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_THAT(Frame(), IsEmpty());
    EXPECT_EQ(Sounds().GetMusicState(Tamrisk::kMenuMusicSlot), Halvard::kSoundPlaying);
    EXPECT_EQ(Sounds().GetMusicState(Tamrisk::kLevelMusicSlot), Halvard::kSoundPaused);
}

// A level's end pauses its track on purpose, the next level resumes it: a
// focus loss and return while the next level loads give back the menus'
// track and leave the level's paused.
TEST_F(GameFrameTest, TheTrackPausedAtALevelsEndStaysPausedThroughAFocusLoss)
{
    game_->StartFirstLevel();
    Settle();
    Sounds().PlayMusic(Tamrisk::kLevelMusicSlot, Tamrisk::kMusicGame, MusicFade::AtOnce());
    game_->GetWindows().levelComplete->SetResult(GameFramework::WindowResult::kEndLevel);
    game_->ProcessLevelCompleteWindow();

    Send(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_THAT(Frame(), ElementsAre(100u));
    Send(SDL_WINDOWEVENT_FOCUS_GAINED);
    Frame();
    EXPECT_EQ(Sounds().GetMusicState(Tamrisk::kMenuMusicSlot), Halvard::kSoundPlaying);
    EXPECT_EQ(Sounds().GetMusicState(Tamrisk::kLevelMusicSlot), Halvard::kSoundPaused);
}

// During a running level the losing frame is run in full: the level is
// paused, the game window deactivated and the pause window shown as opened
// by the program itself; only the frames after it sleep. The pause window
// stays when the focus comes back, and so does the level's stopped timer.
TEST_F(GameFrameTest, LosingTheFocusDuringALevelShowsThePauseWindowInThatFrame)
{
    GameLogicBase& logic = game_->StartFirstLevel();
    EXPECT_THAT(Frame(), IsEmpty());
    ASSERT_EQ(logic.GetState(), GameLogicBase::kRunning);

    Send(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_THAT(Frame(), IsEmpty());
    const GameFramework::FrameworkWindows& windows = game_->GetWindows();
    EXPECT_EQ(logic.GetState(), GameLogicBase::kPaused);
    EXPECT_FALSE(windows.gameLogic->IsActive());
    EXPECT_EQ(windows.gameLogicPause->GetOpener(), WindowSource::kProgram);
    EXPECT_THAT(Frame(), ElementsAre(100u));

    Send(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_THAT(Frame(), IsEmpty());
    EXPECT_EQ(logic.GetState(), GameLogicBase::kPaused);
    EXPECT_TRUE(logic.IsTimerPaused());
}

// A level the player had paused gets no second pause window; its timer's
// state is kept through the focus loss and given back unchanged.
TEST_F(GameFrameTest, LosingTheFocusWhileThePlayerPausedKeepsThatPause)
{
    GameLogicBase& logic = game_->StartFirstLevel();
    logic.PauseLevel(true);
    EXPECT_THAT(Frame(), IsEmpty());

    Send(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_THAT(Frame(), ElementsAre(100u));
    EXPECT_EQ(game_->GetWindows().gameLogicPause->GetOpener(), WindowSource::kNone);
    Send(SDL_WINDOWEVENT_FOCUS_GAINED);
    Frame();
    EXPECT_TRUE(logic.IsTimerPaused());
    EXPECT_EQ(logic.GetState(), GameLogicBase::kPaused);
}

// Alt+Enter pressed before frame n is counted at the end of frames n and
// n+1 and applied, with the device made again, at the start of frame n+2.
TEST_F(GameFrameTest, AltEnterSwitchesTheModeTwoFramesLater)
{
    Settle();
    const Halvard::u8 fullScreen = Config().fullScreen;
    Testing::Push({Testing::KeyDown(SDLK_LALT), Testing::KeyDown(SDLK_RETURN)});
    Testing::PumpAll();

    Frame();
    EXPECT_NE(Config().fullScreen, fullScreen);
    EXPECT_FALSE(Config().IsCommandHandled(kWindowChangeMode));
    EXPECT_TRUE(Config().IsCommandHandled(kUpdateVideoMode));
    Frame();
    EXPECT_TRUE(Config().IsCommandHandled(kWindowChangeMode));
    EXPECT_FALSE(Config().IsCommandHandled(kUpdateVideoMode));
    EXPECT_FALSE(game_->GetEngine()->GetControls()->IsInputBlocked());
    Frame();
    EXPECT_TRUE(Config().IsCommandHandled(kUpdateVideoMode));
    EXPECT_TRUE(game_->GetEngine()->GetControls()->IsInputBlocked());
}

// A new video mode resets the device before the frame's input step, so a key
// held through the reset never counts as pressed afterwards.
TEST_F(GameFrameTest, AModeChangeResetsBeforeInputAndBlocksHeldKeys)
{
    Settle();
    RequestModeChange();
    Testing::Push({Testing::KeyDown(SDLK_a)});
    Testing::PumpAll();
    Frame();
    Halvard::Controls& controls = *game_->GetEngine()->GetControls();
    EXPECT_TRUE(Config().IsCommandHandled(kUpdateVideoMode));
    EXPECT_TRUE(controls.IsInputBlocked());
    EXPECT_FALSE(controls.IsKeyPressed(Halvard::KeyNames::kA));
    EXPECT_FALSE(controls.IsKeyDown(Halvard::KeyNames::kA));
}

// The reset pauses the music around itself and fades back in only what it
// paused: the menu's track plays on, the track paused on purpose stays
// paused.
TEST_F(GameFrameTest, ADeviceResetKeepsATrackPausedOnPurposePaused)
{
    Settle();
    Sounds().PlayMusic(Tamrisk::kMenuMusicSlot, Tamrisk::kMusicMenu, MusicFade::AtOnce());
    Sounds().PlayMusic(Tamrisk::kLevelMusicSlot, Tamrisk::kMusicGame, MusicFade::AtOnce());
    Sounds().PauseMusic(Tamrisk::kLevelMusicSlot, true, MusicFade::AtOnce());
    const size_t resets = Resets();
    RequestModeChange();
    Frame();
    ASSERT_EQ(Resets(), resets + 1);
    EXPECT_EQ(Sounds().GetMusicState(Tamrisk::kMenuMusicSlot), Halvard::kSoundPlaying);
    EXPECT_EQ(Sounds().GetMusicState(Tamrisk::kLevelMusicSlot), Halvard::kSoundPaused);
}

// A reset in the frame that loses the focus during a level gives back no
// music: what the focus loss paused waits for the focus to return.
TEST_F(GameFrameTest, ADeviceResetInTheLosingFrameLeavesTheMusicPausedUntilTheFocusReturns)
{
    game_->StartFirstLevel();
    Settle();
    Sounds().PlayMusic(Tamrisk::kLevelMusicSlot, Tamrisk::kMusicGame, MusicFade::AtOnce());
    const size_t resets = Resets();
    RequestModeChange();
    Send(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_THAT(Frame(), IsEmpty());
    ASSERT_EQ(Resets(), resets + 1);
    EXPECT_EQ(Sounds().GetMusicState(Tamrisk::kLevelMusicSlot), Halvard::kSoundPaused);
    EXPECT_THAT(Frame(), ElementsAre(100u));
    EXPECT_EQ(Sounds().GetMusicState(Tamrisk::kLevelMusicSlot), Halvard::kSoundPaused);

    Send(SDL_WINDOWEVENT_FOCUS_GAINED);
    Frame();
    EXPECT_EQ(Sounds().GetMusicState(Tamrisk::kLevelMusicSlot), Halvard::kSoundPlaying);
}

} // namespace
