#include "platform/audio/OpenALOutput.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/alext.h>

namespace Platform {

namespace {

constexpr uint32_t kDefaultMixingRate = 22050;

} // namespace

std::shared_ptr<OpenALOutput> OpenALOutput::OpenDevice(const std::string& name)
{
    ALCdevice* device = alcOpenDevice(name.empty() ? nullptr : name.c_str());
    if (device == nullptr)
        return nullptr;
    return std::shared_ptr<OpenALOutput>(new OpenALOutput(device, false));
}

std::shared_ptr<OpenALOutput> OpenALOutput::OpenLoopback()
{
    ALCdevice* device = alcLoopbackOpenDeviceSOFT(nullptr);
    if (device == nullptr)
        return nullptr;
    return std::shared_ptr<OpenALOutput>(new OpenALOutput(device, true));
}

OpenALOutput::OpenALOutput(ALCdevice* device, bool loopback) : device_(device), loopback_(loopback) {}

OpenALOutput::~OpenALOutput()
{
    DestroyContext();
    alcCloseDevice(device_);
}

void OpenALOutput::DestroyContext()
{
    if (context_ == nullptr)
        return;
    if (alcGetCurrentContext() == context_)
        alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    context_ = nullptr;
    rate_ = 0;
}

AudioResult OpenALOutput::SetMixingRate(uint32_t rate)
{
    if (context_ != nullptr && rate == rate_)
        return kAudioOk;
    if (voices_ > 0)
        return kAudioInvalidCall;
    DestroyContext();
    // A loopback device must be told the exact layout it renders; the
    // limiter stays off so that what it renders is the plain sum of voices.
    const ALCint frequency = static_cast<ALCint>(rate);
    const ALCint loopbackAttributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                                         ALC_STEREO_SOFT,
                                         ALC_FORMAT_TYPE_SOFT,
                                         ALC_FLOAT_SOFT,
                                         ALC_FREQUENCY,
                                         frequency,
                                         ALC_HRTF_SOFT,
                                         ALC_FALSE,
                                         ALC_OUTPUT_LIMITER_SOFT,
                                         ALC_FALSE,
                                         0};
    const ALCint deviceAttributes[] = {ALC_FREQUENCY, frequency, 0};
    context_ = alcCreateContext(device_, loopback_ ? loopbackAttributes : deviceAttributes);
    if (context_ == nullptr)
        return kAudioBadFormat;
    rate_ = rate;
    MakeCurrent();
    return kAudioOk;
}

AudioResult OpenALOutput::EnsureContext()
{
    return context_ != nullptr ? kAudioOk : SetMixingRate(kDefaultMixingRate);
}

void OpenALOutput::MakeCurrent()
{
    if (context_ == nullptr)
        return;
    if (alcGetCurrentContext() != context_)
        alcMakeContextCurrent(context_);
    alGetError();
}

AudioResult OpenALOutput::TakeError()
{
    switch (alGetError()) {
    case AL_NO_ERROR:
        return kAudioOk;
    case AL_INVALID_ENUM:
    case AL_INVALID_VALUE:
        return kAudioInvalidParam;
    case AL_INVALID_NAME:
    case AL_INVALID_OPERATION:
        return kAudioInvalidCall;
    case AL_OUT_OF_MEMORY:
        return kAudioOutOfMemory;
    default:
        return kAudioGenericFailure;
    }
}

void OpenALOutput::AddVoice() { ++voices_; }

void OpenALOutput::RemoveVoice(ALuint source)
{
    --voices_;
    pendingSourcePositions_.erase(source);
}

AudioResult OpenALOutput::SetListenerPosition(const AudioVector& position, bool deferred)
{
    if (deferred || context_ == nullptr) {
        pendingListenerPosition_ = position;
        return kAudioOk;
    }
    pendingListenerPosition_.reset();
    MakeCurrent();
    ApplyListenerPosition(position);
    return TakeError();
}

AudioResult OpenALOutput::SetListenerOrientation(const AudioVector& front, const AudioVector& top, bool deferred)
{
    if (deferred || context_ == nullptr) {
        pendingOrientation_ = Orientation{front, top};
        return kAudioOk;
    }
    pendingOrientation_.reset();
    MakeCurrent();
    ApplyListenerOrientation(front, top);
    return TakeError();
}

AudioResult OpenALOutput::SetSourcePosition(ALuint source, const AudioVector& position, bool deferred)
{
    if (deferred) {
        pendingSourcePositions_[source] = position;
        return kAudioOk;
    }
    pendingSourcePositions_.erase(source);
    MakeCurrent();
    ApplySourcePosition(source, position);
    return TakeError();
}

AudioResult OpenALOutput::CommitDeferredSettings()
{
    // Without a context the settings wait for one.
    if (context_ == nullptr)
        return kAudioOk;
    MakeCurrent();
    if (pendingListenerPosition_)
        ApplyListenerPosition(*pendingListenerPosition_);
    if (pendingOrientation_)
        ApplyListenerOrientation(pendingOrientation_->front, pendingOrientation_->top);
    for (const auto& [source, position] : pendingSourcePositions_)
        ApplySourcePosition(source, position);
    pendingListenerPosition_.reset();
    pendingOrientation_.reset();
    pendingSourcePositions_.clear();
    return TakeError();
}

void OpenALOutput::ApplyListenerPosition(const AudioVector& position)
{
    alListener3f(AL_POSITION, position.x, position.y, -position.z);
}

void OpenALOutput::ApplyListenerOrientation(const AudioVector& front, const AudioVector& top)
{
    const ALfloat orientation[] = {front.x, front.y, -front.z, top.x, top.y, -top.z};
    alListenerfv(AL_ORIENTATION, orientation);
}

void OpenALOutput::ApplySourcePosition(ALuint source, const AudioVector& position)
{
    alSource3f(source, AL_POSITION, position.x, position.y, -position.z);
}

bool OpenALOutput::Render(float* frames, uint32_t count)
{
    if (!loopback_ || context_ == nullptr)
        return false;
    alcRenderSamplesSOFT(device_, frames, static_cast<ALCsizei>(count));
    return true;
}

} // namespace Platform
