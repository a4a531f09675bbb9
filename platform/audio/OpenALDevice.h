#pragma once

#include "platform/audio/AudioDevice.h"
#include "platform/audio/OpenALOutput.h"

#include <memory>

namespace Platform {

// A sound device on one OpenAL output: every buffer is an AL source.
class OpenALDevice : public AudioDevice {
public:
    explicit OpenALDevice(std::shared_ptr<OpenALOutput> output);

    // OpenAL shares the output with other programs at every level, so only
    // the arguments are checked.
    AudioResult SetCooperativeLevel(const void* window, uint32_t level) override;
    AudioResult CreatePrimaryBuffer(bool with3D, std::unique_ptr<AudioPrimaryBuffer>& out) override;
    AudioResult CreateBuffer(const AudioBufferDesc& desc, std::unique_ptr<AudioBuffer>& out) override;
    // Static buffers of this device only.
    AudioResult DuplicateBuffer(AudioBuffer& source, std::unique_ptr<AudioBuffer>& out) override;

private:
    std::shared_ptr<OpenALOutput> output_;
};

} // namespace Platform
