#include "engine/core/BoundingBox.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace Halvard;

TEST(BoundingBox, MinMaxGivesCentreHalfSizeAndRadius)
{
    const BoundingBox box(Vector3(-1, -2, -3), Vector3(3, 2, 1));
    EXPECT_FLOAT_EQ(box.GetCenter().x, 1.0f);
    EXPECT_FLOAT_EQ(box.GetCenter().z, -1.0f);
    EXPECT_FLOAT_EQ(box.GetHalfSize().y, 2.0f);
    EXPECT_FLOAT_EQ(box.GetRadius(), std::sqrt(12.0f));
}

TEST(BoundingBox, NoPointsLeaveTheInvertedBox)
{
    const BoundingBox box(0u, nullptr);
    EXPECT_FLOAT_EQ(box.GetLocalMin().x, 100000.0f);
    EXPECT_FLOAT_EQ(box.GetLocalMax().x, -100000.0f);
    EXPECT_FLOAT_EQ(box.GetCenter().y, 0.0f);
    EXPECT_LT(box.GetHalfSize().z, 0.0f);
    EXPECT_GT(box.GetRadius(), 0.0f);
}

TEST(BoundingBox, SharedFacesIntersectAndAnyGapSeparates)
{
    const BoundingBox a(Vector3(0, 0, 0), Vector3(1, 1, 1));
    EXPECT_TRUE(a.Intersects(BoundingBox(Vector3(1, 0, 0), Vector3(2, 1, 1))));
    EXPECT_FALSE(a.Intersects(BoundingBox(Vector3(1.01f, 0, 0), Vector3(2, 1, 1))));
}

TEST(BoundingBox, RotationWidensTheWorldBox)
{
    BoundingBox box(Vector3(-0.5f), Vector3(0.5f));
    Matrix4 rotation;
    MatrixRotationZ(rotation, std::numbers::pi_v<float> / 4.0f);
    box.SetTransform(rotation);
    EXPECT_NEAR(box.GetWorldMax().x - box.GetWorldMin().x, 1.41421f, 1e-4f);
    EXPECT_NEAR(box.GetWorldMax().y - box.GetWorldMin().y, 1.41421f, 1e-4f);
    EXPECT_NEAR(box.GetWorldMax().z - box.GetWorldMin().z, 1.0f, 1e-5f);
    box.SetMinMax(Vector3(0.0f), Vector3(1.0f));
    Matrix4 identity;
    MatrixIdentity(identity);
    EXPECT_TRUE(box.GetTransform() == identity);
}

TEST(BoundingBox, SegmentsMeetOrMissTheBox)
{
    const BoundingBox box(Vector3(-1), Vector3(1));
    EXPECT_TRUE(box.IntersectsSegment(Ray(Vector3(-5, 0, 0), Vector3(10, 0, 0))));
    EXPECT_FALSE(box.IntersectsSegment(Ray(Vector3(-5, 0, 0), Vector3(3, 0, 0))));
    EXPECT_FALSE(box.IntersectsSegment(Ray(Vector3(-5, 3, 0), Vector3(10, 0, 0))));
    EXPECT_FALSE(box.IntersectsSegment(Ray(Vector3(-3, 0, 0), Vector3(3, 3.5f, 0))));
    EXPECT_TRUE(box.IntersectsSegment(Ray(Vector3(-3, -3, 0), Vector3(6, 6, 0))));
}

TEST(BoundingBox, MergeScaleAndInterpolate)
{
    BoundingBox a(Vector3(0), Vector3(1));
    a.Merge(BoundingBox(Vector3(2), Vector3(3)));
    EXPECT_FLOAT_EQ(a.GetWorldMin().x, 0.0f);
    EXPECT_FLOAT_EQ(a.GetWorldMax().z, 3.0f);
    const BoundingBox scaled = BoundingBox(Vector3(-1), Vector3(1)).GetScaled(2.0f);
    EXPECT_FLOAT_EQ(scaled.GetWorldMax().y, 2.0f);
    const BoundingBox blend =
        InterpolateBoundingBox(BoundingBox(Vector3(-1), Vector3(1)), BoundingBox(Vector3(1), Vector3(5)), 0.5f);
    EXPECT_FLOAT_EQ(blend.GetCenter().x, 1.5f);
    EXPECT_FLOAT_EQ(blend.GetHalfSize().x, 1.5f);
    const BoundingBox copy = blend;
    EXPECT_FLOAT_EQ(copy.GetRadius(), blend.GetRadius());
}
