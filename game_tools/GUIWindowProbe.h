#pragma once

namespace Halvard {
class GUIWindow;
}

namespace GameTools {

// What the double-click detecter needs to know of a watched window in the
// current frame: whether it and all its parents are shown, and whether the
// GUI's input step found the cursor on it.
class GUIWindowProbe {
public:
    virtual ~GUIWindowProbe() = default;

    virtual bool IsShown(const Halvard::GUIWindow* window) const = 0;
    virtual bool IsUnderCursor(const Halvard::GUIWindow* window) const = 0;
};

} // namespace GameTools
