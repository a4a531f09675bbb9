#include "game/objects/Gun.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "game/SoundTable.h"
#include "game/level/Effects.h"
#include "game/level/GameField.h"
#include "game/objects/Bullet.h"
#include "game/objects/BulletManager.h"
#include "game/objects/GunPart.h"
#include "game_tools/DataKeeper.h"
#include "tests/game/objects/LevelObjectsBed.h"
#include "tools/FieldWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace Tamrisk;
using Halvard::Matrix4;
using Halvard::u32;
using Halvard::Vector2;
using Halvard::Vector3;

// Frames of a sixty-fourth of a second add up exactly in floats.
constexpr double kFrame = 1.0 / 64.0;
// Where the bat holds its guns: bolts start at y -80, 5 above the field.
const Vector3 kMount(0.0f, -80.0f, 5.0f);

Matrix4 Translation(const Vector3& v)
{
    Matrix4 m;
    Halvard::MatrixTranslation(m, v);
    return m;
}

// Both guns on a mount, the bolts' pools, a level of boxes and a field whose
// one wall runs across at y 100 to 110; the gun models are boxes with their
// frame counts, played at 100 frames a second.
class GunBed {
public:
    explicit GunBed(const std::vector<Vector2>& blocks)
    {
        const Testing::TempFolder& folder = engine.folder;
        Testing::AddModelResource(engine.Get(), folder, data, "guns/arbalet/gun", Testing::AnimatedBox(41, 100.0f));
        Testing::AddModelResource(engine.Get(), folder, data, "guns/ballista/gun", Testing::AnimatedBox(26, 100.0f));
        for (const char* name : {"guns/arbalet/bullet", "guns/ballista/bullet"})
            Testing::AddModelResource(engine.Get(), folder, data, name, Tools::MakeBoxModelData({-1, -1, -1}, {1, 1, 1}));
        Tools::FieldBox wall;
        wall.min = {-100.0f, 100.0f, -10.0f};
        wall.max = {100.0f, 110.0f, 10.0f};
        const std::vector<std::uint8_t> bytes = Tools::BuildFieldFile({wall});
        folder.WriteFile("data\\environment\\field.tkf", std::string(bytes.begin(), bytes.end()));
        field = std::make_unique<GameField>(&engine.Get(), "field.tkf");
        level = std::make_unique<Testing::BlockLevel>(engine.Get(), folder, data, effects, blocks);
        bullets = std::make_unique<BulletManager>(&engine.Get(), &data, &effects, sounds.set.get(), field.get(),
                                                  &level->Geometry());
        for (u32 index : {Gun::kArbalest, Gun::kBallista})
            MakeGun(index);
        // The blocks take their places.
        Run(64, [] {});
    }

    // A new gun of the kind, whose clock starts now.
    Gun& MakeGun(u32 index)
    {
        guns[index] = std::make_unique<Gun>(&engine.Get(), &data, &effects, &mount, sounds.set.get(), bullets.get(),
                                            index);
        return *guns[index];
    }

    // Whole engine frames around the level's update, which the extra work
    // precedes.
    void Run(int frames, const std::function<void()>& work)
    {
        for (int frame = 0; frame < frames; ++frame) {
            engine.clock.Advance(kFrame);
            engine->BeginFrame();
            work();
            level->Geometry().Update(1.0f);
            for (const auto& gun : guns)
                if (gun != nullptr)
                    gun->Update(1.0f);
            bullets->Update(1.0f);
            effects.Update();
            engine->EndFrame(0);
        }
    }

    int ActiveBolts(u32 kind) const
    {
        int active = 0;
        for (const Bullet* bullet : bullets->GetPool(kind))
            active += bullet->IsActive() ? 1 : 0;
        return active;
    }

    Testing::StartedFakeEngine engine;
    GameTools::DataKeeper data{&engine.Get(), "en", false};
    Effects effects{&engine.Get(), nullptr};
    Testing::SoundCounter sounds{engine,
                                 {kSoundArbalestShot, kSoundBallistaShot, kSoundArbalestHitField, kSoundBallistaHitField}};
    Matrix4 mount = Translation(kMount);
    std::unique_ptr<GameField> field;
    std::unique_ptr<Testing::BlockLevel> level;
    std::unique_ptr<BulletManager> bullets;
    std::unique_ptr<Gun> guns[2];
};

const u32 kShotSounds[2] = {kSoundArbalestShot, kSoundBallistaShot};
const u32 kShots[2] = {Gun::kArbalestShots, Gun::kBallistaShots};

TEST(GunTest, ClicksWithinTheFireIntervalAreLostNotKept)
{
    struct Case {
        const char* name;
        u32 gun;
        // A click every this many frames; 0: one click, at frame 3 only.
        int clickEvery;
        int shots;
    };
    // In 64 frames of 1/64 s: the arbalest fires when more than 0.1 s has
    // passed since its last shot (frames 7, 14, ... clicking every frame;
    // 9, 18, ... clicking every third), the ballista after 0.17 s (11, 22,
    // ...); a click too early fires nothing later.
    const Case cases[] = {{"ArbalestEveryFrame", Gun::kArbalest, 1, 9},
                          {"ArbalestEveryThirdFrame", Gun::kArbalest, 3, 7},
                          {"ArbalestOneEarlyClick", Gun::kArbalest, 0, 0},
                          {"BallistaEveryFrame", Gun::kBallista, 1, 5}};
    GunBed bed({{50.0f, 0.0f}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Gun& gun = bed.MakeGun(c.gun);
        ASSERT_EQ(bed.ActiveBolts(c.gun), 0);
        const int soundsBefore = bed.sounds.Plays(kShotSounds[c.gun]);
        gun.AddShots(kShots[c.gun]);
        int frame = 0;
        bed.Run(64, [&] {
            ++frame;
            if (c.clickEvery == 0 ? frame == 3 : frame % c.clickEvery == 0)
                gun.Fire();
        });
        EXPECT_EQ(gun.GetShotsFired(), u32(c.shots));
        EXPECT_EQ(gun.GetShots(), kShots[c.gun] - c.shots);
        EXPECT_EQ(bed.ActiveBolts(c.gun), c.shots);
        EXPECT_EQ(bed.sounds.Plays(kShotSounds[c.gun]) - soundsBefore, c.shots);
        // The bolts reach the wall and their particles run out.
        bed.Run(64 * 8, [] {});
    }
}

TEST(GunTest, TheLastShotPlaysTheShotThenTheUnmountAndTheGunHides)
{
    GunBed bed({{50.0f, 0.0f}});
    for (u32 index : {Gun::kArbalest, Gun::kBallista}) {
        SCOPED_TRACE(Gun::GetKindName(index));
        Gun& gun = *bed.guns[index];
        const GunPart& part = gun.GetPart();
        const int soundsBefore = bed.sounds.Plays(kShotSounds[index]);
        gun.AddShots(kShots[index]);
        EXPECT_TRUE(part.IsVisible());
        // The animations the gun shows from its last shot on, each once.
        std::vector<int> afterLast;
        bed.Run(64 * 6, [&] {
            gun.Fire();
            if (gun.GetShotsFired() < kShots[index] || !part.IsVisible())
                return;
            const int animation = part.GetGunModel()->GetAnimationControl().GetAnimation();
            if (afterLast.empty() || afterLast.back() != animation)
                afterLast.push_back(animation);
        });
        EXPECT_EQ(afterLast, (std::vector<int>{GunPart::kShot, GunPart::kUnmount}));
        EXPECT_FALSE(part.IsVisible());
        EXPECT_EQ(part.GetBulletModel()->GetFlags() & Halvard::Model::kVisible, 0u);
        EXPECT_EQ(gun.GetShots(), 0u);
        EXPECT_EQ(gun.GetShotsFired(), kShots[index]);
        EXPECT_EQ(bed.sounds.Plays(kShotSounds[index]) - soundsBefore, static_cast<int>(kShots[index]));
    }
}

TEST(GunTest, AnArbalestBoltDestroysOneBlockABallistaBoltEveryBlockOnItsWayAndStopsAtTheWall)
{
    struct Case {
        u32 gun;
        std::vector<bool> alive;
        int wallHits;
        // Where the front of the bolt stood when it hit.
        float stop;
    };
    // Three boxes on the bolt's way, one beside it.
    const std::vector<Vector2> blocks = {{0.0f, -40.0f}, {0.0f, 0.0f}, {0.0f, 40.0f}, {20.0f, 0.0f}};
    const u32 wallSounds[2] = {kSoundArbalestHitField, kSoundBallistaHitField};
    for (const Case& c : {Case{Gun::kArbalest, {false, true, true, true}, 0, -41.0f},
                          Case{Gun::kBallista, {false, false, false, true}, 1, 100.0f}}) {
        SCOPED_TRACE(Gun::GetKindName(c.gun));
        GunBed bed(blocks);
        bed.guns[c.gun]->AddShots(1);
        bed.Run(8, [&] { bed.guns[c.gun]->Fire(); });
        const Bullet& bolt = *bed.bullets->GetPool(c.gun).front();
        ASSERT_TRUE(bolt.IsActive());
        float stop = 0.0f;
        bed.Run(64 * 8, [&] {
            if (!bolt.HasHit())
                stop = bolt.GetBox().GetWorldMax().y;
        });
        EXPECT_EQ(bed.level->Alive(), c.alive);
        EXPECT_EQ(bed.sounds.Plays(wallSounds[c.gun]), c.wallHits);
        EXPECT_NEAR(stop, c.stop, 2.5f);
        EXPECT_FALSE(bolt.IsActive()) << "its particles have run out";
    }
}

TEST(GunTest, FrozenBoltsHangAndAFrozenGunDoesNotFire)
{
    GunBed bed({{50.0f, 0.0f}});
    Gun& gun = *bed.guns[Gun::kArbalest];
    gun.AddShots(Gun::kArbalestShots);
    bed.Run(8, [&] { gun.Fire(); });
    const Bullet& bolt = *bed.bullets->GetPool(Gun::kArbalest).front();
    ASSERT_TRUE(bolt.IsActive());
    const float flown = bolt.GetOffset().y;
    const u32 fired = gun.GetShotsFired();

    bed.bullets->SetFrozen(true);
    gun.SetFrozen(true);
    bed.Run(64, [&] { gun.Fire(); });
    EXPECT_FLOAT_EQ(bolt.GetOffset().y, flown);
    EXPECT_TRUE(bolt.IsActive());
    EXPECT_EQ(gun.GetShotsFired(), fired);

    bed.bullets->SetFrozen(false);
    gun.SetFrozen(false);
    bed.Run(8, [&] { gun.Fire(); });
    EXPECT_GT(bolt.GetOffset().y, flown);
    EXPECT_GT(gun.GetShotsFired(), fired);
}

TEST(GunTest, WithTheWholePoolInFlightAShotTakesTheLastBoltThatHasHitAndNoneBefore)
{
    // Bolts in 30 lanes 4 apart; boxes close ahead of lanes 5 and 9.
    const auto lane = [](int i) { return -58.0f + 4.0f * static_cast<float>(i); };
    GunBed bed({{lane(5), -70.0f}, {lane(9), -70.0f}});
    const std::vector<Bullet*>& pool = bed.bullets->GetPool(Gun::kArbalest);
    ASSERT_EQ(pool.size(), BulletManager::kArbalestPool);
    for (int i = 0; i < 30; ++i)
        bed.bullets->FireArbalest(Translation(Vector3(lane(i), -80.0f, 5.0f)));
    bed.Run(2, [] {});
    const int plays = bed.sounds.Plays(kSoundArbalestShot);
    bed.bullets->FireArbalest(Translation(Vector3(lane(0), -80.0f, 5.0f)));
    for (const Bullet* bullet : pool)
        ASSERT_GT(bullet->GetOffset().y, 0.0f) << "no bolt was taken back";
    EXPECT_EQ(bed.sounds.Plays(kSoundArbalestShot), plays);

    bed.Run(16, [] {});
    std::vector<int> hit;
    for (int i = 0; i < 30; ++i)
        if (pool[i]->HasHit())
            hit.push_back(i);
    ASSERT_EQ(hit, (std::vector<int>{5, 9}));
    bed.bullets->FireArbalest(Translation(Vector3(lane(0), -80.0f, 5.0f)));
    EXPECT_FALSE(pool[9]->HasHit());
    EXPECT_FLOAT_EQ(pool[9]->GetOffset().y, 0.0f);
    EXPECT_TRUE(pool[5]->HasHit());
    EXPECT_EQ(bed.sounds.Plays(kSoundArbalestShot), plays + 1);
}

// A bolt model without frames still loads frame 0 in the gun.
TEST(GunPartTest, TheLoadedBoltPlaysItsFramesFromTheFirstToTheLast)
{
    Testing::StartedFakeEngine engine;
    GameTools::DataKeeper data{&engine.Get(), "en", false};
    Effects effects{&engine.Get(), nullptr};
    Testing::AddModelResource(engine.Get(), engine.folder, data, "gun", Testing::AnimatedBox(41, 100.0f));
    Testing::AddModelResource(engine.Get(), engine.folder, data, "bolt", Testing::AnimatedBox(5, 100.0f));
    const Matrix4 mount = Translation(kMount);
    const GunAnimations animations = {{0, 33}, {33, 40}, {33, 33}, {33, 0}};
    Halvard::Model* frameless = engine->GetModelManager()->CreateModel(
        Halvard::Model::kStatic | Halvard::Model::kTriangleList, 3, 3, 0, nullptr, nullptr);
    struct Case {
        const Halvard::Model* bolt;
        u32 frames;
    };
    for (const Case& c : {Case{data.GetModel("bolt"), 5}, Case{frameless, 1}}) {
        GunPart part(&engine.Get(), &effects, &mount, *data.GetModel("gun"), *c.bolt, animations);
        part.Ready();
        const Halvard::AnimationControl& animation = part.GetBulletModel()->GetAnimationControl();
        EXPECT_EQ(animation.GetAnimation(), GunPart::kReady);
        EXPECT_EQ(animation.GetRangeFrameCount(), c.frames);
        EXPECT_NE(part.GetBulletModel()->GetFlags() & Halvard::Model::kVisible, 0u);
    }
    engine->GetModelManager()->DestroyModel(frameless);
}

} // namespace
