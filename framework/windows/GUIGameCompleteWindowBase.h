#pragma once

#include "framework/windows/GUIFrameworkWindow.h"

namespace GameFramework {

// The framework's part of this window is the protocol alone; the game adds
// the GUI.
class GUIGameCompleteWindowBase : public GUIFrameworkWindow {};

} // namespace GameFramework
