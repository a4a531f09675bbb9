#pragma once

namespace GameFramework {

// How a music slot changes: at once, or over a fade at a speed in volume per
// second (1.0 fades a full volume in one second).
struct MusicFade {
    bool enabled = false;
    float speed = 0.0f;

    static MusicFade AtOnce() { return {}; }
    static MusicFade Over(float speed) { return {true, speed}; }
};

} // namespace GameFramework
