#pragma once

namespace Halvard {

class Sound;

// One recording of a GUI sound id and when it last started, in seconds of
// the main timer. The sound belongs to the sound manager that made it; the
// GUISoundManager destroys it through that manager.
struct GUISoundEntry {
    Sound* sound = nullptr;
    float lastStart = 0.0f;
};

} // namespace Halvard
