#pragma once

#include "tools/data_builder/generators/model/InterfaceRecipe.h"

namespace Tools {

// The pictures of the volume scroll bars and the arrows that step a choice,
// painted for the sizes the options and in-game menu descriptions give
// them.

// The scroll bar's groove (196 x 28 units), its arrows' places left clear.
Pixmap ScrollTrack();
// The thumb (16 x 24 units), one cell per frame: normal, over, pressed,
// disabled.
FrameGrid ScrollThumbGrid();
Pixmap ScrollThumb();
// Arrow buttons (28 x 28 units) pointing left (decrease) or right
// (increase), one cell per button frame.
enum class ArrowSign { Left, Right };
FrameGrid ArrowButtonGrid();
Pixmap ArrowButton(ArrowSign sign);

} // namespace Tools
