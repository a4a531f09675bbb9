#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <vector>

namespace GameTools {
class XMLNode;
}

namespace Halvard {
class ShaderUser;
}

namespace Tamrisk {

// One key frame of a block: where it stands and how it is turned.
struct BlockKeyFrame {
    Halvard::Vector3 position;
    Halvard::Quaternion rotation;
};

// One block of a level as its geometry file describes it. The description and
// the shader user belong to the level data that made the record.
struct BlockRecord {
    // The block kind's description: the root of its description file.
    const GameTools::XMLNode* description = nullptr;
    // Carried to the block unchanged; bit 0 keeps the block from falling.
    Halvard::u32 flags = 0;
    Halvard::ShaderUser* shaderUser = nullptr;
    Halvard::Vector3 scale{1.0f, 1.0f, 1.0f};
    // One key frame, or the level's key frame count for an animated block.
    std::vector<BlockKeyFrame> keyFrames;
    // Indices of the blocks this one stands on, and of those standing on it.
    std::vector<Halvard::u16> supports;
    std::vector<Halvard::u16> above;
};

} // namespace Tamrisk
