#include "engine/render/Physics.h"

#include "engine/core/Error.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace Halvard;

namespace {

class PhysicsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine = new Testing::TestEngine(); }
    static void TearDownTestSuite()
    {
        delete engine;
        engine = nullptr;
    }

    bool MoveBall(float radius, const Vector3& from, const Vector2& by, const std::vector<u32>& excluded = {})
    {
        return physics.Move(radius, from, by, excluded, landed, plane, id);
    }

    static Testing::TestEngine* engine;
    Physics physics{engine->Get().GetMessageManager()};
    Vector2 landed{0.0f, 0.0f};
    Plane plane;
    u32 id = 0;
};

Testing::TestEngine* PhysicsTest::engine = nullptr;

BoundingBox Box(const Vector3& min, const Vector3& max) { return BoundingBox(min, max); }

} // namespace

TEST_F(PhysicsTest, NothingRegisteredMovesTheWholeStep)
{
    EXPECT_FALSE(MoveBall(0.5f, Vector3(1, 2, 0), Vector2(3, -1)));
    EXPECT_FLOAT_EQ(landed.x, 4.0f);
    EXPECT_FLOAT_EQ(landed.y, 1.0f);
}

TEST_F(PhysicsTest, FaceContactStopsTheBallTouchingTheFace)
{
    physics.AddStaticObject(Box(Vector3(0, -1, -1), Vector3(1, 1, 1)), 17);
    ASSERT_TRUE(MoveBall(0.5f, Vector3(-2, 0, 0), Vector2(3, 0)));
    EXPECT_NEAR(landed.x, -0.5f, 1e-4f);
    EXPECT_NEAR(landed.y, 0.0f, 1e-5f);
    EXPECT_EQ(id, 17u);
    EXPECT_NEAR(plane.GetA(), -1.0f, 1e-5f);
    EXPECT_NEAR(plane.GetDistance(Vector3(0, 0.3f, 0)), 0.0f, 1e-5f);
    EXPECT_EQ(physics.GetContact(0).kind, PhysicsContact::kFace);
    EXPECT_EQ(physics.GetContactCount(), 1u);
}

TEST_F(PhysicsTest, EveryFaceOfABoxLooksOutwards)
{
    physics.AddStaticObject(Box(Vector3(-1, -1, -1), Vector3(1, 1, 1)), 1);
    const Vector2 directions[4] = {Vector2(1, 0), Vector2(-1, 0), Vector2(0, 1), Vector2(0, -1)};
    for (const Vector2& direction : directions) {
        const Vector3 start(-direction.x * 3.0f, -direction.y * 3.0f, 0.0f);
        ASSERT_TRUE(MoveBall(0.5f, start, direction * 4.0f));
        EXPECT_NEAR(std::fabs(landed.x) + std::fabs(landed.y), 1.5f, 1e-4f);
        EXPECT_NEAR(plane.GetNormal().x, -direction.x, 1e-5f);
        EXPECT_NEAR(plane.GetNormal().y, -direction.y, 1e-5f);
    }
}

TEST_F(PhysicsTest, ContactBeyondTheStepIsNotReported)
{
    physics.AddStaticObject(Box(Vector3(0, -1, -1), Vector3(1, 1, 1)), 1);
    EXPECT_FALSE(MoveBall(0.5f, Vector3(-2, 0, 0), Vector2(1.4f, 0)));
    EXPECT_FLOAT_EQ(landed.x, -0.6f);
}

TEST_F(PhysicsTest, TouchingContactSnapsToZeroDistance)
{
    physics.AddStaticObject(Box(Vector3(0, -1, -1), Vector3(1, 1, 1)), 1);
    ASSERT_TRUE(MoveBall(0.5f, Vector3(-0.50005f, 0, 0), Vector2(1, 0)));
    EXPECT_FLOAT_EQ(physics.GetContact(0).distance, 0.0f);
    EXPECT_NEAR(landed.x, -0.50005f, 1e-6f);
}

TEST_F(PhysicsTest, ExcludedObjectsAreNeverHit)
{
    physics.AddStaticObject(Box(Vector3(0, -1, -1), Vector3(1, 1, 1)), 5);
    EXPECT_FALSE(MoveBall(0.5f, Vector3(-2, 0, 0), Vector2(3, 0), {5}));
    EXPECT_FALSE(MoveBall(0.5f, Vector3(-0.2f, 0, 0), Vector2(0.1f, 0), {5}));
}

TEST_F(PhysicsTest, CentreBehindAFaceIgnoresIt)
{
    physics.AddStaticObject(Box(Vector3(0, -1, -1), Vector3(1, 1, 1)), 5);
    EXPECT_FALSE(MoveBall(0.2f, Vector3(0.5f, 0, 0), Vector2(0.1f, 0)));
}

TEST_F(PhysicsTest, EmbeddedSphereIsPushedOutToTouch)
{
    physics.AddStaticObject(Box(Vector3(0, -1, -1), Vector3(1, 1, 1)), 9);
    ASSERT_TRUE(MoveBall(0.5f, Vector3(-0.3f, 0, 0), Vector2(0, 0)));
    EXPECT_EQ(physics.GetContact(0).kind, PhysicsContact::kEmbedded);
    EXPECT_NEAR(landed.x, -0.5f, 1e-5f);
    EXPECT_NEAR(plane.GetA(), -1.0f, 1e-5f);
    EXPECT_NEAR(plane.GetDistance(Vector3(0, 0, 0)), 0.0f, 1e-5f);
    EXPECT_EQ(id, 9u);
}

TEST_F(PhysicsTest, CornerStopsTheBallTouchingItAndReportsAFacePlane)
{
    physics.AddStaticObject(Box(Vector3(0, 0, -1), Vector3(1, 1, 1)), 3);
    ASSERT_TRUE(MoveBall(0.5f, Vector3(-1, -1, 0), Vector2(1, 1)));
    const Vector3 centre(landed.x, landed.y, 0.0f);
    EXPECT_NEAR(centre.Length(), 0.5f, 1e-3f);
    EXPECT_EQ(physics.GetContact(0).kind, PhysicsContact::kEdge);
    EXPECT_NEAR(plane.GetNormal().x + plane.GetNormal().y, -1.0f, 1e-5f);
}

TEST_F(PhysicsTest, TransformedBoxesReachFarAlongDepthButStaticOnesDoNot)
{
    Matrix4 identity;
    MatrixIdentity(identity);
    physics.AddTransformedObject(Box(Vector3(0, -1, 900), Vector3(1, 1, 902)), identity, 1);
    physics.AddStaticObject(Box(Vector3(0, 3, 900), Vector3(1, 5, 902)), 2);
    MoveBall(0.5f, Vector3(-2, 0, 0), Vector2(3, 0));
    EXPECT_EQ(physics.GetTriangleCount(), 12u);
    MoveBall(0.5f, Vector3(-2, 4, 0), Vector2(3, 0));
    EXPECT_EQ(physics.GetTriangleCount(), 0u);
}

TEST_F(PhysicsTest, NonPositiveRadiusMovesNothing)
{
    physics.AddStaticObject(Box(Vector3(0, -1, -1), Vector3(1, 1, 1)), 1);
    EXPECT_FALSE(MoveBall(0.0f, Vector3(-2, 0, 0), Vector2(3, 0)));
    EXPECT_FLOAT_EQ(landed.x, -2.0f);
    EXPECT_FALSE(MoveBall(-1.0f, Vector3(-2, 0, 0), Vector2(3, 0)));
}

TEST_F(PhysicsTest, FullObjectTableEndsInAFatalError)
{
    for (u32 i = 0; i < Physics::kMaxObjects; ++i)
        physics.AddStaticObject(Box(Vector3(0, 0, -1), Vector3(0.001f, 0.001f, 1)), i);
    try {
        physics.AddStaticObject(Box(Vector3(0), Vector3(1)), 999);
        FAIL() << "no error";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.GetText(), "Physics: objects buffer overflow");
    }
    EXPECT_EQ(physics.GetObjectCount(), Physics::kMaxObjects);
    physics.ClearObjects();
    EXPECT_EQ(physics.GetObjectCount(), 0u);
}

// Each move excludes only its own list, whether the ids are looked up in the
// bit set or beyond it.
TEST_F(PhysicsTest, ExclusionsHoldForTheirMoveOnlyWhateverTheIds)
{
    for (u32 excludedId : {0u, 63u, 64u, Physics::kFlaggedIds - 1, Physics::kFlaggedIds, 0xFFFFFFFFu}) {
        SCOPED_TRACE(excludedId);
        physics.ClearObjects();
        physics.AddStaticObject(Box(Vector3(0, -1, -1), Vector3(1, 1, 1)), excludedId);
        physics.AddStaticObject(Box(Vector3(3, -1, -1), Vector3(4, 1, 1)), excludedId ^ 1u);
        ASSERT_TRUE(MoveBall(0.5f, Vector3(-2, 0, 0), Vector2(7, 0), {excludedId}));
        EXPECT_EQ(id, excludedId ^ 1u);
        ASSERT_TRUE(MoveBall(0.5f, Vector3(-2, 0, 0), Vector2(7, 0)));
        EXPECT_EQ(id, excludedId);
    }
}

// Objects registered again keep their slots without being copied when they
// are unchanged; whatever changes, moves must come out bit for bit as they
// do on a table filled afresh.
TEST_F(PhysicsTest, ObjectsRegisteredAgainMoveBallsAsAFreshTableDoes)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<float> place(-6.0f, 6.0f);
    std::uniform_int_distribution<int> pick(0, 5);
    struct Entry {
        int kind;
        BoundingBox box;
        Matrix4 transform;
        u32 id;
    };
    std::vector<Entry> entries;
    for (int frame = 0; frame < 200; ++frame) {
        // Most objects stay as they were, some change shape, kind, id or
        // place, and the table grows and shrinks.
        entries.resize(static_cast<size_t>(3 + pick(random)));
        for (size_t i = 0; i < entries.size(); ++i) {
            Entry& entry = entries[i];
            if (frame > 0 && pick(random) != 0 && entry.id != 0)
                continue;
            const Vector3 min(place(random), place(random), -1.0f);
            entry.kind = pick(random) % 2;
            entry.box = Box(min, min + Vector3(1.0f + pick(random), 1.0f, 2.0f));
            MatrixRotationZ(entry.transform, place(random) * 0.1f);
            entry.id = static_cast<u32>(1 + pick(random) + 10 * i);
        }
        Physics fresh(engine->Get().GetMessageManager());
        physics.ClearObjects();
        for (Physics* table : {&physics, &fresh}) {
            for (const Entry& entry : entries) {
                if (entry.kind == 0)
                    table->AddStaticObject(entry.box, entry.id);
                else
                    table->AddTransformedObject(entry.box, entry.transform, entry.id);
            }
        }
        const Vector3 from(place(random), place(random), 0.0f);
        const Vector2 by(place(random), place(random));
        const std::vector<u32> excluded = {entries[0].id};
        Vector2 freshLanded(0.0f, 0.0f);
        Plane freshPlane;
        u32 freshId = 0;
        const bool hit = MoveBall(0.4f, from, by, excluded);
        ASSERT_EQ(hit, fresh.Move(0.4f, from, by, excluded, freshLanded, freshPlane, freshId)) << frame;
        ASSERT_EQ(std::memcmp(&landed, &freshLanded, sizeof landed), 0) << frame;
        if (hit) {
            EXPECT_EQ(id, freshId) << frame;
            EXPECT_EQ(std::memcmp(&plane, &freshPlane, sizeof plane), 0) << frame;
        }
    }
}

// The broad phase skips whole blocks of the table by their bounds; objects
// far away, set between the near ones so that every block spans the field,
// must leave every move as it was, touching contacts included.
TEST_F(PhysicsTest, DistantObjectsAmongTheNearOnesChangeNoMove)
{
    Physics spread(engine->Get().GetMessageManager());
    physics.ClearObjects();
    for (u32 row = 0; row < 6; ++row) {
        for (u32 column = 0; column < 10; ++column) {
            const Vector3 min(-10.0f + 2.0f * static_cast<float>(column), 1.0f * static_cast<float>(row), -0.5f);
            const BoundingBox brick = Box(min, min + Vector3(1.5f, 0.5f, 1.0f));
            const u32 brickId = row * 10 + column;
            physics.AddStaticObject(brick, brickId);
            spread.AddStaticObject(brick, brickId);
            const Vector3 far(500.0f - 1000.0f * static_cast<float>(column % 2), 400.0f, -0.5f);
            spread.AddStaticObject(Box(far, far + Vector3(1.0f)), 1000 + brickId);
        }
    }
    std::mt19937 random(5);
    std::uniform_int_distribution<int> grid(-24, 24);
    std::uniform_real_distribution<float> step(-2.0f, 2.0f);
    int hits = 0;
    for (int move = 0; move < 2000; ++move) {
        // Starts on a quarter grid, so that many balls touch a brick's face
        // or corner exactly.
        const Vector3 from(0.25f * static_cast<float>(grid(random)), 0.25f * static_cast<float>(grid(random)), 0.0f);
        const Vector2 by = move % 4 == 0 ? Vector2(0.0f, 0.0f) : Vector2(step(random), step(random));
        Vector2 spreadLanded(0.0f, 0.0f);
        Plane spreadPlane;
        u32 spreadId = 0;
        const bool hit = MoveBall(0.25f, from, by);
        ASSERT_EQ(hit, spread.Move(0.25f, from, by, {}, spreadLanded, spreadPlane, spreadId)) << move;
        ASSERT_EQ(std::memcmp(&landed, &spreadLanded, sizeof landed), 0) << move;
        if (hit) {
            ++hits;
            EXPECT_EQ(id, spreadId) << move;
            EXPECT_EQ(std::memcmp(&plane, &spreadPlane, sizeof plane), 0) << move;
        }
    }
    EXPECT_GT(hits, 400);
}
