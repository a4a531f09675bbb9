#include "engine/app/Engine.h"
#include "engine/core/Window.h"
#include "engine/render/Model.h"
#include "game/GameLogic.h"
#include "game/objects/Block.h"
#include "game/objects/Bullet.h"
#include "game/objects/BulletManager.h"
#include "game/objects/GameGeometry.h"
#include "game/objects/Gun.h"
#include "game/objects/GunPart.h"

#include "tests/support/ScriptedInput.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/Autopilot.h"
#include "tests/support/game/LevelRun.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Halvard::BoundingBox;
using Tamrisk::GameLogic;

// The first level with the bat holding its first ball, which it keeps: the
// guns are fired directly, as a click with no ball held fires them.
class BoltInView : public ::testing::Test {
protected:
    BoltInView()
    {
        run.MoveBatTo(0.0f);
        for (int frame = 0; frame < 600 && !Testing::Autopilot::WantsLaunch(run.Logic()); ++frame)
            run.Step([] {});
    }

    void Steps(int frames)
    {
        for (int frame = 0; frame < frames; ++frame)
            run.Step([] {});
    }

    // Long enough for the bat to settle and a gun to stand ready.
    void Settle() { Steps(90); }

    Testing::LevelRun run{Testing::LevelRunOptions{.drawing = false}};
};

// The bolt of either gun, shot from the middle and from either side of the
// first bricks, leaves from its gun and has sunk, by the brick it breaks
// first, below that brick's top: it is seen striking it.
TEST_F(BoltInView, ABoltLeavesItsGunAndIsSeenStrikingTheBrickItBreaks)
{
    for (const Halvard::u32 index : {0u, 1u}) {
        run.Logic().ApplyBonus(index == 0 ? GameLogic::kArbalest : GameLogic::kBallista);
        for (const float x : {0.0f, -12.0f, 12.0f}) {
            SCOPED_TRACE(std::string(Tamrisk::Gun::GetKindName(index)) + " at x " + std::to_string(x));
            run.MoveBatTo(x);
            Settle();
            const BoundingBox gun = run.Logic().GetGun(index).GetPart().GetGunModel()->boundingBox;
            run.Logic().GetGun(index).Fire();
            Steps(1);
            const Tamrisk::Bullet* bolt = nullptr;
            for (const std::unique_ptr<Tamrisk::Bullet>& b : run.Logic().GetBullets().GetBullets()) {
                if (b->IsActive() && !b->HasHit() && b->GetKind() == index &&
                    (bolt == nullptr || b->GetOffset().y < bolt->GetOffset().y))
                    bolt = b.get();
            }
            ASSERT_NE(bolt, nullptr);
            const BoundingBox& box = bolt->GetModel()->boundingBox;
            EXPECT_LT(box.GetWorldMin().y, gun.GetWorldMax().y + 2.0f) << "the bolt starts ahead of its gun";
            EXPECT_GT(box.GetWorldMax().y, gun.GetWorldMin().y) << "the bolt starts behind its gun";
            EXPECT_LT(box.GetWorldMin().z, gun.GetWorldMax().z) << "the bolt starts above its gun";
            EXPECT_GT(box.GetWorldMax().z, gun.GetWorldMin().z) << "the bolt starts under its gun";
            const Tamrisk::Block* struck = nullptr;
            float boltBottom = 0.0f;
            for (int frame = 0; frame < 120 && struck == nullptr; ++frame) {
                std::vector<const Tamrisk::Block*> alive;
                for (const Tamrisk::Block* block : run.Logic().GetGeometry().GetBlocks())
                    if (block->IsAlive())
                        alive.push_back(block);
                Steps(1);
                for (const Tamrisk::Block* block : alive) {
                    const BoundingBox& b = block->GetBox();
                    if (!block->IsAlive() && b.GetWorldMin().x <= box.GetWorldMax().x &&
                        b.GetWorldMax().x >= box.GetWorldMin().x) {
                        struck = block;
                        boltBottom = box.GetWorldMin().z;
                    }
                }
            }
            ASSERT_NE(struck, nullptr) << "the bolt broke no brick";
            EXPECT_LT(boltBottom, struck->GetBox().GetWorldMax().z)
                << "the bolt passes over the brick it breaks at height " << boltBottom;
            RecordProperty(std::string(Tamrisk::Gun::GetKindName(index)) + "_at_x_" + std::to_string(x),
                           "bolt bottom " + std::to_string(boltBottom) + " at the brick at y " +
                               std::to_string(struck->GetBox().GetWorldMin().y));
        }
    }
}

} // namespace
