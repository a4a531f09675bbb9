#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/SoundUtils.h"
#include "engine/sound/Sound_DS7.h"
#include "tests/support/SoundTestBed.h"
#include "tools/SoundWriter.h"

#include <gtest/gtest.h>

using namespace Halvard;
using namespace Testing;

namespace {

class SoundTest : public SoundTestBed {
protected:
    SoundTest()
    {
        StartSound();
        WriteSound("click.wav", Tools::MakeWav(1, 22050, 16, std::string(400, '\x10')));
        WriteSound("music.wav", Tools::MakeWav(1, 22050, 16, std::string(SoundBuffer::kStreamSize + 400, '\x10')));
    }

    Sound* Make(const std::string& name)
    {
        Sound* sound = manager->CreateSound(name);
        device = driver.buffers.back();
        return sound;
    }

    FakeAudioBuffer* device = nullptr;
};

} // namespace

TEST_F(SoundTest, NewSoundIsStoppedAndHasPushedItsSettingsToTheDevice)
{
    Sound* sound = Make("click.wav");
    EXPECT_EQ(sound->GetState(), u32{kSoundStopped});
    EXPECT_EQ(device->volume, 0);
    EXPECT_EQ(device->frequency, 22050u);
    EXPECT_FALSE(sound->IsLooped());
}

TEST_F(SoundTest, PlayPauseAndStopMoveTheStateAndTheDevice)
{
    Sound* sound = Make("click.wav");
    EXPECT_TRUE(sound->Play());
    EXPECT_EQ(sound->GetState(), u32{kSoundPlaying});
    EXPECT_TRUE(device->playing);
    EXPECT_FALSE(device->looping);
    sound->Pause();
    EXPECT_EQ(sound->GetState(), u32{kSoundPaused});
    EXPECT_EQ(device->CountCalls("SetCurrentPosition 0"), 0);
    sound->Play();
    sound->Stop();
    EXPECT_EQ(sound->GetState(), u32{kSoundStopped});
    const std::vector<std::string> expected = {"Play 0", "Stop", "Play 0", "Stop", "SetCurrentPosition 0"};
    EXPECT_EQ(device->calls, expected);
}

TEST_F(SoundTest, PlayingAPlayingSoundStartsItOver)
{
    Sound* sound = Make("click.wav");
    sound->Play();
    sound->Play();
    const std::vector<std::string> expected = {"Play 0", "Stop", "SetCurrentPosition 0", "Play 0"};
    EXPECT_EQ(device->calls, expected);
    EXPECT_EQ(sound->GetState(), u32{kSoundPlaying});
}

TEST_F(SoundTest, LoopFlagReachesAPlayingStaticSoundWithoutStartingItOver)
{
    Sound* sound = Make("click.wav");
    sound->SetLooped(true);
    EXPECT_TRUE(device->calls.empty());
    sound->Play();
    sound->SetLooped(false);
    const std::vector<std::string> expected = {"Play 1", "Play 0"};
    EXPECT_EQ(device->calls, expected);
    EXPECT_FALSE(device->looping);
}

TEST_F(SoundTest, StaticSoundThatPlayedOutIsStoppedByItsUpdate)
{
    Sound* sound = Make("click.wav");
    sound->Play();
    sound->Update();
    EXPECT_EQ(sound->GetState(), u32{kSoundPlaying});
    device->Finish();
    sound->Update();
    EXPECT_EQ(sound->GetState(), u32{kSoundStopped});
}

TEST_F(SoundTest, PlayThatTheDeviceRefusesReportsFailureAndLeavesTheSoundStopped)
{
    Sound* sound = Make("music.wav");
    device->playResult = Platform::kAudioOutOfMemory;
    EXPECT_FALSE(sound->Play());
    EXPECT_EQ(sound->GetState(), u32{kSoundStopped});
    EXPECT_EQ(sound->GetBuffer()->GetStreamState(), u32{SoundBuffer::kStreamStopped});
    EXPECT_TRUE(Logged("Error: DirectSound Subsystem (SoundBuffer_DS7::Play): The DirectSound subsystem could not "
                       "allocate sufficient memory to complete the caller's request.!"));
}

TEST_F(SoundTest, LostStreamIsRestoredAndPlaysAgainFromTheStart)
{
    Sound* music = Make("music.wav");
    music->Play();
    device->PlayOut(1);
    manager->Update(true);
    device->lost = true;
    music->Update();
    EXPECT_EQ(device->CountCalls("Restore"), 1);
    EXPECT_EQ(music->GetState(), u32{kSoundPlaying});
    EXPECT_EQ(device->queued.size(), 32u);
    EXPECT_TRUE(device->playing);
}

TEST_F(SoundTest, LostPausedStreamComesBackPaused)
{
    Sound* music = Make("music.wav");
    music->Play();
    music->Pause();
    device->lost = true;
    music->Update();
    EXPECT_EQ(music->GetState(), u32{kSoundPaused});
    EXPECT_FALSE(device->playing);
}

TEST_F(SoundTest, CloneHasTheSettingsOfItsOriginalAndABufferOfItsOwn)
{
    Sound* sound = Make("click.wav");
    sound->SetLooped(true);
    sound->SetVolume(0.5f);
    sound->SetTempo(2.0f);
    sound->SetPosition(Vector3(1.0f, 2.0f, 3.0f));
    sound->Play();
    std::unique_ptr<Sound> clone = system->CloneSound(*sound);
    FakeAudioBuffer* cloneDevice = driver.buffers.back();
    EXPECT_NE(clone->GetBuffer(), sound->GetBuffer());
    EXPECT_TRUE(cloneDevice->duplicate);
    EXPECT_EQ(clone->GetState(), u32{kSoundStopped});
    EXPECT_TRUE(clone->IsLooped());
    EXPECT_EQ(clone->GetPosition().z, 3.0f);
    EXPECT_EQ(cloneDevice->volume, -693);
    EXPECT_EQ(cloneDevice->frequency, 44100u);
}
