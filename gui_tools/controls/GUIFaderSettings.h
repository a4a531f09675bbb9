#pragma once

#include <string>

namespace GUITools {

// How a fader times a control's showing and hiding. Speeds are rates per
// second of the fade value, which runs from 0 (hidden) to 1 (shown) and is
// mapped onto min..max; offsets are seconds.
struct GUIFaderSettings {
    static constexpr const char* kTimed = "timed";
    static constexpr const char* kModelAnimation = "model_animation";

    // "timed" follows time, "model_animation" the model's (or the
    // animator's) animation; any other word counts as "timed".
    std::string type = kTimed;
    float showSpeed = 1.0f;
    float hideSpeed = 1.0f;
    float min = 0.0f;
    float max = 1.0f;
    // Delay of the fade value after the start of an action.
    float fadeOffset = 0.0f;
    // Delays of the start of a show or a hide after its request.
    float showOffset = 0.0f;
    float hideOffset = 0.0f;
};

} // namespace GUITools
