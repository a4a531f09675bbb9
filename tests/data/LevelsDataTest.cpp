#include "game/LevelManager.h"
#include "tests/data/BuiltData.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LevelsData, TheShippedListHoldsTwoStagesOfThreeLevelsAndLoadsWithoutAnErrorLine)
{
    Testing::TestEngine engine({.installFolder = Testing::GameFolderInternal()});
    const Tamrisk::LevelManager levels(&engine.Get());
    ASSERT_EQ(levels.GetStageCount(), 2u);
    EXPECT_EQ(levels.GetGameStage(0)->environment, "grove");
    EXPECT_EQ(levels.GetGameStage(1)->environment, "citadel");
    for (Halvard::u32 stage = 0; stage < 2; ++stage) {
        ASSERT_EQ(levels.GetLevelCount(stage), 3u);
        for (Halvard::u32 level = 0; level < 3; ++level)
            EXPECT_GT(levels.GetGameLevel({stage, level})->aceTime, 0u);
    }
    EXPECT_TRUE(levels.IsLastLevel({1, 2}));
    const Testing::LogProbe log(*engine->GetMessageManager());
    EXPECT_THAT(log.ErrorLines(), ::testing::IsEmpty());
    EXPECT_TRUE(log.Contains("Level Manager: Found 2 stages with 6 levels..."));
}

} // namespace
