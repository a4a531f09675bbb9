#include "engine/sound/Sound.h"
#include "engine/sound/SoundBufferManager.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundUtils.h"
#include "tests/support/SoundTestBed.h"
#include "tools/SoundWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Halvard;
using namespace Testing;

namespace {

class SoundManagerTest : public SoundTestBed {
protected:
    SoundManagerTest()
    {
        StartSound();
        WriteSound("click.wav", Tools::MakeWav(1, 22050, 16, std::string(400, '\x10')));
        WriteSound("music.wav", Tools::MakeWav(1, 22050, 16, std::string(SoundBuffer::kStreamSize + 400, '\x10')));
    }

    FakeAudioBuffer* DeviceOf(u32 index) const { return driver.buffers.at(index); }
};

} // namespace

TEST_F(SoundManagerTest, SecondSoundOfAStaticFileDuplicatesTheFirstWithoutReadingTheFile)
{
    Sound* first = manager->CreateSound("click.wav");
    std::filesystem::remove(folder.Native("data\\click.wav"));
    Sound* second = manager->CreateSound("CLICK.wav");
    EXPECT_NE(first->GetBuffer(), second->GetBuffer());
    EXPECT_FALSE(DeviceOf(0)->duplicate);
    EXPECT_TRUE(DeviceOf(1)->duplicate);
    EXPECT_EQ(DeviceOf(1)->memory, DeviceOf(0)->memory);
    EXPECT_EQ(second->GetBuffer()->GetDataSize(), 400u);
    EXPECT_EQ(CountErrors(), 0);
}

TEST_F(SoundManagerTest, SecondSoundOfAStreamedFileOpensTheFileAgain)
{
    manager->CreateSound("music.wav");
    std::filesystem::remove(folder.Native("data\\music.wav"));
    Sound* second = manager->CreateSound("music.wav");
    EXPECT_EQ(CountErrors(), 1);
    EXPECT_EQ(second->GetBuffer()->GetDataSize(), 8u);
}

TEST_F(SoundManagerTest, DestroyedSlotIsReusedAndItsNewSoundComesLast)
{
    Sound* a = manager->CreateSound("click.wav");
    Sound* b = manager->CreateSound("click.wav");
    Sound* c = manager->CreateSound("click.wav");
    manager->DestroySound(a);
    manager->DestroySound(nullptr);
    EXPECT_EQ(manager->GetSoundCount(), 2u);
    EXPECT_EQ(manager->GetBufferManager()->GetBufferCount(), 2u);
    Sound* d = manager->CreateSound("click.wav");
    ASSERT_EQ(manager->GetSoundCount(), 3u);
    EXPECT_EQ(manager->GetSound(0), b);
    EXPECT_EQ(manager->GetSound(1), c);
    EXPECT_EQ(manager->GetSound(2), d);
}

TEST_F(SoundManagerTest, QueuedRequestsRunInTheOrderMadeAtTheNextFlush)
{
    Sound* sound = manager->CreateSound("click.wav");
    manager->PlaySound(sound, false);
    manager->PauseSound(sound, false);
    manager->PlaySound(sound, false);
    EXPECT_EQ(sound->GetState(), u32{kSoundStopped});
    EXPECT_TRUE(DeviceOf(0)->calls.empty());
    manager->Update(true);
    const std::vector<std::string> expected = {"Play 0", "Stop", "Play 0"};
    EXPECT_EQ(DeviceOf(0)->calls, expected);
    EXPECT_EQ(sound->GetState(), u32{kSoundPlaying});
    EXPECT_EQ(manager->GetRequestCount(), 0u);
}

TEST_F(SoundManagerTest, UpdateWithoutFlushKeepsTheQueueButUpdatesSoundsAndStreams)
{
    Sound* click = manager->CreateSound("click.wav");
    Sound* music = manager->CreateSound("music.wav");
    manager->PlaySound(click, true);
    manager->PlaySound(music, true);
    manager->StopSound(music, false);
    DeviceOf(0)->Finish();
    DeviceOf(1)->PlayOut(1);
    manager->Update(false);
    EXPECT_EQ(manager->GetRequestCount(), 1u);
    EXPECT_EQ(click->GetState(), u32{kSoundStopped});
    EXPECT_EQ(DeviceOf(1)->written.size(), 33u);
    EXPECT_EQ(music->GetState(), u32{kSoundPlaying});
    manager->Update(true);
    EXPECT_EQ(music->GetState(), u32{kSoundStopped});
}

TEST_F(SoundManagerTest, DestroyedSoundsWaitingRequestsAreDropped)
{
    Sound* doomed = manager->CreateSound("click.wav");
    Sound* kept = manager->CreateSound("click.wav");
    manager->PlaySound(doomed, false);
    manager->PlaySound(kept, false);
    manager->StopSound(doomed, false);
    manager->DestroySound(doomed);
    EXPECT_EQ(manager->GetRequestCount(), 1u);
    manager->Update(true);
    EXPECT_EQ(kept->GetState(), u32{kSoundPlaying});
}

TEST_F(SoundManagerTest, RefusedPlayStopsTheFirstOtherSoundThatPlaysAndDoesNotLoopThenTriesOnce)
{
    Sound* looped = manager->CreateSound("click.wav");
    Sound* stopped = manager->CreateSound("click.wav");
    Sound* paused = manager->CreateSound("click.wav");
    Sound* playing = manager->CreateSound("click.wav");
    Sound* wanted = manager->CreateSound("click.wav");
    looped->SetLooped(true);
    manager->PlaySound(looped, true);
    manager->PlaySound(paused, true);
    manager->PauseSound(paused, true);
    manager->PlaySound(playing, true);
    DeviceOf(4)->playResult = Platform::kAudioOutOfMemory;
    manager->PlaySound(wanted, true);
    EXPECT_EQ(looped->GetState(), u32{kSoundPlaying});
    EXPECT_EQ(stopped->GetState(), u32{kSoundStopped});
    EXPECT_EQ(paused->GetState(), u32{kSoundStopped});
    EXPECT_EQ(playing->GetState(), u32{kSoundPlaying});
    EXPECT_EQ(DeviceOf(4)->CountCalls("Play 0"), 2);
}

TEST_F(SoundManagerTest, RefusedPlayWithNoSoundToStopTriesOnlyOnce)
{
    Sound* wanted = manager->CreateSound("click.wav");
    DeviceOf(0)->playResult = Platform::kAudioOutOfMemory;
    manager->PlaySound(wanted, true);
    EXPECT_EQ(DeviceOf(0)->CountCalls("Play 0"), 1);
}

TEST_F(SoundManagerTest, ManagerHandsItsBufferManagerToTheSystemAndDeletesEverything)
{
    EXPECT_EQ(system->GetSoundBufferManager(), manager->GetBufferManager());
    manager->CreateSound("click.wav");
    manager->CreateSound("music.wav");
    manager.reset();
    EXPECT_TRUE(driver.buffers.empty());
    EXPECT_EQ(system->GetSoundBufferManager(), nullptr);
}
