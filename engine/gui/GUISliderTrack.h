#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

namespace Halvard {

// The track a slider's thumb runs along: its lower-left corner goes from
// start to end, both relative to the slider, through count positions.
struct GUISliderTrack {
    bool vertical = false;
    Vector2 start{0.0f, 0.0f};
    Vector2 end{0.0f, 0.0f};
    // Raised to 2 when smaller.
    u32 positionCount = 2;
};

} // namespace Halvard
