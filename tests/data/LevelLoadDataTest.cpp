#include "engine/core/MessageManager.h"
#include "game/LevelManager.h"
#include "game/data/GameLogicData.h"
#include "game/objects/GameGeometry.h"
#include "game/objects/Block.h"
#include "game_tools/DataKeeper.h"
#include "tests/data/BuiltData.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/LevelScene.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// What a level was designed to hold: the first only simple bricks, so that
// a scripted player clears it; the second a ball keeper; the third bricks
// on two supports, a moving block and a mirrored one; the others every kind
// of block as well.
enum class Design { kSimpleBricksOnly, kWithKeeper, kStacksAndMotion, kEverything };

struct ShippedLevel {
    Halvard::u32 stage;
    Halvard::u32 level;
    // The blocks the level was designed with.
    std::size_t blocks;
    Design design;
    // The kinds a player meets here first: one or two a level.
    std::set<std::string> introduces;
};

// Every kind the levels up to this one (in play order) bring in.
std::set<std::string> KindsMetBy(const ShippedLevel& level);

struct Contents {
    std::set<std::string> kinds;
    bool onlySimpleBricks = true;
    bool keeper = false;
    bool twoSupports = false;
    bool moving = false;
    bool mirrored = false;
};

Contents Survey(Testing::LevelScene& scene)
{
    Contents contents;
    for (const Tamrisk::Block* block : scene.Geometry().GetBlocks()) {
        contents.kinds.insert(block->GetName());
        const bool isKeeper = block->GetBlockKind() == Tamrisk::Block::kBallKeeper;
        contents.keeper = contents.keeper || isKeeper;
        contents.onlySimpleBricks = contents.onlySimpleBricks && !isKeeper && block->GetKindFlags() == 1;
        contents.twoSupports = contents.twoSupports || block->GetSupports().size() >= 2;
    }
    for (const auto& record : scene.Data().GetBlockRecords()) {
        contents.moving = contents.moving || record->keyFrames.size() > 1;
        contents.mirrored = contents.mirrored || record->scale.x < 0.0f || record->scale.y < 0.0f;
    }
    contents.moving = contents.moving && scene.Data().GetAnimationSpeed() > 0.0f;
    return contents;
}

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

    const Contents contents = Survey(scene);
    switch (shipped.design) {
    case Design::kSimpleBricksOnly:
        EXPECT_TRUE(contents.onlySimpleBricks);
        break;
    case Design::kWithKeeper:
        EXPECT_TRUE(contents.keeper);
        break;
    case Design::kStacksAndMotion:
        EXPECT_TRUE(contents.twoSupports && contents.moving && contents.mirrored);
        break;
    case Design::kEverything:
        EXPECT_EQ(contents.kinds.size(), scene.Data().GetBlockDescriptions().size()) << "every kind of block";
        EXPECT_TRUE(contents.twoSupports && contents.moving && contents.mirrored);
        break;
    }
    EXPECT_LE(shipped.introduces.size(), 2u);
    for (const std::string& kind : shipped.introduces)
        EXPECT_EQ(contents.kinds.count(kind), 1u) << kind << " comes in here";
    const std::set<std::string> met = KindsMetBy(shipped);
    for (const std::string& kind : contents.kinds)
        EXPECT_EQ(met.count(kind), 1u) << kind << " before it has come in";
}

const std::vector<ShippedLevel>& ShippedLevels()
{
    static const std::vector<ShippedLevel> levels = {
        {0, 0, 48, Design::kSimpleBricksOnly, {"brick_simple"}},
        {0, 1, 31, Design::kWithKeeper, {"brick_hard", "keeper_simple"}},
        {0, 2, 38, Design::kStacksAndMotion, {"brick_explosive", "brick_ghost"}},
        {1, 0, 51, Design::kEverything, {"brick_steel", "keeper_super"}},
        {1, 1, 63, Design::kEverything, {}},
        {1, 2, 321, Design::kEverything, {}},
    };
    return levels;
}

std::set<std::string> KindsMetBy(const ShippedLevel& level)
{
    std::set<std::string> met;
    for (const ShippedLevel& earlier : ShippedLevels()) {
        met.insert(earlier.introduces.begin(), earlier.introduces.end());
        if (earlier.stage == level.stage && earlier.level == level.level)
            break;
    }
    return met;
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelLoadData, testing::ValuesIn(ShippedLevels()),
                         [](const auto& info) {
                             return "Level" + std::to_string(info.param.stage + 1) + "_" +
                                    std::to_string(info.param.level + 1);
                         });

} // namespace
