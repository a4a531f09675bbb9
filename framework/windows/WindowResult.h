#pragma once

#include "engine/core/Types.h"

namespace GameFramework {

// What a window reports from its update: the application's window flow reads
// these and decides which window comes next.
struct WindowResult {
    static constexpr Halvard::u32 kNone = 0;
    static constexpr Halvard::u32 kDone = 1;
    static constexpr Halvard::u32 kWelcome = 2;
    static constexpr Halvard::u32 kMainMenu = 3;
    static constexpr Halvard::u32 kExitQuestion = 4;
    static constexpr Halvard::u32 kProfiles = 5;
    static constexpr Halvard::u32 kNewProfile = 6;
    static constexpr Halvard::u32 kRenameProfile = 7;
    static constexpr Halvard::u32 kDeleteProfile = 8;
    static constexpr Halvard::u32 kNameConflict = 9;
    static constexpr Halvard::u32 kHighScores = 10;
    static constexpr Halvard::u32 kOptions = 11;
    static constexpr Halvard::u32 kHelp = 12;
    // Ends the level, or starts a new game from the continue window.
    static constexpr Halvard::u32 kEndLevel = 13;
    static constexpr Halvard::u32 kBack = 14;
    static constexpr Halvard::u32 kPause = 15;
    static constexpr Halvard::u32 kGameLogicMenu = 16;
    static constexpr Halvard::u32 kRestartQuestion = 17;
    static constexpr Halvard::u32 kMenuExitQuestion = 18;
    static constexpr Halvard::u32 kResume = 19;
    static constexpr Halvard::u32 kGameOver = 20;
    static constexpr Halvard::u32 kStageComplete = 21;
    static constexpr Halvard::u32 kGameComplete = 22;
    static constexpr Halvard::u32 kExitProgram = 23;
    static constexpr Halvard::u32 kPlay = 24;
};

} // namespace GameFramework
