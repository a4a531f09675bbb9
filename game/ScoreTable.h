#pragma once

#include "engine/core/Types.h"

#include <array>

namespace Tamrisk {

// The kinds the game scores by, and the points each is worth: the
// vocabulary shared by the logic, which enters them in its score keeper, and
// the objects of a level, which score them.
enum ScoreKind : Halvard::u32 {
    kScoreBonusCaught = 0,
    kScoreSimpleCrash = 1,
    kScoreHardHit = 2,
    kScoreHardCrash = 3,
    // Entered with their points; nothing scores them.
    kScoreSpare4 = 4,
    kScoreSpare5 = 5,
    kScoreExplosiveCrash = 6,
    kScoreUnbreakableCrash = 7,
    kScoreBallKeeperCrash = 8,
};

struct ScoreEntry {
    ScoreKind kind;
    Halvard::u32 points;
};

inline constexpr std::array<ScoreEntry, 9> kScoreTable{{
    {kScoreBonusCaught, 85},
    {kScoreSimpleCrash, 5},
    {kScoreHardHit, 5},
    {kScoreHardCrash, 5},
    {kScoreSpare4, 5},
    {kScoreSpare5, 10},
    {kScoreExplosiveCrash, 10},
    {kScoreUnbreakableCrash, 20},
    {kScoreBallKeeperCrash, 15},
}};

} // namespace Tamrisk
