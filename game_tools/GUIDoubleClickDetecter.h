#pragma once

#include "engine/core/Types.h"

#include <vector>

namespace Halvard {
class Controls;
class Engine;
class GUIWindow;
class TimerManager;
}

namespace GameTools {

// Reports a double click with the left mouse button on one of a set of
// watched windows: press, release, press, release on the same window, all
// within 0.6 s of the first press. Update runs once a frame after the GUI's
// input step; the owner then reads doubleClicked and window. The windows are
// not owned. Main thread only.
class GUIDoubleClickDetecter {
public:
    static constexpr float kMaximumSpan = 0.6f;

    explicit GUIDoubleClickDetecter(Halvard::Engine* engine);
    GUIDoubleClickDetecter(const GUIDoubleClickDetecter&) = delete;
    GUIDoubleClickDetecter& operator=(const GUIDoubleClickDetecter&) = delete;
    virtual ~GUIDoubleClickDetecter() = default;

    void AddWindow(Halvard::GUIWindow* window);
    // Removes the first occurrence; null and unknown windows are ignored.
    void RemoveWindow(Halvard::GUIWindow* window);

    void Update();

    // True for the update in which a double click completed.
    bool doubleClicked = false;
    // The window of the running attempt; after a double click, the window
    // that was double-clicked.
    Halvard::GUIWindow* window = nullptr;

private:
    Halvard::GUIWindow* FindWindowUnderCursor() const;
    void StartAttempt(Halvard::GUIWindow* target, float now);
    void Forget();

    Halvard::TimerManager* timers_;
    Halvard::Controls* controls_;
    std::vector<Halvard::GUIWindow*> windows_;
    float firstClickTime_ = -1.0f;
    bool held_ = false;
    Halvard::u32 stage_ = 0;
};

} // namespace GameTools
