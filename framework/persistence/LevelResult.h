#pragma once

#include "engine/core/Types.h"
#include "framework/LevelReference.h"

namespace GameFramework {

// A player's best time on one level of one game mode; 16 bytes on disk:
// game mode, stage, level, time.
struct LevelResult {
    Halvard::u32 gameMode = 0;
    LevelReference level;
    // Seconds.
    float time = 0.0f;

    bool IsSameLevel(const LevelResult& other) const { return gameMode == other.gameMode && level == other.level; }
};

} // namespace GameFramework
