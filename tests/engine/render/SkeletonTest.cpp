#include "engine/render/Skeleton.h"

#include <gtest/gtest.h>

using namespace Halvard;

namespace {

KeyFrame Key(const Vector3& position, const Vector3& scale)
{
    return KeyFrame{position, Quaternion(0, 0, 0, 1), scale};
}

} // namespace

TEST(Skeleton, BlendsKeyFramesAndPlacesTheBonesBoxes)
{
    Skeleton skeleton(nullptr, 2);
    skeleton.GetBone(0).box.SetMinMax(Vector3(-1), Vector3(1));
    skeleton.GetBone(1).box.SetMinMax(Vector3(-1), Vector3(1));
    skeleton.GetBone(1).outOfBounds = 1;
    const KeyFrame frames[4] = {
        Key(Vector3(0, 0, 0), Vector3(1)), Key(Vector3(50, 0, 0), Vector3(1)),
        Key(Vector3(10, 0, 0), Vector3(3)), Key(Vector3(50, 0, 0), Vector3(1)),
    };
    skeleton.SetUp(frames, 0, 1, 0.5f);
    const Bone& bone = skeleton.GetBone(0);
    EXPECT_FLOAT_EQ(bone.position.x, 5.0f);
    EXPECT_FLOAT_EQ(bone.scale.x, 2.0f);
    EXPECT_FLOAT_EQ(bone.box.GetWorldMin().x, 3.0f);
    EXPECT_FLOAT_EQ(bone.box.GetWorldMax().x, 7.0f);
    EXPECT_FLOAT_EQ(skeleton.GetBox().GetWorldMax().x, 7.0f);
}

TEST(Skeleton, ZeroBlendGivesExactlyTheFirstPoseAndThePivotShiftsFirst)
{
    Skeleton skeleton(nullptr, 1);
    skeleton.GetBone(0).pivot = Vector3(1, 0, 0);
    const KeyFrame frames[2] = {Key(Vector3(0, 2, 0), Vector3(1)), Key(Vector3(9, 9, 9), Vector3(5))};
    skeleton.SetUp(frames, 0, 1, 0.0f);
    const Vector3 moved = skeleton.GetBone(0).fullMatrix.TransformPoint(Vector3(0.0f));
    EXPECT_FLOAT_EQ(moved.x, 1.0f);
    EXPECT_FLOAT_EQ(moved.y, 2.0f);
    EXPECT_FLOAT_EQ(skeleton.GetBone(0).scale.x, 1.0f);
    const Skeleton copy(skeleton);
    EXPECT_TRUE(copy.GetBone(0).fullMatrix == skeleton.GetBone(0).fullMatrix);
}
