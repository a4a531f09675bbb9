#pragma once

#include "platform/audio/Audio3DBuffer.h"
#include "platform/audio/OpenALOutput.h"

#include <memory>

namespace Platform {

// The position of one AL source, deferred through its output.
class OpenAL3DBuffer : public Audio3DBuffer {
public:
    OpenAL3DBuffer(std::shared_ptr<OpenALOutput> output, ALuint source);

    AudioResult SetPosition(const AudioVector& position, bool deferred) override;

private:
    std::shared_ptr<OpenALOutput> output_;
    ALuint source_;
};

} // namespace Platform
