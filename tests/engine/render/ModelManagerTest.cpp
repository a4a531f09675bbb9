#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"

#include "tests/support/LogProbe.h"
#include "tests/support/ModelHarness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using ::testing::ElementsAre;

namespace {

// The render pass on the fake video system. Each marked model draws one
// triangle whose largest index is its mark, so the recorded draw names it by
// its vertex count (mark + 1).
class ModelManagerTest : public ::testing::Test {
protected:
    ModelManagerTest() { manager = &harness.Start(); }

    Model* Marked(u32 mark, u32 listFlags, float key, float z = -10.0f)
    {
        Model* model = manager->CreateModel(Model::kTriangleList | Model::kVisible | Model::kFixedDepth | listFlags,
                                            mark + 1, 3, 1, nullptr, nullptr);
        const u32 order[] = {0, 1, mark};
        model->GetIndexBuffer().SetIndices(0, 3, order);
        model->boundingBox.SetMinMax(Vector3(-1, -1, z - 1), Vector3(1, 1, z + 1));
        model->depth = key;
        return model;
    }

    std::vector<u32> DrawnMarks()
    {
        harness.TakeDrawnVertexCounts();
        manager->Render();
        std::vector<u32> marks;
        for (u32 count : harness.TakeDrawnVertexCounts())
            marks.push_back(count - 1);
        return marks;
    }

    Testing::ModelHarness harness;
    ModelManager* manager = nullptr;
};

TEST_F(ModelManagerTest, FirstListDrawsNearestFirstThenSecondListFarthestFirst)
{
    Marked(15, Model::kSecondList, 5);
    Marked(5, Model::kFirstList, 5);
    Marked(11, Model::kFirstList, 1);
    Marked(13, 0, 1);
    Marked(3, Model::kFirstList, 3);
    Marked(17, Model::kSecondList, 3);
    EXPECT_THAT(DrawnMarks(), ElementsAre(11, 3, 5, 15, 17, 13));
}

TEST_F(ModelManagerTest, EqualKeysKeepRegistrationOrder)
{
    for (u32 mark = 3; mark < 120; mark += 2)
        Marked(mark, Model::kFirstList, 2.0f);
    std::vector<u32> expected;
    for (u32 mark = 3; mark < 120; mark += 2)
        expected.push_back(mark);
    EXPECT_EQ(DrawnMarks(), expected);
}

TEST_F(ModelManagerTest, DepthOffsetJoinsTheSortKey)
{
    Marked(3, Model::kFirstList, 1)->depthOffset = 5.0f;
    Marked(5, Model::kFirstList, 2);
    EXPECT_THAT(DrawnMarks(), ElementsAre(5, 3));
}

TEST_F(ModelManagerTest, ModelOutsideTheViewIsCountedVisibleButNotDrawn)
{
    Marked(3, Model::kFirstList, 1);
    Marked(5, Model::kFirstList, 1, 50.0f);
    Model* hidden = Marked(7, Model::kFirstList, 1);
    hidden->ClearFlags(Model::kVisible);
    EXPECT_THAT(DrawnMarks(), ElementsAre(3));
    EXPECT_EQ(manager->GetVisibleModelCount(), 2u);
    EXPECT_EQ(manager->GetDrawnModelCount(), 1u);
    EXPECT_EQ(manager->GetPrimitiveCount(), 2u);
    EXPECT_EQ(manager->GetDrawnPrimitiveCount(), 1u);
}

TEST_F(ModelManagerTest, PassRunsBetweenBeginAndEndScene)
{
    Marked(3, Model::kFirstList, 1);
    harness.render.video.calls.clear();
    manager->Render();
    std::vector<std::string> scene;
    for (const std::string& call : harness.render.video.calls) {
        if (call == "BeginScene" || call == "EndScene" || call.rfind("DrawIndexedPrimitive", 0) == 0)
            scene.push_back(call.substr(0, call.find(' ')));
    }
    EXPECT_THAT(scene, ElementsAre("BeginScene", "DrawIndexedPrimitive", "EndScene"));
}

TEST_F(ModelManagerTest, NotReadyDeviceDrawsNothingAndPresentsNothing)
{
    Marked(3, Model::kFirstList, 1);
    manager->Render();
    ASSERT_EQ(manager->GetDrawnModelCount(), 1u);
    harness.render.video.Fail("TestCooperativeLevel", Platform::VideoResults::kSurfaceLost, 1);
    harness.render.Render().Refresh();
    ASSERT_FALSE(harness.render.Render().IsDeviceReady());
    harness.render.video.calls.clear();
    manager->Render();
    manager->SwapBuffers();
    EXPECT_EQ(manager->GetDrawnModelCount(), 0u);
    EXPECT_EQ(manager->GetVisibleModelCount(), 0u);
    EXPECT_TRUE(harness.render.video.calls.empty());
}

TEST_F(ModelManagerTest, DestroyDeletesOnlyRegisteredModels)
{
    harness.WriteModel("box.hml", Tools::MakeBoxModelData({-1, -1, -11}, {1, 1, -9}));
    Model* loose = manager->NewModelFromFile("box.hml", nullptr, Model::kVisible);
    manager->DestroyModel(loose);
    manager->DestroyModel(nullptr);
    EXPECT_EQ(loose->GetName(), "box.hml");
    EXPECT_EQ(manager->GetModels().GetCount(), 0u);
    Model* copy = manager->CopyModel(*loose, nullptr, 0);
    delete loose;
    EXPECT_EQ(manager->GetModels().GetCount(), 1u);
    manager->DestroyModel(copy);
    EXPECT_EQ(manager->GetModels().GetCount(), 0u);
}

TEST_F(ModelManagerTest, UnreadableFileBecomesARegisteredBoxNamedAfterIt)
{
    std::vector<std::uint8_t> bytes = Tools::BuildModelFile(Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 1}));
    bytes[0] ^= 1;
    harness.folder.Write("data\\bad.hml", std::string(bytes.begin(), bytes.end()));
    for (const std::string name : {"missing.hml", "bad.hml"}) {
        Model* model = manager->CreateModelFromFile(name, nullptr, Model::kColored);
        EXPECT_EQ(model->GetName(), name);
        EXPECT_EQ(model->GetFlags(), Model::kBoxFlags | Model::kColored);
        EXPECT_FLOAT_EQ(model->boundingBox.GetWorldMin().x, -1.0f);
        EXPECT_FLOAT_EQ(model->boundingBox.GetWorldMax().z, 1.0f);
    }
    EXPECT_EQ(manager->GetModels().GetCount(), 2u);

    const std::vector<std::string> errors =
        Testing::LogProbe(*harness.render.messages).Lines(Halvard::MessageManager::kError);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_THAT(errors[0], testing::HasSubstr("missing.hml\""));
    EXPECT_THAT(errors[1], testing::HasSubstr("bad.hml\""));
}

} // namespace
