#include "game/GameLogic.h"

#include "engine/app/Engine.h"
#include "engine/core/MessageManager.h"
#include "game/SoundTable.h"
#include "game/objects/GameGeometry.h"
#include "game/objects/Ball.h"
#include "game/objects/BallManager.h"
#include "game/objects/Block.h"

#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/LevelRun.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using Tamrisk::GameLogic;
using Testing::LevelRun;
using Testing::LevelRunOptions;

// Five minutes of play. The runs draw nothing: they test the play, and the
// pictures of a level are tested where the whole game is played.
constexpr Halvard::u32 kFrameCap = 5 * 60 * 60;

struct Outcome {
    Halvard::u32 frames;
    Halvard::u32 score;
};

Outcome PlayFirstLevel()
{
    LevelRun run(LevelRunOptions{.drawing = false});
    run.Frame();
    EXPECT_FLOAT_EQ(run.Logic().GetTime(), 0.0f) << "no time before the launch";
    const Halvard::u32 frames = run.RunUntilEnd(kFrameCap) + 1;
    EXPECT_EQ(run.Logic().GetState(), GameLogic::kLevelComplete) << run.Describe();
    const float time = run.Logic().GetTime();
    EXPECT_GT(time, 1.0f);
    for (int frame = 0; frame < 30; ++frame)
        run.Frame();
    EXPECT_FLOAT_EQ(run.Logic().GetTime(), time) << "no time after the end";
    EXPECT_THAT(Testing::LogProbe(*run.Engine()->GetMessageManager()).ErrorLines(), testing::IsEmpty());
    return Outcome{frames, run.Logic().GetScore()};
}

TEST(GameLogicRun, AScriptedPlayerClearsTheFirstLevelTheSameWayEveryTime)
{
    const Outcome first = PlayFirstLevel();
    const Outcome second = PlayFirstLevel();
    EXPECT_EQ(first.frames, second.frames);
    EXPECT_EQ(first.score, second.score);
    EXPECT_GT(first.score, 0u);
}

TEST(GameLogicRun, APlayerWhoMissesLosesTwoBallsAndThenTheGameOnce)
{
    LevelRun run(LevelRunOptions{.lives = 1, .losing = true, .recordSounds = true, .drawing = false});
    int stateChanges = 0;
    while (run.Frames() < kFrameCap && run.Logic().GetState() == GameLogic::kRunning) {
        run.Frame();
        if (run.Logic().IsStateChanged()) {
            ++stateChanges;
            run.Logic().ClearStateChanged();
        }
    }
    ASSERT_EQ(run.Logic().GetState(), GameLogic::kGameOver) << run.Describe();
    for (int frame = 0; frame < 180; ++frame)
        run.Frame();
    EXPECT_EQ(stateChanges + (run.Logic().IsStateChanged() ? 1 : 0), 1);
    EXPECT_EQ(run.CountPlays(Tamrisk::kSoundBallLost), 2);
    EXPECT_EQ(run.CountPlays(Tamrisk::kSoundLevelFailed), 1);
    EXPECT_EQ(run.CountPlays(Tamrisk::kSoundBatDestruction), 2) << "one destruction per loss";
    EXPECT_EQ(run.Logic().GetLives(), 0u);
    EXPECT_THAT(Testing::LogProbe(*run.Engine()->GetMessageManager()).ErrorLines(), testing::IsEmpty());
}

class GameLogicTest : public testing::Test {
protected:
    void Run(int frames)
    {
        for (int frame = 0; frame < frames; ++frame)
            run.Frame();
    }

    LevelRun run{LevelRunOptions{.drawing = false}};
    GameLogic& logic = run.Logic();
};

TEST_F(GameLogicTest, ALifeBonusNeverTakesTheLivesPastAHundred)
{
    const struct {
        Halvard::u32 lives;
        Halvard::u32 afterOne;
        Halvard::u32 afterTwo;
    } cases[] = {{0, 1, 2}, {99, 100, 100}, {100, 100, 100}, {101, 100, 100}, {0xFFFFFFFFu, 100, 100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lives);
        logic.SetLives(c.lives);
        logic.ApplyBonus(GameLogic::kLife);
        EXPECT_EQ(logic.GetLives(), c.afterOne);
        logic.ApplyBonus(GameLogic::kLife);
        EXPECT_EQ(logic.GetLives(), c.afterTwo);
    }
}

// A damaged profile may hold any count of lives: the level starts with a
// hundred at most, and a life bonus never takes them round to none.
TEST(GameLogicLives, ALevelStartsWithAHundredLivesAtMostWhateverTheProfileHolds)
{
    for (const Halvard::u32 lives : {0xFFFFFFFFu, 101u}) {
        LevelRun run(LevelRunOptions{.lives = lives, .drawing = false});
        EXPECT_EQ(run.Logic().GetLives(), GameLogic::kMaxLives);
    }
}

TEST_F(GameLogicTest, TheLevelCompletesThreeTenthsOfASecondAfterItsLastBrickWithBallsStillFlying)
{
    Run(240);
    ASSERT_TRUE(logic.IsBallInPlay()) << run.Describe();
    for (Tamrisk::Block* block : logic.GetGeometry().GetBricks())
        block->Destroy(Tamrisk::Block::kSuper, false);
    Run(1);
    ASSERT_EQ(logic.GetGeometry().GetBlocksToDestroy(), 0u);
    Run(16);
    EXPECT_EQ(logic.GetState(), GameLogic::kRunning) << "0.3 s have not passed";
    Run(3);
    EXPECT_EQ(logic.GetState(), GameLogic::kLevelComplete);
}

TEST_F(GameLogicTest, APauseShorterThanASecondNeverFreezesTheLevel)
{
    Run(240);
    logic.SetState(GameLogic::kPaused);
    bool frozen = false;
    for (int frame = 0; frame < 50; ++frame) {
        run.Frame();
        for (const Tamrisk::Ball* ball : logic.GetBalls().GetBalls())
            frozen = frozen || ball->IsFrozen();
    }
    EXPECT_LT(logic.GetTimeScale(), 0.2f);
    logic.SetState(GameLogic::kRunning);
    Run(60);
    EXPECT_FALSE(frozen);
    EXPECT_FLOAT_EQ(logic.GetTimeScale(), 1.0f);

    logic.SetState(GameLogic::kPaused);
    Run(70);
    ASSERT_FALSE(logic.GetBalls().GetBalls().empty());
    EXPECT_TRUE(logic.GetBalls().GetBalls()[0]->IsFrozen()) << "a second's pause freezes";
}

} // namespace
