#pragma once

#include "engine/core/Types.h"

namespace GameFramework {

// A level as the framework passes it around: stage and level, both counted
// from 0 (shown to the player and logged counted from 1).
struct LevelReference {
    Halvard::u32 stage = 0;
    Halvard::u32 level = 0;

    friend bool operator==(const LevelReference&, const LevelReference&) = default;
};

} // namespace GameFramework
