#pragma once

#include "tools/data_builder/generators/image/Pixmap.h"

#include <cstdint>
#include <string>

namespace Tools {

// The pictures the interface reads as JPEG files, with their alpha for the
// grey opacity pictures beside them.

// The game's cursor (64 x 64): an arrow whose tip is the picture's upper
// left corner, the hot spot the GUI hangs the picture from.
Pixmap CursorPicture();

// The maker's logo, its name written across it. The big one (1024 x 1024)
// fills the lower left 800 x 600 pixels, the part the logos window shows of
// it (texture rectangle 0.78125 x 0.5859375); the small one (256 x 128) is
// the in-game windows' corner logo.
inline constexpr const char* kMakerName = "Quenbyworks";
Pixmap BigLogo();
Pixmap SmallLogo();

} // namespace Tools
