#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

namespace Halvard {

class GUIWindow;

// Where a new widget goes: its flags (GUIWindow::Flag), its lower-left
// corner relative to the parent (to the GUI origin without one), its size in
// GUI units and its parent, which may be null and must outlive the widget or
// detach it.
struct GUIPlacement {
    u32 flags = 0;
    Vector2 position{0.0f, 0.0f};
    Vector2 size{0.0f, 0.0f};
    GUIWindow* parent = nullptr;
};

} // namespace Halvard
