#include "platform/audio/OpenALVoice.h"

#include "platform/audio/OpenAL3DBuffer.h"

#include <algorithm>
#include <cmath>

namespace Platform {

OpenALVoice::OpenALVoice(std::shared_ptr<OpenALOutput> output, const AudioBufferDesc& desc, ALuint source)
    : output_(std::move(output)), desc_(desc), source_(source)
{
    output_->AddVoice();
}

OpenALVoice::~OpenALVoice()
{
    output_->MakeCurrent();
    alDeleteSources(1, &source_);
    output_->RemoveVoice(source_);
}

bool OpenALVoice::IsPlayableFormat(const AudioFormat& format)
{
    if (format.channels < 1 || format.channels > 2)
        return false;
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16)
        return false;
    if (format.sampleRate < kAudioFrequencyMin || format.sampleRate > kAudioFrequencyMax)
        return false;
    const uint32_t blockAlign = format.channels * format.bitsPerSample / 8;
    return format.blockAlign == blockAlign && format.bytesPerSecond == format.sampleRate * blockAlign;
}

AudioResult OpenALVoice::CreateSource(OpenALOutput& output, const AudioBufferDesc& desc, ALuint& source)
{
    output.MakeCurrent();
    alGenSources(1, &source);
    if (const AudioResult result = OpenALOutput::TakeError(); result != kAudioOk)
        return result;
    const bool positioned = (desc.flags & kAudioBufferControl3D) != 0;
    alSourcei(source, AL_SOURCE_RELATIVE, positioned ? AL_FALSE : AL_TRUE);
    alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    const AudioResult result = OpenALOutput::TakeError();
    if (result != kAudioOk)
        alDeleteSources(1, &source);
    return result;
}

ALint OpenALVoice::GetSourceState() const
{
    ALint state = AL_INITIAL;
    alGetSourcei(source_, AL_SOURCE_STATE, &state);
    return state;
}

ALenum OpenALVoice::GetALFormat() const
{
    if (desc_.format.channels == 1)
        return desc_.format.bitsPerSample == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
    return desc_.format.bitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

uint32_t OpenALVoice::WholeFrames(uint32_t bytes) const { return bytes - bytes % desc_.format.blockAlign; }

AudioResult OpenALVoice::SetVolume(int32_t volume)
{
    if ((desc_.flags & kAudioBufferControlVolume) == 0)
        return kAudioControlUnavailable;
    if (volume < kAudioVolumeSilent || volume > kAudioVolumeFull)
        return kAudioInvalidParam;
    // Hundredths of a decibel of amplitude; the range above keeps the gain
    // at 1 or below.
    const float gain = std::min(1.0f, std::pow(10.0f, static_cast<float>(volume) / 2000.0f));
    output_->MakeCurrent();
    alSourcef(source_, AL_GAIN, gain);
    return OpenALOutput::TakeError();
}

AudioResult OpenALVoice::SetFrequency(uint32_t frequency)
{
    if ((desc_.flags & kAudioBufferControlFrequency) == 0)
        return kAudioControlUnavailable;
    if (frequency != kAudioFrequencyOriginal && (frequency < kAudioFrequencyMin || frequency > kAudioFrequencyMax))
        return kAudioInvalidParam;
    const float pitch = frequency == kAudioFrequencyOriginal
                            ? 1.0f
                            : static_cast<float>(frequency) / static_cast<float>(desc_.format.sampleRate);
    output_->MakeCurrent();
    alSourcef(source_, AL_PITCH, pitch);
    return OpenALOutput::TakeError();
}

AudioResult OpenALVoice::Get3DBuffer(std::unique_ptr<Audio3DBuffer>& out)
{
    if ((desc_.flags & kAudioBufferControl3D) == 0)
        return kAudioNoInterface;
    out = std::make_unique<OpenAL3DBuffer>(output_, source_);
    return kAudioOk;
}

AudioResult OpenALVoice::LockRange(std::vector<uint8_t>& memory, uint32_t offset, uint32_t size, AudioLock& lock)
{
    const uint32_t length = static_cast<uint32_t>(memory.size());
    if (locked_)
        return kAudioInvalidCall;
    if (offset >= length || size == 0 || size > length)
        return kAudioInvalidParam;
    lock.first = memory.data() + offset;
    lock.firstSize = std::min(size, length - offset);
    lock.second = lock.firstSize < size ? memory.data() : nullptr;
    lock.secondSize = size - lock.firstSize;
    openLock_ = lock;
    lockOffset_ = offset;
    lockSize_ = size;
    locked_ = true;
    return kAudioOk;
}

bool OpenALVoice::EndLock(const AudioLock& lock)
{
    if (!locked_ || lock.first != openLock_.first || lock.second != openLock_.second)
        return false;
    locked_ = false;
    return true;
}

} // namespace Platform
