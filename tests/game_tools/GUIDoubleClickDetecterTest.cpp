#include "game_tools/GUIDoubleClickDetecter.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/input/Controls.h"
#include "game_tools/GUIWindowProbe.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using GameTools::GUIDoubleClickDetecter;
using Halvard::GUIWindow;

class FakeProbe : public GameTools::GUIWindowProbe {
public:
    bool IsShown(const GUIWindow* window) const override { return hidden.count(window) == 0; }
    bool IsUnderCursor(const GUIWindow* window) const override { return window == underCursor; }

    std::set<const GUIWindow*> hidden;
    const GUIWindow* underCursor = nullptr;
};

class GUIDoubleClickDetecterTest : public testing::Test {
protected:
    GUIDoubleClickDetecterTest()
    {
        detecter.AddWindow(windowA);
        detecter.AddWindow(windowB);
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
    FakeProbe probe;
    GUIDoubleClickDetecter detecter{&engine.Get(), &probe};
    // The detecter only compares window pointers.
    char tokens[2] = {};
    GUIWindow* windowA = reinterpret_cast<GUIWindow*>(&tokens[0]);
    GUIWindow* windowB = reinterpret_cast<GUIWindow*>(&tokens[1]);
};

TEST_F(GUIDoubleClickDetecterTest, TwoClicksWithinTheSpanAreADoubleClickOnTheSecondRelease)
{
    probe.underCursor = windowA;
    EXPECT_FALSE(Click(1.0));
    Frame(0.4, true);
    EXPECT_FALSE(detecter.doubleClicked);
    EXPECT_TRUE(Frame(0.05, false));
    EXPECT_EQ(detecter.window, windowA);
    EXPECT_FALSE(Frame(0.05, false));
}

TEST_F(GUIDoubleClickDetecterTest, ClicksFurtherApartThanTheSpanAreNot)
{
    probe.underCursor = windowA;
    EXPECT_FALSE(Click(1.0));
    EXPECT_FALSE(Click(0.65));
    // The late click started an attempt of its own.
    EXPECT_TRUE(Click(0.2));
}

TEST_F(GUIDoubleClickDetecterTest, AClickOnAnotherWindowStartsANewAttempt)
{
    probe.underCursor = windowA;
    Click(1.0);
    probe.underCursor = windowB;
    EXPECT_FALSE(Click(0.1));
    EXPECT_EQ(detecter.window, windowB);
    EXPECT_TRUE(Click(0.1));
    EXPECT_EQ(detecter.window, windowB);
}

TEST_F(GUIDoubleClickDetecterTest, AClickOutsideTheWatchedWindowsEndsTheAttempt)
{
    probe.underCursor = windowA;
    Click(1.0);
    probe.underCursor = nullptr;
    Click(0.1);
    EXPECT_EQ(detecter.window, nullptr);
    probe.underCursor = windowA;
    EXPECT_FALSE(Click(0.1));
    EXPECT_TRUE(Click(0.1));
}

TEST_F(GUIDoubleClickDetecterTest, HiddenAndRemovedWindowsAreNotClicked)
{
    probe.underCursor = windowA;
    probe.hidden.insert(windowA);
    Click(1.0);
    EXPECT_FALSE(Click(0.1));
    EXPECT_EQ(detecter.window, nullptr);

    probe.hidden.clear();
    detecter.RemoveWindow(nullptr);
    detecter.RemoveWindow(windowA);
    Click(1.0);
    EXPECT_FALSE(Click(0.1));
    EXPECT_EQ(detecter.window, nullptr);
}

} // namespace
