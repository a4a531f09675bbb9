#include "platform/window/SdlWindowSystem.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/window/SdlWindow.h"
#include "tests/support/ScopedVariable.h"

namespace {

// Runs on whatever SDL_VIDEODRIVER names: offscreen under ctest, x11 under
// xvfb-run.
class SdlWindowSystemTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(system.Open()); }
    void TearDown() override
    {
        window.reset();
        system.Close();
    }

    SDL_Window* Make(const Platform::WindowShape& shape)
    {
        window = system.CreateWindow("Halvard 0.67", shape, 101);
        return window ? static_cast<Platform::SdlWindow*>(window.get())->Get() : nullptr;
    }

    static Platform::WindowShape Windowed()
    {
        Platform::WindowShape shape;
        shape.rect = Platform::ScreenRect{30, 20, 640, 480};
        shape.captioned = true;
        return shape;
    }

    static Platform::WindowShape FullScreen()
    {
        Platform::WindowShape shape;
        shape.rect = Platform::ScreenRect{0, 0, 800, 600};
        shape.fullScreen = true;
        shape.topmost = true;
        return shape;
    }

    Platform::SdlWindowSystem system;
    std::unique_ptr<Platform::NativeWindow> window;
};

TEST_F(SdlWindowSystemTest, TheDisplayHasAWorkAreaAndADesktopMode)
{
    const Platform::ScreenRect area = system.GetWorkArea();
    const Platform::ScreenSize desktop = system.GetDesktopSize();
    EXPECT_GT(area.width, 0u);
    EXPECT_GT(area.height, 0u);
    EXPECT_GE(desktop.width, area.width);
    EXPECT_GE(desktop.height, area.height);
}

TEST_F(SdlWindowSystemTest, AWindowedWindowIsAHiddenCaptionedOpenGLWindowOfTheGivenSize)
{
    SDL_Window* made = Make(Windowed());
    ASSERT_NE(made, nullptr);
    const Uint32 flags = SDL_GetWindowFlags(made);
    EXPECT_NE(flags & SDL_WINDOW_OPENGL, 0u);
    EXPECT_NE(flags & SDL_WINDOW_HIDDEN, 0u);
    EXPECT_EQ(flags & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP), 0u);
    EXPECT_STREQ(SDL_GetWindowTitle(made), "Halvard 0.67");
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(made, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    window->Show();
    EXPECT_EQ(SDL_GetWindowFlags(made) & SDL_WINDOW_HIDDEN, 0u);
}

TEST_F(SdlWindowSystemTest, AFullScreenWindowIsBorderlessAndOnTop)
{
    SDL_Window* made = Make(FullScreen());
    ASSERT_NE(made, nullptr);
    const Uint32 flags = SDL_GetWindowFlags(made);
    EXPECT_NE(flags & SDL_WINDOW_FULLSCREEN, 0u);
    EXPECT_NE(flags & SDL_WINDOW_BORDERLESS, 0u);
    EXPECT_NE(flags & SDL_WINDOW_ALWAYS_ON_TOP, 0u);
}

TEST_F(SdlWindowSystemTest, ReshapingSwitchesBetweenWindowedAndFullScreenAndShows)
{
    SDL_Window* made = Make(Windowed());
    ASSERT_NE(made, nullptr);
    window->Reshape(FullScreen());
    EXPECT_NE(SDL_GetWindowFlags(made) & SDL_WINDOW_FULLSCREEN, 0u);
    EXPECT_EQ(SDL_GetWindowFlags(made) & SDL_WINDOW_HIDDEN, 0u);
    window->Reshape(Windowed());
    const Uint32 flags = SDL_GetWindowFlags(made);
    EXPECT_EQ(flags & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP), 0u);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(made, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
}

// A full-screen window made at a size no display holds (an ini's "0x0x0")
// takes the size of the mode chosen later, full screen as it was; windowed
// it would anyway.
TEST_F(SdlWindowSystemTest, AFullScreenWindowTakesTheSizeItIsReshapedTo)
{
    for (const uint32_t made : {0u, 1u, 700u}) {
        Platform::WindowShape tiny = FullScreen();
        tiny.rect.width = made;
        tiny.rect.height = made;
        SDL_Window* handle = Make(tiny);
        ASSERT_NE(handle, nullptr) << made;
        window->Reshape(FullScreen());
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(handle, &width, &height);
        EXPECT_EQ(width, 800) << made;
        EXPECT_EQ(height, 600) << made;
        EXPECT_NE(SDL_GetWindowFlags(handle) & SDL_WINDOW_FULLSCREEN, 0u) << made;
        window.reset();
    }
}

TEST_F(SdlWindowSystemTest, OnADriverWithoutADesktopTheWindowHoldsTheFocus)
{
    if (std::string(SDL_GetCurrentVideoDriver()) != "offscreen")
        GTEST_SKIP() << "a desktop decides the focus";
    ASSERT_NE(Make(Windowed()), nullptr);
    EXPECT_TRUE(window->HasFocus());
}

TEST_F(SdlWindowSystemTest, TitlesChange)
{
    SDL_Window* made = Make(Windowed());
    ASSERT_NE(made, nullptr);
    window->SetTitle("Tamrisk");
    EXPECT_STREQ(SDL_GetWindowTitle(made), "Tamrisk");
}

TEST_F(SdlWindowSystemTest, TheArrowCursorIsHandedOutOnceAndMayBeSet)
{
    Platform::Cursor* arrow = system.GetArrowCursor();
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(system.GetArrowCursor(), arrow);
    system.SetCursor(arrow);
    system.SetCursor(nullptr);
}

// Without a display the system says why it cannot open, in SDL's words; the
// next successful open forgets it.
TEST(SdlWindowSystemWithoutADisplay, OpeningFailsWithTheSystemsReason)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        GTEST_SKIP() << "the video subsystem is already running in this process";
    const Testing::ScopedVariable driver("SDL_VIDEODRIVER", "x11");
    const Testing::ScopedVariable display("DISPLAY", ":4711");
    Platform::SdlWindowSystem system;
    ASSERT_FALSE(system.Open());
    EXPECT_FALSE(system.GetOpenFailure().empty());
    EXPECT_NE(system.GetOpenFailure().find("11"), std::string::npos) << system.GetOpenFailure();
}

} // namespace
