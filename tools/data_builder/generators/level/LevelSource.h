#pragma once

#include "tools/LevelGeometryWriter.h"
#include "tools/data_builder/generators/level/BlockKinds.h"
#include "tools/data_builder/generators/level/BlockShapes.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Tools {

class DataSet;

// The level sources: "data\levels_geometry\sources\SS_LL.xml" makes
// "data\levels_geometry\SS_LL.tkg". The format is described in data/README.
inline constexpr const char* kLevelSourcesFolder = "data\\levels_geometry\\sources\\";
inline constexpr const char* kLevelGeometryFolder = "data\\levels_geometry\\";
// The stages and their levels, in play order.
inline constexpr const char* kLevelList = "data\\levels\\levels.xml";

// What a level may hold: the field's three walls and the blocks are the
// collision module's objects, 786 at most.
inline constexpr std::size_t kMaxLevelBlocks = 783;
// Every ball rolls with its centre at z = its radius, so a block must reach
// that high for the ball to meet it.
inline constexpr float kBallRadius = 1.5f;

// One block as a level source places it, before the checks.
struct BlockPlacement {
    std::string name;
    std::string texture;
    std::string opacity;
    // The element's id, or the id of the grid it belongs to.
    std::string id;
    float x = 0.0f;
    float y = 0.0f;
    // Degrees about z.
    float angle = 0.0f;
    std::array<float, 3> scale{1.0f, 1.0f, 1.0f};
    std::uint32_t flags = 0;
    // Ids of the blocks or grids it may stand on.
    std::vector<std::string> on;
    // An animated block: per key frame x, y and angle added to its own.
    std::vector<std::array<float, 3>> path;
};

// A level source as written: its header, its texture table and its blocks
// in file order (a grid row by row).
struct LevelSource {
    std::uint32_t keyFrameCount = 1;
    float animationSpeed = 0.0f;
    std::vector<std::string> textures;
    std::vector<BlockPlacement> blocks;
};

// Reads the XML of a source; throws std::runtime_error naming the path for
// an element or attribute the format does not have and for a malformed value.
LevelSource ParseLevelSource(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The geometry file's contents: supports found under each block, z from the
// supports' tops, key frames, above lists. Throws std::runtime_error naming
// the path and the block for every constraint the game relies on: texture
// entry 0 is "" and every texture named exists in the set (every frame of an
// animated one); at most kMaxLevelBlocks blocks, at least one that counts;
// every name finds one kind; blocks stand on z = 0 or on the tops of their
// supports, are tall enough for a ball, lie inside the block area and do not
// overlap; supports are found and form no cycle; animated blocks have a key
// frame for each of the file's, a speed, and stand alone.
LevelGeometry AssembleLevel(const std::string& path, const LevelSource& source, const std::vector<BlockKind>& kinds,
                            const DataSet& set);

// The number of levels of each stage the level list holds. Throws
// std::runtime_error when the set has no list, saying what is lost.
std::vector<std::uint32_t> LevelsPerStage(const DataSet& set, const std::string& lost);

// Every level data\levels\levels.xml lists, from its source; a source for
// no listed level, or a listed level without one, ends the build.
void GenerateLevelGeometry(DataSet& set);

} // namespace Tools
