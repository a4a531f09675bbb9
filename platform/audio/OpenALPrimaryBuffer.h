#pragma once

#include "platform/audio/AudioPrimaryBuffer.h"
#include "platform/audio/OpenALOutput.h"

#include <memory>

namespace Platform {

// The output's mix: its format's rate becomes the rate of the AL context.
class OpenALPrimaryBuffer : public AudioPrimaryBuffer {
public:
    OpenALPrimaryBuffer(std::shared_ptr<OpenALOutput> output, bool with3D);

    AudioResult SetFormat(const AudioFormat& format) override;
    // The mix is never lost.
    AudioResult GetStatus(uint32_t& status) override;
    AudioResult Restore() override { return kAudioOk; }
    AudioResult GetListener(std::unique_ptr<AudioListener>& out) override;

private:
    std::shared_ptr<OpenALOutput> output_;
    bool with3D_;
};

} // namespace Platform
