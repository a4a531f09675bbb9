#include "engine/render/Camera.h"
#include "engine/render/Camera_D3D7.h"
#include "engine/render/CameraManager.h"

#include "tests/support/RenderHarness.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Halvard;

namespace {

constexpr float kTolerance = 1e-4f;

// Cameras on the fake video system; Start makes the render system, windowed
// or full screen on the scripted desktop.
class CameraTest : public ::testing::Test {
protected:
    void Start(bool fullScreen, Halvard::u32 desktopWidth = 1024, Halvard::u32 desktopHeight = 768)
    {
        harness.windows.desktop = Platform::ScreenSize{desktopWidth, desktopHeight};
        harness.config->fullScreen = fullScreen ? 1 : 0;
        harness.Start();
        cameras = std::make_unique<CameraManager>(harness.messages.get(), harness.window.get(), &harness.Render());
    }

    Testing::RenderHarness harness;
    std::unique_ptr<CameraManager> cameras;
};

Quaternion AboutY(float angle) { return Quaternion(0.0f, std::sin(angle / 2), 0.0f, std::cos(angle / 2)); }

} // namespace

TEST_F(CameraTest, DefaultPerspectiveLensIsFourByThreeWithAQuarterTurnView)
{
    Start(false);
    Camera& camera = *cameras->GetDefaultCamera();
    cameras->Update();
    EXPECT_NEAR(camera.GetViewRectangle().top, 0.57735f, kTolerance);
    EXPECT_NEAR(camera.GetViewRectangle().right, 0.7698f, kTolerance);
    const Matrix4& p = camera.GetProjectionMatrix();
    EXPECT_NEAR(p.m[0], 1.2990f, kTolerance);
    EXPECT_NEAR(p.m[5], 1.7321f, kTolerance);
    EXPECT_FLOAT_EQ(p.m[11], -1.0f);

    const Matrix4& biased = camera.GetZBiasedProjectionMatrix();
    for (int i = 0; i < 16; ++i) {
        if (i == 10 || i == 14)
            EXPECT_NE(biased.m[i], p.m[i]) << i;
        else
            EXPECT_FLOAT_EQ(biased.m[i], p.m[i]) << i;
    }
}

TEST_F(CameraTest, ViewMatrixUndoesThePlacementAndGivesTheAxes)
{
    Start(false);
    Camera& camera = *cameras->GetDefaultCamera();
    camera.SetPosition(Vector3(1.0f, 2.0f, 3.0f));
    camera.orientation = AboutY(1.5707964f);
    cameras->Update();

    // The camera's own x axis, turned a quarter about y, points along -z.
    EXPECT_NEAR(camera.GetRight().x, 0.0f, kTolerance);
    EXPECT_NEAR(camera.GetRight().z, -1.0f, kTolerance);
    EXPECT_NEAR(camera.GetUp().y, 1.0f, kTolerance);
    const float* v = camera.GetViewMatrix().m;
    const Vector3 eye(1.0f, 2.0f, 3.0f);
    for (int column = 0; column < 3; ++column) {
        const float moved = eye.x * v[column] + eye.y * v[4 + column] + eye.z * v[8 + column] + v[12 + column];
        EXPECT_NEAR(moved, 0.0f, kTolerance) << column;
    }

    // Straight ahead (the camera's -z, turned to world -x) lands in the
    // middle of the screen.
    Vector2 screen(0.0f, 0.0f);
    cameras->ProjectPoint(screen, &camera, Vector3(-9.0f, 2.0f, 3.0f));
    EXPECT_NEAR(screen.x, 400.0f, 0.01f);
    EXPECT_NEAR(screen.y, 300.0f, 0.01f);
}

TEST_F(CameraTest, WideFullScreenWidensOnlyTheDeviceProjection)
{
    Start(true, 1920, 1080);
    ASSERT_TRUE(harness.window->IsWide());
    auto& camera = static_cast<Camera_D3D7&>(*cameras->GetDefaultCamera());
    cameras->Update();

    const Camera::Rectangle& plain = camera.GetViewRectangle();
    const Camera::Rectangle& corrected = camera.GetCorrectedRectangle();
    EXPECT_NEAR(corrected.left / plain.left, 1.3333f, kTolerance);
    EXPECT_NEAR(corrected.right / plain.right, 1.3333f, kTolerance);
    EXPECT_FLOAT_EQ(corrected.top, plain.top);
    EXPECT_NEAR(camera.GetProjectionMatrix().m[0], 1.2990f, kTolerance);
    EXPECT_NEAR(camera.GetDeviceProjection()[0], 1.2990f / 1.3333f, kTolerance);
    EXPECT_NEAR(camera.GetDeviceProjection()[5], camera.GetProjectionMatrix().m[5], kTolerance);

    // The frustum keeps the 4:3 view: a point just outside it on the right
    // stays outside although the device would show it.
    const float x = 10.0f * plain.right / camera.nearPlane * 1.1f;
    EXPECT_FALSE(camera.GetFrustum().IsVisible(Vector3(x, 0.0f, -10.0f), 0.01f));
}

TEST_F(CameraTest, OrthographicLensWidensBothSidesOnAWideScreen)
{
    Start(true, 1920, 1080);
    Camera& camera = *cameras->CreateCamera(true);
    camera.orthographicWidth = 4.0f;
    camera.orthographicHeight = 3.0f;
    cameras->Update();
    EXPECT_NEAR(camera.GetCorrectedRectangle().left, -0.6667f, kTolerance);
    EXPECT_NEAR(camera.GetCorrectedRectangle().right, 4.6667f, kTolerance);
    EXPECT_FLOAT_EQ(camera.GetViewRectangle().left, 0.0f);
    EXPECT_FLOAT_EQ(camera.GetViewRectangle().right, 4.0f);
    EXPECT_FLOAT_EQ(camera.GetProjectionMatrix().m[0], 0.5f);
}

TEST_F(CameraTest, WindowedCamerasAreNotCorrected)
{
    Start(false, 1920, 1080);
    Camera& camera = *cameras->CreateCamera(true);
    camera.orthographicWidth = 4.0f;
    cameras->Update();
    EXPECT_FLOAT_EQ(camera.GetCorrectedRectangle().left, 0.0f);
    EXPECT_FLOAT_EQ(camera.GetCorrectedRectangle().right, 4.0f);
}

TEST_F(CameraTest, FrustumRejectsTinyVolumesAndOnesTouchingFromOutside)
{
    Start(false);
    Camera& camera = *cameras->GetDefaultCamera();
    cameras->Update();
    const Frustum& frustum = camera.GetFrustum();
    const Vector3 ahead(0.0f, 0.0f, -10.0f);
    EXPECT_TRUE(frustum.IsVisible(ahead, 0.5f));
    EXPECT_FALSE(frustum.IsVisible(ahead, 0.0005f));
    EXPECT_FALSE(frustum.IsVisible(ahead, std::nanf("")));

    const Vector3 nearby(0.0f, 0.0f, -0.5f);
    const float outside = -frustum.GetPlane(Frustum::kNear).GetDistance(nearby);
    ASSERT_GT(outside, 0.0f);
    EXPECT_FALSE(frustum.IsVisible(nearby, outside));
    EXPECT_TRUE(frustum.IsVisible(nearby, outside * 1.01f));
    EXPECT_FALSE(frustum.IsVisible(Vector3(0.0f, 0.0f, 10.0f), 1.0f));
}

TEST_F(CameraTest, DeviceGetsItsOwnProjectionAndTheViewWithDepthFlipped)
{
    Start(false);
    auto& camera = static_cast<Camera_D3D7&>(*cameras->GetDefaultCamera());
    camera.SetPosition(Vector3(0.0f, 0.0f, 5.0f));
    cameras->Update();
    cameras->ApplyCamera(&camera, false);

    const auto& transforms = harness.video.device.transforms;
    const auto& projection = transforms.at(static_cast<Halvard::u32>(Platform::TransformState::Projection));
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(projection[i], camera.GetDeviceProjection()[i]) << i;
    EXPECT_FLOAT_EQ(projection[11], 1.0f);
    const float n = camera.nearPlane;
    const float f = camera.farPlane;
    EXPECT_FLOAT_EQ(projection[10], f / (f - n));
    const auto& view = transforms.at(static_cast<Halvard::u32>(Platform::TransformState::View));
    EXPECT_FLOAT_EQ(view[14], 5.0f);
    EXPECT_FLOAT_EQ(view[10], -1.0f);
    EXPECT_FLOAT_EQ(view[0], 1.0f);
}

TEST_F(CameraTest, ApplyingSendsAProjectionOnlyWhenCameraOrBiasChanges)
{
    Start(false);
    Camera* a = cameras->GetDefaultCamera();
    Camera* b = cameras->CreateCamera(false);
    cameras->Update();
    const int before = harness.video.CountCalls("SetTransform Projection");
    cameras->ApplyCamera(a, false);
    cameras->ApplyCamera(a, false);
    cameras->ApplyCamera(a, true);
    cameras->ApplyCamera(b, true);
    EXPECT_EQ(harness.video.CountCalls("SetTransform Projection") - before, 3);

    // A new frame forgets what was applied.
    cameras->Update();
    cameras->ApplyCamera(b, true);
    EXPECT_EQ(harness.video.CountCalls("SetTransform Projection") - before, 4);
    // Null stands for the default camera.
    cameras->ApplyCamera(nullptr, false);
    EXPECT_EQ(harness.video.CountCalls("SetTransform Projection") - before, 5);
}

TEST_F(CameraTest, DestroyedSlotIsReusedAndTheNewCameraListedLast)
{
    Start(false);
    Camera* first = cameras->CreateCamera(false);
    cameras->CreateCamera(true);
    const Halvard::u32 freed = cameras->GetLiveSlots()[1];
    cameras->DestroyCamera(first);
    cameras->DestroyCamera(first);
    cameras->DestroyCamera(nullptr);
    Camera* again = cameras->CreateCamera(false);
    EXPECT_EQ(cameras->GetLiveSlots().back(), freed);
    EXPECT_EQ(cameras->GetSlots()[freed], again);
    EXPECT_EQ(cameras->GetLiveSlots().size(), 3u);
}

TEST_F(CameraTest, ProjectionAtInfinityAndEmptyViewportsGiveDefinedPoints)
{
    Start(false);
    Camera& camera = *cameras->GetDefaultCamera();
    Vector3 world(9.0f, 9.0f, 9.0f);
    // Before the first update the viewport is empty.
    cameras->UnprojectPoint(world, &camera, 10.0f, 10.0f, 0.5f);
    EXPECT_FLOAT_EQ(world.x, 0.0f);
    EXPECT_FLOAT_EQ(world.y, 0.0f);
    EXPECT_FLOAT_EQ(world.z, 0.0f);

    cameras->Update();
    Vector2 screen(-1.0f, -1.0f);
    cameras->ProjectPoint(screen, &camera, Vector3(3.0f, 2.0f, 0.0f));
    EXPECT_FLOAT_EQ(screen.x, 400.0f);
    EXPECT_FLOAT_EQ(screen.y, 300.0f);

    // The centre at depth 0 lies on the near plane, straight ahead.
    cameras->UnprojectPoint(world, &camera, 400.0f, 300.0f, 0.0f);
    EXPECT_NEAR(world.x, 0.0f, kTolerance);
    EXPECT_NEAR(world.y, 0.0f, kTolerance);
    EXPECT_NEAR(world.z, -1.0f, kTolerance);
    cameras->ProjectPoint(screen, &camera, Vector3(0.5f, -0.25f, -4.0f));
    cameras->UnprojectPoint(world, &camera, screen.x, screen.y, 0.0f);
    EXPECT_NEAR(world.x, 0.125f, kTolerance);
    EXPECT_NEAR(world.y, -0.0625f, kTolerance);
}
