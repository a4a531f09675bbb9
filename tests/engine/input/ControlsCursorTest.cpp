#include "engine/input/Controls.h"

#include "tests/engine/input/ControlsTestBed.h"

#include "tests/support/VectorMatchers.h"

#include <gtest/gtest.h>

using namespace Halvard;
using Testing::MouseMotion;

namespace {

class ControlsCursorTest : public Testing::ControlsTestBed {
protected:
    void StartOn(u32 desktopWidth, u32 desktopHeight, const Screen& screen)
    {
        system.desktop = Platform::ScreenSize{desktopWidth, desktopHeight};
        Start(true, screen);
    }

    // The fake window's client area starts at the screen's origin.
    Vector2 CursorAt(i32 x, i32 y) const
    {
        Send({MouseMotion(x, y, 0, 0)});
        return controls->GetCursorPosition();
    }
};

constexpr float kNear = 0.001f;

TEST_F(ControlsCursorTest, OnAWideFullScreenThe43PictureBetweenTheBarsSpansTheClientWidth)
{
    StartOn(1920, 1080, Screen{true, 1920, 1080});
    ASSERT_TRUE(window->IsWide());
    EXPECT_THAT(CursorAt(240, 300), Testing::IsNearVector2(0.0f, 300.0f, kNear));
    EXPECT_THAT(CursorAt(1680, 1079), Testing::IsNearVector2(1920.0f, 1079.0f, kNear));
    EXPECT_THAT(CursorAt(960, 540), Testing::IsNearVector2(960.0f, 540.0f, kNear));
    EXPECT_LT(CursorAt(100, 0).x, 0.0f);
}

TEST_F(ControlsCursorTest, OnATallFullScreenThe43PictureBetweenTheBarsSpansTheClientHeight)
{
    StartOn(1280, 1024, Screen{true, 1280, 1024});
    ASSERT_TRUE(window->IsTall());
    EXPECT_THAT(CursorAt(17, 32), Testing::IsNearVector2(17.0f, 0.0f, kNear));
    EXPECT_THAT(CursorAt(1279, 992), Testing::IsNearVector2(1279.0f, 1024.0f, kNear));
    EXPECT_THAT(CursorAt(640, 512), Testing::IsNearVector2(640.0f, 512.0f, kNear));
    EXPECT_GT(CursorAt(0, 1010).y, 1024.0f);
}

TEST_F(ControlsCursorTest, TheMappingFollowsTheClientSizeNotTheDesktops)
{
    StartOn(1920, 1080, Screen{true, 1024, 768});
    EXPECT_THAT(CursorAt(128, 10), Testing::IsNearVector2(0.0f, 10.0f, kNear));
    EXPECT_THAT(CursorAt(896, 10), Testing::IsNearVector2(1024.0f, 10.0f, kNear));
}

TEST_F(ControlsCursorTest, AWindowedOr43ScreenTakesTheClientPositionAsItIs)
{
    StartOn(1920, 1080, Screen{false, 800, 600});
    EXPECT_THAT(CursorAt(240, 17), Testing::IsNearVector2(240.0f, 17.0f, kNear));
    controls.reset();
    window.reset();
    StartOn(1024, 768, Screen{true, 1024, 768});
    EXPECT_THAT(CursorAt(240, 17), Testing::IsNearVector2(240.0f, 17.0f, kNear));
}

} // namespace
