#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace Tools {

constexpr std::uint32_t kLevelGeometryFileVersion = 105;

// One key frame of a block: its position and its rotation (x, y, z, w).
struct LevelBlockKeyFrame {
    std::array<float, 3> position{0.0f, 0.0f, 0.0f};
    std::array<float, 4> rotation{0.0f, 0.0f, 0.0f, 1.0f};
};

struct LevelBlock {
    // The block kind's name, or a longer name built on it.
    std::string name;
    std::uint32_t flags = 0;
    std::uint32_t texture = 0;
    std::uint32_t opacityTexture = 0;
    std::array<float, 3> scale{1.0f, 1.0f, 1.0f};
    // One key frame, or the file's key frame count for an animated block.
    bool animated = false;
    std::vector<LevelBlockKeyFrame> keyFrames;
    // Indices of the blocks this one stands on and of those standing on it.
    std::vector<std::uint16_t> supports;
    std::vector<std::uint16_t> above;
};

// What a level geometry file ("TKTKG") holds. The writer writes it exactly as
// given and checks nothing, so that tests can make broken files as easily as
// sound ones.
struct LevelGeometry {
    std::uint32_t keyFrameCount = 1;
    float animationSpeed = 0.0f;
    // File names below the block textures' folder; "" for none.
    std::vector<std::string> textures;
    std::vector<LevelBlock> blocks;
};

std::vector<std::uint8_t> BuildLevelGeometryFile(const LevelGeometry& geometry,
                                                 std::uint32_t version = kLevelGeometryFileVersion);
void WriteLevelGeometryFile(const LevelGeometry& geometry, const std::filesystem::path& output);

} // namespace Tools
