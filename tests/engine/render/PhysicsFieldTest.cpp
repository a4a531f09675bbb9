#include "engine/render/Physics.h"

#include "engine/core/Random.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace Halvard;

namespace {

// A closed field of bricks with a ball bouncing through it the way the
// game's ball manager moves one: each step may end in a contact, after which
// the rest of the step goes on along the reflected direction.
class BallInField {
public:
    explicit BallInField(Engine* engine) : physics_(engine->GetMessageManager())
    {
        AddBox(Vector3(-11, -9, -1), Vector3(-10, 9, 1));
        AddBox(Vector3(10, -9, -1), Vector3(11, 9, 1));
        AddBox(Vector3(-11, -9, -1), Vector3(11, -8, 1));
        AddBox(Vector3(-11, 8, -1), Vector3(11, 9, 1));
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 6; ++column) {
                const float x = -8.5f + static_cast<float>(column) * 3.0f;
                const float y = -6.0f + static_cast<float>(row) * 3.0f;
                AddBox(Vector3(x, y, -1), Vector3(x + 1.5f, y + 0.7f, 1));
            }
        }
    }

    // Moves the ball one step; false when an invariant broke.
    ::testing::AssertionResult Step(Vector3& position, Vector2& velocity, float radius)
    {
        Vector2 landed(0.0f, 0.0f);
        Plane plane;
        u32 id = 0;
        const bool hit = physics_.Move(radius, position, velocity, {}, landed, plane, id);
        const Vector3 next(landed.x, landed.y, position.z);
        if (auto check = Check(position, next, radius); !check)
            return check;
        position = next;
        if (hit) {
            ++hits_;
            velocity = Reflect(velocity, plane);
        }
        return ::testing::AssertionSuccess();
    }

    int Hits() const { return hits_; }

private:
    void AddBox(const Vector3& min, const Vector3& max)
    {
        boxes_.emplace_back(min, max);
        physics_.AddStaticObject(boxes_.back(), static_cast<u32>(boxes_.size()));
    }

    // A direction that does not run into the plane leaves along its normal.
    static Vector2 Reflect(const Vector2& v, const Plane& plane)
    {
        const float speed = v.Length();
        const Vector2 n(plane.GetA(), plane.GetB());
        const float along = v.x * n.x + v.y * n.y;
        Vector2 out = along < 0.0f ? Vector2(v.x - 2.0f * along * n.x, v.y - 2.0f * along * n.y) : n;
        out.Normalize(speed);
        return out;
    }

    ::testing::AssertionResult Check(const Vector3& from, const Vector3& to, float radius) const
    {
        for (const BoundingBox& box : boxes_) {
            const Vector3& lo = box.GetWorldMin();
            const Vector3& hi = box.GetWorldMax();
            const Vector3 nearest(std::clamp(to.x, lo.x, hi.x), std::clamp(to.y, lo.y, hi.y),
                                  std::clamp(to.z, lo.z, hi.z));
            if ((nearest - to).Length() < radius * 0.99f)
                return ::testing::AssertionFailure() << "ends inside a box at " << to.x << ", " << to.y;
            // The inflated box lies inside the region the sphere may not sweep.
            const BoundingBox core = BoundingBox(lo, hi).GetScaled(1.0f);
            const BoundingBox inflated(core.GetWorldMin() - Vector3(radius * 0.55f),
                                       core.GetWorldMax() + Vector3(radius * 0.55f));
            if (inflated.IntersectsSegment(Ray(from, to - from)))
                return ::testing::AssertionFailure()
                       << "passes through a box from " << from.x << ", " << from.y << " to " << to.x << ", " << to.y;
        }
        return ::testing::AssertionSuccess();
    }

    Physics physics_;
    std::vector<BoundingBox> boxes_;
    int hits_ = 0;
};

class FieldFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine = new Testing::TestEngine(); }
    static void TearDownTestSuite()
    {
        delete engine;
        engine = nullptr;
    }

    static Testing::TestEngine* engine;
};

Testing::TestEngine* FieldFixture::engine = nullptr;

class PhysicsFieldTest : public FieldFixture, public ::testing::WithParamInterface<float> {};

using PhysicsTrajectoryTest = FieldFixture;

} // namespace

// The parameter is the step length in ball radii.
TEST_P(PhysicsFieldTest, BallNeverEndsInsideOrPassesThroughABrick)
{
    const float radius = 0.3f;
    const float stepLength = GetParam() * radius;
    BallInField field(&engine->Get());
    SetRandomSeed(77);
    for (int ball = 0; ball < 20; ++ball) {
        Vector3 position(-9.5f + RandomUnit() * 0.5f, -7.5f + RandomUnit() * 0.5f, 0.0f);
        const float angle = RandomFloat(0.1f, 1.4f);
        Vector2 velocity(std::cos(angle) * stepLength, std::sin(angle) * stepLength);
        const int steps = static_cast<int>(400.0f / GetParam()) + 50;
        for (int step = 0; step < steps; ++step)
            ASSERT_TRUE(field.Step(position, velocity, radius)) << "ball " << ball << " step " << step;
    }
    EXPECT_GT(field.Hits(), 200);
}

// Positions of one ball every 25 steps, recorded from a run that kept every
// invariant above; a change to the contact rules shows here first.
TEST_F(PhysicsTrajectoryTest, RecordedTrajectoryStaysTheSame)
{
    const float expected[][2] = {
        {-7.3554f, -6.3000f}, {-5.8400f, -6.8316f}, {3.2000f, -5.3927f}, {-0.9950f, -5.0000f},
        {3.2009f, -5.2769f}, {3.2009f, -4.5708f}, {3.2009f, -3.8648f}, {3.2009f, -3.1587f},
        {3.2009f, -3.0231f}, {3.2009f, -3.7292f}, {3.2009f, -4.4352f}, {3.2009f, -5.1413f},
        {3.2009f, -5.2769f}, {3.2009f, -4.5708f}, {3.2009f, -3.8648f}, {3.2009f, -3.1587f}};
    BallInField field(&engine->Get());
    Vector3 position(-9.0f, -7.0f, 0.0f);
    Vector2 velocity(0.43f, 0.56f);
    for (int step = 1; step <= 400; ++step) {
        ASSERT_TRUE(field.Step(position, velocity, 0.3f));
        if (step % 25 == 0) {
            const auto& point = expected[step / 25 - 1];
            EXPECT_NEAR(position.x, point[0], 1e-3f) << "step " << step;
            EXPECT_NEAR(position.y, point[1], 1e-3f) << "step " << step;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(StepLengths, PhysicsFieldTest, ::testing::Values(0.1f, 0.5f, 1.0f, 3.0f, 7.0f, 10.0f));
