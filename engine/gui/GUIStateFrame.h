#pragma once

#include "engine/core/Types.h"

namespace Halvard {

class AnimationControl;

// Shows a widget's state as a frame of its model and holds it there: a
// frame of the current animation when that has more than one, else a frame
// of the model's frame list when that has more than one; a single-frame
// model (or none) shows nothing different.
void ShowStateFrame(AnimationControl* animation, u32 state);

} // namespace Halvard
