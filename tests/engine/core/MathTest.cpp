#include "engine/core/Math.h"

#include "tests/support/VectorMatchers.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace Halvard;

namespace {

constexpr float kNear = 1e-5f;

Matrix4 Translation(float x, float y, float z)
{
    Matrix4 m;
    MatrixTranslation(m, Vector3(x, y, z));
    return m;
}

} // namespace

TEST(Vector, NormalizeScalesToTheLengthAndLeavesZeroAlone)
{
    Vector3 zero(0.0f);
    zero.Normalize(1.0f);
    EXPECT_THAT(zero, Testing::IsNearVector3(Vector3(0.0f), kNear));
    Vector3 v(3.0f, 4.0f, 0.0f);
    v.Normalize(1.0f);
    EXPECT_THAT(v, Testing::IsNearVector3(Vector3(0.6f, 0.8f, 0.0f), kNear));
    Vector3 w(0.0f, 0.0f, 5.0f);
    w.Normalize(2.0f);
    EXPECT_THAT(w, Testing::IsNearVector3(Vector3(0.0f, 0.0f, 2.0f), kNear));
    Vector2 tiny(0.00001f, 0.0f);
    tiny.Normalize(1.0f);
    EXPECT_FLOAT_EQ(tiny.x, 0.00001f);
}

TEST(Vector, CrossIsRightHanded)
{
    EXPECT_THAT(Vector3(1, 0, 0).Cross(Vector3(0, 1, 0)), Testing::IsNearVector3(Vector3(0, 0, 1), kNear));
    EXPECT_FLOAT_EQ(Vector3(1, 2, 3).Dot(Vector3(4, 5, 6)), 32.0f);
}

TEST(Vector, ColoursCompareWithinTheTolerance)
{
    EXPECT_FALSE(Vector4(0, 0, 0, 1) != Vector4(0.00005f, 0, 0, 1));
    EXPECT_TRUE(Vector4(0, 0, 0, 1) != Vector4(0.0002f, 0, 0, 1));
    Vector4 colour;
    colour.SetFromVector3(Vector3(0.2f, 0.4f, 0.6f));
    EXPECT_FLOAT_EQ(colour.w, 1.0f);
}

TEST(Matrix, EqualityUsesTheTolerance)
{
    Matrix4 a;
    MatrixIdentity(a);
    Matrix4 b = a;
    b.m[7] += 0.00009f;
    EXPECT_TRUE(a == b);
    b.m[7] += 0.0002f;
    EXPECT_FALSE(a == b);
}

TEST(Matrix, RotationsTurnXTowardsY)
{
    Matrix4 z;
    MatrixRotationZ(z, std::numbers::pi_v<float> / 2.0f);
    EXPECT_THAT(z.TransformPoint(Vector3(1, 0, 0)), Testing::IsNearVector3(Vector3(0, 1, 0), kNear));
    Matrix4 axis;
    MatrixRotationAxis(axis, Vector3(0, 0, 3), std::numbers::pi_v<float> / 2.0f);
    EXPECT_TRUE(axis == z);
    Matrix4 y;
    MatrixRotationY(y, std::numbers::pi_v<float> / 2.0f);
    EXPECT_THAT(y.TransformPoint(Vector3(0, 0, 1)), Testing::IsNearVector3(Vector3(1, 0, 0), kNear));
}

TEST(Matrix, ProductAppliesTheRightOperandFirst)
{
    Matrix4 scale;
    MatrixScaling(scale, Vector3(2.0f));
    const Matrix4 moveThenScale = scale * Translation(1, 0, 0);
    EXPECT_THAT(moveThenScale.TransformPoint(Vector3(0.0f)), Testing::IsNearVector3(Vector3(2, 0, 0), kNear));
    Matrix4 translated = scale;
    translated.Translate(Vector3(1, 0, 0));
    EXPECT_TRUE(translated == moveThenScale);
}

TEST(Matrix, TransposeTwiceAndInverseOfTranslation)
{
    Matrix4 m;
    MatrixRotationAxis(m, Vector3(1, 2, 3), 0.7f);
    m.m[3] = 5.0f;
    Matrix4 t = m;
    t.Transpose();
    EXPECT_FLOAT_EQ(t.m[12], 5.0f);
    t.Transpose();
    EXPECT_TRUE(t == m);

    Matrix4 inverse = Translation(1, 2, 3);
    inverse.Invert();
    EXPECT_TRUE(inverse == Translation(-1, -2, -3));

    Matrix4 product = m;
    product.Invert();
    Matrix4 identity;
    MatrixIdentity(identity);
    EXPECT_TRUE(product * m == identity);
}

TEST(Matrix, RaysKeepOrScaleTheirDirection)
{
    const Ray ray(Vector3(1, 1, 1), Vector3(0, 0, 1));
    const Ray moved = Translation(5, 0, 0).TransformRay(ray);
    EXPECT_THAT(moved.origin, Testing::IsNearVector3(Vector3(6, 1, 1), kNear));
    EXPECT_THAT(moved.direction, Testing::IsNearVector3(Vector3(0, 0, 1), kNear));
    const Ray scaled = MakeScalingMatrix(Vector3(2.0f)).TransformRay(ray);
    EXPECT_FLOAT_EQ(scaled.direction.Length(), 2.0f);
    const Vector4 full = Translation(1, 0, 0).Transform(Vector4(0, 0, 0, 0));
    EXPECT_FLOAT_EQ(full.x, 0.0f);
}

TEST(Quaternion, BlendTakesTheShorterArc)
{
    const Quaternion q(0.0f, 0.0f, 0.7071068f, 0.7071068f);
    const Quaternion negated(-q.x, -q.y, -q.z, -q.w);
    Quaternion out;
    QuaternionLerp(out, q, negated, 0.5f);
    EXPECT_NEAR(out.z, q.z, 1e-6f);
    EXPECT_NEAR(out.w, q.w, 1e-6f);
}

TEST(Quaternion, MatrixIgnoresTheQuaternionsLength)
{
    Matrix4 unit;
    Quaternion(0.0f, 0.0f, 0.7071068f, 0.7071068f).ToMatrix(unit);
    Matrix4 longer;
    Quaternion(0.0f, 0.0f, 2.0f, 2.0f).ToMatrix(longer);
    EXPECT_TRUE(unit == longer);
    EXPECT_THAT(unit.TransformPoint(Vector3(1, 0, 0)), Testing::IsNearVector3(Vector3(0, 1, 0), kNear));
}

TEST(DeleteAndClear, FreesEveryElementAndEmptiesTheList)
{
    struct Counted {
        int* count;
        ~Counted() { ++*count; }
    };
    int deleted = 0;
    std::vector<Counted*> list{new Counted{&deleted}, new Counted{&deleted}};
    DeleteAndClear(list);
    EXPECT_EQ(deleted, 2);
    EXPECT_TRUE(list.empty());
}
