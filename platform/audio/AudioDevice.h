#pragma once

#include "platform/audio/AudioBuffer.h"
#include "platform/audio/AudioPrimaryBuffer.h"
#include "platform/audio/AudioTypes.h"

#include <memory>

namespace Platform {

// One opened sound output. The buffers it makes may outlive it: the output
// closes when the last of them goes. Main thread only.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    // Ties the device to the program's window (its platform window object,
    // never null) with an AudioCooperation level.
    virtual AudioResult SetCooperativeLevel(const void* window, uint32_t level) = 0;
    virtual AudioResult CreatePrimaryBuffer(bool with3D, std::unique_ptr<AudioPrimaryBuffer>& out) = 0;
    virtual AudioResult CreateBuffer(const AudioBufferDesc& desc, std::unique_ptr<AudioBuffer>& out) = 0;
    // A new voice on a static buffer's sample memory, with the source's
    // format and capabilities.
    virtual AudioResult DuplicateBuffer(AudioBuffer& source, std::unique_ptr<AudioBuffer>& out) = 0;
};

} // namespace Platform
