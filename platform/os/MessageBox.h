#pragma once

#include <cstddef>
#include <cstdint>
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

// The text as a box sets it: each line broken at spaces into lines of at
// most `width` characters (UTF-8), for the box sets every line whole, however
// wide. A word longer than that is cut after `width` characters. Of more
// than `lines` lines, the middle ones give way to one line "...", for the
// box grows as tall as its text: the first and the last lines still show.
std::string WrapMessageText(const std::string& text, std::size_t width, std::size_t lines = SIZE_MAX);

// Tests turn boxes off so that a failure cannot wait for a click.
void SetMessageBoxesShown(bool shown);

} // namespace Platform
