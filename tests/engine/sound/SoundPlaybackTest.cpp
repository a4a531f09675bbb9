#include "engine/core/Config.h"
#include "engine/core/Window.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundUtils.h"
#include "platform/audio/OpenALDriver.h"
#include "tests/support/SoundTestBed.h"
#include "tests/support/FakeWindowSystem.h"
#include "tests/support/ScopedWindowSystem.h"
#include "tools/SoundWriter.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Halvard;
using namespace Testing;

namespace {

// Left samples count up frame by frame, right ones are their negatives, so
// every frame and both channels are told apart.
int16_t Left(uint32_t frame) { return static_cast<int16_t>(static_cast<int32_t>(frame % 65536) - 32768); }
int16_t Right(uint32_t frame) { return static_cast<int16_t>(-1 - Left(frame)); }

std::string Frames(uint32_t count)
{
    std::vector<int16_t> samples;
    for (uint32_t i = 0; i < count; ++i) {
        samples.push_back(Left(i));
        samples.push_back(Right(i));
    }
    return Tools::Pcm16(samples);
}

struct Frame {
    float left;
    float right;
};

// The sound system on OpenAL Soft's loopback device, which mixes only when
// the test renders, so what plays can be compared sample by sample.
class SoundPlaybackTest : public SoundTestBed {
protected:
    SoundPlaybackTest()
        : loopback(Platform::OpenALDriver::CreateLoopback()), scopedLoopback(*loopback),
          scopedWindows(windows),
          config(&messages, &files, {.folder = folder.Internal(), .name = "Test", .videoMode = "800x600x32"}),
          window(&messages, &config, {.title = "Test", .width = 320, .height = 240})
    {
        system = std::make_unique<SoundSystem_DS7>(&messages, &files, &window, false);
        manager = std::make_unique<SoundManager>(&messages, &files, system.get());
    }

    // Mixes the frames in pieces, each followed by the engine's end of frame.
    std::vector<Frame> Run(uint32_t count, uint32_t piece = 2048)
    {
        std::vector<Frame> out;
        std::vector<float> floats;
        while (out.size() < count) {
            const uint32_t now = std::min<uint32_t>(piece, count - static_cast<uint32_t>(out.size()));
            floats.assign(2 * now, 0.0f);
            EXPECT_TRUE(loopback->Render(floats.data(), now));
            for (uint32_t i = 0; i < now; ++i)
                out.push_back({floats[2 * i] * 32768.0f, floats[2 * i + 1] * 32768.0f});
            system->Refresh();
            manager->Update(true);
        }
        return out;
    }

    // The first frame from which the output differs from the sound's frames
    // counted from start; count when none does.
    static uint32_t FirstMismatch(const std::vector<Frame>& out, uint32_t from, uint32_t count, uint32_t start)
    {
        for (uint32_t i = 0; i < count; ++i) {
            const Frame& frame = out[from + i];
            if (frame.left != Left(start + i) || frame.right != Right(start + i))
                return i;
        }
        return count;
    }

    static bool Silent(const std::vector<Frame>& out, uint32_t from, uint32_t count)
    {
        for (uint32_t i = from; i < from + count; ++i) {
            if (out[i].left != 0.0f || out[i].right != 0.0f)
                return false;
        }
        return true;
    }

    std::unique_ptr<Platform::OpenALDriver> loopback;
    ScopedAudioDriver scopedLoopback;
    FakeWindowSystem windows;
    ScopedWindowSystem scopedWindows;
    Config config;
    Window window;
};

constexpr uint32_t kStreamFrames = (SoundBuffer::kStreamSize + 3 * SoundBuffer::kChunkSize) / 4;

} // namespace

TEST_F(SoundPlaybackTest, StaticSoundPlaysItsSamplesOnceThenStops)
{
    WriteSound("click.wav", Tools::MakeWav(2, 22050, 16, Frames(500)));
    Sound* click = manager->CreateSound("click.wav");
    manager->PlaySound(click, true);
    const std::vector<Frame> out = Run(1000, 600);
    EXPECT_EQ(FirstMismatch(out, 0, 500, 0), 500u);
    EXPECT_TRUE(Silent(out, 500, 500));
    EXPECT_EQ(click->GetState(), u32{kSoundStopped});
}

TEST_F(SoundPlaybackTest, LoopedStaticSoundStartsAgainAtItsEnd)
{
    WriteSound("hum.wav", Tools::MakeWav(2, 22050, 16, Frames(500)));
    Sound* hum = manager->CreateSound("hum.wav");
    hum->SetLooped(true);
    manager->PlaySound(hum, false);
    manager->Update(true);
    const std::vector<Frame> out = Run(1500);
    EXPECT_EQ(FirstMismatch(out, 0, 500, 0), 500u);
    EXPECT_EQ(FirstMismatch(out, 500, 500, 0), 500u);
    EXPECT_EQ(FirstMismatch(out, 1000, 500, 0), 500u);
    EXPECT_EQ(hum->GetState(), u32{kSoundPlaying});
}

TEST_F(SoundPlaybackTest, StreamedSoundPlaysAllItsDataInOrderThenStops)
{
    WriteSound("music.wav", Tools::MakeWav(2, 22050, 16, Frames(kStreamFrames)));
    Sound* music = manager->CreateSound("music.wav");
    ASSERT_TRUE(music->GetBuffer()->IsStreaming());
    manager->PlaySound(music, true);
    const std::vector<Frame> out = Run(kStreamFrames + 40000);
    EXPECT_EQ(FirstMismatch(out, 0, kStreamFrames, 0), kStreamFrames);
    EXPECT_TRUE(Silent(out, kStreamFrames, 40000));
    EXPECT_EQ(music->GetState(), u32{kSoundStopped});
}

TEST_F(SoundPlaybackTest, PausedStreamResumesWhereItPaused)
{
    WriteSound("music.wav", Tools::MakeWav(2, 22050, 16, Frames(kStreamFrames)));
    Sound* music = manager->CreateSound("music.wav");
    manager->PlaySound(music, true);
    Run(100000);
    manager->PauseSound(music, true);
    EXPECT_TRUE(Silent(Run(5000), 0, 5000));
    EXPECT_EQ(music->GetState(), u32{kSoundPaused});
    manager->PlaySound(music, true);
    const std::vector<Frame> out = Run(50000);
    EXPECT_EQ(FirstMismatch(out, 0, 50000, 100000), 50000u);
}

TEST_F(SoundPlaybackTest, StoppedSoundsPlayAgainFromTheirStart)
{
    WriteSound("music.wav", Tools::MakeWav(2, 22050, 16, Frames(kStreamFrames)));
    WriteSound("click.wav", Tools::MakeWav(2, 22050, 16, Frames(5000)));
    Sound* music = manager->CreateSound("music.wav");
    Sound* click = manager->CreateSound("click.wav");
    manager->PlaySound(music, true);
    Run(70000);
    manager->StopSound(music, true);
    EXPECT_TRUE(Silent(Run(3000), 0, 3000));
    manager->PlaySound(music, true);
    EXPECT_EQ(FirstMismatch(Run(70000), 0, 70000, 0), 70000u);
    manager->StopSound(music, true);
    manager->PlaySound(click, true);
    Run(1200);
    manager->StopSound(click, true);
    manager->PlaySound(click, true);
    EXPECT_EQ(FirstMismatch(Run(4000), 0, 4000, 0), 4000u);
}


TEST_F(SoundPlaybackTest, PausedStaticSoundResumesWhereItPaused)
{
    WriteSound("click.wav", Tools::MakeWav(2, 22050, 16, Frames(3000)));
    Sound* click = manager->CreateSound("click.wav");
    manager->PlaySound(click, true);
    Run(1000, 500);
    manager->PauseSound(click, true);
    EXPECT_TRUE(Silent(Run(700), 0, 700));
    EXPECT_EQ(click->GetState(), u32{kSoundPaused});
    manager->PlaySound(click, true);
    const std::vector<Frame> out = Run(2500, 500);
    EXPECT_EQ(FirstMismatch(out, 0, 2000, 1000), 2000u);
    EXPECT_TRUE(Silent(out, 2000, 500));
    EXPECT_EQ(click->GetState(), u32{kSoundStopped});
}

TEST_F(SoundPlaybackTest, LoopFlagSetWhileAStaticSoundPlaysTakesEffectWithoutStartingItOver)
{
    WriteSound("hum.wav", Tools::MakeWav(2, 22050, 16, Frames(500)));
    Sound* hum = manager->CreateSound("hum.wav");
    manager->PlaySound(hum, true);
    Run(200, 200);
    hum->SetLooped(true);
    const std::vector<Frame> out = Run(1300, 100);
    EXPECT_EQ(FirstMismatch(out, 0, 300, 200), 300u);
    EXPECT_EQ(FirstMismatch(out, 300, 500, 0), 500u);
    EXPECT_EQ(FirstMismatch(out, 800, 500, 0), 500u);
    hum->SetLooped(false);
    const std::vector<Frame> rest = Run(1000, 100);
    EXPECT_EQ(FirstMismatch(rest, 0, 500, 0), 500u);
    EXPECT_TRUE(Silent(rest, 500, 500));
    EXPECT_EQ(hum->GetState(), u32{kSoundStopped});
}

TEST_F(SoundPlaybackTest, LoopedStreamStartsItsDataAgainWithoutAGap)
{
    WriteSound("music.wav", Tools::MakeWav(2, 22050, 16, Frames(kStreamFrames)));
    Sound* music = manager->CreateSound("music.wav");
    music->SetLooped(true);
    manager->PlaySound(music, true);
    const std::vector<Frame> out = Run(kStreamFrames + 30000);
    EXPECT_EQ(FirstMismatch(out, 0, kStreamFrames, 0), kStreamFrames);
    EXPECT_EQ(FirstMismatch(out, kStreamFrames, 30000, 0), 30000u);
    EXPECT_EQ(music->GetState(), u32{kSoundPlaying});
}

TEST_F(SoundPlaybackTest, StreamThatRanDryWhileNothingRefilledItGoesOnWhereItsDataLeftOff)
{
    constexpr uint32_t kRingFrames = SoundBuffer::kStreamSize / 4;
    WriteSound("music.wav", Tools::MakeWav(2, 22050, 16, Frames(kStreamFrames)));
    Sound* music = manager->CreateSound("music.wav");
    manager->PlaySound(music, true);
    // One long stall: the whole ring plays out and the device runs dry.
    const std::vector<Frame> stalled = Run(kRingFrames + 5000, kRingFrames + 5000);
    EXPECT_EQ(FirstMismatch(stalled, 0, kRingFrames, 0), kRingFrames);
    EXPECT_TRUE(Silent(stalled, kRingFrames, 5000));
    EXPECT_EQ(music->GetState(), u32{kSoundPlaying});
    const uint32_t left = kStreamFrames - kRingFrames;
    const std::vector<Frame> out = Run(left + 40000);
    EXPECT_EQ(FirstMismatch(out, 0, left, kRingFrames), left);
    EXPECT_TRUE(Silent(out, left, 40000));
    EXPECT_EQ(music->GetState(), u32{kSoundStopped});
}

TEST_F(SoundPlaybackTest, VolumeScalesTheSamplesAndNeverAmplifies)
{
    WriteSound("click.wav", Tools::MakeWav(2, 22050, 16, Frames(1000)));
    Sound* click = manager->CreateSound("click.wav");
    click->SetVolume(2.0f);
    manager->PlaySound(click, true);
    EXPECT_EQ(FirstMismatch(Run(1000, 1000), 0, 1000, 0), 1000u);
    click->SetVolume(0.5f);
    manager->PlaySound(click, true);
    const std::vector<Frame> out = Run(1000, 1000);
    // 0.5 is -693 hundredths of a decibel.
    const float gain = std::pow(10.0f, -693.0f / 2000.0f);
    for (uint32_t i = 200; i < 1000; i += 97)
        EXPECT_NEAR(out[i].left, Left(i) * gain, 1.0f) << i;
}

TEST_F(SoundPlaybackTest, PlaceOfAMonoSoundIsHeardFromTheSystemsNextRefresh)
{
    manager.reset();
    system = std::make_unique<SoundSystem_DS7>(&messages, &files, &window, true);
    manager = std::make_unique<SoundManager>(&messages, &files, system.get());
    WriteSound("hum.wav", Tools::MakeWav(1, 22050, 16, Tools::Pcm16(std::vector<int16_t>(2000, 12000))));
    Sound* hum = manager->CreateSound("hum.wav");
    hum->SetLooped(true);
    manager->PlaySound(hum, true);
    Run(1000, 1000);
    hum->SetPosition(Vector3(1.0f, 0.0f, 0.0f));
    std::vector<float> floats(2 * 1000);
    ASSERT_TRUE(loopback->Render(floats.data(), 1000));
    EXPECT_FLOAT_EQ(floats[1998], floats[1999]);
    system->Refresh();
    // The reset listener looks along -z, so +x lies on its left.
    const Frame after = Run(1000, 1000).back();
    EXPECT_GT(after.left, 2.0f * after.right);
}
