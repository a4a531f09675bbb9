#pragma once

#include "engine/core/Types.h"

namespace GameFramework {

// Who opened a window: the value handed to GUIFrameworkWindow::ShowWindow
// and kept as the window's opener.
struct WindowSource {
    static constexpr Halvard::u32 kNone = 0;
    // Start-up (logos) and the loss of focus during a level (pause).
    static constexpr Halvard::u32 kProgram = 1;
    static constexpr Halvard::u32 kLogos = 2;
    static constexpr Halvard::u32 kGameLoading = 3;
    static constexpr Halvard::u32 kWelcome = 4;
    static constexpr Halvard::u32 kExit = 5;
    // Also the source of a level left through LeaveGameLogic.
    static constexpr Halvard::u32 kMainMenu = 6;
    static constexpr Halvard::u32 kHighScores = 7;
    static constexpr Halvard::u32 kOptions = 8;
    static constexpr Halvard::u32 kHelp = 9;
    static constexpr Halvard::u32 kProfiles = 10;
    static constexpr Halvard::u32 kNewProfile = 11;
    static constexpr Halvard::u32 kRenameProfile = 12;
    static constexpr Halvard::u32 kDeleteProfile = 13;
    static constexpr Halvard::u32 kProfileNameConflict = 14;
    static constexpr Halvard::u32 kStartGameLogic = 15;
    static constexpr Halvard::u32 kGameLogicLoading = 16;
    // The game window, and the end of a level (complete or lost).
    static constexpr Halvard::u32 kGameLogic = 17;
    static constexpr Halvard::u32 kGameLogicMenu = 18;
    static constexpr Halvard::u32 kGameLogicRestart = 19;
    static constexpr Halvard::u32 kGameLogicMenuExit = 20;
    static constexpr Halvard::u32 kContinueGameLogic = 21;
    static constexpr Halvard::u32 kLevelComplete = 22;
    static constexpr Halvard::u32 kStageComplete = 23;
    static constexpr Halvard::u32 kGameComplete = 24;
    static constexpr Halvard::u32 kGameOver = 25;
};

} // namespace GameFramework
