#include "engine/core/Config.h"
#include "engine/core/Random.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundUtils.h"
#include "framework/sound/MusicTrack.h"
#include "tests/framework/sound/SoundSetBed.h"

#include <string>

using GameFramework::MusicFade;
using Halvard::u32;

namespace Testing {
namespace {

class SoundSetVolumeTest : public SoundSetBed {
protected:
    // A sound that is no music, made by someone else (as the GUI's are).
    Halvard::Sound* MakeOtherSound() { return Sounds()->CreateSound(""); }
};

TEST_F(SoundSetVolumeTest, EffectsVolumeReachesEverySoundButTheMusicAndIsClamped)
{
    Make(0.5f, 0.315f);
    set->AddSound(8, "", false, 2);
    set->AddMusic(0, "", true);
    Halvard::Sound* other = MakeOtherSound();
    Halvard::Sound* music = set->FindTrack(0)->GetSound();
    EXPECT_FLOAT_EQ(Sounds()->GetSound(0)->GetVolume(), 0.315f);
    EXPECT_FLOAT_EQ(music->GetVolume(), 0.5f);

    set->SetSoundVolume(1.7f);
    EXPECT_EQ(set->GetSoundVolume(), 1.0f);
    EXPECT_EQ(Sounds()->GetSound(1)->GetVolume(), 1.0f);
    EXPECT_EQ(other->GetVolume(), 1.0f);
    EXPECT_FLOAT_EQ(music->GetVolume(), 0.5f);
    set->SetSoundVolume(-3.0f);
    EXPECT_EQ(other->GetVolume(), 0.0f);
}

TEST_F(SoundSetVolumeTest, MusicVolumeIsEveryTracksMasterUnderItsFade)
{
    Make(0.5f, 0.315f);
    set->AddMusic(0, "", true);
    GameFramework::MusicTrack* track = set->FindTrack(0);
    set->PlayMusic(0, 0, MusicFade::Over(4.0f));
    Frames(2);
    EXPECT_NEAR(track->GetSound()->GetVolume(), 0.25f, 0.0003f);
    set->SetMusicVolume(-0.2f);
    EXPECT_EQ(set->GetMusicVolume(), 0.0f);
    EXPECT_EQ(track->GetSound()->GetVolume(), 0.0f);
    set->SetMusicVolume(2.0f);
    EXPECT_FLOAT_EQ(track->GetSound()->GetVolume(), 0.5f);
}

TEST_F(SoundSetVolumeTest, EachFrameNudgesTheSoundsButNotTheStoredVolumesWithTwoRandomDraws)
{
    Make(0.5f, 0.25f);
    set->AddMusic(0, "", true);
    Halvard::Sound* other = MakeOtherSound();
    Halvard::Sound* music = set->FindTrack(0)->GetSound();
    Halvard::SetRandomSeed(77);
    set->Update();
    const float soundNudge = other->GetVolume() - 0.25f;
    const float musicNudge = music->GetVolume() - 0.5f;
    const Halvard::i32 drawnAfter = Halvard::Random();

    Halvard::SetRandomSeed(77);
    const float expectedSound = Halvard::RandomSigned() * 0.0005f;
    const float expectedMusic = Halvard::RandomSigned() * 0.0005f;
    EXPECT_EQ(Halvard::Random(), drawnAfter);
    EXPECT_NEAR(soundNudge, expectedSound, 1e-7);
    EXPECT_NEAR(musicNudge, expectedMusic, 1e-7);
    EXPECT_EQ(set->GetSoundVolume(), 0.25f);
    EXPECT_EQ(set->GetMusicVolume(), 0.5f);
}

TEST_F(SoundSetVolumeTest, AVolumeChangedThroughTheConfigurationReachesTheSoundsNextFrame)
{
    Make();
    Halvard::Sound* other = MakeOtherSound();
    engine->GetConfig()->SetValue("g_sound_volume", "0.75");
    set->Update();
    EXPECT_NEAR(other->GetVolume(), 0.75f, 0.0006f);
    EXPECT_EQ(set->GetSoundVolume(), 0.75f);
}

TEST_F(SoundSetVolumeTest, TheIniFileKeepsBothStoredVolumesAfterARun)
{
    Make(0.285f, 0.315f);
    set->SetMusicVolume(0.5f);
    Frames(3);
    set.reset();
    engine.Stop();
    const std::string ini = engine.folder.ReadFile(FakeEngine::IniName());
    EXPECT_NE(ini.find("g_music_volume 0.500000"), std::string::npos) << ini;
    EXPECT_NE(ini.find("g_sound_volume 0.315000"), std::string::npos) << ini;
}

TEST_F(SoundSetVolumeTest, ValuesFromTheIniFileReplaceTheGivenOnesWhichStayTheDefaults)
{
    engine.folder.WriteFile(FakeEngine::IniName(), "g_sound_volume 0.25\r\ng_music_volume 0.125\r\n");
    Make(0.285f, 0.315f);
    set->AddSound(1, "", false, 1);
    set->RefreshSoundVolume();
    EXPECT_EQ(set->GetSoundVolume(), 0.25f);
    EXPECT_EQ(set->GetMusicVolume(), 0.125f);
    EXPECT_EQ(Sounds()->GetSound(0)->GetVolume(), 0.25f);
    EXPECT_FLOAT_EQ(set->GetDefaultSoundVolume(), 0.315f);
    EXPECT_FLOAT_EQ(set->GetDefaultMusicVolume(), 0.285f);
}

TEST_F(SoundSetVolumeTest, WithoutASoundDeviceEverythingIsSilentButBothVariablesExist)
{
    engine.audio.createResult = Platform::kAudioNoDriver;
    Make(0.285f, 0.315f);
    ASSERT_EQ(Sounds(), nullptr);
    Halvard::Config* config = engine->GetConfig();
    EXPECT_EQ(config->GetValue("g_music_volume"), "0.285000");
    EXPECT_EQ(config->GetValue("g_sound_volume"), "0.315000");

    set->AddSound(8, "", false, 2);
    set->AddMusic(0, "", true);
    set->PlaySound(8);
    set->PlayMusic(0, 0, MusicFade::Over(1.0f));
    set->PauseAllMusic(true, MusicFade::AtOnce());
    set->PauseAllMusic(false, MusicFade::Over(0.5f));
    set->StopAllMusic(MusicFade::AtOnce());
    set->SetSoundVolume(1.7f);
    EXPECT_EQ(set->GetSoundState(8), u32{Halvard::kSoundStopped});
    EXPECT_EQ(set->GetMusicState(0), u32{Halvard::kSoundStopped});
    EXPECT_EQ(set->FindTrack(0)->GetState(), u32{Halvard::kSoundStopped});
    EXPECT_EQ(set->GetSoundVolume(), 0.315f);

    Halvard::SetRandomSeed(5);
    set->Update();
    const Halvard::i32 drawn = Halvard::Random();
    Halvard::SetRandomSeed(5);
    EXPECT_EQ(Halvard::Random(), drawn);
    EXPECT_TRUE(engine.audio.buffers.empty());
}

} // namespace
} // namespace Testing
