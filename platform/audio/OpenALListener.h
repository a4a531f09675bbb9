#pragma once

#include "platform/audio/AudioListener.h"
#include "platform/audio/OpenALOutput.h"

#include <memory>

namespace Platform {

// The AL listener of one output.
class OpenALListener : public AudioListener {
public:
    explicit OpenALListener(std::shared_ptr<OpenALOutput> output);

    AudioResult SetPosition(const AudioVector& position, bool deferred) override;
    AudioResult SetOrientation(const AudioVector& front, const AudioVector& top, bool deferred) override;
    AudioResult CommitDeferredSettings() override;

private:
    std::shared_ptr<OpenALOutput> output_;
};

} // namespace Platform
