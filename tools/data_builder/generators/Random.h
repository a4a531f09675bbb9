#pragma once

#include <cstdint>

namespace Tools {

// A small seeded generator (SplitMix64) whose sequence is the same on every
// machine and compiler, so generated data is reproducible byte for byte.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next();
    // Uniform in [0, 1).
    float Unit();
    // Uniform in [-1, 1).
    float Signed() { return Unit() * 2.0f - 1.0f; }

private:
    std::uint64_t state_;
};

} // namespace Tools
