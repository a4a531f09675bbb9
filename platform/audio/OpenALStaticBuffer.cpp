#include "platform/audio/OpenALStaticBuffer.h"

namespace Platform {

OpenALStaticBuffer::Samples::Samples(std::shared_ptr<OpenALOutput> output, ALuint name, uint32_t size)
    : output(std::move(output)), name(name), memory(size, 0)
{
}

OpenALStaticBuffer::Samples::~Samples()
{
    output->MakeCurrent();
    alDeleteBuffers(1, &name);
}

OpenALStaticBuffer::OpenALStaticBuffer(std::shared_ptr<OpenALOutput> output, const AudioBufferDesc& desc,
                                       ALuint source, std::shared_ptr<Samples> samples)
    : OpenALVoice(std::move(output), desc, source), samples_(std::move(samples))
{
}

// OpenAL refuses to delete a buffer that a source still holds, so the source
// lets go of the samples before the last owner deletes them.
OpenALStaticBuffer::~OpenALStaticBuffer()
{
    output_->MakeCurrent();
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
}

AudioResult OpenALStaticBuffer::Create(std::shared_ptr<OpenALOutput> output, const AudioBufferDesc& desc,
                                       std::unique_ptr<AudioBuffer>& out)
{
    output->MakeCurrent();
    ALuint name = 0;
    alGenBuffers(1, &name);
    if (const AudioResult result = OpenALOutput::TakeError(); result != kAudioOk)
        return result;
    auto samples = std::make_shared<Samples>(output, name, desc.size);
    ALuint source = 0;
    if (const AudioResult result = CreateSource(*output, desc, source); result != kAudioOk)
        return result;
    out.reset(new OpenALStaticBuffer(std::move(output), desc, source, std::move(samples)));
    return kAudioOk;
}

AudioResult OpenALStaticBuffer::Duplicate(std::unique_ptr<AudioBuffer>& out)
{
    ALuint source = 0;
    if (const AudioResult result = CreateSource(*output_, desc_, source); result != kAudioOk)
        return result;
    if (samples_->loaded)
        alSourcei(source, AL_BUFFER, static_cast<ALint>(samples_->name));
    if (const AudioResult result = OpenALOutput::TakeError(); result != kAudioOk) {
        alDeleteSources(1, &source);
        return result;
    }
    out.reset(new OpenALStaticBuffer(output_, desc_, source, samples_));
    return kAudioOk;
}

AudioResult OpenALStaticBuffer::Play(bool loop)
{
    output_->MakeCurrent();
    alSourcei(source_, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    // Playing an AL source again would start it over.
    if (GetSourceState() != AL_PLAYING)
        alSourcePlay(source_);
    return OpenALOutput::TakeError();
}

AudioResult OpenALStaticBuffer::Stop()
{
    output_->MakeCurrent();
    if (GetSourceState() == AL_PLAYING)
        alSourcePause(source_);
    return OpenALOutput::TakeError();
}

AudioResult OpenALStaticBuffer::SetCurrentPosition(uint32_t offset)
{
    if (offset >= desc_.size)
        return kAudioInvalidParam;
    if (!samples_->loaded)
        return kAudioOk;
    output_->MakeCurrent();
    const ALint state = GetSourceState();
    if (offset == 0 && state != AL_PLAYING)
        alSourceRewind(source_);
    else
        alSourcei(source_, AL_BYTE_OFFSET, static_cast<ALint>(WholeFrames(offset)));
    return OpenALOutput::TakeError();
}

AudioResult OpenALStaticBuffer::GetStatus(uint32_t& status)
{
    output_->MakeCurrent();
    status = GetSourceState() == AL_PLAYING ? uint32_t{kAudioStatusPlaying} : 0;
    return OpenALOutput::TakeError();
}

AudioResult OpenALStaticBuffer::Lock(uint32_t offset, uint32_t size, AudioLock& lock)
{
    return LockRange(samples_->memory, offset, size, lock);
}

AudioResult OpenALStaticBuffer::Unlock(const AudioLock& lock)
{
    if (!EndLock(lock))
        return kAudioInvalidParam;
    output_->MakeCurrent();
    alSourcei(source_, AL_BUFFER, 0);
    if (const AudioResult result = OpenALOutput::TakeError(); result != kAudioOk)
        return result;
    const uint32_t size = WholeFrames(static_cast<uint32_t>(samples_->memory.size()));
    alBufferData(samples_->name, GetALFormat(), samples_->memory.data(), static_cast<ALsizei>(size),
                 static_cast<ALsizei>(desc_.format.sampleRate));
    const AudioResult result = OpenALOutput::TakeError();
    samples_->loaded = result == kAudioOk || samples_->loaded;
    if (samples_->loaded)
        alSourcei(source_, AL_BUFFER, static_cast<ALint>(samples_->name));
    return result;
}

AudioResult OpenALStaticBuffer::TakePlayedRegions(std::vector<AudioRegion>& regions)
{
    regions.clear();
    return kAudioInvalidCall;
}

} // namespace Platform
