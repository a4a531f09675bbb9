#include "game_tools/GUIDoubleClickDetecter.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/input/Controls.h"
#include "engine/gui/GUIWindow.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

namespace {

using GameTools::GUIDoubleClickDetecter;
using Halvard::GUIWindow;
using Halvard::Vector2;

class GUIDoubleClickDetecterTest : public testing::Test {
protected:
    GUIDoubleClickDetecterTest()
    {
        detecter.AddWindow(windowA);
        detecter.AddWindow(windowB);
    }

    // What the GUI's input step leaves in the windows' cursor flags.
    void PutCursorOn(const GUIWindow* window)
    {
        a.over = window == &a;
        b.over = window == &b;
    }

    // One frame of the given length with the left button going down or up at
    // its start; true when the frame completed a double click.
    bool Frame(double seconds, bool down)
    {
        clock.Advance(seconds);
        engine->GetControls()->SetKeyState("MOUSE1", down);
        detecter.Update();
        engine->GetControls()->ResetPressedKeys();
        return detecter.doubleClicked;
    }

    // A press, then a release a frame later; true when the release completed
    // a double click.
    bool Click(double pause)
    {
        Frame(pause, true);
        return Frame(0.05, false);
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped{clock};
    Testing::TestEngine engine;
    GUIDoubleClickDetecter detecter{&engine.Get()};
    GUIWindow a{Halvard::GUIServices{},
                Halvard::GUIPlacement{GUIWindow::kShown, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), nullptr}, nullptr};
    GUIWindow b{Halvard::GUIServices{},
                Halvard::GUIPlacement{GUIWindow::kShown, Vector2(1.0f, 0.0f), Vector2(1.0f, 1.0f), nullptr}, nullptr};
    GUIWindow* windowA = &a;
    GUIWindow* windowB = &b;
};

TEST_F(GUIDoubleClickDetecterTest, TwoClicksWithinTheSpanAreADoubleClickOnTheSecondRelease)
{
    PutCursorOn(windowA);
    EXPECT_FALSE(Click(1.0));
    Frame(0.4, true);
    EXPECT_FALSE(detecter.doubleClicked);
    EXPECT_TRUE(Frame(0.05, false));
    EXPECT_EQ(detecter.window, windowA);
    EXPECT_FALSE(Frame(0.05, false));
}

TEST_F(GUIDoubleClickDetecterTest, ClicksFurtherApartThanTheSpanAreNot)
{
    PutCursorOn(windowA);
    EXPECT_FALSE(Click(1.0));
    EXPECT_FALSE(Click(0.65));
    // The late click started an attempt of its own.
    EXPECT_TRUE(Click(0.2));
}

TEST_F(GUIDoubleClickDetecterTest, AClickOnAnotherWindowStartsANewAttempt)
{
    PutCursorOn(windowA);
    Click(1.0);
    PutCursorOn(windowB);
    EXPECT_FALSE(Click(0.1));
    EXPECT_EQ(detecter.window, windowB);
    EXPECT_TRUE(Click(0.1));
    EXPECT_EQ(detecter.window, windowB);
}

TEST_F(GUIDoubleClickDetecterTest, AClickOutsideTheWatchedWindowsEndsTheAttempt)
{
    PutCursorOn(windowA);
    Click(1.0);
    PutCursorOn(nullptr);
    Click(0.1);
    EXPECT_EQ(detecter.window, nullptr);
    PutCursorOn(windowA);
    EXPECT_FALSE(Click(0.1));
    EXPECT_TRUE(Click(0.1));
}

TEST_F(GUIDoubleClickDetecterTest, HiddenAndRemovedWindowsAreNotClicked)
{
    PutCursorOn(windowA);
    a.ClearFlags(GUIWindow::kShown);
    Click(1.0);
    EXPECT_FALSE(Click(0.1));
    EXPECT_EQ(detecter.window, nullptr);

    a.SetFlags(GUIWindow::kShown);
    detecter.RemoveWindow(nullptr);
    detecter.RemoveWindow(windowA);
    Click(1.0);
    EXPECT_FALSE(Click(0.1));
    EXPECT_EQ(detecter.window, nullptr);
}

} // namespace
