#include "platform/audio/OpenAL3DBuffer.h"

namespace Platform {

OpenAL3DBuffer::OpenAL3DBuffer(std::shared_ptr<OpenALOutput> output, ALuint source)
    : output_(std::move(output)), source_(source)
{
}

AudioResult OpenAL3DBuffer::SetPosition(const AudioVector& position, bool deferred)
{
    return output_->SetSourcePosition(source_, position, deferred);
}

} // namespace Platform
