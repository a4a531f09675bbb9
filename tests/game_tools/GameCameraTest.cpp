#include "game_tools/GameCamera.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FrameStepper.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

namespace {

using namespace Halvard;
using GameTools::GameCamera;

class GameCameraTest : public testing::Test {
protected:
    GameCameraTest() { engine->GetTimerManager()->Update(); }

    // A path of key frames through three points, played at five frames a second.
    void GiveThreeKeyFrames(GameCamera& camera)
    {
        camera.keyPositions = {Vector3(0.0f, 0.0f, 0.0f), Vector3(10.0f, 0.0f, 0.0f), Vector3(10.0f, 20.0f, 0.0f)};
        camera.keyOrientations.assign(3, Quaternion(0.0f, 0.0f, 0.0f, 1.0f));
        camera.animation = std::make_unique<AnimationControl>(engine->GetMessageManager(),
                                                              engine->GetTimerManager(), 0, 3);
        camera.animation->speed = 5.0f;
    }

    // Frames of 0.1 s, the longest frame the timers report.
    void RunFrames(GameCamera& camera, int frames)
    {
        Testing::FrameStepper(clock, *engine->GetTimerManager(), 0.1).Run(frames, [&camera] { camera.Update(); });
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped{clock};
    Testing::TestEngine engine;
    Camera& target = *engine->GetCameraManager()->GetDefaultCamera();
};

TEST_F(GameCameraTest, AfterResetAStoppedAnimationKeepsTheBasePose)
{
    GameCamera camera(&engine.Get());
    GiveThreeKeyFrames(camera);
    camera.keyPositions[0] = Vector3(5.0f, 5.0f, 5.0f);
    camera.basePosition = Vector3(1.0f, 2.0f, 3.0f);
    camera.Reset();
    RunFrames(camera, 2);
    EXPECT_FLOAT_EQ(target.position.x, 1.0f);
    EXPECT_FLOAT_EQ(target.position.y, 2.0f);
    EXPECT_FLOAT_EQ(target.position.z, 3.0f);
}

TEST_F(GameCameraTest, APlayingAnimationBlendsTheKeyFramesAfterAReset)
{
    GameCamera camera(&engine.Get());
    GiveThreeKeyFrames(camera);
    camera.Reset();
    camera.animation->Play();
    RunFrames(camera, 1);
    ASSERT_EQ(camera.animation->GetFrameA(), 0u);
    ASSERT_EQ(camera.animation->GetFrameB(), 1u);
    EXPECT_NEAR(target.position.x, 5.0f, 1e-4f);
    EXPECT_NEAR(target.position.y, 0.0f, 1e-4f);

    // Once the reset has been left, a stopped animation poses the camera at
    // its key frame instead of the base pose.
    RunFrames(camera, 3);
    camera.animation->Stop();
    RunFrames(camera, 1);
    EXPECT_NEAR(target.position.x, 0.0f, 1e-4f);
}

TEST_F(GameCameraTest, FramesBeyondTheKeyFramesHoldTheLastOne)
{
    GameCamera camera(&engine.Get());
    GiveThreeKeyFrames(camera);
    camera.keyPositions.resize(2);
    camera.keyOrientations.resize(2);
    camera.animation->Play();
    RunFrames(camera, 3);
    ASSERT_EQ(camera.animation->GetFrameA(), 1u);
    ASSERT_EQ(camera.animation->GetFrameB(), 2u);
    EXPECT_NEAR(target.position.x, 10.0f, 1e-4f);
    EXPECT_NEAR(target.position.y, 0.0f, 1e-4f);
}

TEST_F(GameCameraTest, OrientationFollowsTheKeyFrames)
{
    GameCamera camera(&engine.Get());
    GiveThreeKeyFrames(camera);
    camera.keyOrientations[1] = Quaternion(0.0f, 0.0f, 1.0f, 0.0f);
    camera.animation->Play();
    RunFrames(camera, 1);
    EXPECT_NEAR(target.orientation.z, 0.5f, 1e-4f);
    EXPECT_NEAR(target.orientation.w, 0.5f, 1e-4f);
}

} // namespace
