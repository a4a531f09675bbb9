#include "engine/core/MessageManager.h"
#include "game/LevelManager.h"
#include "game/data/GameLogicData.h"
#include "game/level/GameGeometry.h"
#include "game_tools/DataKeeper.h"
#include "tests/data/BuiltData.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/LevelScene.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace {

struct ShippedLevel {
    Halvard::u32 stage;
    Halvard::u32 level;
    // The blocks the level was designed with, and of them the bricks that
    // must go before it is complete.
    std::size_t blocks;
};

class LevelLoadData : public testing::TestWithParam<ShippedLevel> {};

// Every shipped level loads with its stage's scenery and builds its blocks
// on the real engine, as the game will, with nothing missing.
TEST_P(LevelLoadData, LoadsAndBuildsItsDesignedBlocksWithoutAnErrorLine)
{
    Testing::TestEngine engine({.installFolder = Testing::GameFolderInternal()});
    GameTools::DataKeeper interfaceData(&engine.Get(), "en", false);
    interfaceData.AddResourcesFile("data\\game_objects\\resources.xml", true);
    const Tamrisk::LevelManager levels(&engine.Get());
    const ShippedLevel shipped = GetParam();
    Testing::LevelScene scene(engine.Get(), interfaceData, *levels.GetGameStage(shipped.stage),
                              *levels.GetGameLevel({shipped.stage, shipped.level}));

    EXPECT_EQ(scene.Data().GetBlockRecords().size(), shipped.blocks);
    EXPECT_EQ(scene.Geometry().GetBlocks().size(), shipped.blocks);
    const Testing::LogProbe log(*engine->GetMessageManager());
    EXPECT_TRUE(log.Contains("...Blocks count: " + std::to_string(shipped.blocks)));
    EXPECT_THAT(log.ErrorLines(), testing::IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelLoadData,
                         testing::Values(ShippedLevel{0, 0, 12}, ShippedLevel{0, 1, 31}, ShippedLevel{0, 2, 38},
                                         ShippedLevel{1, 0, 51}, ShippedLevel{1, 1, 63}, ShippedLevel{1, 2, 321}),
                         [](const auto& info) {
                             return "Level" + std::to_string(info.param.stage + 1) + "_" +
                                    std::to_string(info.param.level + 1);
                         });

} // namespace
