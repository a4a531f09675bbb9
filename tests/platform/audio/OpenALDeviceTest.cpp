#include "platform/audio/OpenALDevice.h"
#include "platform/audio/OpenALDriver.h"
#include "platform/audio/OpenALStaticBuffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

using namespace Platform;

namespace {

AudioFormat Format(uint32_t channels, uint32_t rate, uint32_t bits)
{
    const uint32_t block = channels * bits / 8;
    return {channels, rate, bits, block, rate * block};
}

// Stereo frames whose left sample counts up in steps of 256 and whose right
// one is its negative, so every frame and both channels can be told apart.
std::vector<int16_t> Ramp(uint32_t frames, int16_t start = 256)
{
    std::vector<int16_t> samples;
    for (uint32_t i = 0; i < frames; ++i) {
        const auto value = static_cast<int16_t>(start + static_cast<int16_t>(i) * 256);
        samples.push_back(value);
        samples.push_back(static_cast<int16_t>(-value));
    }
    return samples;
}

struct Frame {
    float left;
    float right;
};

class OpenALDeviceTest : public ::testing::Test {
protected:
    OpenALDeviceTest() : driver(OpenALDriver::CreateLoopback())
    {
        EXPECT_EQ(driver->CreateDevice(device), kAudioOk);
        EXPECT_EQ(device->SetCooperativeLevel(&window, kAudioCooperationPriority), kAudioOk);
        EXPECT_EQ(device->CreatePrimaryBuffer(true, primary), kAudioOk);
        EXPECT_EQ(primary->SetFormat(Format(2, 22050, 16)), kAudioOk);
    }

    std::unique_ptr<AudioBuffer> MakeBuffer(uint32_t flags, uint32_t size, const AudioFormat& format)
    {
        std::unique_ptr<AudioBuffer> buffer;
        EXPECT_EQ(device->CreateBuffer({flags, size, format}, buffer), kAudioOk);
        return buffer;
    }

    static void Write(AudioBuffer& buffer, uint32_t offset, const void* bytes, uint32_t size)
    {
        AudioLock lock;
        ASSERT_EQ(buffer.Lock(offset, size, lock), kAudioOk);
        std::memcpy(lock.first, bytes, lock.firstSize);
        if (lock.secondSize > 0)
            std::memcpy(lock.second, static_cast<const uint8_t*>(bytes) + lock.firstSize, lock.secondSize);
        ASSERT_EQ(buffer.Unlock(lock), kAudioOk);
    }

    std::unique_ptr<AudioBuffer> StaticStereo(const std::vector<int16_t>& samples)
    {
        const auto size = static_cast<uint32_t>(samples.size() * 2);
        auto buffer = MakeBuffer(kAudioBufferStatic | kAudioBufferControlVolume | kAudioBufferControlFrequency,
                                 size, Format(2, 22050, 16));
        Write(*buffer, 0, samples.data(), size);
        return buffer;
    }

    // Output frames scaled back to 16-bit sample units.
    std::vector<Frame> Render(uint32_t count)
    {
        std::vector<float> floats(count * 2);
        EXPECT_TRUE(driver->Render(floats.data(), count));
        std::vector<Frame> frames;
        for (uint32_t i = 0; i < count; ++i)
            frames.push_back({floats[2 * i] * 32768.0f, floats[2 * i + 1] * 32768.0f});
        return frames;
    }

    static bool IsPlaying(AudioBuffer& buffer)
    {
        uint32_t status = 0;
        EXPECT_EQ(buffer.GetStatus(status), kAudioOk);
        return (status & kAudioStatusPlaying) != 0;
    }

    // Stands in for the program window, which the device only asks for.
    int window = 0;
    std::unique_ptr<OpenALDriver> driver;
    std::unique_ptr<AudioDevice> device;
    std::unique_ptr<AudioPrimaryBuffer> primary;
};

} // namespace

TEST_F(OpenALDeviceTest, StaticStereoBufferPlaysItsSamplesExactlyOnceThenStops)
{
    const std::vector<int16_t> samples = Ramp(64);
    auto buffer = StaticStereo(samples);
    ASSERT_EQ(buffer->Play(false), kAudioOk);
    EXPECT_TRUE(IsPlaying(*buffer));
    const std::vector<Frame> out = Render(80);
    for (uint32_t i = 0; i < 64; ++i) {
        ASSERT_EQ(out[i].left, samples[2 * i]) << i;
        ASSERT_EQ(out[i].right, samples[2 * i + 1]) << i;
    }
    for (uint32_t i = 64; i < 80; ++i)
        ASSERT_EQ(out[i].left, 0.0f) << i;
    EXPECT_FALSE(IsPlaying(*buffer));
}

TEST_F(OpenALDeviceTest, PrimaryFormatSetsTheRateTheDeviceMixesAt)
{
    primary.reset();
    std::unique_ptr<AudioPrimaryBuffer> other;
    ASSERT_EQ(device->CreatePrimaryBuffer(false, other), kAudioOk);
    ASSERT_EQ(other->SetFormat(Format(2, 44100, 16)), kAudioOk);
    const std::vector<int16_t> samples = Ramp(32);
    auto buffer = MakeBuffer(kAudioBufferStatic, 128, Format(2, 44100, 16));
    Write(*buffer, 0, samples.data(), 128);
    ASSERT_EQ(buffer->Play(false), kAudioOk);
    const std::vector<Frame> out = Render(32);
    for (uint32_t i = 0; i < 32; ++i)
        ASSERT_EQ(out[i].left, samples[2 * i]) << i;
    // Voices exist now, so the rate cannot change under them.
    EXPECT_EQ(other->SetFormat(Format(2, 22050, 16)), kAudioInvalidCall);
}

TEST_F(OpenALDeviceTest, VolumeIsGainOfTenToTheHundredthsOverTwoThousandAndNeverAmplifies)
{
    const std::vector<int16_t> samples = Ramp(16);
    auto buffer = StaticStereo(samples);
    ASSERT_EQ(buffer->SetVolume(-693), kAudioOk);
    EXPECT_EQ(buffer->SetVolume(1), kAudioInvalidParam);
    EXPECT_EQ(buffer->SetVolume(-10001), kAudioInvalidParam);
    ASSERT_EQ(buffer->Play(false), kAudioOk);
    const std::vector<Frame> out = Render(16);
    const float gain = std::pow(10.0f, -693.0f / 2000.0f);
    for (uint32_t i = 0; i < 16; ++i)
        ASSERT_NEAR(out[i].left, samples[2 * i] * gain, 0.01f) << i;
}

TEST_F(OpenALDeviceTest, FrequencyBecomesThePitchAgainstTheBuffersOwnRate)
{
    const std::vector<int16_t> samples = Ramp(64);
    auto buffer = StaticStereo(samples);
    ASSERT_EQ(buffer->SetFrequency(44100), kAudioOk);
    EXPECT_EQ(buffer->SetFrequency(99), kAudioInvalidParam);
    ASSERT_EQ(buffer->Play(false), kAudioOk);
    const std::vector<Frame> out = Render(40);
    for (uint32_t i = 0; i < 31; ++i)
        ASSERT_EQ(out[i].left, samples[4 * i]) << i;
    EXPECT_FALSE(IsPlaying(*buffer));
}

TEST_F(OpenALDeviceTest, PlayingAPlayingBufferOnlyTakesTheLoopFlag)
{
    const std::vector<int16_t> samples = Ramp(32);
    auto buffer = StaticStereo(samples);
    ASSERT_EQ(buffer->Play(false), kAudioOk);
    Render(16);
    ASSERT_EQ(buffer->Play(true), kAudioOk);
    const std::vector<Frame> out = Render(48);
    for (uint32_t i = 0; i < 48; ++i)
        ASSERT_EQ(out[i].left, samples[2 * ((16 + i) % 32)]) << i;
    EXPECT_TRUE(IsPlaying(*buffer));
}

TEST_F(OpenALDeviceTest, StopKeepsThePositionAndPositionZeroStartsOver)
{
    const std::vector<int16_t> samples = Ramp(32);
    auto buffer = StaticStereo(samples);
    ASSERT_EQ(buffer->Play(false), kAudioOk);
    Render(10);
    ASSERT_EQ(buffer->Stop(), kAudioOk);
    EXPECT_FALSE(IsPlaying(*buffer));
    EXPECT_EQ(Render(4)[0].left, 0.0f);
    ASSERT_EQ(buffer->Play(false), kAudioOk);
    EXPECT_EQ(Render(1)[0].left, samples[2 * 10]);
    ASSERT_EQ(buffer->Stop(), kAudioOk);
    ASSERT_EQ(buffer->SetCurrentPosition(0), kAudioOk);
    ASSERT_EQ(buffer->Play(false), kAudioOk);
    EXPECT_EQ(Render(1)[0].left, samples[0]);
}

TEST_F(OpenALDeviceTest, DuplicatesShareOneSampleBufferAndMixTogether)
{
    const std::vector<int16_t> samples = Ramp(16);
    auto buffer = StaticStereo(samples);
    std::unique_ptr<AudioBuffer> copy;
    ASSERT_EQ(device->DuplicateBuffer(*buffer, copy), kAudioOk);
    auto& original = dynamic_cast<OpenALStaticBuffer&>(*buffer);
    EXPECT_EQ(original.GetShareCount(), 2);
    ASSERT_EQ(buffer->Play(false), kAudioOk);
    ASSERT_EQ(copy->Play(false), kAudioOk);
    const std::vector<Frame> out = Render(16);
    for (uint32_t i = 0; i < 16; ++i)
        ASSERT_EQ(out[i].left, 2.0f * samples[2 * i]) << i;
    copy.reset();
    EXPECT_EQ(original.GetShareCount(), 1);
}

TEST_F(OpenALDeviceTest, SharedSamplesGoWithTheLastBufferThatPlaysThem)
{
    auto original = StaticStereo(Ramp(32));
    std::unique_ptr<AudioBuffer> copy;
    ASSERT_EQ(device->DuplicateBuffer(*original, copy), kAudioOk);
    const ALuint samples = static_cast<OpenALStaticBuffer&>(*original).GetSampleBuffer();
    ASSERT_EQ(copy->Play(true), kAudioOk);
    Render(16);
    original.reset();
    EXPECT_TRUE(alIsBuffer(samples));
    EXPECT_EQ(Render(1)[0].left, Ramp(32)[2 * 16]);
    copy.reset();
    EXPECT_FALSE(alIsBuffer(samples));
}

TEST_F(OpenALDeviceTest, StreamPlaysWrittenRegionsInOrderAndHandsThemBackWhenPlayed)
{
    auto stream = MakeBuffer(0, 1024, Format(2, 22050, 16));
    const std::vector<int16_t> first = Ramp(64);
    const std::vector<int16_t> second = Ramp(64, -20000);
    Write(*stream, 512, first.data(), 256);
    Write(*stream, 0, second.data(), 256);
    ASSERT_EQ(stream->Play(false), kAudioOk);
    const std::vector<Frame> out = Render(100);
    for (uint32_t i = 0; i < 64; ++i)
        ASSERT_EQ(out[i].left, first[2 * i]) << i;
    for (uint32_t i = 64; i < 100; ++i)
        ASSERT_EQ(out[i].left, second[2 * (i - 64)]) << i;
    std::vector<AudioRegion> played;
    ASSERT_EQ(stream->TakePlayedRegions(played), kAudioOk);
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].offset, 512u);
    EXPECT_EQ(played[0].size, 256u);
    ASSERT_EQ(stream->TakePlayedRegions(played), kAudioOk);
    EXPECT_TRUE(played.empty());
}

TEST_F(OpenALDeviceTest, StreamThatRanDryStaysPlayingAndGoesOnWithTheNextRegion)
{
    auto stream = MakeBuffer(0, 1024, Format(2, 22050, 16));
    const std::vector<int16_t> first = Ramp(16);
    const std::vector<int16_t> second = Ramp(16, 8192);
    Write(*stream, 0, first.data(), 64);
    ASSERT_EQ(stream->Play(false), kAudioOk);
    Render(40);
    EXPECT_TRUE(IsPlaying(*stream));
    Write(*stream, 64, second.data(), 64);
    const std::vector<Frame> out = Render(16);
    for (uint32_t i = 0; i < 16; ++i)
        ASSERT_EQ(out[i].left, second[2 * i]) << i;
    std::vector<AudioRegion> played;
    ASSERT_EQ(stream->TakePlayedRegions(played), kAudioOk);
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].offset, 0u);
    EXPECT_EQ(played[1].offset, 64u);
}

TEST_F(OpenALDeviceTest, StreamRewoundToZeroForgetsWhatWasQueued)
{
    auto stream = MakeBuffer(0, 1024, Format(2, 22050, 16));
    const std::vector<int16_t> samples = Ramp(64);
    Write(*stream, 0, samples.data(), 256);
    ASSERT_EQ(stream->Play(false), kAudioOk);
    Render(8);
    ASSERT_EQ(stream->Stop(), kAudioOk);
    EXPECT_FALSE(IsPlaying(*stream));
    ASSERT_EQ(stream->SetCurrentPosition(0), kAudioOk);
    EXPECT_EQ(stream->SetCurrentPosition(4), kAudioInvalidParam);
    ASSERT_EQ(stream->Play(false), kAudioOk);
    EXPECT_EQ(Render(8)[4].left, 0.0f);
    Write(*stream, 256, samples.data(), 256);
    EXPECT_EQ(Render(1)[0].left, samples[0]);
    std::vector<AudioRegion> played;
    ASSERT_EQ(stream->TakePlayedRegions(played), kAudioOk);
    EXPECT_TRUE(played.empty());
}

TEST_F(OpenALDeviceTest, RegionsWrittenAcrossTheRingsEndWrapToItsStart)
{
    auto stream = MakeBuffer(0, 256, Format(2, 22050, 16));
    AudioLock lock;
    ASSERT_EQ(stream->Lock(192, 128, lock), kAudioOk);
    EXPECT_EQ(lock.firstSize, 64u);
    EXPECT_EQ(lock.secondSize, 64u);
    AudioLock another;
    EXPECT_EQ(stream->Lock(0, 4, another), kAudioInvalidCall);
    ASSERT_EQ(stream->Unlock(lock), kAudioOk);
    ASSERT_EQ(stream->Play(false), kAudioOk);
    Render(40);
    std::vector<AudioRegion> played;
    ASSERT_EQ(stream->TakePlayedRegions(played), kAudioOk);
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].offset, 192u);
    EXPECT_EQ(played[1].offset, 0u);
}

TEST_F(OpenALDeviceTest, PositionsWaitForTheCommitAndTurnToOpenALsHandedness)
{
    std::unique_ptr<AudioListener> listener;
    ASSERT_EQ(primary->GetListener(listener), kAudioOk);
    std::vector<int16_t> mono(64, 16000);
    auto buffer = MakeBuffer(kAudioBufferStatic | kAudioBufferControl3D, 128, Format(1, 22050, 16));
    Write(*buffer, 0, mono.data(), 128);
    std::unique_ptr<Audio3DBuffer> place;
    ASSERT_EQ(buffer->Get3DBuffer(place), kAudioOk);
    ASSERT_EQ(buffer->Play(true), kAudioOk);
    // Facing +z in the device's space; the sound lies to the right.
    ASSERT_EQ(listener->SetOrientation({0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f}, true), kAudioOk);
    ASSERT_EQ(place->SetPosition({1.0f, 0.0f, 0.0f}, true), kAudioOk);
    Frame before = Render(512).back();
    EXPECT_FLOAT_EQ(before.left, before.right);
    ASSERT_EQ(listener->CommitDeferredSettings(), kAudioOk);
    Frame after = Render(1024).back();
    EXPECT_GT(after.right, after.left * 2.0f);
    // Facing -z the same sound lies to the left.
    ASSERT_EQ(listener->SetOrientation({0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f}, false), kAudioOk);
    Frame turned = Render(1024).back();
    EXPECT_GT(turned.left, turned.right * 2.0f);
}

TEST_F(OpenALDeviceTest, OnlyMonoBuffersMadeWith3DHaveAPlace)
{
    std::unique_ptr<AudioBuffer> buffer;
    EXPECT_EQ(device->CreateBuffer({kAudioBufferStatic | kAudioBufferControl3D, 64, Format(2, 22050, 16)}, buffer),
              kAudioInvalidParam);
    auto plain = MakeBuffer(kAudioBufferStatic, 64, Format(1, 22050, 16));
    std::unique_ptr<Audio3DBuffer> place;
    EXPECT_EQ(plain->Get3DBuffer(place), kAudioNoInterface);
    std::unique_ptr<AudioPrimaryBuffer> flat;
    ASSERT_EQ(device->CreatePrimaryBuffer(false, flat), kAudioOk);
    std::unique_ptr<AudioListener> listener;
    EXPECT_EQ(flat->GetListener(listener), kAudioNoInterface);
}

TEST_F(OpenALDeviceTest, FormatsTheDeviceCannotPlayAreRefused)
{
    std::unique_ptr<AudioBuffer> buffer;
    EXPECT_EQ(device->CreateBuffer({kAudioBufferStatic, 64, Format(2, 22050, 24)}, buffer), kAudioBadFormat);
    EXPECT_EQ(device->CreateBuffer({kAudioBufferStatic, 64, Format(3, 22050, 16)}, buffer), kAudioBadFormat);
    AudioFormat wrongBlock = Format(2, 22050, 16);
    wrongBlock.blockAlign = 2;
    EXPECT_EQ(device->CreateBuffer({kAudioBufferStatic, 64, wrongBlock}, buffer), kAudioBadFormat);
    EXPECT_EQ(device->CreateBuffer({kAudioBufferStatic, 0, Format(2, 22050, 16)}, buffer), kAudioInvalidParam);
    EXPECT_EQ(primary->SetFormat(Format(2, 22050, 12)), kAudioBadFormat);
    EXPECT_EQ(device->SetCooperativeLevel(nullptr, kAudioCooperationPriority), kAudioInvalidParam);
}

TEST(OpenALDriverTest, DeviceThatDoesNotExistCannotBeOpened)
{
    OpenALDriver driver("Tamrisk test device that does not exist");
    std::unique_ptr<AudioDevice> device;
    EXPECT_EQ(driver.CreateDevice(device), kAudioNoDriver);
    EXPECT_EQ(device, nullptr);
}
