#include "engine/render/Skeleton.h"


namespace Halvard {

Skeleton::Skeleton(MessageManager* messages, u16 boneCount)
    : messages_(messages), bones_(boneCount), box_(Vector3(-0.5f), Vector3(0.5f))
{
}

void Skeleton::SetUp(const KeyFrame* keyFrames, u32 frameA, u32 frameB, float blend)
{
    const u32 count = GetBoneCount();
    Vector3 min(100000.0f);
    Vector3 max(-100000.0f);
    for (u32 b = 0; b < count; ++b) {
        Bone& bone = bones_[b];
        PoseBone(bone, keyFrames[frameA * count + b], keyFrames[frameB * count + b], blend);
        if (bone.outOfBounds)
            continue;
        const Vector3& lo = bone.box.GetWorldMin();
        const Vector3& hi = bone.box.GetWorldMax();
        min = Vector3Minimize(min, lo);
        max = Vector3Maximize(max, hi);
    }
    box_.SetMinMax(min, max);
}

void Skeleton::PoseBone(Bone& bone, const KeyFrame& a, const KeyFrame& c, float blend)
{
    const float keep = 1.0f - blend;
    bone.position = a.position * keep + c.position * blend;
    QuaternionLerp(bone.rotation, a.rotation, c.rotation, blend);
    bone.scale = a.scale * keep + c.scale * blend;

    MatrixTranslation(bone.pivotMatrix, bone.pivot);
    bone.rotation.ToMatrix(bone.rotationMatrix);
    MatrixTranslation(bone.translationMatrix, bone.position);
    MatrixScaling(bone.scaleMatrix, bone.scale);
    bone.normalMatrix = bone.rotationMatrix * bone.scaleMatrix * bone.pivotMatrix;
    bone.fullMatrix = bone.translationMatrix * bone.normalMatrix;
    bone.box.SetTransform(bone.fullMatrix);
}

} // namespace Halvard
