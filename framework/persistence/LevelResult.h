#pragma once

#include "engine/core/Types.h"
#include "framework/LevelReference.h"

#include <cmath>

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

// Whether a time read from a file can stand as a best time: a finite
// number of seconds, not negative.
inline bool IsBestTime(float seconds) { return std::isfinite(seconds) && seconds >= 0.0f; }

} // namespace GameFramework
