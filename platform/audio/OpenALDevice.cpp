#include "platform/audio/OpenALDevice.h"

#include "platform/audio/OpenALPrimaryBuffer.h"
#include "platform/audio/OpenALStaticBuffer.h"
#include "platform/audio/OpenALStreamBuffer.h"

namespace Platform {

OpenALDevice::OpenALDevice(std::shared_ptr<OpenALOutput> output) : output_(std::move(output)) {}

AudioResult OpenALDevice::SetCooperativeLevel(const void* window, uint32_t level)
{
    if (window == nullptr || (level != kAudioCooperationNormal && level != kAudioCooperationPriority))
        return kAudioInvalidParam;
    return kAudioOk;
}

AudioResult OpenALDevice::CreatePrimaryBuffer(bool with3D, std::unique_ptr<AudioPrimaryBuffer>& out)
{
    out = std::make_unique<OpenALPrimaryBuffer>(output_, with3D);
    return kAudioOk;
}

AudioResult OpenALDevice::CreateBuffer(const AudioBufferDesc& desc, std::unique_ptr<AudioBuffer>& out)
{
    if (!OpenALVoice::IsPlayableFormat(desc.format))
        return kAudioBadFormat;
    if (desc.size == 0 || ((desc.flags & kAudioBufferControl3D) != 0 && desc.format.channels != 1))
        return kAudioInvalidParam;
    if (const AudioResult result = output_->EnsureContext(); result != kAudioOk)
        return result;
    if ((desc.flags & kAudioBufferStatic) != 0)
        return OpenALStaticBuffer::Create(output_, desc, out);
    return OpenALStreamBuffer::Create(output_, desc, out);
}

AudioResult OpenALDevice::DuplicateBuffer(AudioBuffer& source, std::unique_ptr<AudioBuffer>& out)
{
    auto* original = dynamic_cast<OpenALStaticBuffer*>(&source);
    if (original == nullptr)
        return kAudioInvalidCall;
    return original->Duplicate(out);
}

} // namespace Platform
