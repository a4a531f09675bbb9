#include "engine/app/Engine.h"
#include "engine/core/Image.h"
#include "engine/core/Window.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/RenderSystem.h"
#include "game/GameLogic.h"
#include "game/objects/Barrier.h"
#include "game/objects/Bat.h"
#include "game/objects/Gun.h"
#include "game/objects/GunPart.h"

#include "tests/support/GoldenImage.h"
#include "tests/support/ScreenQuad.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/Autopilot.h"
#include "tests/support/game/LevelRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

using Halvard::Vector3;
using Tamrisk::GameLogic;

// The golden is the screen shrunk by 4 each way.
constexpr Halvard::u32 kGoldenShrink = 4;
constexpr int kGoldenTolerance = 8;
// A pixel changed this much in red, green and blue together shows
// something new.
constexpr int kSeen = 30;

class LevelLooks : public ::testing::Test {
protected:
    void Steps(int frames)
    {
        for (int frame = 0; frame < frames; ++frame)
            run.Step([] {});
    }

    void Capture(Halvard::Image& image) { run.Engine()->GetRenderSystem()->CaptureScreen(image); }

    // How much the pixel a world point projects to differs between two
    // captures of the level's view; -1 when the point lies off the screen.
    int Change(const Halvard::Image& before, const Halvard::Image& after, const Vector3& point)
    {
        const Halvard::CameraManager& cameras = *run.Engine()->GetCameraManager();
        Halvard::Vector2 screen(0.0f, 0.0f);
        cameras.ProjectPoint(screen, cameras.GetDefaultCamera(), point);
        if (screen.x < 0.0f || screen.y < 0.0f || screen.x >= static_cast<float>(after.GetWidth()) ||
            screen.y >= static_cast<float>(after.GetHeight()))
            return -1;
        // The projection counts y from the bottom, the capture's pixels from
        // the top.
        const auto x = static_cast<Halvard::u32>(screen.x);
        const Halvard::u32 y = after.GetHeight() - 1 - static_cast<Halvard::u32>(screen.y);
        const std::vector<int> a = Testing::ScreenQuad::Pixel(before, x, y);
        const std::vector<int> b = Testing::ScreenQuad::Pixel(after, x, y);
        return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
    }

    Testing::LevelRun run{Testing::LevelRunOptions{}};
};

// The barrier's three ropes and a mounted arbalest, on level 1-1 with the
// bat risen and holding its ball: each rope and the gun show in the
// level's view, while the ends of the bat stay as they were.
TEST_F(LevelLooks, ThreeRopesAndAMountedGunShowAndLeaveTheBatInSight)
{
    GameLogic& logic = run.Logic();
    run.MoveBatTo(0.0f);
    for (int frame = 0; frame < 600 && !Testing::Autopilot::WantsLaunch(logic); ++frame)
        run.Step([] {});
    ASSERT_TRUE(Testing::Autopilot::WantsLaunch(logic)) << run.Describe();
    Steps(60);
    Halvard::Image before;
    Capture(before);

    for (Halvard::u32 rope = 0; rope < Tamrisk::Barrier::kMaxStrength; ++rope)
        logic.ApplyBonus(GameLogic::kBarrier);
    logic.ApplyBonus(GameLogic::kArbalest);
    Steps(60);
    Halvard::Image after;
    Capture(after);

    ASSERT_EQ(logic.GetBarrier().GetStrength(), Tamrisk::Barrier::kMaxStrength);
    for (const Halvard::Model* rope : logic.GetBarrier().GetRopes()) {
        const Halvard::BoundingBox& box = rope->boundingBox;
        for (const float x : {-30.0f, 30.0f}) {
            const Vector3 point(x, (box.GetWorldMin().y + box.GetWorldMax().y) / 2.0f,
                                (box.GetWorldMin().z + box.GetWorldMax().z) / 2.0f);
            EXPECT_GT(Change(before, after, point), kSeen) << "a rope at height " << point.z;
        }
    }
    const Halvard::BoundingBox& gun = logic.GetGun(0).GetPart().GetGunModel()->boundingBox;
    const Vector3 gunMiddle = (gun.GetWorldMin() + gun.GetWorldMax()) * 0.5f;
    EXPECT_GT(Change(before, after, gunMiddle), kSeen) << "the gun";
    const Halvard::BoundingBox& head = logic.GetBat().GetHeadBox();
    EXPECT_GT(gun.GetWorldMin().z, head.GetWorldMax().z - 0.5f) << "the gun stands on the bat";
    for (const float x : {head.GetWorldMin().x + 1.5f, head.GetWorldMax().x - 1.5f}) {
        const int change = Change(before, after, Vector3(x, head.GetWorldMax().y, head.GetWorldMax().z - 0.5f));
        EXPECT_GE(change, 0) << "the bat's end is on the screen";
        EXPECT_LE(change, kSeen) << "the bat's end at x " << x << " is hidden";
    }

    const std::filesystem::path golden =
        std::filesystem::path(TAMRISK_TESTS_SOURCE_DIR) / "game" / "golden" / "level_barrier_arbalest.ppm";
    EXPECT_TRUE(Testing::GoldenImage(golden, kGoldenShrink, kGoldenTolerance).Matches(after));
}

} // namespace
