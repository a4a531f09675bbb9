#include "platform/audio/OpenALListener.h"

namespace Platform {

OpenALListener::OpenALListener(std::shared_ptr<OpenALOutput> output) : output_(std::move(output)) {}

AudioResult OpenALListener::SetPosition(const AudioVector& position, bool deferred)
{
    return output_->SetListenerPosition(position, deferred);
}

AudioResult OpenALListener::SetOrientation(const AudioVector& front, const AudioVector& top, bool deferred)
{
    return output_->SetListenerOrientation(front, top, deferred);
}

AudioResult OpenALListener::CommitDeferredSettings() { return output_->CommitDeferredSettings(); }

} // namespace Platform
