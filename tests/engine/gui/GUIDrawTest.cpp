#include "engine/core/Image.h"
#include "engine/gui/Console.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderDescriptor.h"
#include "platform/video/GLVideoSystem.h"

#include "tests/support/FakeClock.h"
#include "tests/support/FileBytes.h"
#include "tools/ImageWriter.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

using namespace Halvard;

namespace {

constexpr u32 kFontId = 1;
// The GUI space matches the 640 x 480 window, so GUI units are pixels.
constexpr float kWidth = 640.0f;
constexpr float kHeight = 480.0f;
constexpr float kFontSize = 16.0f;
constexpr u32 kCell = 8;

// An 8 x 8 picture of a "T", white and opaque on the letter and clear
// elsewhere, in file order (bottom row first): the bar fills the two top
// rows, the stem two columns below it.
std::string LetterT()
{
    std::vector<u8> pixels;
    for (u32 row = 0; row < kCell; ++row) {
        for (u32 column = 0; column < kCell; ++column) {
            const bool bar = row >= kCell - 2;
            const bool stem = column == 3 || column == 4;
            const u8 value = bar || stem ? 255 : 0;
            pixels.insert(pixels.end(), {value, value, value, value});
        }
    }
    Tools::TgaHeader header;
    header.width = kCell;
    header.height = kCell;
    header.depth = 32;
    header.descriptor = 8;
    return Tools::TgaFile(header, pixels);
}

// The real engine offscreen with a console whose every character is the
// "T", opened and drawn.
class GUIDrawTest : public testing::Test {
protected:
    GUIDrawTest() : scoped(clock)
    {
        engine.Folder().WriteFile("data\\fonts\\t.tga", LetterT());
        std::vector<Tools::FontGlyph> glyphs = Testing::EvenGlyphs();
        for (Tools::FontGlyph& glyph : glyphs) {
            glyph.u = glyph.v = 0.0f;
            glyph.uSize = glyph.vSize = 1.0f;
        }
        const std::string path = Testing::WriteFontFile(engine.Folder(), "t.fnt", glyphs);
        GUIManager& gui = *engine->GetGUIManager();
        gui.SetSize(kWidth, kHeight);
        const ShaderDescriptor shader = MakeShaderDescriptor("fonts\\t.tga", "32bit", true);
        gui.GetFontManager()->AddFont(kFontId, shader, path)->SetSize(kFontSize);
    }

    RenderSystem_D3D7& Render() { return static_cast<RenderSystem_D3D7&>(*engine->GetRenderSystem()); }

    void Frame(std::initializer_list<SDL_Event> events = {})
    {
        Testing::Dispatch(events);
        clock.Advance(0.1);
        engine->BeginFrame();
        engine->EndFrame(0);
    }

    // Whether the captured pixel, counted from the bottom left, is lit.
    bool Lit(u32 x, u32 y) const { return Testing::PixelBytes(image, x, y)[0] > 128; }

    u32 LitInRows(u32 x0, u32 y0, u32 y1) const
    {
        u32 count = 0;
        for (u32 y = y0; y < y1; ++y)
            for (u32 x = x0; x < x0 + static_cast<u32>(kFontSize); ++x)
                count += Lit(x, y) ? 1 : 0;
        return count;
    }

    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::TestEngine engine;
    Image image;
};

} // namespace

TEST_F(GUIDrawTest, AnOpenConsoleShowsItsVersionLineWithUprightLetters)
{
    ASSERT_TRUE(Render().IsDeviceReady());
    ConsoleSettings settings;
    settings.title = engine->GetVersionString();
    settings.fontId = kFontId;
    engine->CreateConsole(settings);
    Frame({Testing::KeyDown(SDLK_BACKQUOTE), Testing::KeyUp(SDLK_BACKQUOTE)});
    for (int frame = 0; frame < 10 && engine->GetConsole()->GetState() != Console::kOpen; ++frame)
        Frame();
    ASSERT_EQ(engine->GetConsole()->GetState(), Console::kOpen);
    Render().CaptureScreen(image);
    ASSERT_EQ(image.GetWidth(), 640u);

    // The version line is the panel's lowest row, right-aligned: its last
    // character fills the last cell of the row.
    const float bottom = kHeight - settings.size + 0.2f * kFontSize;
    const auto y0 = static_cast<u32>(bottom + 1.0f);
    const auto y1 = static_cast<u32>(bottom + kFontSize - 1.0f);
    const auto x0 = static_cast<u32>(kWidth - kFontSize);
    const u32 top = LitInRows(x0, (y0 + y1) / 2 + 3, y1);
    const u32 low = LitInRows(x0, y0, (y0 + y1) / 2 - 3);
    EXPECT_GT(low, 0u);
    EXPECT_GT(top, 2 * low);
    // The blanks that pad the line on the left show nothing.
    EXPECT_EQ(LitInRows(0, y0, y1), 0u);
}
