#include "engine/core/Plane.h"

#include <gtest/gtest.h>

using namespace Halvard;

TEST(Plane, FromPointsFollowsTheRightHandRuleAndIsNormalised)
{
    Plane plane;
    plane.SetFromPoints(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0));
    EXPECT_FLOAT_EQ(plane.GetC(), 1.0f);
    EXPECT_FLOAT_EQ(plane.GetD(), 0.0f);
    plane.Set(0, 0, 2, -4);
    EXPECT_FLOAT_EQ(plane.GetDistance(Vector3(5, 5, 5)), 3.0f);
    const Vector3 projected = plane.ProjectPoint(Vector3(1, 2, 7));
    EXPECT_FLOAT_EQ(projected.z, 2.0f);
    plane.SetNormalAndPoint(Vector3(0, 3, 0), Vector3(0, 1, 0));
    EXPECT_FLOAT_EQ(plane.GetDistance(Vector3(0, 4, 0)), 3.0f);
}

TEST(Plane, PointsOnALineLeaveAZeroNormal)
{
    Plane plane;
    const Vector3 corners[3] = {Vector3(0, 0, 0), Vector3(1, 1, 1), Vector3(2, 2, 2)};
    plane.SetFromTriangle(corners);
    EXPECT_FLOAT_EQ(plane.GetNormal().Length(), 0.0f);
}

TEST(Plane, RayHitsOnlyInFrontOfItsOrigin)
{
    Plane plane;
    plane.Set(0, 0, 1, 0);
    float t = 99.0f;
    EXPECT_TRUE(plane.IntersectRay(Ray(Vector3(0, 0, 4), Vector3(0, 0, -2)), t));
    EXPECT_FLOAT_EQ(t, 2.0f);
    EXPECT_FALSE(plane.IntersectRay(Ray(Vector3(0, 0, 0), Vector3(0, 0, 1)), t));
    EXPECT_FLOAT_EQ(t, 0.0f);
    EXPECT_FALSE(plane.IntersectRay(Ray(Vector3(0, 0, 1), Vector3(0, 0, 1)), t));
    EXPECT_LT(t, 0.0f);
    t = 5.0f;
    EXPECT_FALSE(plane.IntersectRay(Ray(Vector3(0, 0, 1), Vector3(1, 0, 0)), t));
    EXPECT_FLOAT_EQ(t, 5.0f);
}

TEST(PointInTriangle, CornersAndEdgeMidpointsAreInside)
{
    const Vector3 p1(0, 0, 0), p2(2, 0, 1), p3(0, 2, 1);
    Plane plane;
    plane.SetFromPoints(p1, p2, p3);
    for (const Vector3& q : {p1, p2, p3, (p1 + p2) * 0.5f, (p2 + p3) * 0.5f, (p1 + p3) * 0.5f})
        EXPECT_TRUE(IsPointInTriangle(plane, p1, p2, p3, q));
    const Vector3 e1 = p2 - p1, e2 = p3 - p1;
    EXPECT_TRUE(IsPointInTriangle(plane, p1, p2, p3, p1 + e1 * 0.2f + e2 * 0.3f));
    EXPECT_FALSE(IsPointInTriangle(plane, p1, p2, p3, p1 + e1 * 0.7f + e2 * 0.6f));
    EXPECT_FALSE(IsPointInTriangle(plane, p1, p2, p3, p1 - e1 * 0.1f + e2 * 0.5f));
}

TEST(PointInTriangle, WorksInEveryProjectionAndRejectsDegenerateTriangles)
{
    const Vector3 a(0, 0, 0), b(0, 1, 0), c(0, 0, 1);
    Plane side;
    side.SetFromPoints(a, b, c);
    EXPECT_TRUE(IsPointInTriangle(side, a, b, c, Vector3(0, 0.2f, 0.2f)));
    EXPECT_FALSE(IsPointInTriangle(side, a, b, c, Vector3(0, 0.8f, 0.8f)));
    const Vector3 d(1, 0, 0);
    Plane floor;
    floor.SetFromPoints(a, c, d);
    EXPECT_TRUE(IsPointInTriangle(floor, a, c, d, Vector3(0.3f, 0, 0.3f)));
    Plane flat;
    flat.Set(0, 0, 1, 0);
    EXPECT_FALSE(IsPointInTriangle(flat, a, a, a, Vector3(0, 0, 0)));
}
