#include "game/objects/ExplosionManager.h"

#include "game/objects/Explosion.h"
#include "tests/game/objects/ExplosionBed.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Halvard;
using Tamrisk::Explosion;
using Tamrisk::ExplosionManager;

namespace {

class ExplosionManagerTest : public testing::Test {
protected:
    ExplosionManagerTest()
    {
        bed.AddPiece("kind/00", Vector3(0.0f, 0.0f, 1.0f), 1.0f);
        bed.AddPiece("kind/01", Vector3(2.0f, 0.0f, 1.0f), 1.0f);
    }

    std::vector<Explosion*> Group(u32 group) const
    {
        std::vector<Explosion*> found;
        for (const auto& [id, explosion] : manager.GetRecords())
            if (id == group)
                found.push_back(explosion.get());
        return found;
    }

    void Frame()
    {
        bed.engine.Step(0.0625);
        manager.Update();
    }

    Testing::ExplosionBed bed;
    ExplosionManager manager{&bed.engine.Get(), bed.data.get(), bed.effects.get()};
};

TEST_F(ExplosionManagerTest, AGroupHoldsAboutOneExplosionForTwoBlocksOfItsKind)
{
    const std::vector<std::pair<u32, std::size_t>> sizes = {{0, 1}, {1, 1}, {2, 2}, {3, 2}, {4, 3},
                                                            {39, 20}, {40, 21}, {41, 21}, {300, 21}};
    for (u32 i = 0; i < sizes.size(); ++i) {
        EXPECT_EQ(manager.CreateGroup("kind", 2, true, sizes[i].first), i);
        const std::vector<Explosion*> group = Group(i);
        EXPECT_EQ(group.size(), sizes[i].second) << sizes[i].first << " blocks";
        for (const Explosion* explosion : group) {
            EXPECT_EQ(explosion->GetFragments().size(), 2u);
            EXPECT_FALSE(explosion->IsRunning());
        }
    }
}

TEST_F(ExplosionManagerTest, ABusyGroupRestartsItsLongestRunningExplosionButNeverOneJustStarted)
{
    const u32 kind = manager.CreateGroup("kind", 1, true, 4);
    const u32 other = manager.CreateGroup("kind", 1, true, 1);
    const std::vector<Explosion*> group = Group(kind);
    ASSERT_EQ(group.size(), 3u);
    Model& source = *bed.MakeSource(Vector3(0.0f, 0.0f, 0.0f));

    // Idle ones first, in order.
    EXPECT_EQ(manager.PickExplosion(kind), group[0]);
    group[0]->Start(source, true);
    EXPECT_EQ(manager.PickExplosion(kind), group[1]);
    group[2]->Start(source, true);
    EXPECT_EQ(manager.PickExplosion(kind), group[1]);
    group[1]->Start(source, true);

    // All three just started: none may be taken.
    EXPECT_EQ(manager.PickExplosion(kind), nullptr);
    EXPECT_EQ(manager.PickExplosion(other), Group(other)[0]);
    Frame();
    group[1]->Start(source, true);
    Frame();
    group[0]->Start(source, true);
    EXPECT_EQ(manager.PickExplosion(kind), group[2]);
    Frame();
    EXPECT_EQ(manager.PickExplosion(kind), group[2]);
    group[2]->Start(source, true);
    EXPECT_EQ(manager.PickExplosion(kind), group[1]);
    for (const Explosion* explosion : group)
        EXPECT_TRUE(explosion->IsRunning());

    Group(other)[0]->Start(source, true);
    EXPECT_EQ(manager.PickExplosion(other), nullptr);
    EXPECT_EQ(manager.PickExplosion(kind), group[1]);
}

} // namespace
