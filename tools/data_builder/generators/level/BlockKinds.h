#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Tools {

class DataSet;

// The folder of the block database and of everything made for its kinds.
inline constexpr const char* kBlocksFolder = "data\\game_objects\\blocks\\";

// One block kind as its description file gives it, with the defaults the
// game takes for what it leaves out.
struct BlockKind {
    // The file's base name, the key the game matches block names against.
    std::string name;
    std::string path;
    bool ballKeeper = false;
    int strength = 1;
    bool explosive = false;
    bool collisionModel = false;
    int fragmentCount = 0;
    // Frames of the animated texture; 1 without a "shader" element.
    int frameCount = 1;

    // A brick the player must break to finish the level.
    bool Counts() const { return !ballKeeper && (strength >= 1 || explosive); }
};

// The block database of the set: every "*.xml" directly in the blocks'
// folder, sorted by name as the game takes them. Throws std::runtime_error
// naming the file for a boolean that is not "0" or "1" (the game reads any
// other text as false), a negative count, a hard brick with fewer texture
// frames than hits, and for a kind whose name occurs in another kind's name
// (a block of the longer name could be served by the shorter kind).
std::vector<BlockKind> ReadBlockKinds(const DataSet& set);

// The game's rule: the first kind, in database order, whose name occurs in
// the block name. Null when none does. A name holding two kinds' names is
// refused with std::runtime_error: which one serves it would depend on the
// sort order alone.
const BlockKind* FindBlockKind(const std::vector<BlockKind>& kinds, const std::string& blockName);

} // namespace Tools
