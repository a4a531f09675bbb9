#include "engine/render/SpriteGroup.h"

#include "engine/render/SpriteGroupManager.h"
#include "tests/support/FakeSpriteServices.h"
#include "tests/support/VectorMatchers.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace Halvard;
using Testing::FakeSpriteCanvas;

const Vector4 kWhite(1.0f, 1.0f, 1.0f, 1.0f);

constexpr float kNear = 1e-5f;

class SpriteGroupTest : public testing::Test {
protected:
    FakeSpriteCanvas& LastCanvas() { return *services.canvases.back(); }

    // Slot by slot, the indices a group hands out until it is full.
    std::vector<u32> FillUp(SpriteGroup& group)
    {
        std::vector<u32> indices;
        for (u32 index; (index = group.AddSprite(Vector3(0.0f), 1.0f, kWhite)) != SpriteGroup::kNoSprite;)
            indices.push_back(index);
        return indices;
    }

    Testing::FakeSpriteServices services;
};

TEST_F(SpriteGroupTest, HandsOutIndicesInOrderAndReusesFreedOnes)
{
    SpriteGroup group(nullptr, &services, 4, nullptr, nullptr, true);
    EXPECT_EQ(FillUp(group), (std::vector<u32>{0, 1, 2, 3}));
    ASSERT_NE(group.GetSprite(0), nullptr);
    group.RemoveSprite(2);
    EXPECT_EQ(group.GetSprite(2), nullptr);
    EXPECT_EQ(group.AddSprite(Vector3(1.0f), 2.0f, kWhite), 2u);
    EXPECT_FLOAT_EQ(group.GetSprite(2)->size, 2.0f);
}

TEST_F(SpriteGroupTest, TheNoneIndexFreeAndOutOfRangeIndicesAreIgnored)
{
    SpriteGroup group(nullptr, &services, 3, nullptr, nullptr, true);
    FillUp(group);
    EXPECT_EQ(group.GetSprite(SpriteGroup::kNoSprite), nullptr);
    EXPECT_EQ(group.GetSprite(3), nullptr);
    group.RemoveSprite(SpriteGroup::kNoSprite);
    group.RemoveSprite(3);
    group.RemoveSprite(1);
    group.RemoveSprite(1);
    // Index 1 was queued once: one sprite fits, and index 0 stays live.
    EXPECT_EQ(FillUp(group), (std::vector<u32>{1}));
    EXPECT_NE(group.GetSprite(0), nullptr);
}

TEST_F(SpriteGroupTest, MakesItsModelWithTheSpriteLayout)
{
    SpriteGroup group(nullptr, &services, 2, nullptr, nullptr, true);
    const FakeSpriteCanvas& canvas = LastCanvas();
    EXPECT_EQ(canvas.flags, 0x2c84a9u);
    EXPECT_EQ(canvas.vertices->GetVertexCount(), 8u);
    ASSERT_EQ(canvas.indices->GetCapacity(), 12u);
    const u16 expected[12] = {0, 1, 2, 2, 1, 3, 4, 5, 6, 6, 5, 7};
    EXPECT_EQ(std::memcmp(canvas.indices->GetData(), expected, sizeof(expected)), 0);
    const auto* vertex = reinterpret_cast<const ColoredVertex*>(canvas.vertices->GetData());
    EXPECT_EQ(vertex[5].u, 0.0f);
    EXPECT_EQ(vertex[5].v, 1.0f);
    EXPECT_EQ(vertex[6].u, 1.0f);
    EXPECT_EQ(vertex[6].v, 0.0f);
    EXPECT_TRUE(group.IsVisible());
    group.SetVisible(false);
    EXPECT_EQ(canvas.flags, 0x2c84a9u & ~SpriteGroup::kVisibleFlag);
}

TEST_F(SpriteGroupTest, BuildsCameraFacingQuadsOfTheLiveSprites)
{
    SpriteGroup group(nullptr, &services, 4, nullptr, nullptr, true);
    group.AddSprite(Vector3(0.0f, 10.0f, 0.0f), 0.5f, Vector4(1.0f, 0.5f, 0.0f, 1.0f));
    const u32 removed = group.AddSprite(Vector3(0.0f, 20.0f, 0.0f), 1.0f, kWhite);
    group.AddSprite(Vector3(2.0f, 10.0f, 4.0f), 1.0f, kWhite);
    group.RemoveSprite(removed);
    group.color = Vector4(0.5f, 1.0f, 1.0f, 1.0f);
    group.sort = false;
    group.Update();

    const FakeSpriteCanvas& canvas = LastCanvas();
    EXPECT_EQ(canvas.indices->GetIndexCount(), 12u);
    EXPECT_THAT(canvas.Corner(0), Testing::IsNearVector3(Vector3(-0.5f, 10.0f, -0.5f), kNear));
    EXPECT_THAT(canvas.Corner(1), Testing::IsNearVector3(Vector3(-0.5f, 10.0f, 0.5f), kNear));
    EXPECT_THAT(canvas.Corner(2), Testing::IsNearVector3(Vector3(0.5f, 10.0f, -0.5f), kNear));
    EXPECT_THAT(canvas.Corner(3), Testing::IsNearVector3(Vector3(0.5f, 10.0f, 0.5f), kNear));
    EXPECT_THAT(canvas.Corner(7), Testing::IsNearVector3(Vector3(3.0f, 10.0f, 5.0f), kNear));
    EXPECT_EQ(canvas.Color(0), 0xff808000u);
    EXPECT_EQ(canvas.Color(4), 0xff80ffffu);
    EXPECT_THAT(group.GetCenter(), Testing::IsNearVector3(Vector3(1.0f, 10.0f, 2.0f), kNear));
}

TEST_F(SpriteGroupTest, WithoutLiveSpritesDrawsNothingAndKeepsItsCentre)
{
    SpriteGroup group(nullptr, &services, 2, nullptr, nullptr, true);
    const u32 index = group.AddSprite(Vector3(3.0f, 4.0f, 5.0f), 1.0f, kWhite);
    group.Update();
    group.RemoveSprite(index);
    group.Update();
    EXPECT_EQ(LastCanvas().indices->GetIndexCount(), 0u);
    EXPECT_THAT(group.GetCenter(), Testing::IsNearVector3(Vector3(3.0f, 4.0f, 5.0f), kNear));
}

TEST_F(SpriteGroupTest, SortsFarthestFirstOnlyWhenAsked)
{
    services.view.position = Vector3(0.0f, -5.0f, 0.0f);
    SpriteGroup group(nullptr, &services, 3, nullptr, nullptr, true);
    group.AddSprite(Vector3(0.0f, 1.0f, 0.0f), 1.0f, kWhite);
    group.AddSprite(Vector3(0.0f, 9.0f, 0.0f), 1.0f, kWhite);
    group.AddSprite(Vector3(0.0f, 4.0f, 0.0f), 1.0f, kWhite);
    group.Update();
    const FakeSpriteCanvas& canvas = LastCanvas();
    EXPECT_FLOAT_EQ(canvas.Corner(0).y, 9.0f);
    EXPECT_FLOAT_EQ(canvas.Corner(4).y, 4.0f);
    EXPECT_FLOAT_EQ(canvas.Corner(8).y, 1.0f);
    EXPECT_FLOAT_EQ(group.GetSprite(1)->depth, 14.0f);

    group.sort = false;
    group.GetSprite(1)->depth = -1.0f;
    group.Update();
    EXPECT_FLOAT_EQ(canvas.Corner(0).y, 1.0f);
    EXPECT_FLOAT_EQ(canvas.Corner(4).y, 9.0f);
    EXPECT_FLOAT_EQ(group.GetSprite(1)->depth, -1.0f);
}

TEST_F(SpriteGroupTest, TurnsSpritesAboutTheBackwardAxisBeyondTheTolerance)
{
    SpriteGroup group(nullptr, &services, 2, nullptr, nullptr, true);
    group.sort = false;
    group.AddSprite(Vector3(0.0f), 1.0f, kWhite);
    group.AddSprite(Vector3(0.0f), 1.0f, kWhite);
    group.GetSprite(0)->angle = 0.00005f;
    group.GetSprite(1)->angle = 1.5707964f;
    group.Update();
    const FakeSpriteCanvas& canvas = LastCanvas();
    EXPECT_THAT(canvas.Corner(0), Testing::IsNearVector3(Vector3(-1.0f, 0.0f, -1.0f), kNear));
    // A quarter turn takes each corner to the next one round the square.
    EXPECT_THAT(canvas.Corner(6), Testing::IsNearVector3(Vector3(1.0f, 0.0f, 1.0f), kNear));
    EXPECT_THAT(canvas.Corner(7), Testing::IsNearVector3(Vector3(-1.0f, 0.0f, 1.0f), kNear));
}

TEST_F(SpriteGroupTest, AHiddenGroupKeepsTheQuadsOfItsLastUpdate)
{
    SpriteGroup group(nullptr, &services, 2, nullptr, nullptr, true);
    const u32 index = group.AddSprite(Vector3(1.0f, 1.0f, 1.0f), 1.0f, kWhite);
    group.Update();
    group.SetVisible(false);
    group.GetSprite(index)->position = Vector3(7.0f, 7.0f, 7.0f);
    group.AddSprite(Vector3(0.0f), 1.0f, kWhite);
    group.Update();
    EXPECT_EQ(LastCanvas().indices->GetIndexCount(), 6u);
    EXPECT_THAT(LastCanvas().Corner(3), Testing::IsNearVector3(Vector3(2.0f, 1.0f, 2.0f), kNear));
}

TEST_F(SpriteGroupTest, ACopyWithoutSpritesHasEverySlotFree)
{
    SpriteGroup source(nullptr, &services, 3, nullptr, nullptr, true);
    FillUp(source);
    source.RemoveSprite(1);
    source.color = Vector4(0.5f, 0.5f, 0.5f, 0.5f);
    source.SetVisible(false);

    SpriteGroup empty(source, false);
    EXPECT_EQ(FillUp(empty), (std::vector<u32>{0, 1, 2}));
    EXPECT_FLOAT_EQ(empty.color.w, 0.5f);

    SpriteGroup full(source, true);
    EXPECT_NE(full.GetSprite(0), nullptr);
    EXPECT_EQ(full.GetSprite(1), nullptr);
    EXPECT_EQ(FillUp(full), (std::vector<u32>{1}));
}

TEST_F(SpriteGroupTest, ManagerUpdatesOnlyRegisteredGroupsAndDestroysOnlyThose)
{
    auto manager = std::make_unique<SpriteGroupManager>(nullptr, &services);
    std::unique_ptr<SpriteGroup> group(manager->NewSpriteGroup(2, nullptr, nullptr));
    FakeSpriteCanvas& templateCanvas = LastCanvas();
    SpriteGroup* registered = manager->CreateSpriteGroup(2, nullptr, nullptr);
    FakeSpriteCanvas& registeredCanvas = LastCanvas();
    SpriteGroup* copy = manager->CopySpriteGroup(*group, false);
    group->AddSprite(Vector3(0.0f), 1.0f, kWhite);
    registered->AddSprite(Vector3(0.0f), 1.0f, kWhite);
    manager->Update();
    EXPECT_EQ(templateCanvas.indices->GetIndexCount(), 0u);
    EXPECT_EQ(registeredCanvas.indices->GetIndexCount(), 6u);
    EXPECT_EQ(services.canvases.size(), 3u);
    // A template's model stays out of the model manager's table, so it can
    // be made while the main thread draws; copies are drawn.
    EXPECT_FALSE(templateCanvas.registered);
    EXPECT_TRUE(registeredCanvas.registered);
    EXPECT_TRUE(LastCanvas().registered);

    manager->DestroySpriteGroup(group.get());
    manager->DestroySpriteGroup(nullptr);
    manager->DestroySpriteGroup(copy);
    EXPECT_EQ(services.canvases.size(), 2u);
    manager.reset();
    ASSERT_EQ(services.canvases.size(), 1u);
    EXPECT_EQ(services.canvases[0], &templateCanvas);
}

} // namespace
