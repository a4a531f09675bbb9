#include "platform/audio/OpenALPrimaryBuffer.h"

#include "platform/audio/OpenALListener.h"
#include "platform/audio/OpenALVoice.h"

namespace Platform {

OpenALPrimaryBuffer::OpenALPrimaryBuffer(std::shared_ptr<OpenALOutput> output, bool with3D)
    : output_(std::move(output)), with3D_(with3D)
{
}

AudioResult OpenALPrimaryBuffer::SetFormat(const AudioFormat& format)
{
    if (!OpenALVoice::IsPlayableFormat(format))
        return kAudioBadFormat;
    return output_->SetMixingRate(format.sampleRate);
}

AudioResult OpenALPrimaryBuffer::GetStatus(uint32_t& status)
{
    status = 0;
    return kAudioOk;
}

AudioResult OpenALPrimaryBuffer::GetListener(std::unique_ptr<AudioListener>& out)
{
    if (!with3D_)
        return kAudioNoInterface;
    out = std::make_unique<OpenALListener>(output_);
    return kAudioOk;
}

} // namespace Platform
