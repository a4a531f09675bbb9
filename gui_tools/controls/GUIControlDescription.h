#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <string>

namespace GUITools {

// What a window description says about the widget of one control. Model and
// shader names are resource names of the interface keeper without their
// "ui/" prefix; a frame of -1 means none was given.
struct GUIControlDescription {
    static constexpr Halvard::i32 kNoFrame = -1;

    // The control's full name: the window's name and its path below it.
    std::string name;
    std::string model;
    Halvard::i32 modelStartFrame = kNoFrame;
    Halvard::i32 modelEndFrame = kNoFrame;
    std::string shader;
    Halvard::Vector2 uv{1.0f, 1.0f};
    std::string animatorModel;
    Halvard::i32 animatorModelStartFrame = kNoFrame;
    Halvard::i32 animatorModelEndFrame = kNoFrame;
};

} // namespace GUITools
