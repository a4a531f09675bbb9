#pragma once

#include "engine/core/Types.h"

namespace GameFramework {

// The base of every window of a game. A window never opens another: it
// reports what the player chose as a result code (WindowResult), and the
// application's window flow reads the results three times a frame, hides and
// shows windows and keeps the opener (WindowSource) of each.
//
// The three operations carry their own names so that a game window, which
// also derives the GUI's window base with its Update and Show, never overrides
// one base's operation with the other's. Main thread only.
class GUIFrameworkWindow {
public:
    GUIFrameworkWindow() = default;
    GUIFrameworkWindow(const GUIFrameworkWindow&) = delete;
    GUIFrameworkWindow& operator=(const GUIFrameworkWindow&) = delete;
    virtual ~GUIFrameworkWindow() = default;

    // Clears the result; a derived window calls it first, then sets the
    // result from the player's action.
    virtual void UpdateWindow();
    // Keeps who opened the window; derived windows also show their GUI.
    virtual void ShowWindow(Halvard::u32 opener);
    // Lets the next reset clear the result; derived windows also hide their
    // GUI.
    virtual void HideWindow();

    Halvard::u32 GetResult() const { return result_; }
    void SetResult(Halvard::u32 result) { result_ = result; }
    Halvard::u32 GetOpener() const { return opener_; }
    bool IsResultConsumed() const { return resultConsumed_; }
    // A result decided outside the window's own update (inside ShowWindow,
    // for a window with nothing to show) must survive the reset that follows
    // the current dispatch pass, so that the next pass acts on it.
    void ReportOutsideUpdate(Halvard::u32 result);
    // The reset after each dispatch pass: a consumed result is cleared, one
    // reported outside the update is kept this once.
    void ResetResult();

private:
    bool resultConsumed_ = true;
    Halvard::u32 opener_ = 0;
    Halvard::u32 result_ = 0;
};

} // namespace GameFramework
