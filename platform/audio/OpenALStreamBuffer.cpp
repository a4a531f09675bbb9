#include "platform/audio/OpenALStreamBuffer.h"

namespace Platform {

OpenALStreamBuffer::OpenALStreamBuffer(std::shared_ptr<OpenALOutput> output, const AudioBufferDesc& desc,
                                       ALuint source)
    : OpenALVoice(std::move(output), desc, source), ring_(desc.size, 0)
{
}

OpenALStreamBuffer::~OpenALStreamBuffer()
{
    output_->MakeCurrent();
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    for (const Queued& queued : queued_)
        alDeleteBuffers(1, &queued.name);
    if (!spare_.empty())
        alDeleteBuffers(static_cast<ALsizei>(spare_.size()), spare_.data());
}

AudioResult OpenALStreamBuffer::Create(std::shared_ptr<OpenALOutput> output, const AudioBufferDesc& desc,
                                       std::unique_ptr<AudioBuffer>& out)
{
    ALuint source = 0;
    if (const AudioResult result = CreateSource(*output, desc, source); result != kAudioOk)
        return result;
    out.reset(new OpenALStreamBuffer(std::move(output), desc, source));
    return kAudioOk;
}

AudioResult OpenALStreamBuffer::Play(bool)
{
    output_->MakeCurrent();
    playing_ = true;
    Resume();
    return OpenALOutput::TakeError();
}

AudioResult OpenALStreamBuffer::Stop()
{
    output_->MakeCurrent();
    playing_ = false;
    if (GetSourceState() == AL_PLAYING)
        alSourcePause(source_);
    return OpenALOutput::TakeError();
}

AudioResult OpenALStreamBuffer::SetCurrentPosition(uint32_t offset)
{
    if (offset != 0)
        return kAudioInvalidParam;
    output_->MakeCurrent();
    alSourceRewind(source_);
    alSourcei(source_, AL_BUFFER, 0);
    for (const Queued& queued : queued_)
        spare_.push_back(queued.name);
    queued_.clear();
    played_.clear();
    return OpenALOutput::TakeError();
}

AudioResult OpenALStreamBuffer::GetStatus(uint32_t& status)
{
    status = playing_ ? uint32_t{kAudioStatusPlaying} : 0;
    return kAudioOk;
}

AudioResult OpenALStreamBuffer::Lock(uint32_t offset, uint32_t size, AudioLock& lock)
{
    return LockRange(ring_, offset, size, lock);
}

AudioResult OpenALStreamBuffer::Unlock(const AudioLock& lock)
{
    if (!EndLock(lock))
        return kAudioInvalidParam;
    output_->MakeCurrent();
    RecoverFromUnderrun();
    AudioResult result = Queue({lockOffset_, lock.firstSize});
    if (result == kAudioOk && lock.secondSize > 0)
        result = Queue({0, lock.secondSize});
    if (playing_)
        Resume();
    return result;
}

AudioResult OpenALStreamBuffer::Queue(const AudioRegion& region)
{
    const uint32_t size = WholeFrames(region.size);
    if (size == 0)
        return kAudioOk;
    ALuint name = 0;
    if (spare_.empty()) {
        alGenBuffers(1, &name);
        if (const AudioResult result = OpenALOutput::TakeError(); result != kAudioOk)
            return result;
    } else {
        name = spare_.back();
        spare_.pop_back();
    }
    alBufferData(name, GetALFormat(), ring_.data() + region.offset, static_cast<ALsizei>(size),
                 static_cast<ALsizei>(desc_.format.sampleRate));
    alSourceQueueBuffers(source_, 1, &name);
    if (const AudioResult result = OpenALOutput::TakeError(); result != kAudioOk) {
        spare_.push_back(name);
        return result;
    }
    queued_.push_back({name, {region.offset, size}});
    return kAudioOk;
}

AudioResult OpenALStreamBuffer::TakePlayedRegions(std::vector<AudioRegion>& regions)
{
    output_->MakeCurrent();
    RecoverFromUnderrun();
    CollectPlayed();
    regions.swap(played_);
    played_.clear();
    return OpenALOutput::TakeError();
}

void OpenALStreamBuffer::CollectPlayed()
{
    ALint processed = 0;
    alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
    for (; processed > 0 && !queued_.empty(); --processed) {
        ALuint name = 0;
        alSourceUnqueueBuffers(source_, 1, &name);
        played_.push_back(queued_.front().region);
        spare_.push_back(queued_.front().name);
        queued_.pop_front();
    }
}

void OpenALStreamBuffer::RecoverFromUnderrun()
{
    if (GetSourceState() != AL_STOPPED)
        return;
    CollectPlayed();
    alSourceRewind(source_);
}

void OpenALStreamBuffer::Resume()
{
    RecoverFromUnderrun();
    if (!queued_.empty() && GetSourceState() != AL_PLAYING)
        alSourcePlay(source_);
}

} // namespace Platform
