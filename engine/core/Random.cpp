#include "engine/core/Random.h"

#include <atomic>

namespace Halvard {

namespace {

std::atomic<u32> state{0};

} // namespace

i32 Random()
{
    const u32 next = state.load(std::memory_order_relaxed) * 1103515245u + 12345u;
    state.store(next, std::memory_order_relaxed);
    return static_cast<i32>((next >> 16) & 0x7fff);
}

void SetRandomSeed(u32 seed) { state.store(seed, std::memory_order_relaxed); }

i32 RandomInt(i32 min, i32 max)
{
    const u32 span = static_cast<u32>(max) - static_cast<u32>(min) + 1u;
    const u32 drawn = static_cast<u32>(Random());
    // A span of 0 is the whole 32-bit range: every draw already lies in it.
    const u32 offset = span == 0 ? drawn : drawn % span;
    return static_cast<i32>(offset + static_cast<u32>(min));
}

u32 RandomIndex(u32 count)
{
    const u32 drawn = static_cast<u32>(Random());
    return count == 0 ? 0 : drawn % count;
}

float RandomUnit() { return static_cast<float>(Random()) / 32768.0f; }

float RandomFloat(float min, float max) { return min + RandomUnit() * (max - min); }

float RandomSigned() { return RandomUnit() * 2.0f - 1.0f; }

float RandomSpread(float centre, float spread) { return centre + RandomSigned() * spread; }

} // namespace Halvard
