#pragma once

#include <string>

namespace Platform {

enum class MessageBoxIcon { kError, kWarning, kInformation };

// Shows a message box with one OK button and no owner window, and waits
// until it is closed; works before and after the window exists. The caption
// and text are always echoed to stderr, so a run without a screen still
// tells. No box is shown while boxes are turned off, nor with the
// "offscreen" or "dummy" video drivers, where nobody could close it. Main
// thread only.
void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon);

// Tests turn boxes off so that a failure cannot wait for a click.
void SetMessageBoxesShown(bool shown);

} // namespace Platform
