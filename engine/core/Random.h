#pragma once

#include "engine/core/Types.h"

namespace Halvard {

// The program's one pseudo-random sequence: every caller draws from the same
// state, so the order of calls decides the values. Tests seed it.
i32 Random();
void SetRandomSeed(u32 seed);
i32 RandomInt(i32 min, i32 max);
u32 RandomIndex(u32 count);
float RandomUnit();
float RandomFloat(float min, float max);
float RandomSigned();
float RandomSpread(float centre, float spread);

} // namespace Halvard
