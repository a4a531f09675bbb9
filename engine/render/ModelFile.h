#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "engine/render/Skeleton.h"

#include <memory>
#include <string>
#include <vector>

namespace Halvard {

class FileManager;
class MessageManager;

// A vertex of one animation frame, in memory order.
struct FrameVertex {
    Vector3 position;
    Vector3 normal;
    float u;
    float v;
};

// Position and normal in the bone's space.
struct SkinWeight {
    u16 bone;
    float weight;
    Vector3 position;
    Vector3 normal;
};

struct SkinRecord {
    static constexpr u32 kMaxWeights = 4;

    u16 weightCount;
    SkinWeight weights[kMaxWeights];
};

// The contents of an "HVMLF" model file, read and checked whole before the
// model makes anything from it: every count is bounded by the bytes that are
// left, indices name existing vertices, weights existing bones, and an
// animated file has at least one frame. The layout follows the file's own
// flags only. Any fault is a FileError.
class ModelFile {
public:
    enum Flag : u32 {
        kStatic = 0x1,
        kVertexAnimated = 0x2,
        kSkinned = 0x4,
        kTriangleList = 0x8,
        kIndices32 = 0x100000,
    };
    static constexpr u32 kCurrentVersion = 202;

    // The file is "data\" + name, or the name itself when it is absolute.
    ModelFile(MessageManager* messages, FileManager* files, const std::string& name);
    ModelFile(const ModelFile&) = delete;
    ModelFile& operator=(const ModelFile&) = delete;
    virtual ~ModelFile();

    u32 version = 0;
    u32 flags = 0;
    u32 frameCount = 1;
    float speed = 0.0f;
    // Skinned files: the bones as read (not yet posed) and bone count x frame
    // count key frames, frame-major.
    std::unique_ptr<Skeleton> skeleton;
    std::vector<KeyFrame> keyFrames;
    std::vector<u32> indices;
    u32 vertexCount = 0;
    // Static: one set; vertex-animated: one set per frame, frame-major;
    // skinned: one set of which only u and v count.
    std::vector<FrameVertex> vertices;
    std::vector<SkinRecord> skin;
    // One per frame for a vertex-animated file, else one.
    std::vector<Vector3> boundsMin;
    std::vector<Vector3> boundsMax;

private:
    class Reader;

    void ReadBody(MessageManager* messages, Reader& in);
    void ReadBones(MessageManager* messages, Reader& in);
    void ReadIndices(Reader& in);
    void ReadVertices(Reader& in);
    void ReadSkinVertices(Reader& in);
    void ReadBounds(Reader& in);

    std::string name_;
};

} // namespace Halvard
