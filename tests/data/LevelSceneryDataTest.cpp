#include "engine/core/BoundingBox.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/VersionedHeader.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "game/LevelManager.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"
#include "game_tools/XMLValue.h"
#include "tests/data/BuiltData.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

using Halvard::u32;

// The shipped data as a level reads it: its stage's scenery lists and
// descriptions, the field's walls, the blocks' effects.
class LevelSceneryData : public ::testing::Test {
protected:
    Testing::TestEngine engine{{.installFolder = Testing::GameFolderInternal()}};

    // The field file's walls where they stand in the level.
    std::vector<Halvard::BoundingBox> FieldWalls()
    {
        const std::unique_ptr<Halvard::FileBinary> file = engine->GetFileManager()->OpenFileBinary(
            "data\\environment\\field.tkf", Halvard::FileAccess::kRead, Halvard::FileLoading::kWhole);
        Halvard::VersionedHeader::Read(*file);
        std::vector<Halvard::BoundingBox> walls(file->ReadUInt());
        for (Halvard::BoundingBox& wall : walls) {
            float corners[6];
            Halvard::Matrix4 transform;
            for (float& value : corners)
                value = file->ReadFloat();
            for (float& value : transform.m)
                value = file->ReadFloat();
            wall.SetMinMax({corners[0], corners[1], corners[2]}, {corners[3], corners[4], corners[5]});
            wall.SetTransform(transform);
        }
        return walls;
    }
};

void ExpectSameBox(const Halvard::Vector3& min, const Halvard::Vector3& max, const Halvard::BoundingBox& wall)
{
    EXPECT_FLOAT_EQ(min.x, wall.GetWorldMin().x);
    EXPECT_FLOAT_EQ(min.y, wall.GetWorldMin().y);
    EXPECT_FLOAT_EQ(max.x, wall.GetWorldMax().x);
    EXPECT_FLOAT_EQ(max.y, wall.GetWorldMax().y);
    EXPECT_FLOAT_EQ(max.z, wall.GetWorldMax().z);
}

// Every model and shader an environment description names is in its
// stage's list, and the wall models stand where the field's walls are.
TEST_F(LevelSceneryData, EveryStageFindsItsSceneryAndItsWallsStandOnTheFieldsWalls)
{
    const Tamrisk::LevelManager levels(&engine.Get());
    const std::vector<Halvard::BoundingBox> walls = FieldWalls();
    ASSERT_EQ(walls.size(), 3u);
    for (u32 stage = 0; stage < levels.GetStageCount(); ++stage) {
        const std::string environment = levels.GetGameStage(stage)->environment;
        SCOPED_TRACE(environment);
        GameTools::DataKeeper data(&engine.Get(), "en", false);
        data.AddResourcesFile("data\\environment\\" + environment + "_resources.xml", true);
        GameTools::XMLNode holder;
        GameTools::XMLParser(&engine.Get()).ParseInto(&holder, "data\\environment\\" + environment + ".xml");
        const GameTools::XMLNode* scenery = holder.GetChild("environment");
        ASSERT_NE(scenery, nullptr);
        std::vector<GameTools::XMLNode*> models;
        scenery->GetChildrenByName("model", models);
        EXPECT_GE(models.size(), 5u);
        for (const GameTools::XMLNode* model : models) {
            data.GetModel(model->GetAttribute("name")->GetString());
            if (const GameTools::XMLValue* shader = model->GetAttribute("shader"))
                data.GetShaderUser(shader->GetString());
        }
        const char* wallNames[] = {"environment/left_wall", "environment/right_wall", "environment/far_wall"};
        for (u32 i = 0; i < 3; ++i) {
            const Halvard::BoundingBox& box = data.GetModel(wallNames[i])->boundingBox;
            ExpectSameBox(box.GetLocalMin(), box.GetLocalMax(), walls[i]);
        }
    }
    EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(), ::testing::IsEmpty());
}

// Left and right walls run along the field down past the bat's end, the far
// wall spans the whole width: what the balls' and bullets' walls rely on.
TEST_F(LevelSceneryData, TheFieldHasSideWallsAlongItAndAFarWallAcrossIt)
{
    const std::vector<Halvard::BoundingBox> walls = FieldWalls();
    ASSERT_EQ(walls.size(), 3u);
    const auto half = [](const Halvard::BoundingBox& box, int axis) {
        return (axis == 0 ? box.GetLocalMax().x - box.GetLocalMin().x : box.GetLocalMax().y - box.GetLocalMin().y) /
               2.0f;
    };
    for (u32 side = 0; side < 2; ++side) {
        EXPECT_GE(half(walls[side], 1), half(walls[side], 0));
        EXPECT_LE(walls[side].GetWorldMin().y, -70.0f);
    }
    EXPECT_LE(walls[0].GetWorldMax().x, 0.0f);
    EXPECT_GE(walls[1].GetWorldMin().x, 0.0f);
    EXPECT_LT(half(walls[2], 1), half(walls[2], 0));
    EXPECT_LE(walls[2].GetWorldMin().x, walls[0].GetWorldMin().x);
    EXPECT_GE(walls[2].GetWorldMax().x, walls[1].GetWorldMax().x);
}

TEST_F(LevelSceneryData, TheBlocksEffectsAreListedAndEmitFromABox)
{
    GameTools::DataKeeper data(&engine.Get(), "en", false);
    data.AddResourcesFile("data\\game_objects\\resources.xml", true);
    for (const char* name :
         {"blocks/creation", "blocks/destruction_simple", "blocks/destruction_super", "blocks/explosive_destruction"}) {
        SCOPED_TRACE(name);
        const Halvard::ParticleSystem* system = data.GetParticleSystem(name);
        EXPECT_EQ(system->emitterShape, Halvard::ParticleSystem::kBox);
        EXPECT_GT(system->GetCapacity(), 0u);
    }
    EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(), ::testing::IsEmpty());
}

} // namespace
