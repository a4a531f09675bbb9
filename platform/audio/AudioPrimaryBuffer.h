#pragma once

#include "platform/audio/AudioListener.h"
#include "platform/audio/AudioTypes.h"

#include <memory>

namespace Platform {

// The device's mix of every voice. Its format sets the rate at which the
// device mixes. Main thread only.
class AudioPrimaryBuffer {
public:
    virtual ~AudioPrimaryBuffer() = default;

    virtual AudioResult SetFormat(const AudioFormat& format) = 0;
    // A set of AudioStatus bits.
    virtual AudioResult GetStatus(uint32_t& status) = 0;
    virtual AudioResult Restore() = 0;
    // The scene's listener; only from a primary buffer made with 3D.
    virtual AudioResult GetListener(std::unique_ptr<AudioListener>& out) = 0;
};

} // namespace Platform
