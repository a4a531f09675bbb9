#pragma once

#include "platform/audio/AudioTypes.h"

namespace Platform {

// The place in space of one mono buffer. It must go before the buffer it
// came from. Main thread only.
class Audio3DBuffer {
public:
    virtual ~Audio3DBuffer() = default;

    // A deferred position waits until the listener commits its settings.
    virtual AudioResult SetPosition(const AudioVector& position, bool deferred) = 0;
};

} // namespace Platform
