#include "engine/gui/GUIButton.h"

#include "engine/core/Image.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderDescriptor.h"
#include "platform/video/GLVideoSystem.h"
#include "tools/SoundWriter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

using namespace Halvard;

namespace {

Testing::TestEngineOptions FullSizeWindow()
{
    Testing::TestEngineOptions options;
    options.videoMode = "800x600x32";
    return options;
}

// The real engine offscreen on an 800 x 600 window with the GUI space the
// same size, so GUI units are pixels; the GUI manager holds a white button
// at (100, 100), 200 x 50, and plays its sounds through its own GUI sound
// manager on the engine's sound manager; a scripted mouse drives it through
// SDL's queue and the engine's frames step and draw it.
class GUIButtonFrameTest : public testing::Test {
protected:
    GUIButtonFrameTest() : scoped(clock), engine(FullSizeWindow())
    {
        Testing::ResetInput();
        engine.Folder().WriteFile("data\\tick.wav", Tools::MakeWav(1, 22050, 16, std::string(400, '\x10')));
        GUIManager& gui = *engine->GetGUIManager();
        sounds = gui.GetSoundManager();
        sounds->AddSound(GUISoundManager::kButtonOver, "tick.wav");
        sounds->AddSound(GUISoundManager::kButtonClick, "tick.wav");
        gui.SetSize(800.0f, 600.0f);
        button = gui.CreateButton(GUIWindow::kShown | GUIWindow::kColored, Vector2(100.0f, 100.0f),
                                  Vector2(200.0f, 50.0f), MakeDefaultShaderDescriptor(), nullptr, Vector2(1.0f, 1.0f));
        button->SetColor(Vector4(1.0f, 1.0f, 1.0f, 1.0f));
    }

    ~GUIButtonFrameTest() override { Testing::ResetInput(); }

    Uint32 WindowId()
    {
        return Testing::WindowIdOf(*engine->GetWindow());
    }

    // A whole frame of the engine, whose GUI steps and draws the button;
    // counts the sounds that started and whether it clicked.
    void Frame()
    {
        Testing::PumpAll();
        clock.Advance(0.02);
        engine->BeginFrame();
        clicks += button->clicked ? 1 : 0;
        engine->EndFrame(0);
        overPlays += Started(GUISoundManager::kButtonOver, lastOver);
        clickPlays += Started(GUISoundManager::kButtonClick, lastClick);
    }

    int Started(u32 id, float& last) const
    {
        const float start = sounds->GetEntries(id)[0]->lastStart;
        const bool started = start != last;
        last = start;
        return started ? 1 : 0;
    }

    bool Lit(u32 x, u32 y) const { return Testing::PixelBytes(image, x, y)[0] > 128; }

    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::TestEngine engine;
    GUISoundManager* sounds = nullptr;
    GUIButton* button = nullptr;
    Image image;
    int clicks = 0;
    int overPlays = 0;
    int clickPlays = 0;
    float lastOver = 0.0f;
    float lastClick = 0.0f;
};

} // namespace

TEST_F(GUIButtonFrameTest, AScriptedClickSoundsOnceAtThePressAndClicksForOneFrame)
{
    Testing::ScriptedInput player(WindowId());
    player.MoveMouseTo(20, 20);
    Frame();
    // Window row 474 is GUI row 125: y turns upwards.
    player.MoveMouseTo(200, 474);
    Frame();
    Frame();
    EXPECT_EQ(overPlays, 1);
    EXPECT_EQ(button->state, GUIButton::kOver);
    player.PressButton();
    Frame();
    EXPECT_EQ(clickPlays, 1);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(button->state, GUIButton::kPressed);
    player.ReleaseButton();
    Frame();
    EXPECT_EQ(clicks, 1);
    Frame();
    Frame();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(overPlays, 1);
    EXPECT_EQ(clickPlays, 1);
}

TEST_F(GUIButtonFrameTest, TheButtonShowsAtItsMappedPixels)
{
    auto& render = static_cast<RenderSystem_D3D7&>(*engine->GetRenderSystem());
    ASSERT_TRUE(render.IsDeviceReady());
    Frame();
    render.CaptureScreen(image);
    ASSERT_EQ(image.GetWidth(), 800u);
    // Counted from the bottom left, as the GUI space is.
    EXPECT_TRUE(Lit(101, 101));
    EXPECT_TRUE(Lit(200, 125));
    EXPECT_TRUE(Lit(298, 148));
    EXPECT_FALSE(Lit(98, 125));
    EXPECT_FALSE(Lit(302, 125));
    EXPECT_FALSE(Lit(200, 98));
    EXPECT_FALSE(Lit(200, 152));
}
