#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/Sound_DS7.h"
#include "tests/engine/sound/SoundFiles.h"
#include "tests/support/SoundTestBed.h"
#include "tools/SoundWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Halvard;
using namespace Testing;

namespace {

constexpr u32 kChunk = SoundBuffer::kChunkSize;
constexpr u32 kRing = SoundBuffer::kStreamSize;

// Bytes that differ from their neighbours, so that any shift shows.
std::string Pattern(u32 size)
{
    std::string bytes(size, '\0');
    for (u32 i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

class SoundBufferTest : public SoundTestBed {
protected:
    SoundBufferTest() { StartSound(); }

    // A sound of the file and the fake buffer under it.
    Sound* Make(const std::string& name, FakeAudioBuffer** device = nullptr)
    {
        Sound* sound = manager->CreateSound(name);
        if (device != nullptr)
            *device = driver.buffers.empty() ? nullptr : driver.buffers.back();
        return sound;
    }

    static SoundBuffer_DS7& BufferOf(Sound* sound) { return *static_cast<Sound_DS7*>(sound)->GetDeviceBuffer(); }

    static std::string Ring(const FakeAudioBuffer& device, u32 chunk)
    {
        return std::string(device.memory->begin() + chunk * kChunk, device.memory->begin() + (chunk + 1) * kChunk);
    }
};

} // namespace

TEST_F(SoundBufferTest, StaticSoundIsWrittenWholeOnceAndItsReaderFreed)
{
    const std::string data = Pattern(1000);
    WriteSound("click.wav", Tools::MakeWav(2, 22050, 16, data));
    FakeAudioBuffer* device = nullptr;
    Sound* sound = Make("click.wav", &device);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->desc.flags, u32{Platform::kAudioBufferStatic | Platform::kAudioBufferControlVolume |
                                      Platform::kAudioBufferControlFrequency});
    EXPECT_EQ(device->desc.size, 1000u);
    EXPECT_EQ(device->desc.format.blockAlign, 4u);
    EXPECT_EQ(device->desc.format.bytesPerSecond, 88200u);
    EXPECT_EQ(std::string(device->memory->begin(), device->memory->end()), data);
    EXPECT_FALSE(sound->GetBuffer()->HasReader());
    EXPECT_FALSE(sound->GetBuffer()->IsStreaming());
    EXPECT_EQ(CountErrors(), 0);
}

TEST_F(SoundBufferTest, ExactlyOneMebibyteIsStaticAndOneByteMoreStreams)
{
    WriteSound("exact.wav", Tools::MakeWav(1, 22050, 8, std::string(kRing, '\x80')));
    WriteSound("over.wav", Tools::MakeWav(1, 22050, 8, std::string(kRing + 1, '\x80')));
    FakeAudioBuffer* device = nullptr;
    EXPECT_FALSE(Make("exact.wav", &device)->GetBuffer()->IsStreaming());
    Sound* over = Make("over.wav", &device);
    EXPECT_TRUE(over->GetBuffer()->IsStreaming());
    EXPECT_TRUE(over->GetBuffer()->HasReader());
    EXPECT_EQ(device->desc.size, kRing);
    EXPECT_EQ(device->desc.flags & Platform::kAudioBufferStatic, 0u);
    EXPECT_TRUE(device->written.empty());
}

TEST_F(SoundBufferTest, NameIsLowerCasedBeforeTheExtensionPicksTheReader)
{
    std::vector<int16_t> samples(2 * 4410, 0);
    WriteSound("tones.ogg", Tools::EncodeOgg(2, 44100, samples));
    Sound* sound = Make("Tones.OGG");
    EXPECT_EQ(sound->GetBuffer()->GetName(), "tones.ogg");
    EXPECT_EQ(sound->GetBuffer()->GetSampleRate(), 44100u);
    EXPECT_EQ(sound->GetBuffer()->GetDataSize(), 4u * 4410u);
    EXPECT_EQ(CountErrors(), 0);
}

TEST_F(SoundBufferTest, UnreadableFilesBecomeSilenceWithTheirMessages)
{
    WriteSound("bad.wav", "not a wave file");
    Sound* unknown = Make("music.mp3");
    Sound* missing = Make("absent.wav");
    Sound* bad = Make("bad.wav");
    EXPECT_TRUE(Logged("Error: Failed to load \"music.mp3\" sound file - unknown type!"));
    EXPECT_TRUE(Logged("Error: Failed to load \"data\\bad.wav\" sound file - no RIFF header!"));
    EXPECT_EQ(CountErrors(), 3);
    for (Sound* sound : {unknown, missing, bad}) {
        EXPECT_EQ(sound->GetBuffer()->GetDataSize(), 8u);
        EXPECT_EQ(sound->GetBuffer()->GetBitsPerSample(), 8u);
        EXPECT_EQ(sound->GetBuffer()->GetSampleRate(), 22050u);
    }
    FakeAudioBuffer* device = nullptr;
    Make("", &device);
    EXPECT_EQ(CountErrors(), 3);
    EXPECT_EQ(*device->memory, std::vector<u8>(8, 128));
}

TEST_F(SoundBufferTest, StaticDataThatComesUpShortIsLoggedAndEndsInSilence)
{
    std::vector<int16_t> noise;
    for (u32 i = 0; i < 22050 * 4; ++i)
        noise.push_back(static_cast<int16_t>((i * 2654435761u) >> 20));
    const std::string ogg = Tools::EncodeOgg(1, 22050, noise);
    WriteSound("damaged.ogg", InsertHoles(ogg, 40));
    FakeAudioBuffer* device = nullptr;
    Make("damaged.ogg", &device);
    EXPECT_TRUE(Logged("Error: \"damaged.ogg\" sound file - incorrect format!"));
    EXPECT_EQ(device->memory->back(), 0);
}

TEST_F(SoundBufferTest, BufferTheDeviceCannotMakeStaysSilentAndNeverPlays)
{
    WriteSound("click.wav", Tools::MakeWav(1, 22050, 16, Pattern(100)));
    driver.bufferResult = Platform::kAudioOutOfMemory;
    Sound* sound = Make("click.wav");
    EXPECT_TRUE(Logged("Error: Sound System: DirectSound buffers overflow!"));
    EXPECT_FALSE(BufferOf(sound).HasDeviceBuffer());
    EXPECT_TRUE(sound->Play());
    EXPECT_FALSE(BufferOf(sound).IsPlaying());
    sound->Update();
    EXPECT_EQ(sound->GetState(), 2u);
}

TEST_F(SoundBufferTest, TempoScalesTheRateTruncatedAndVolumeNeverAmplifies)
{
    WriteSound("click.wav", Tools::MakeWav(1, 22050, 16, Pattern(100)));
    FakeAudioBuffer* device = nullptr;
    Sound* sound = Make("click.wav", &device);
    EXPECT_EQ(device->frequency, 22050u);
    sound->SetTempo(1.5f);
    EXPECT_EQ(device->frequency, 33075u);
    sound->SetTempo(0.3333f);
    EXPECT_EQ(device->frequency, 7349u);
    // A tempo of 0 or below has no rate of its own; the sound keeps its own.
    sound->SetTempo(-1.0f);
    EXPECT_EQ(device->frequency, Platform::kAudioFrequencyOriginal);
    // A rate no device plays, from a damaged file, is handed on whole for
    // the device to refuse, whatever the tempo.
    WriteSound("beyond.wav", Tools::MakeWav(1, 0xFFFFFFFFu, 16, Pattern(100)));
    FakeAudioBuffer* beyond = nullptr;
    Sound* fast = Make("beyond.wav", &beyond);
    for (float tempo : {1.0f, 1.5f, std::numeric_limits<float>::infinity()}) {
        fast->SetTempo(tempo);
        EXPECT_EQ(beyond->frequency, std::numeric_limits<Halvard::u32>::max()) << tempo;
    }
    sound->SetVolume(0.5f);
    EXPECT_EQ(device->volume, -693);
    sound->SetVolume(2.0f);
    EXPECT_EQ(device->volume, 0);
    EXPECT_EQ(CountErrors(), 0);
}

TEST_F(SoundBufferTest, WithThreeDOnlyMonoSoundsGetAPlaceAndItWaitsForTheRefresh)
{
    manager.reset();
    system.reset();
    StartSound(true);
    WriteSound("mono.wav", Tools::MakeWav(1, 22050, 16, Pattern(100)));
    WriteSound("stereo.wav", Tools::MakeWav(2, 22050, 16, Pattern(100)));
    FakeAudioBuffer* mono = nullptr;
    FakeAudioBuffer* stereo = nullptr;
    Sound* placed = Make("mono.wav", &mono);
    Make("stereo.wav", &stereo);
    EXPECT_TRUE(mono->has3DBuffer);
    EXPECT_NE(mono->desc.flags & Platform::kAudioBufferControl3D, 0u);
    EXPECT_FALSE(stereo->has3DBuffer);
    EXPECT_EQ(stereo->desc.flags & Platform::kAudioBufferControl3D, 0u);
    placed->SetPosition(Vector3(4.0f, 0.0f, 2.0f));
    EXPECT_FALSE(mono->place.has_value());
    system->Refresh();
    ASSERT_TRUE(mono->place.has_value());
    EXPECT_EQ(mono->place->x, 4.0f);
    EXPECT_EQ(mono->place->z, 2.0f);
}

TEST_F(SoundBufferTest, MissingThreeDBufferIsLoggedAndTheSoundStillPlays)
{
    manager.reset();
    system.reset();
    StartSound(true);
    driver.placeResult = Platform::kAudioNoInterface;
    WriteSound("mono.wav", Tools::MakeWav(1, 22050, 16, Pattern(100)));
    FakeAudioBuffer* device = nullptr;
    Sound* sound = Make("mono.wav", &device);
    EXPECT_TRUE(Logged("Error: Sound System: Failed to get the 3D buffer from the secondary buffer!"));
    EXPECT_TRUE(sound->Play());
    EXPECT_TRUE(device->playing);
}

TEST_F(SoundBufferTest, FirstPlayOfAStreamFillsEveryChunkFromTheStart)
{
    const std::string data = Pattern(kRing + 40000);
    WriteSound("music.wav", Tools::MakeWav(2, 22050, 16, data));
    FakeAudioBuffer* device = nullptr;
    Sound* music = Make("music.wav", &device);
    ASSERT_TRUE(music->Play());
    ASSERT_EQ(device->written.size(), 32u);
    for (u32 i = 0; i < 32; ++i) {
        EXPECT_EQ(device->written[i].offset, i * kChunk);
        EXPECT_EQ(device->written[i].size, kChunk);
    }
    EXPECT_EQ(std::string(device->memory->begin(), device->memory->end()), data.substr(0, kRing));
    EXPECT_EQ(device->calls.back(), "Play 1");
}

TEST_F(SoundBufferTest, PlayedChunksAreRefilledWithTheDataThatFollows)
{
    const std::string data = Pattern(kRing + 40000);
    WriteSound("music.wav", Tools::MakeWav(2, 22050, 16, data));
    FakeAudioBuffer* device = nullptr;
    Sound* music = Make("music.wav", &device);
    music->Play();
    device->PlayOut(2);
    manager->Update(true);
    ASSERT_EQ(device->written.size(), 34u);
    EXPECT_EQ(device->written[32].offset, 0u);
    EXPECT_EQ(device->written[33].offset, kChunk);
    EXPECT_EQ(BufferOf(music).GetBytesPlayed(), 2u * kChunk);
    EXPECT_EQ(Ring(*device, 0), data.substr(kRing, kChunk));
    // The data ends inside the second chunk; silence follows it.
    EXPECT_EQ(Ring(*device, 1).substr(0, 40000 - kChunk), data.substr(kRing + kChunk));
    EXPECT_EQ(Ring(*device, 1).substr(40000 - kChunk), std::string(2 * kChunk - 40000, '\0'));
}

TEST_F(SoundBufferTest, LoopingStreamStartsItsDataAgainInsideAChunk)
{
    const std::string data = Pattern(kRing + 40000);
    WriteSound("music.wav", Tools::MakeWav(2, 22050, 16, data));
    FakeAudioBuffer* device = nullptr;
    Sound* music = Make("music.wav", &device);
    music->SetLooped(true);
    music->Play();
    device->PlayOut(2);
    manager->Update(true);
    const std::string expected = data.substr(kRing + kChunk) + data.substr(0, 2 * kChunk - 40000);
    EXPECT_EQ(Ring(*device, 1), expected);
}

TEST_F(SoundBufferTest, StreamThatDoesNotLoopStopsOnceItsBytesPassTheDataByMoreThanAChunk)
{
    // 33 chunks of data and 100 bytes.
    WriteSound("music.wav", Tools::MakeWav(1, 22050, 8, Pattern(33 * kChunk + 100)));
    FakeAudioBuffer* device = nullptr;
    Sound* music = Make("music.wav", &device);
    music->Play();
    for (int frame = 0; frame < 34; ++frame) {
        device->PlayOut(1);
        manager->Update(true);
    }
    EXPECT_FALSE(BufferOf(music).HasEnded());
    EXPECT_EQ(music->GetState(), 0u);
    device->PlayOut(1);
    manager->Update(true);
    EXPECT_TRUE(BufferOf(music).HasEnded());
    EXPECT_FALSE(device->playing);
    manager->Update(true);
    EXPECT_EQ(music->GetState(), 2u);
    // An 8-bit stream pads with the middle value.
    EXPECT_EQ(device->memory->at(2 * kChunk + 200), 128);
}

TEST_F(SoundBufferTest, PausedStreamResumesWithoutRefillingAndStoppedOneRefillsFromTheStart)
{
    const std::string data = Pattern(kRing + 40000);
    WriteSound("music.wav", Tools::MakeWav(2, 22050, 16, data));
    FakeAudioBuffer* device = nullptr;
    Sound* music = Make("music.wav", &device);
    music->Play();
    device->PlayOut(3);
    manager->Update(true);
    music->Pause();
    music->Play();
    EXPECT_EQ(device->written.size(), 35u);
    EXPECT_EQ(music->GetBuffer()->GetStreamState(), u32{SoundBuffer::kStreamPlaying});
    music->Stop();
    EXPECT_EQ(device->CountCalls("SetCurrentPosition 0"), 1);
    EXPECT_EQ(BufferOf(music).GetBytesPlayed(), 0u);
    music->Play();
    ASSERT_EQ(device->written.size(), 67u);
    EXPECT_EQ(device->written[35].offset, 0u);
    EXPECT_EQ(Ring(*device, 0), data.substr(0, kChunk));
    EXPECT_EQ(device->queued.size(), 32u);
}
