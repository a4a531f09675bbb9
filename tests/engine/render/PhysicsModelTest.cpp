#include "engine/core/Error.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/Physics.h"
#include "engine/render/VertexBuffer.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Halvard;

namespace {

// Models registered as solids: their own triangles, read through their
// buffers, under the object's transform.
class PhysicsModelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine = new Testing::TestEngine(); }
    static void TearDownTestSuite()
    {
        delete engine;
        engine = nullptr;
    }

    ~PhysicsModelTest() override
    {
        for (Model* model : made)
            delete model;
    }

    bool MoveBall(float radius, const Vector3& from, const Vector2& by)
    {
        return physics.Move(radius, from, by, {}, landed, plane, id);
    }

    Model* Box(u32 extraFlags = 0)
    {
        const float min[3] = {0, -1, -1};
        const float max[3] = {1, 1, 1};
        made.push_back(Models().NewModelFromArrays(min, max, nullptr, nullptr, extraFlags));
        return made.back();
    }

    // A wall on the plane x = 0 facing -x, as one triangle of the given
    // indices over vertices 0 to 2; the index buffer holds capacity entries.
    Model* Wall(u32 flags, const std::vector<u32>& indices, u32 capacity = 0)
    {
        made.push_back(new Model(Models().GetServices(), flags, 3, capacity > 0 ? capacity : indices.size(), 1,
                                 nullptr, nullptr));
        Model* model = made.back();
        const u32 stride = model->GetVertexBuffer().GetStride();
        u8* data = model->GetVertexBuffer().LockRange(0, 3);
        const float corners[3][3] = {{0, -5, -5}, {0, -5, 5}, {0, 5, 0}};
        for (u32 i = 0; i < 3; ++i)
            std::memcpy(data + i * stride, corners[i], sizeof corners[i]);
        model->GetVertexBuffer().Unlock();
        if (!indices.empty())
            model->GetIndexBuffer().SetIndices(0, static_cast<u32>(indices.size()), indices.data());
        model->GetIndexBuffer().SetIndexCount(static_cast<u32>(indices.size()));
        model->boundingBox.SetMinMax(Vector3(-0.1f, -5, -5), Vector3(0.1f, 5, 5));
        return model;
    }

    static ModelManager& Models() { return *engine->Get().GetModelManager(); }

    static Matrix4 Translation(const Vector3& by)
    {
        Matrix4 matrix;
        MatrixTranslation(matrix, by);
        return matrix;
    }

    static Testing::TestEngine* engine;
    Physics physics{engine->Get().GetMessageManager()};
    std::vector<Model*> made;
    Vector2 landed{0.0f, 0.0f};
    Plane plane;
    u32 id = 0;
};

Testing::TestEngine* PhysicsModelTest::engine = nullptr;

} // namespace

TEST_F(PhysicsModelTest, BoxModelIsHitUnderItsTransform)
{
    EXPECT_EQ(physics.AddModelObject(Box(), Translation(Vector3(2, 0, 0)), 9), 1u);
    ASSERT_TRUE(MoveBall(0.5f, Vector3(0, 0, 0), Vector2(3, 0)));
    EXPECT_NEAR(landed.x, 1.5f, 1e-4f);
    EXPECT_EQ(id, 9u);
    EXPECT_NEAR(plane.GetA(), -1.0f, 1e-5f);
    EXPECT_EQ(physics.GetTriangleCount(), 12u);
}

TEST_F(PhysicsModelTest, ColouredVerticesAreReadAtTheirStride)
{
    physics.AddModelObject(Box(Model::kColored), Translation(Vector3(2, 0, 0)), 4);
    ASSERT_TRUE(MoveBall(0.5f, Vector3(0, 0, 0), Vector2(3, 0)));
    EXPECT_NEAR(landed.x, 1.5f, 1e-4f);
}

TEST_F(PhysicsModelTest, IndicesAreReadAtTheBuffersOwnWidth)
{
    Model* narrow = Wall(Model::kTriangleList | Model::kIndices32, {0, 1, 2});
    ASSERT_FALSE(narrow->GetIndexBuffer().Is32Bit());
    Model* wide = Wall(Model::kTriangleList, {0, 1, 2}, IndexBuffer::kLargeCapacity);
    ASSERT_TRUE(wide->GetIndexBuffer().Is32Bit());
    for (Model* wall : {narrow, wide}) {
        physics.ClearObjects();
        physics.AddModelObject(wall, Translation(Vector3(2, 0, 0)), 1);
        ASSERT_TRUE(MoveBall(0.5f, Vector3(0, 0, 0), Vector2(3, 0)));
        EXPECT_NEAR(landed.x, 1.5f, 1e-4f);
        EXPECT_EQ(physics.GetTriangleCount(), 1u);
    }
}

TEST_F(PhysicsModelTest, StripOfFewerThanThreeIndicesAddsNoTriangles)
{
    physics.AddModelObject(Wall(0, {0, 1}), Translation(Vector3(2, 0, 0)), 1);
    EXPECT_FALSE(MoveBall(0.5f, Vector3(0, 0, 0), Vector2(3, 0)));
    EXPECT_EQ(physics.GetTriangleCount(), 0u);

    physics.ClearObjects();
    physics.AddModelObject(Wall(0, {0, 1, 2, 0}), Translation(Vector3(2, 0, 0)), 1);
    MoveBall(0.5f, Vector3(0, 0, 0), Vector2(3, 0));
    EXPECT_EQ(physics.GetTriangleCount(), 2u);
}

TEST_F(PhysicsModelTest, ModelObjectIsNotStretchedAlongZ)
{
    physics.AddModelObject(Box(), Translation(Vector3(2, 0, 0)), 1);
    EXPECT_FALSE(MoveBall(0.5f, Vector3(0, 0, 500), Vector2(3, 0)));
    EXPECT_EQ(physics.GetTriangleCount(), 0u);
}

TEST_F(PhysicsModelTest, TooManyTrianglesInOneMoveIsFatal)
{
    std::vector<u32> indices;
    for (u32 i = 0; i <= Physics::kMaxTriangles; ++i)
        indices.insert(indices.end(), {0, 1, 2});
    physics.AddModelObject(Wall(Model::kTriangleList, indices), Translation(Vector3(2, 0, 0)), 1);
    try {
        MoveBall(0.5f, Vector3(0, 0, 0), Vector2(3, 0));
        FAIL() << "no error";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.GetText(), "Physics: triangles buffer overflow");
    }
    EXPECT_EQ(physics.GetTriangleCount(), Physics::kMaxTriangles);
}

TEST_F(PhysicsModelTest, ModelObjectsCountAgainstTheObjectTable)
{
    Model* box = Box();
    for (u32 i = 0; i < Physics::kMaxObjects; ++i)
        physics.AddModelObject(box, Translation(Vector3(0, 0, 0)), i);
    EXPECT_THROW(physics.AddModelObject(box, Translation(Vector3(0, 0, 0)), 0), FatalError);
    EXPECT_EQ(physics.GetObjectCount(), Physics::kMaxObjects);
}
