#pragma once

#include "engine/core/BoundingBox.h"
#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace Halvard {

class MessageManager;

// One key-frame record of a bone; records are laid frame-major.
struct KeyFrame {
    Vector3 position;
    Quaternion rotation;
    Vector3 scale;
};

struct Bone {
    u8 outOfBounds = 0;
    std::string name;
    BoundingBox box;
    u16 value1 = 0;
    u16 value2 = 0;
    Vector3 pivot{0.0f};
    Quaternion rotation{0.0f, 0.0f, 0.0f, 1.0f};
    Vector3 position{0.0f};
    Vector3 scale{0.0f};
    Matrix4 pivotMatrix{};
    Matrix4 translationMatrix{};
    Matrix4 rotationMatrix{};
    Matrix4 scaleMatrix{};
    Matrix4 normalMatrix{};
    Matrix4 fullMatrix{};
};

// The bones of a skinned model, posed for two key frames and a blend factor.
class Skeleton {
public:
    Skeleton(MessageManager* messages, u16 boneCount);
    Skeleton(const Skeleton& other) = default;
    Skeleton& operator=(const Skeleton&) = delete;
    virtual ~Skeleton() = default;

    u16 GetBoneCount() const { return static_cast<u16>(bones_.size()); }
    Bone& GetBone(u32 index) { return bones_.at(index); }
    const Bone& GetBone(u32 index) const { return bones_.at(index); }
    const BoundingBox& GetBox() const { return box_; }

    // keyFrames holds at least (max(frameA, frameB) + 1) * bone count records.
    void SetUp(const KeyFrame* keyFrames, u32 frameA, u32 frameB, float blend);

private:
    void PoseBone(Bone& bone, const KeyFrame& a, const KeyFrame& c, float blend);

    MessageManager* messages_;
    std::vector<Bone> bones_;
    BoundingBox box_;
};

} // namespace Halvard
