#include "engine/core/Config.h"
#include "engine/app/Engine.h"
#include "engine/core/Window.h"
#include "engine/input/Controls.h"
#include "engine/input/KeyNames.h"

#include "platform/os/Paths.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TempFolder.h"
#include "tests/support/VectorMatchers.h"

#include <gtest/gtest.h>

using namespace Halvard;
using Testing::Dispatch;
using Testing::KeyAt;

namespace {

// The engine on its real window (offscreen under ctest), fed with synthetic
// SDL events as its message pump would deliver them.
class EngineInputTest : public ::testing::Test {
protected:
    EngineInputTest() : scoped(clock)
    {
        Testing::ResetInput();
        Platform::SetProgramFolder(folder.Path().string());
        settings.configFolder = folder.Internal();
        settings.defaultFullScreen = 0;
        settings.forceDefaultFullScreen = 1;
        engine = std::make_unique<Engine>(settings);
    }

    ~EngineInputTest() override
    {
        engine.reset();
        Platform::SetProgramFolder("");
        Testing::ResetInput();
    }

    Controls& Input() { return *engine->GetControls(); }

    Uint32 WindowId() const
    {
        return Testing::WindowIdOf(*engine->GetWindow());
    }

    Testing::TempFolder folder;
    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    EngineSettings settings;
    std::unique_ptr<Engine> engine;
};

TEST_F(EngineInputTest, TheFramesStartReadsTheKeysAndItsEndClearsWhatWasPressed)
{
    Dispatch({Testing::KeyDown(SDLK_ESCAPE)});
    engine->BeginFrame();
    EXPECT_TRUE(Input().IsKeyPressed(KeyNames::kEscape));
    u16 code = 0;
    bool isCharacter = true;
    ASSERT_TRUE(Input().GetCharacter(code, isCharacter));
    EXPECT_EQ(code, 0x1B);
    engine->EndFrame(0);
    EXPECT_FALSE(Input().IsKeyPressed(KeyNames::kEscape));
    EXPECT_TRUE(Input().IsKeyDown(KeyNames::kEscape));
    EXPECT_FALSE(Input().GetCharacter(code, isCharacter));
    Dispatch({Testing::KeyUp(SDLK_ESCAPE)});
    engine->BeginFrame();
    EXPECT_FALSE(Input().IsKeyDown(KeyNames::kEscape));
}

TEST_F(EngineInputTest, PrintScreenInvokesTheScreenshotCommandAtTheFramesEnd)
{
    Dispatch({KeyAt(SDL_SCANCODE_PRINTSCREEN, true)});
    engine->BeginFrame();
    EXPECT_TRUE(engine->GetConfig()->IsCommandHandled("sc_take_screenshot"));
    engine->EndFrame(0);
    EXPECT_FALSE(engine->GetConfig()->IsCommandHandled("sc_take_screenshot"));
    engine->GetConfig()->SetCommandHandled("sc_take_screenshot", true);
    engine->BeginFrame();
    engine->EndFrame(0);
    EXPECT_TRUE(engine->GetConfig()->IsCommandHandled("sc_take_screenshot"));
}

// Mouse events carry positions in the window; the cursor is kept on the
// screen and read back relative to the window wherever it stands, outside
// it too while a drag holds the mouse.
TEST_F(EngineInputTest, TheCursorIsReadRelativeToTheWindowWhereverTheWindowStands)
{
    Dispatch({Testing::MouseMotion(120, 45, 0, 0, WindowId())});
    engine->BeginFrame();
    EXPECT_THAT(Input().GetCursorPosition(), Testing::IsVector2(120, 45));
    Dispatch({Testing::MouseMotion(-30, 700, -150, 655, WindowId())});
    EXPECT_THAT(Input().GetCursorPosition(), Testing::IsVector2(-30, 700));
    engine->EndFrame(0);
    engine->BeginFrame();
    EXPECT_THAT(Input().GetCursorMove(), Testing::IsVector2(-150, -655));
}

// What a script pushes into SDL's queue reaches the engine only through the
// message pump, in order, in the window's pixels.
TEST_F(EngineInputTest, AScriptedPlayersEventsReachTheEngineThroughTheQueue)
{
    Testing::PumpAll();
    Testing::ScriptedInput player(WindowId());
    player.MoveMouseTo(200, 100);
    player.PressButton();
    player.TapKey(SDLK_ESCAPE);
    engine->BeginFrame();
    EXPECT_FALSE(Input().IsKeyPressed(KeyNames::kEscape));
    engine->EndFrame(0);

    Testing::PumpAll();
    engine->BeginFrame();
    EXPECT_THAT(Input().GetCursorPosition(), Testing::IsVector2(200, 100));
    EXPECT_TRUE(Input().IsKeyDown(KeyNames::kMouse1));
    EXPECT_TRUE(Input().IsKeyPressed(KeyNames::kEscape));
    engine->EndFrame(0);

    player.MoveMouseTo(150, 130);
    player.ReleaseButton();
    Testing::PumpAll();
    engine->BeginFrame();
    EXPECT_THAT(Input().GetCursorMove(), Testing::IsVector2(-50, -30));
    EXPECT_FALSE(Input().IsKeyDown(KeyNames::kMouse1));
}

} // namespace
