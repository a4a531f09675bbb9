#include "framework/logic/GameLogicBase.h"

#include "engine/core/TimerManager.h"
#include "framework/levels/LevelRecordBase.h"
#include "framework/levels/StageRecordBase.h"
#include "framework/logic/ScoreKeeper.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/LogProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace Testing {
namespace {

using GameFramework::GameLogicBase;
using Halvard::u32;

class GameLogicBaseTest : public ::testing::Test {
protected:
    GameLogicBaseTest()
    {
        engine.Start();
        level.reference = {0, 4};
    }

    std::unique_ptr<GameLogicBase> Make(u32 lives = 3)
    {
        return std::make_unique<GameLogicBase>(&engine.Get(), nullptr, &stage, &level, lives);
    }

    FakeEngine engine;
    GameFramework::StageRecordBase stage;
    GameFramework::LevelRecordBase level;
};

TEST_F(GameLogicBaseTest, ALevelIsAnnouncedCountedFromOneAndItsTimeStandsStillUntilStarted)
{
    engine->GetMessageManager()->ClearMessages();
    const auto logic = Make(2);
    const auto texts = LogProbe(*engine->GetMessageManager()).Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2], "\n");
    EXPECT_EQ(texts.back(), "Loading level 1-5...\n");
    EXPECT_EQ(logic->GetLives(), 2u);
    EXPECT_EQ(logic->GetState(), GameLogicBase::kRunning);
    EXPECT_FALSE(logic->IsStateChanged());
    EXPECT_EQ(logic->GetTimeScale(), 0.0f);
    EXPECT_EQ(logic->GetScore(), 0u);
    EXPECT_TRUE(logic->IsTimerPaused());
    engine.Step(1.5);
    EXPECT_EQ(logic->GetTime(), 0.0f);
}

TEST_F(GameLogicBaseTest, StateChangesPauseTheTimeAndAreFlaggedOnlyWhenTheStateDiffers)
{
    const auto logic = Make();
    logic->SetState(GameLogicBase::kRunning);
    EXPECT_FALSE(logic->IsStateChanged());
    EXPECT_TRUE(logic->IsTimerPaused());
    logic->PauseTimer(false);
    engine.Step(2.0);
    EXPECT_FLOAT_EQ(logic->GetTime(), 2.0f);

    logic->PauseLevel(true);
    EXPECT_EQ(logic->GetState(), GameLogicBase::kPaused);
    EXPECT_TRUE(logic->IsStateChanged());
    EXPECT_TRUE(logic->IsTimerPaused());
    logic->ClearStateChanged();
    logic->PauseLevel(false);
    EXPECT_EQ(logic->GetState(), GameLogicBase::kRunning);
    EXPECT_TRUE(logic->IsStateChanged());
    EXPECT_FALSE(logic->IsTimerPaused());
}

TEST_F(GameLogicBaseTest, AnEndedLevelIgnoresPausesAndKeepsItsTimerAlone)
{
    const auto logic = Make();
    logic->SetState(GameLogicBase::kGameOver);
    logic->ClearStateChanged();
    logic->PauseTimer(false);
    logic->PauseLevel(true);
    logic->PauseLevel(false);
    EXPECT_EQ(logic->GetState(), GameLogicBase::kGameOver);
    EXPECT_FALSE(logic->IsStateChanged());
    EXPECT_FALSE(logic->IsTimerPaused());
}

TEST_F(GameLogicBaseTest, TheScoreIsTheScoreKeepersAndTheTimerIsReleasedWithTheLogic)
{
    const auto liveTimers = [&] {
        const auto& slots = engine->GetTimerManager()->GetSlots();
        return std::count_if(slots.begin(), slots.end(), [](const Halvard::Timer* t) { return t != nullptr; });
    };
    const auto before = liveTimers();
    auto logic = Make();
    EXPECT_EQ(liveTimers(), before + 1);
    logic->GetScoreKeeper().AddScoreKind(1, 10);
    logic->GetScoreKeeper().AddPoints(1, 3);
    EXPECT_EQ(logic->GetScore(), 30u);
    logic->SetScore(7);
    EXPECT_EQ(logic->GetScoreKeeper().GetTotal(), 7u);
    logic.reset();
    EXPECT_EQ(liveTimers(), before);
}

TEST(ScoreKeeperTest, KindsKeepTheirFirstPointsAndUnknownKindsScoreNothing)
{
    GameFramework::ScoreKeeper keeper(100);
    keeper.AddScoreKind(4, 50);
    keeper.AddScoreKind(4, 999);
    EXPECT_EQ(keeper.GetPoints(4), 50u);
    EXPECT_EQ(keeper.GetPoints(5), 0u);
    keeper.AddPoints(5, 10);
    EXPECT_EQ(keeper.GetTotal(), 100u);
    keeper.SetMultiplier(3);
    keeper.AddPoints(4, 2);
    EXPECT_EQ(keeper.GetTotal(), 400u);
}

TEST(ScoreKeeperTest, TheTotalWrapsInUnsignedArithmetic)
{
    GameFramework::ScoreKeeper keeper(0xFFFFFFF0u);
    keeper.AddScoreKind(0, 0x10);
    keeper.AddPoints(0, 2);
    EXPECT_EQ(keeper.GetTotal(), 0x10u);
}

} // namespace
} // namespace Testing
