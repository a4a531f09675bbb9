#pragma once

#include "platform/audio/AudioTypes.h"

namespace Platform {

// The ears of the scene. A deferred setting waits until
// CommitDeferredSettings, which also applies the deferred positions of every
// 3D buffer of the same device. Main thread only.
class AudioListener {
public:
    virtual ~AudioListener() = default;

    virtual AudioResult SetPosition(const AudioVector& position, bool deferred) = 0;
    // Front is where the listener looks, top where its head points.
    virtual AudioResult SetOrientation(const AudioVector& front, const AudioVector& top, bool deferred) = 0;
    virtual AudioResult CommitDeferredSettings() = 0;
};

} // namespace Platform
