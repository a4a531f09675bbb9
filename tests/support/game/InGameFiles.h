#pragma once

#include "engine/core/Types.h"

#include <string>

namespace Testing {

class TempFolder;

// Stand-ins for the shipped files of the game's cursor and in-game display,
// written below a program folder's data folder with the tools' writers.
struct InGameFiles {
    // The click effect's particles per burst.
    static constexpr Halvard::u32 kClickBurst = 5;
    // The display's controls with the four buttons at the top right, each
    // 40 x 30 GUI units, and the three counters; the root fades with the
    // shipped "menu" fader.
    static const char* const kDisplayDescription;

    // The cursor's pictures, and the effects "ui/cursor_train" (still dots
    // that live long, looping) and "ui/cursor_click" (a burst of
    // kClickBurst such dots at the start of each 0.5 s cycle). Answers the
    // elements that register the effects, for a list in "data\ui\".
    static std::string WriteCursor(const TempFolder& folder);
    // "data\ui\windows\window_game_logic.xml".
    static void WriteDisplay(const TempFolder& folder, const std::string& description = kDisplayDescription);
};

} // namespace Testing
