#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Tools {

using Float3 = std::array<float, 3>;

// Flag bits of a model file that decide its layout.
enum ModelFileFlag : std::uint32_t {
    kModelStatic = 0x1,
    kModelVertexAnimated = 0x2,
    kModelSkinned = 0x4,
    kModelTriangleList = 0x8,
    kModelIndices32 = 0x100000,
};

// The file's flag word is the model's render flag word too. A solid model of
// the scene is drawn as the engine's own boxes are: visible, in the first
// list, clockwise faces culled, depth-tested and lit; without these a model
// read from a file stays hidden until its owner shows it, and then draws
// unlit over whatever is in front of it.
inline constexpr std::uint32_t kModelSolidRenderFlags = 0x40000 | 0x2000 | 0x200 | 0x80 | 0x40;

struct ModelFileBone {
    std::uint8_t outOfBounds = 0;
    std::string name;
    // Written by version 202 only.
    Float3 pivot{0.0f, 0.0f, 0.0f};
    Float3 min{0.0f, 0.0f, 0.0f};
    Float3 max{0.0f, 0.0f, 0.0f};
    std::uint16_t value1 = 0;
    std::uint16_t value2 = 0;
};

// One key frame of one bone: position, rotation (x, y, z, w), scale.
struct ModelFileKey {
    Float3 position{0.0f, 0.0f, 0.0f};
    std::array<float, 4> rotation{0.0f, 0.0f, 0.0f, 1.0f};
    Float3 scale{1.0f, 1.0f, 1.0f};
};

struct ModelFileVertex {
    Float3 position{0.0f, 0.0f, 0.0f};
    Float3 normal{0.0f, 0.0f, 1.0f};
    float u = 0.0f;
    float v = 0.0f;
};

// Position and normal in the bone's space.
struct ModelFileWeight {
    std::uint16_t bone = 0;
    float weight = 1.0f;
    Float3 normal{0.0f, 0.0f, 1.0f};
    Float3 position{0.0f, 0.0f, 0.0f};
};

struct ModelFileSkinVertex {
    float u = 0.0f;
    float v = 0.0f;
    std::vector<ModelFileWeight> weights;
};

struct ModelFileBounds {
    Float3 min{0.0f, 0.0f, 0.0f};
    Float3 max{0.0f, 0.0f, 0.0f};
};

// What a model file holds. The writer writes the parts the flags call for
// exactly as given and checks nothing, so that tests can make broken files
// as easily as sound ones.
struct ModelFileData {
    std::uint32_t version = 202;
    std::uint32_t flags = kModelStatic | kModelTriangleList;
    // Written with kModelVertexAnimated or kModelSkinned.
    std::uint32_t frameCount = 1;
    float speed = 0.0f;
    // Skinned: the bones, and bone count x frame count keys, frame-major.
    std::vector<ModelFileBone> bones;
    std::vector<ModelFileKey> keys;
    // Written at 32 bits with kModelIndices32, else their low 16 bits.
    std::vector<std::uint32_t> indices;
    std::uint32_t vertexCount = 0;
    // Static: the vertices; vertex-animated: every frame's vertices,
    // frame-major.
    std::vector<ModelFileVertex> vertices;
    std::vector<ModelFileSkinVertex> skinVertices;
    // One box, or one per frame for a vertex-animated model.
    std::vector<ModelFileBounds> bounds;
};

// The bytes of an "HVMLF" model file: the 13-byte header with the total size,
// then the parts in file order.
std::vector<std::uint8_t> BuildModelFile(const ModelFileData& data);

// An axis-aligned box of 24 vertices and 36 list indices, facing outwards.
ModelFileData MakeBoxModelData(const Float3& min, const Float3& max);

} // namespace Tools
