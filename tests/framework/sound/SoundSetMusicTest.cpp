#include "engine/sound/Sound.h"
#include "engine/sound/SoundUtils.h"
#include "framework/sound/MusicTrack.h"
#include "tests/framework/sound/SoundSetBed.h"

using GameFramework::MusicFade;
using GameFramework::MusicTrack;
using Halvard::kSoundPaused;
using Halvard::kSoundPlaying;
using Halvard::kSoundStopped;
using Halvard::u32;

namespace Testing {
namespace {

constexpr u32 kMenuSlot = 0;
constexpr u32 kLevelSlot = 1;
constexpr u32 kMenuTrack = 0;
constexpr u32 kLevelTrack = 1;

class SoundSetMusicTest : public SoundSetBed {
protected:
    void SetUp() override
    {
        Make(0.5f, 0.315f);
        set->AddMusic(kMenuTrack, "", true);
        set->AddMusic(kLevelTrack, "", true);
        menu = set->FindTrack(kMenuTrack);
        level = set->FindTrack(kLevelTrack);
    }

    MusicTrack* menu = nullptr;
    MusicTrack* level = nullptr;
};

TEST_F(SoundSetMusicTest, AnotherTrackOnABusySlotStartsAtOnceWhileTheOldOneFadesToAStopOverOneSecond)
{
    set->PlayMusic(kMenuSlot, kMenuTrack, MusicFade::AtOnce());
    set->PlayMusic(kMenuSlot, kLevelTrack, MusicFade::AtOnce());
    EXPECT_EQ(set->GetSlotTrack(kMenuSlot), level);
    EXPECT_EQ(level->GetState(), u32{kSoundPlaying});
    EXPECT_FLOAT_EQ(level->GetSound()->GetVolume(), 0.5f);
    EXPECT_EQ(menu->GetFadeState(), u32{MusicTrack::kFadeOutThenStop});
    EXPECT_FLOAT_EQ(menu->GetFadeSpeed(), 1.0f);

    // Sixteen frames land the fade exactly on 0, which still plays.
    Frames(16);
    EXPECT_EQ(menu->GetFadeVolume(), 0.0f);
    EXPECT_EQ(menu->GetState(), u32{kSoundPlaying});
    Frames(1);
    EXPECT_EQ(menu->GetState(), u32{kSoundStopped});
    EXPECT_EQ(menu->GetFadeState(), u32{MusicTrack::kNoFade});
    EXPECT_EQ(level->GetState(), u32{kSoundPlaying});
}

TEST_F(SoundSetMusicTest, ANewTrackWithAFadeStartsSilentAndRisesToExactlyFull)
{
    set->PlayMusic(kLevelSlot, kLevelTrack, MusicFade::Over(4.0f));
    EXPECT_EQ(level->GetFadeVolume(), 0.0f);
    EXPECT_EQ(level->GetFadeState(), u32{MusicTrack::kFadeIn});
    Frames(2);
    EXPECT_FLOAT_EQ(level->GetFadeVolume(), 0.5f);
    Frames(3);
    EXPECT_EQ(level->GetFadeVolume(), 1.0f);
    EXPECT_EQ(level->GetFadeState(), u32{MusicTrack::kNoFade});
}

TEST_F(SoundSetMusicTest, TheSameTrackStillPlayingIsLeftAloneEvenWhileItFadesOut)
{
    set->PlayMusic(kMenuSlot, kMenuTrack, MusicFade::AtOnce());
    set->StopMusic(kMenuSlot, MusicFade::Over(1.0f));
    set->PlayMusic(kMenuSlot, kMenuTrack, MusicFade::Over(0.5f));
    EXPECT_EQ(menu->GetFadeState(), u32{MusicTrack::kFadeOutThenStop});
    EXPECT_EQ(Plays(menu->GetSound()), 1);
}

TEST_F(SoundSetMusicTest, TheSameTrackStoppedIsPlayedAgain)
{
    set->PlayMusic(kMenuSlot, kMenuTrack, MusicFade::AtOnce());
    set->StopMusic(kMenuSlot, MusicFade::AtOnce());
    set->PlayMusic(kMenuSlot, kMenuTrack, MusicFade::AtOnce());
    EXPECT_EQ(set->GetMusicState(kMenuSlot), u32{kSoundPlaying});
    EXPECT_EQ(Plays(menu->GetSound()), 2);
}

TEST_F(SoundSetMusicTest, ATrackIdNeverRegisteredLeavesTheSlotAsItWas)
{
    set->PlayMusic(kMenuSlot, kMenuTrack, MusicFade::AtOnce());
    set->PlayMusic(kMenuSlot, 7, MusicFade::AtOnce());
    EXPECT_EQ(set->GetSlotTrack(kMenuSlot), menu);
    EXPECT_EQ(menu->GetFadeState(), u32{MusicTrack::kNoFade});
    EXPECT_EQ(menu->GetState(), u32{kSoundPlaying});
    set->PlayMusic(kLevelSlot, 7, MusicFade::Over(1.0f));
    EXPECT_EQ(set->GetSlotTrack(kLevelSlot), nullptr);
    EXPECT_EQ(set->GetMusicState(kLevelSlot), u32{kSoundStopped});
}

TEST_F(SoundSetMusicTest, StoppingAPausedTrackIsImmediateEvenWithAFade)
{
    set->PlayMusic(kMenuSlot, kMenuTrack, MusicFade::AtOnce());
    set->PauseMusic(kMenuSlot, true, MusicFade::AtOnce());
    set->StopMusic(kMenuSlot, MusicFade::Over(1.0f));
    EXPECT_EQ(menu->GetState(), u32{kSoundStopped});
}

TEST_F(SoundSetMusicTest, PausingATrackThatFadesToAStopKeepsTheFadeOrStopsItAtOnce)
{
    set->PlayMusic(kMenuSlot, kMenuTrack, MusicFade::AtOnce());
    set->StopMusic(kMenuSlot, MusicFade::Over(1.0f));
    set->PauseMusic(kMenuSlot, true, MusicFade::Over(0.5f));
    EXPECT_EQ(menu->GetFadeState(), u32{MusicTrack::kFadeOutThenStop});
    EXPECT_FLOAT_EQ(menu->GetFadeSpeed(), 1.0f);
    set->PauseMusic(kMenuSlot, true, MusicFade::AtOnce());
    EXPECT_EQ(menu->GetState(), u32{kSoundStopped});
}

TEST_F(SoundSetMusicTest, APauseWithAFadeEndsPausedAndResumingWithAFadeStartsFromSilence)
{
    set->PlayMusic(kLevelSlot, kLevelTrack, MusicFade::AtOnce());
    set->PauseMusic(kLevelSlot, true, MusicFade::Over(8.0f));
    Frames(2);
    EXPECT_EQ(level->GetState(), u32{kSoundPlaying});
    Frames(1);
    EXPECT_EQ(level->GetState(), u32{kSoundPaused});
    set->PauseMusic(kLevelSlot, false, MusicFade::Over(0.5f));
    EXPECT_EQ(level->GetState(), u32{kSoundPlaying});
    EXPECT_EQ(level->GetFadeVolume(), 0.0f);
    EXPECT_EQ(level->GetFadeState(), u32{MusicTrack::kFadeIn});
}

TEST_F(SoundSetMusicTest, ResumingAStoppedTrackDoesNothing)
{
    set->PlayMusic(kLevelSlot, kLevelTrack, MusicFade::AtOnce());
    set->StopMusic(kLevelSlot, MusicFade::AtOnce());
    set->PauseMusic(kLevelSlot, false, MusicFade::AtOnce());
    EXPECT_EQ(level->GetState(), u32{kSoundStopped});
    EXPECT_EQ(Plays(level->GetSound()), 1);
}

TEST_F(SoundSetMusicTest, ResumingATrackStillFadingToAPauseTurnsTheFadeRound)
{
    set->PlayMusic(kLevelSlot, kLevelTrack, MusicFade::AtOnce());
    set->PauseMusic(kLevelSlot, true, MusicFade::Over(1.0f));
    Frames(4);
    set->PauseMusic(kLevelSlot, false, MusicFade::Over(4.0f));
    EXPECT_EQ(level->GetFadeState(), u32{MusicTrack::kFadeIn});
    EXPECT_FLOAT_EQ(level->GetFadeVolume(), 0.75f);
    Frames(20);
    EXPECT_EQ(level->GetState(), u32{kSoundPlaying});
    EXPECT_EQ(level->GetFadeVolume(), 1.0f);
    EXPECT_EQ(Plays(level->GetSound()), 1);

    set->PauseMusic(kLevelSlot, true, MusicFade::Over(1.0f));
    Frames(4);
    set->PauseMusic(kLevelSlot, false, MusicFade::AtOnce());
    EXPECT_EQ(level->GetFadeState(), u32{MusicTrack::kNoFade});
    EXPECT_EQ(level->GetFadeVolume(), 1.0f);
    Frames(20);
    EXPECT_EQ(level->GetState(), u32{kSoundPlaying});
}

// The menus pause the level track on purpose; losing and regaining the focus
// must not bring it back over the menu music.
TEST_F(SoundSetMusicTest, ResumingAllMusicResumesOnlyWhatPausingAllMusicPaused)
{
    set->PlayMusic(kLevelSlot, kLevelTrack, MusicFade::AtOnce());
    set->PauseMusic(kLevelSlot, true, MusicFade::AtOnce());
    set->PlayMusic(kMenuSlot, kMenuTrack, MusicFade::AtOnce());

    set->PauseAllMusic(true, MusicFade::AtOnce());
    EXPECT_EQ(menu->GetState(), u32{kSoundPaused});
    set->PauseAllMusic(false, MusicFade::Over(0.5f));
    EXPECT_EQ(menu->GetState(), u32{kSoundPlaying});
    EXPECT_EQ(menu->GetFadeState(), u32{MusicTrack::kFadeIn});
    EXPECT_EQ(level->GetState(), u32{kSoundPaused});
}

TEST_F(SoundSetMusicTest, ATrackFadingToAPauseWhenAllMusicPausesStaysPausedAfterwards)
{
    set->PlayMusic(kLevelSlot, kLevelTrack, MusicFade::AtOnce());
    set->PauseMusic(kLevelSlot, true, MusicFade::Over(1.0f));
    Frames(2);
    set->PauseAllMusic(true, MusicFade::AtOnce());
    EXPECT_EQ(level->GetState(), u32{kSoundPaused});
    set->PauseAllMusic(false, MusicFade::Over(0.5f));
    EXPECT_EQ(level->GetState(), u32{kSoundPaused});
}

// The game pauses all music, fading, when a level ends, and the next level
// resumes its track itself; a focus loss and return while the menus play,
// during the fade or after it, answer each other only, so the level's track
// stays paused.
TEST_F(SoundSetMusicTest, AResumeOfAllMusicGivesBackOnlyWhatTheLatestPauseOfAllPaused)
{
    for (const int framesBeforeTheFocusLoss : {0, 9}) {
        set->StopAllMusic(MusicFade::AtOnce());
        set->PlayMusic(kLevelSlot, kLevelTrack, MusicFade::AtOnce());
        set->PauseAllMusic(true, MusicFade::Over(2.0f));
        set->PlayMusic(kMenuSlot, kMenuTrack, MusicFade::Over(0.5f));
        Frames(framesBeforeTheFocusLoss);
        set->PauseAllMusic(true, MusicFade::AtOnce());
        EXPECT_EQ(level->GetState(), u32{kSoundPaused}) << framesBeforeTheFocusLoss;
        set->PauseAllMusic(false, MusicFade::Over(0.5f));
        EXPECT_EQ(menu->GetState(), u32{kSoundPlaying}) << framesBeforeTheFocusLoss;
        EXPECT_EQ(level->GetState(), u32{kSoundPaused}) << framesBeforeTheFocusLoss;
    }
    // A second pause of all music, with nothing left to pause, leaves
    // nothing to give back.
    set->PauseAllMusic(true, MusicFade::AtOnce());
    set->PauseAllMusic(true, MusicFade::AtOnce());
    set->PauseAllMusic(false, MusicFade::AtOnce());
    EXPECT_EQ(menu->GetState(), u32{kSoundPaused});
}

TEST_F(SoundSetMusicTest, ASlotHandledOnItsOwnAfterPausingAllMusicIsNotResumedWithTheRest)
{
    set->PlayMusic(kMenuSlot, kMenuTrack, MusicFade::AtOnce());
    set->PlayMusic(kLevelSlot, kLevelTrack, MusicFade::AtOnce());
    set->PauseAllMusic(true, MusicFade::AtOnce());
    set->PauseMusic(kLevelSlot, true, MusicFade::AtOnce());
    set->PauseAllMusic(false, MusicFade::AtOnce());
    EXPECT_EQ(menu->GetState(), u32{kSoundPlaying});
    EXPECT_EQ(level->GetState(), u32{kSoundPaused});
}

TEST_F(SoundSetMusicTest, StoppingAllMusicStopsEverySlot)
{
    set->PlayMusic(kMenuSlot, kMenuTrack, MusicFade::AtOnce());
    set->PlayMusic(kLevelSlot, kLevelTrack, MusicFade::AtOnce());
    set->StopAllMusic(MusicFade::Over(2.0f));
    EXPECT_EQ(menu->GetFadeState(), u32{MusicTrack::kFadeOutThenStop});
    Frames(9);
    EXPECT_EQ(set->GetMusicState(kMenuSlot), u32{kSoundStopped});
    EXPECT_EQ(set->GetMusicState(kLevelSlot), u32{kSoundStopped});
}

} // namespace
} // namespace Testing
