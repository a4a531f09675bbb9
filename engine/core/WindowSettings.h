#pragma once

#include "engine/core/Types.h"

#include <string>

namespace Halvard {

// How the application window starts: its title and icon, the client area's
// size, and where a window that is not centered goes.
struct WindowSettings {
    std::string title;
    // A host to embed the window into; the window is always top-level here.
    u32 hostWindow = 0;
    u32 iconId = 0;
    u32 width = 800;
    u32 height = 600;
    bool fullScreen = false;
    // On the work area; otherwise at (x, y).
    bool centered = true;
    u32 x = 0;
    u32 y = 0;
};

} // namespace Halvard
