#include "tools/data_builder/generators/Random.h"

namespace Tools {

std::uint64_t Random::Next()
{
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Random::Unit()
{
    // 24 bits fill a float's mantissa exactly.
    return static_cast<float>(Next() >> 40) / 16777216.0f;
}

} // namespace Tools
