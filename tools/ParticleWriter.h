#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace Tools {

// Everything a particle-system file holds, in the file's order. Colours are
// red, green, blue, alpha in 0..1; directions and points are x, y, z with z up.
struct ParticleSystemDescription {
    using Keys = std::array<float, 6>;
    using Vector = std::array<float, 3>;
    using VectorKeys = std::array<Vector, 6>;

    std::uint32_t capacity = 100;
    float duration = 1.0f;
    bool gravityOn = true;
    float gravity = 1.0f;
    bool floorOn = true;
    float floorHeight = -1.0f;
    float bounceFactor = 0.9f;
    bool stopKills = true;
    float stopThreshold = 0.4f;
    bool interpolatedEmission = true;
    Keys emission{10.0f, 10.0f, 10.0f, 10.0f, 10.0f, 10.0f};
    Keys lifetimeCentre{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    Keys lifetimeSpread{};
    VectorKeys directionCentre{};
    VectorKeys directionSpread{Vector{1.0f, 1.0f, 1.0f}, Vector{1.0f, 1.0f, 1.0f}, Vector{1.0f, 1.0f, 1.0f},
                               Vector{1.0f, 1.0f, 1.0f}, Vector{1.0f, 1.0f, 1.0f}, Vector{1.0f, 1.0f, 1.0f}};
    std::array<std::array<float, 4>, 6> color{std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f},
                                              std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f},
                                              std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f},
                                              std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f},
                                              std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f},
                                              std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f}};
    Keys size{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    Keys speedCentre{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    // Not stored by version 203.
    Keys speedSpread{};
    // 0 point, 1 box.
    std::uint32_t emitterShape = 0;
    Vector boxMin{-0.5f, -0.5f, -0.5f};
    Vector boxMax{0.5f, 0.5f, 0.5f};
};

constexpr std::uint32_t kParticleFileVersion = 204;
constexpr std::uint32_t kOldParticleFileVersion = 203;

// The bytes of an "HVPSF" file of the given version (204, or 203 without the
// speed spread keys): total size, magic and version, then the fields,
// little-endian.
std::vector<std::uint8_t> BuildParticleFile(const ParticleSystemDescription& description,
                                            std::uint32_t version = kParticleFileVersion);

// Writes the file whole, replacing the output.
void WriteParticleFile(const ParticleSystemDescription& description, const std::filesystem::path& output,
                       std::uint32_t version = kParticleFileVersion);

} // namespace Tools
