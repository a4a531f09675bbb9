#include "engine/core/Error.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/VertexBuffer.h"

#include "tests/support/ModelHarness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using Tools::ModelFileData;

namespace {

constexpr double kFrameSeconds = 0.0625;

// Models on the fake video system, seen by the default camera at the origin
// looking down -z.
class ModelTest : public ::testing::Test {
protected:
    ModelTest() { manager = &harness.Start(); }

    Model* Box(u32 extraFlags = 0)
    {
        const float min[3] = {-1, -1, -11};
        const float max[3] = {1, 1, -9};
        return manager->CreateModelFromArrays(min, max, nullptr, nullptr, extraFlags);
    }

    // A model of the given indices over a fan of vertices in front of the
    // camera.
    Model* WithIndices(u32 flags, const std::vector<u32>& indices)
    {
        Model* model = manager->CreateModel(flags | Model::kVisible, 8, static_cast<u32>(indices.size()), 1,
                                            nullptr, nullptr);
        if (!indices.empty())
            model->GetIndexBuffer().SetIndices(0, static_cast<u32>(indices.size()), indices.data());
        return model;
    }

    static ModelFileData Animated()
    {
        ModelFileData data = Tools::MakeBoxModelData({-1, -1, -11}, {1, 1, -9});
        data.flags = Tools::kModelVertexAnimated | Tools::kModelTriangleList;
        data.frameCount = 2;
        data.speed = 1.0f / static_cast<float>(kFrameSeconds) / 4.0f;
        const ModelFileData far = Tools::MakeBoxModelData({-1, -1, -15}, {1, 1, -13});
        data.vertices.insert(data.vertices.end(), far.vertices.begin(), far.vertices.end());
        data.bounds.push_back(far.bounds[0]);
        return data;
    }

    static Vector3 PositionOf(const Model& model, u32 vertex)
    {
        const VertexBuffer& buffer = model.GetVertexBuffer();
        const float* p = reinterpret_cast<const float*>(buffer.GetData() + vertex * buffer.GetStride());
        return Vector3(p[0], p[1], p[2]);
    }

    Testing::ModelHarness harness;
    ModelManager* manager = nullptr;
};

TEST_F(ModelTest, BoxHasOutwardFacesTheTableTexturesAndItsFlags)
{
    Model* box = Box(Model::kColored);
    EXPECT_EQ(box->GetName(), "box");
    EXPECT_EQ(box->GetFlags(), Model::kBoxFlags | Model::kColored);
    EXPECT_EQ(box->GetVertexBuffer().GetVertexCount(), 24u);
    EXPECT_EQ(box->GetIndexBuffer().GetIndexCount(), 36u);
    EXPECT_EQ(box->GetPrimitiveCount(), 12u);
    const ColoredVertex* v = reinterpret_cast<const ColoredVertex*>(box->GetVertexBuffer().GetData());
    for (u32 i = 0; i < 24; ++i) {
        const Vector3 fromCentre = Vector3(v[i].x, v[i].y, v[i].z) - Vector3(0, 0, -10);
        EXPECT_GT(fromCentre.Dot(Vector3(v[i].nx, v[i].ny, v[i].nz)), 0.0f) << i;
        EXPECT_EQ(v[i].color, 0xFFFFFFFFu);
    }
    EXPECT_FLOAT_EQ(v[0].u, 1.0f);
    EXPECT_FLOAT_EQ(v[1].v, 1.0f);
    EXPECT_FLOAT_EQ(box->boundingBox.GetWorldMin().z, -11.0f);
    EXPECT_FLOAT_EQ(box->boundingBox.GetWorldMax().x, 1.0f);
}

TEST_F(ModelTest, DrawListAndCullFlagsExcludeTheirPartners)
{
    Model* box = Box();
    box->SetFlags(Model::kSecondList);
    EXPECT_EQ(box->GetFlags() & (Model::kFirstList | Model::kSecondList), Model::kSecondList);
    box->SetFlags(Model::kFirstList);
    box->ClearFlags(Model::kFirstList);
    EXPECT_EQ(box->GetFlags() & (Model::kFirstList | Model::kSecondList), Model::kSecondList);

    box->SetFlags(Model::kTwoPasses);
    EXPECT_EQ(box->GetFlags() & (Model::kCullClockwise | Model::kCullCounterClockwise), 0u);
    box->SetFlags(Model::kCullCounterClockwise);
    EXPECT_EQ(box->GetFlags() & (Model::kCullClockwise | Model::kTwoPasses), 0u);
}

TEST_F(ModelTest, PrimitiveCountsNeverWrapBelowThreeIndices)
{
    EXPECT_EQ(WithIndices(0, {0, 1, 2, 3, 4})->GetPrimitiveCount(), 3u);
    EXPECT_EQ(WithIndices(Model::kTriangleList, {0, 1, 2, 3, 4, 5, 6})->GetPrimitiveCount(), 2u);
    EXPECT_EQ(WithIndices(0, {0, 1})->GetPrimitiveCount(), 0u);
    EXPECT_EQ(WithIndices(0, {})->GetPrimitiveCount(), 0u);
    EXPECT_EQ(WithIndices(Model::kTriangleList, {0, 1})->GetPrimitiveCount(), 0u);
}

TEST_F(ModelTest, FileWithAZeroFlagWordGetsTheBufferFlag)
{
    ModelFileData data;
    data.flags = 0;
    data.bounds = {Tools::ModelFileBounds{}};
    harness.WriteModel("empty.hml", data);
    Model* model = manager->CreateModelFromFile("empty.hml", nullptr, 0);
    EXPECT_EQ(model->GetName(), "empty.hml");
    EXPECT_EQ(model->GetFlags(), Model::kBufferUsage);
    EXPECT_EQ(model->GetPrimitiveCount(), 0u);
}

TEST_F(ModelTest, ExtraFlagsCannotChangeHowTheFileIsRead)
{
    harness.WriteModel("box.hml", Tools::MakeBoxModelData({-1, -1, -11}, {1, 1, -9}));
    Model* model = manager->CreateModelFromFile(
        "box.hml", nullptr, Model::kVertexAnimated | Model::kSkinned | Model::kIndices32 | Model::kVisible | 0x10);
    EXPECT_EQ(model->GetName(), "box.hml");
    EXPECT_EQ(model->GetFlags(), Tools::kModelStatic | Tools::kModelTriangleList | Model::kVisible | 0x10);
    EXPECT_EQ(model->GetPrimitiveCount(), 12u);
    harness.NextFrame(kFrameSeconds);
    model->Update(true);
    EXPECT_EQ(model->GetDrawnPrimitives(), 12u);

    Model* copy = manager->CopyModel(*model, nullptr, Model::kVertexAnimated);
    copy->Update(true);
    EXPECT_EQ(copy->GetFlags() & Model::kVertexAnimated, 0u);
}

TEST_F(ModelTest, WideFileIndicesFitANarrowBufferAndTheReadersUseItsWidth)
{
    ModelFileData data = Tools::MakeBoxModelData({-1, -1, -11}, {1, 1, -9});
    data.flags |= Tools::kModelIndices32;
    harness.WriteModel("wide.hml", data);
    Model* model = manager->CreateModelFromFile("wide.hml", nullptr, 0);
    const IndexBuffer& indices = model->GetIndexBuffer();
    ASSERT_FALSE(indices.Is32Bit());
    const u16* stored = reinterpret_cast<const u16*>(indices.GetData());
    for (u32 i = 0; i < 36; ++i)
        EXPECT_EQ(stored[i], data.indices[i]);
    BoundingBox box;
    model->ComputeBoundingVolume(box, false);
    EXPECT_FLOAT_EQ(box.GetWorldMin().z, -11.0f);
    EXPECT_FLOAT_EQ(box.GetWorldMax().y, 1.0f);
}

TEST_F(ModelTest, IndicesAboveSixteenBitsKeepAWideBufferOfTheFilesCount)
{
    ModelFileData data;
    data.flags = Tools::kModelStatic | Tools::kModelTriangleList | Tools::kModelIndices32;
    data.vertexCount = 70001;
    data.vertices.resize(70001);
    data.vertices[70000].position = {5, 6, 7};
    data.indices = {0, 1, 70000};
    data.bounds = {Tools::ModelFileBounds{}};
    harness.WriteModel("big.hml", data);
    Model* model = manager->CreateModelFromFile("big.hml", nullptr, 0);
    ASSERT_TRUE(model->GetIndexBuffer().Is32Bit());
    EXPECT_EQ(model->GetIndexBuffer().GetIndexCount(), 3u);
    EXPECT_EQ(model->GetPrimitiveCount(), 1u);
    BoundingBox box;
    model->ComputeBoundingVolume(box, false);
    EXPECT_FLOAT_EQ(box.GetWorldMax().z, 7.0f);
}

TEST_F(ModelTest, TwoPassModelDrawsBothCullModesInOrder)
{
    Model* box = Box(Model::kTwoPasses);
    harness.render.video.calls.clear();
    box->Update(true);
    box->Render();
    std::vector<std::string> culls;
    for (const std::string& call : harness.render.video.calls) {
        if (call.rfind("SetRenderState CullMode", 0) == 0 || call.rfind("DrawIndexedPrimitive", 0) == 0)
            culls.push_back(call.substr(0, call.find(' ', 16)));
    }
    EXPECT_THAT(culls, ::testing::ElementsAre("SetRenderState CullMode", "DrawIndexedPrimitive",
                                              "SetRenderState CullMode", "DrawIndexedPrimitive"));
    EXPECT_EQ(harness.render.Render().GetCullMode(), RenderSystem::kCullClockwise);
    EXPECT_EQ(harness.render.video.CountCalls("SetRenderState CullMode 2") +
                  harness.render.video.CountCalls("SetRenderState CullMode 3"),
              1);
}

TEST_F(ModelTest, StencilModelIsNotDrawnWithoutAStencilBuffer)
{
    ASSERT_FALSE(harness.render.Render().IsStencilPresent());
    Model* box = Box(Model::kStencil);
    box->Update(true);
    harness.TakeDrawnVertexCounts();
    box->Render();
    EXPECT_TRUE(harness.TakeDrawnVertexCounts().empty());
    box->ClearFlags(Model::kStencil);
    box->Render();
    EXPECT_EQ(harness.TakeDrawnVertexCounts().size(), 1u);
}

TEST_F(ModelTest, DepthIsTheDistanceAlongTheViewUnlessFixed)
{
    Model* box = Box();
    box->depthOffset = 2.0f;
    box->Update(true);
    EXPECT_NEAR(box->depth, 10.0f, 1e-4f);
    EXPECT_NEAR(box->GetSortKey(), 12.0f, 1e-4f);
    box->SetFlags(Model::kFixedDepth);
    box->depth = 3.0f;
    box->Update(true);
    EXPECT_FLOAT_EQ(box->depth, 3.0f);
}

TEST_F(ModelTest, ModelBehindTheCameraCountsNoDrawnPrimitives)
{
    const float min[3] = {-1, -1, 9};
    const float max[3] = {1, 1, 11};
    Model* box = manager->CreateModelFromArrays(min, max, nullptr, nullptr, 0);
    box->Update(true);
    EXPECT_EQ(box->GetDrawnPrimitives(), 0u);
    box->Update(false);
    EXPECT_EQ(box->GetDrawnPrimitives(), 12u);
}

TEST_F(ModelTest, VertexAnimationBlendsFramesAndComputesEachStateOnce)
{
    harness.WriteModel("anim.hml", Animated());
    Model* model = manager->CreateModelFromFile("anim.hml", nullptr, Model::kVisible);
    AnimationControl& animation = model->GetAnimationControl();
    animation.looping = 1;
    animation.Play();
    harness.NextFrame(kFrameSeconds);
    model->Update(true);
    ASSERT_EQ(animation.GetFrameA(), 0u);
    ASSERT_EQ(animation.GetFrameB(), 1u);
    const float t = animation.GetBlend();
    ASSERT_GT(t, 0.0f);
    EXPECT_NEAR(PositionOf(*model, 0).z, -11.0f * (1 - t) + -15.0f * t, 1e-4f);
    EXPECT_NEAR(model->boundingBox.GetCenter().z, -10.0f * (1 - t) + -14.0f * t, 1e-4f);

    // The same state again leaves the buffer alone.
    float* first = reinterpret_cast<float*>(model->GetVertexBuffer().LockRange(0, 1));
    first[2] = 99.0f;
    model->GetVertexBuffer().Unlock();
    const float speed = animation.speed;
    animation.speed = 0.0f;
    harness.NextFrame(kFrameSeconds);
    model->Update(true);
    EXPECT_FLOAT_EQ(PositionOf(*model, 0).z, 99.0f);
    animation.speed = speed;
    harness.NextFrame(kFrameSeconds);
    model->Update(true);
    EXPECT_NE(PositionOf(*model, 0).z, 99.0f);
}

TEST_F(ModelTest, FixedVerticesOfAnAnimatedFileServeEveryFrame)
{
    ModelFileData data = Animated();
    data.flags |= Tools::kModelStatic;
    data.vertices.resize(24);
    harness.WriteModel("fixed.hml", data);
    Model* model = manager->CreateModelFromFile("fixed.hml", nullptr, Model::kVisible);
    AnimationControl& animation = model->GetAnimationControl();
    animation.looping = 1;
    animation.Play();
    harness.NextFrame(kFrameSeconds);
    model->Update(true);
    ASSERT_EQ(animation.GetFrameB(), 1u);
    ASSERT_GT(animation.GetBlend(), 0.0f);
    for (u32 i = 0; i < 24; ++i) {
        EXPECT_FLOAT_EQ(PositionOf(*model, i).x, data.vertices[i].position[0]) << i;
        EXPECT_FLOAT_EQ(PositionOf(*model, i).z, data.vertices[i].position[2]) << i;
    }

    // Made empty with no frames, an animated model still has one to blend.
    Model* empty = manager->CreateModel(Model::kVertexAnimated | Model::kVisible | Model::kTriangleList, 3, 3, 0,
                                        nullptr, nullptr);
    empty->Update(false);
    EXPECT_EQ(empty->GetDrawnPrimitives(), 1u);
}

TEST_F(ModelTest, SkinnedVerticesFollowTheirBones)
{
    ModelFileData data;
    data.flags = Tools::kModelSkinned | Tools::kModelTriangleList;
    data.bones = {Tools::ModelFileBone{0, "a", {0, 0, 0}, {-1, -1, -1}, {1, 1, 1}, 0, 0},
                  Tools::ModelFileBone{0, "b", {0, 0, 0}, {-1, -1, -1}, {1, 1, 1}, 0, 0}};
    data.keys = {Tools::ModelFileKey{{0, 0, -10}}, Tools::ModelFileKey{{4, 0, -10}}};
    data.indices = {0, 1, 2};
    data.vertexCount = 3;
    Tools::ModelFileSkinVertex half{0.5f, 0.75f,
                                    {Tools::ModelFileWeight{0, 0.5f, {0, 0, 1}, {2, 0, 0}},
                                     Tools::ModelFileWeight{1, 0.5f, {0, 0, 1}, {2, 0, 0}}}};
    data.skinVertices = {half, half, half};
    data.bounds = {Tools::ModelFileBounds{}};
    harness.WriteModel("skin.hml", data);
    Model* model = manager->CreateModelFromFile("skin.hml", nullptr, Model::kVisible);
    EXPECT_NEAR(model->boundingBox.GetWorldMax().x, 5.0f, 1e-4f);
    EXPECT_NEAR(model->boundingBox.GetWorldMin().z, -11.0f, 1e-4f);
    model->Update(true);
    const Vector3 p = PositionOf(*model, 1);
    EXPECT_NEAR(p.x, 4.0f, 1e-4f);
    EXPECT_NEAR(p.z, -10.0f, 1e-4f);
    const PlainVertex* v = reinterpret_cast<const PlainVertex*>(model->GetVertexBuffer().GetData());
    EXPECT_FLOAT_EQ(v[1].v, 0.75f);
}

TEST_F(ModelTest, RayHitsTheNearestFaceAndStopsEarlyWithoutADistance)
{
    Model* box = Box();
    float distance = 0.0f;
    EXPECT_TRUE(box->IntersectRay(Ray(Vector3(0, 0, 0), Vector3(0, 0, -20)), &distance));
    EXPECT_NEAR(distance, 9.0f, 1e-4f);
    EXPECT_TRUE(box->IntersectRay(Ray(Vector3(0, 0, 0), Vector3(0, 0, -20)), nullptr));
    EXPECT_FALSE(box->IntersectRay(Ray(Vector3(5, 0, 0), Vector3(0, 0, -20)), &distance));
}

TEST_F(ModelTest, CopyTakesTheSourcesStateAndItsOwnShaderUser)
{
    Model* box = Box(Model::kColored);
    box->SetColor(Vector4(1.0f, 0.0f, 0.0f, 1.0f));
    MatrixTranslation(box->worldMatrix, Vector3(3, 0, 0));
    box->depthOffset = 4.0f;
    const u32 users = harness.shaders->GetShaderUserCount();
    Camera* other = harness.cameras->CreateCamera(false);
    box->SetCamera(other);
    Model* copy = manager->CopyModel(*box, nullptr, 0);
    EXPECT_EQ(harness.shaders->GetShaderUserCount(), users + 1);
    EXPECT_NE(copy->GetShaderUser(), box->GetShaderUser());
    EXPECT_EQ(copy->GetCamera(), other);
    EXPECT_EQ(copy->GetColor(), Vector4(1.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(copy->depthOffset, 4.0f);
    EXPECT_FLOAT_EQ(copy->boundingBox.GetWorldMax().x, 4.0f);
    manager->DestroyModel(copy);
    EXPECT_EQ(harness.shaders->GetShaderUserCount(), users);
}

} // namespace
