#include "game/objects/BonusManager.h"

#include "engine/core/Random.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "game/SoundTable.h"
#include "game/level/Effects.h"
#include "game/objects/Bonus.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/RandomSelecter.h"
#include "tests/game/objects/LevelObjectsBed.h"
#include "tests/support/FakeEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace Tamrisk;
using Halvard::u32;
using Halvard::Vector3;

// Frames of a sixteenth of a second add up exactly in floats and stay below
// the timers' longest frame.
constexpr double kFrame = 0.0625;

// The bonus manager of a level on the fake engine and clock, its bonuses
// made of the data keeper's stand-in boxes, its creation sound counted.
class BonusManagerTest : public testing::Test {
protected:
    BonusManagerTest()
    {
        Halvard::SetRandomSeed(7);
        sounds = std::make_unique<Testing::SoundCounter>(engine, std::vector<u32>{kSoundBonusCreation});
        manager = std::make_unique<BonusManager>(&engine.Get(), &effects, &data, sounds->set.get());
    }

    ~BonusManagerTest() override { manager.reset(); }

    // Whole frames: the clock moves, the work runs, the particles move.
    void Run(double seconds, const std::function<void()>& work)
    {
        for (int frame = 0; frame < static_cast<int>(std::lround(seconds / kFrame)); ++frame) {
            engine.Step(kFrame);
            work();
            engine->GetParticleSystemManager()->Update();
        }
    }

    void Fall(double seconds)
    {
        Run(seconds, [this] { manager->Update(false, 3, 1.0f); });
    }

    int VisibleParticleSystems()
    {
        int visible = 0;
        for (const Halvard::ParticleSystem* system : engine.Get().GetParticleSystemManager()->GetSystems().GetObjects())
            visible += system != nullptr && system->IsVisible() ? 1 : 0;
        return visible;
    }

    u32 ModelCount() { return engine->GetModelManager()->GetModels().GetCount(); }

    Testing::StartedFakeEngine engine;
    GameTools::DataKeeper data{&engine.Get(), "en", false};
    Effects effects{&engine.Get(), nullptr};
    std::unique_ptr<Testing::SoundCounter> sounds;
    std::unique_ptr<BonusManager> manager;
};

TEST_F(BonusManagerTest, TheCountdownRunsByFrameTimeTimesScaleOnlyWhileBallsAreInPlay)
{
    struct Case {
        bool ballsInPlay;
        float scale;
        float perSecond;
    };
    for (const Case& c : {Case{true, 1.0f, 1.0f}, Case{true, 0.5f, 0.5f}, Case{false, 1.0f, 0.0f}}) {
        SCOPED_TRACE(testing::Message() << c.ballsInPlay << " " << c.scale);
        const float before = manager->GetCountdown();
        Run(1.0, [&] { manager->Update(c.ballsInPlay, 3, c.scale); });
        EXPECT_NEAR(before - manager->GetCountdown(), c.perSecond, 1e-5f);
    }
}

TEST_F(BonusManagerTest, APositiveCountdownOnlyShrinksByFourPercentPerBrickAndOnceRunOutTheNextBrickDropsOne)
{
    const float start = manager->GetCountdown();
    EXPECT_GE(start, 6.0f);
    EXPECT_LE(start, 9.0f);
    for (int brick = 0; brick < 150; ++brick)
        manager->OnBrickDestroyed(Vector3(0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(manager->GetBonuses().empty());
    EXPECT_NEAR(manager->GetCountdown(), start * std::pow(0.96f, 150.0f), start * 1e-4f);

    Run(kFrame, [this] { manager->Update(true, 3, 1.0f); });
    ASSERT_LT(manager->GetCountdown(), 0.0f);
    manager->OnBrickDestroyed(Vector3(12.0f, 34.0f, 5.0f));
    ASSERT_EQ(manager->GetBonuses().size(), 1u);
    EXPECT_FLOAT_EQ(manager->GetBonuses()[0]->GetPosition().x, 12.0f);
    EXPECT_FLOAT_EQ(manager->GetBonuses()[0]->GetPosition().y, 34.0f);
    EXPECT_GE(manager->GetCountdown(), 8.0f);
    EXPECT_LE(manager->GetCountdown(), 12.0f);
    EXPECT_EQ(sounds->Plays(kSoundBonusCreation), 1);

    manager->OnBrickDestroyed(Vector3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(manager->GetBonuses().size(), 1u);
}

TEST_F(BonusManagerTest, TheChanceOfLifeFollowsTheSpareLivesAndTheOtherKindsKeepTheirWeights)
{
    struct Case {
        u32 lives;
        u32 lifeWeight;
        u32 total;
    };
    const u32 otherWeights[] = {7, 6, 9, 8, 16, 10, 13, 18, 11, 12};
    for (const Case& c : {Case{0, 28, 138}, Case{1, 16, 126}, Case{2, 4, 114}, Case{9, 4, 114}}) {
        SCOPED_TRACE(c.lives);
        manager = std::make_unique<BonusManager>(&engine.Get(), &effects, &data, nullptr);
        manager->Update(false, c.lives, 1.0f);
        GameTools::RandomSelecter expected;
        expected.Add(BonusManager::kLife, c.lifeWeight);
        for (u32 kind = 1; kind < BonusManager::kKindCount; ++kind)
            expected.Add(kind, otherWeights[kind - 1]);
        for (u32 seed = 1; seed <= 40; ++seed) {
            Halvard::SetRandomSeed(seed);
            manager->DropBonus(Vector3(0.0f, 0.0f, 0.0f), BonusManager::kRandom);
            Halvard::SetRandomSeed(seed);
            ASSERT_EQ(manager->GetBonuses().back()->GetKind(), expected.Select()) << "seed " << seed;
        }
        EXPECT_EQ(manager->GetSelecter().GetWeight(BonusManager::kLife), c.lifeWeight);
        EXPECT_EQ(manager->GetSelecter().GetTotal(), c.total);
    }
}

TEST_F(BonusManagerTest, TwoModelsAKindAreCachedAThirdBonusCopiesItsOwnWhichGoesWhenItEnds)
{
    const u32 kind = BonusManager::kBallsSlowDown;
    Halvard::Model* cached[2] = {manager->GetCachedModel(2 * kind), manager->GetCachedModel(2 * kind + 1)};
    ASSERT_NE(cached[0], nullptr);
    ASSERT_NE(cached[1], nullptr);
    const u32 models = ModelCount();
    for (int i = 0; i < 3; ++i)
        manager->DropBonus(Vector3(10.0f * i, 0.0f, 0.0f), kind);
    const auto& bonuses = manager->GetBonuses();
    EXPECT_EQ(bonuses[0]->GetModel(), cached[0]);
    EXPECT_EQ(bonuses[1]->GetModel(), cached[1]);
    EXPECT_EQ(manager->GetCachedModel(2 * kind), nullptr);
    EXPECT_NE(bonuses[2]->GetModel(), cached[0]);
    EXPECT_NE(bonuses[2]->GetModel(), cached[1]);
    EXPECT_NE((cached[0]->GetFlags() & Halvard::Model::kVisible), 0u);

    Fall(8.0);
    EXPECT_TRUE(bonuses.empty());
    EXPECT_EQ(manager->GetCachedModel(2 * kind), cached[0]);
    EXPECT_EQ(manager->GetCachedModel(2 * kind + 1), cached[1]);
    EXPECT_EQ(ModelCount(), models) << "the third bonus's own model went with it";
    EXPECT_EQ((cached[0]->GetFlags() & Halvard::Model::kVisible), 0u);
}

TEST_F(BonusManagerTest, AMissedBonusEndsBelowTheLineQuietlyACaughtOneWhenItsParticlesAreDone)
{
    struct Case {
        bool caught;
        // Seconds the bonus is still listed after the drop, and when it is
        // gone.
        double stillThere;
        double gone;
        int visibleEffects;
    };
    for (const Case& c : {Case{false, 0.5, 0.5625, 0}, Case{true, 1.0, 5.0, 1}}) {
        SCOPED_TRACE(c.caught);
        manager->DropBonus(Vector3(0.0f, -100.0f, 0.0f), BonusManager::kBarrier);
        if (c.caught)
            manager->CatchBonus(0);
        int mostVisible = 0;
        Run(c.stillThere, [&] {
            manager->Update(false, 3, 1.0f);
            mostVisible = std::max(mostVisible, VisibleParticleSystems());
        });
        ASSERT_EQ(manager->GetBonuses().size(), 1u);
        if (!c.caught)
            EXPECT_FLOAT_EQ(manager->GetBonuses()[0]->GetPosition().y, -109.0f) << "18 units a second";
        Fall(c.gone - c.stillThere);
        EXPECT_TRUE(manager->GetBonuses().empty());
        EXPECT_EQ(mostVisible, c.visibleEffects);
        EXPECT_TRUE(effects.GetEffects().empty());
    }
    EXPECT_EQ(sounds->Plays(kSoundBonusCreation), 2) << "the drops alone sound";
}

TEST_F(BonusManagerTest, TheEndLevelHammerFallsEveryEightAndAHalfSecondsOfFullSpeedPlayOnceArmed)
{
    struct Case {
        const char* name;
        bool armed;
        float scale;
        std::vector<double> drops;
    };
    const Case cases[] = {{"FullSpeed", true, 1.0f, {8.5, 17.0}},
                          {"SlowMotion", true, 0.5f, {}},
                          {"NeverFewBricks", false, 1.0f, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager = std::make_unique<BonusManager>(&engine.Get(), &effects, &data, nullptr);
        std::vector<double> drops;
        const std::size_t effectsBefore = effects.GetEffects().size();
        double time = 0.0;
        Run(20.0, [&] {
            time += kFrame;
            if (c.armed)
                manager->ArmEndLevelBonus();
            const std::size_t before = manager->GetBonuses().size();
            manager->Update(false, 3, c.scale);
            if (manager->GetBonuses().size() > before) {
                drops.push_back(time);
                EXPECT_EQ(manager->GetBonuses().back()->GetKind(), u32{BonusManager::kHammer});
                EXPECT_FLOAT_EQ(manager->GetBonuses().back()->GetPosition().x, 0.0f);
            }
        });
        EXPECT_EQ(drops, c.drops);
        EXPECT_EQ(effects.GetEffects().size() - effectsBefore, c.drops.size())
            << "each hammer comes with its creation effect";
    }
}

} // namespace
