#include "engine/app/Engine.h"
#include "engine/core/MessageManager.h"
#include "game/GameLogic.h"

#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/LevelRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using Tamrisk::GameLogic;

struct ShippedLevel {
    Halvard::u32 stage;
    Halvard::u32 level;
};

// Twenty minutes of play: far more than any shipped level takes a player
// who keeps the ball in play.
constexpr Halvard::u32 kFrameCap = 20 * 60 * 60;

class LevelClear : public ::testing::TestWithParam<ShippedLevel> {};

// Every shipped level can be finished: the scripted player, who only keeps
// the balls in play and aims them at the nearest brick, clears it with the
// lives a new game gives.
TEST_P(LevelClear, TheScriptedPlayerClearsTheLevel)
{
    Testing::LevelRun run(
        Testing::LevelRunOptions{.stage = GetParam().stage, .level = GetParam().level, .drawing = false});
    run.RunUntilEnd(kFrameCap);
    EXPECT_EQ(run.Logic().GetState(), GameLogic::kLevelComplete) << run.Describe();
    RecordProperty("seconds", std::to_string(run.Logic().GetTime()));
    EXPECT_THAT(Testing::LogProbe(*run.Engine()->GetMessageManager()).ErrorLines(), ::testing::IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelClear,
                         ::testing::Values(ShippedLevel{0, 0}, ShippedLevel{0, 1}, ShippedLevel{0, 2},
                                           ShippedLevel{1, 0}, ShippedLevel{1, 1}, ShippedLevel{1, 2}),
                         [](const auto& info) {
                             return "Level" + std::to_string(info.param.stage + 1) + "_" +
                                    std::to_string(info.param.level + 1);
                         });

} // namespace
