#include "engine/core/Config.h"
#include "engine/app/Engine.h"
#include "engine/core/Window.h"

#include "tests/support/FakeVideoSystem.h"
#include "tests/support/FakeWindowSystem.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/ScopedWindowSystem.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

namespace {

class EngineWindowTest : public testing::Test {
protected:
    ~EngineWindowTest() override { Testing::Dispatch({Testing::KeyUp(SDLK_LALT), Testing::KeyUp(SDLK_RETURN)}); }

    Testing::FakeWindowSystem system;
    Testing::ScopedWindowSystem installed{system};
    Testing::FakeVideoSystem video;
    Testing::ScopedVideoSystem videoInstalled{video};
};

TEST_F(EngineWindowTest, TheWindowTakesTheVersionAsTitleAndTheVideoModesSize)
{
    Testing::TestEngine engine;
    EXPECT_EQ(system.createdTitle, "Halvard 0.67");
    EXPECT_EQ(system.createdShape.rect.width, 640u);
    EXPECT_EQ(system.createdShape.rect.height, 480u);
    EXPECT_FALSE(system.createdShape.fullScreen);
    ASSERT_NE(engine->GetWindow(), nullptr);
    EXPECT_EQ(engine->GetWindow()->GetClientWidth(), 640u);
}

TEST_F(EngineWindowTest, TheWindowGoesWithTheEngine)
{
    {
        Testing::TestEngine engine;
        EXPECT_TRUE(system.windowAlive);
    }
    EXPECT_FALSE(system.windowAlive);
    EXPECT_EQ(system.openCount, 0);
}

TEST_F(EngineWindowTest, TheInputHalfOfAFrameLooksForAltEnter)
{
    Testing::TestEngine engine;
    Testing::Dispatch({Testing::KeyDown(SDLK_LALT), Testing::KeyDown(SDLK_RETURN)});
    engine->BeginFrame();
    EXPECT_EQ(engine->GetConfig()->fullScreen, 1);
    EXPECT_FALSE(engine->GetConfig()->IsCommandHandled("v_window_change_mode"));
}

} // namespace
