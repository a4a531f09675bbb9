#include "engine/core/Image.h"
#include "engine/gui/Console.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderDescriptor.h"
#include "platform/video/GLVideoSystem.h"
#include "tests/data/BuiltData.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

using namespace Halvard;

namespace {

constexpr u32 kFontId = 1;
// The GUI space matches the window, so GUI units are pixels.
constexpr u32 kWidth = 800;
constexpr u32 kHeight = 600;
constexpr float kFontSize = 32.0f;

// The real engine offscreen on the built data folder, its console drawn with
// the shipped "console" font and its colour image.
class ConsoleFontDraw : public testing::Test {
protected:
    ConsoleFontDraw()
        : scoped(clock), engine({.videoMode = "800x600x32", .installFolder = Testing::GameFolderInternal()})
    {
        GUIManager& gui = *engine->GetGUIManager();
        gui.SetSize(static_cast<float>(kWidth), static_cast<float>(kHeight));
        const ShaderDescriptor shader =
            MakeShaderDescriptor("ui\\fonts\\en\\console_diffuse.tga", "ui\\fonts\\en\\console_opacity.tga", true);
        font = gui.GetFontManager()->AddFont(kFontId, shader, "ui\\fonts\\en\\console.fnt");
        font->SetSize(kFontSize);
    }

    ~ConsoleFontDraw() override { Testing::ResetInput(); }

    void Frame(std::initializer_list<SDL_Event> events = {})
    {
        Testing::Dispatch(events);
        clock.Advance(0.1);
        engine->BeginFrame();
        engine->EndFrame(0);
    }

    // Lit pixels of each row of the rectangle, counted from the bottom left,
    // the lowest row first.
    std::vector<u32> InkByRow(u32 x0, u32 x1, u32 y0, u32 y1) const
    {
        std::vector<u32> ink;
        for (u32 y = y0; y < y1; ++y) {
            u32 lit = 0;
            for (u32 x = x0; x < x1; ++x)
                lit += Testing::PixelBytes(image, x, y)[0] > 128 ? 1 : 0;
            ink.push_back(lit);
        }
        return ink;
    }

    u32 Ink(u32 x0, u32 x1, u32 y0, u32 y1) const
    {
        const std::vector<u32> rows = InkByRow(x0, x1, y0, y1);
        return std::accumulate(rows.begin(), rows.end(), 0u);
    }

    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::TestEngine engine;
    GUIFont* font = nullptr;
    Image image;
};

} // namespace

TEST_F(ConsoleFontDraw, TheOpenConsoleShowsItsVersionLineAndAnUprightT)
{
    auto& render = static_cast<RenderSystem_D3D7&>(*engine->GetRenderSystem());
    ASSERT_TRUE(render.IsDeviceReady());
    ASSERT_TRUE(font->HasGlyph(L'T'));
    ConsoleSettings settings;
    settings.title = engine->GetVersionString();
    settings.fontId = kFontId;
    Console& console = *engine->CreateConsole(settings);
    Frame({Testing::KeyDown(SDLK_BACKQUOTE), Testing::KeyUp(SDLK_BACKQUOTE)});
    for (int frame = 0; frame < 10 && console.GetState() != Console::kOpen; ++frame)
        Frame();
    ASSERT_EQ(console.GetState(), Console::kOpen);
    Frame({Testing::TextInput("T")});
    ASSERT_EQ(console.GetEditBox()->GetText(), L"T");
    Frame();
    render.CaptureScreen(image);
    ASSERT_EQ(image.GetWidth(), kWidth);

    // The version line is the panel's lowest row, right-aligned; the blanks
    // that pad it on the left show nothing.
    const auto row = static_cast<u32>(static_cast<float>(kHeight) - settings.size + 0.2f * kFontSize);
    const auto top = row + static_cast<u32>(kFontSize);
    // The padding is whole blanks, so the line may end up to one blank short
    // of the right edge.
    const std::wstring version(settings.title.begin(), settings.title.end());
    const float blank = font->MeasureText(L" ", 0.0f, -1.0f).x;
    const auto versionStart =
        static_cast<u32>(static_cast<float>(kWidth) - font->MeasureText(version, 0.0f, -1.0f).x - blank);
    EXPECT_GT(Ink(versionStart, kWidth, row, top), 10u * static_cast<u32>(version.size()));
    EXPECT_EQ(Ink(0, versionStart, row, top), 0u);
    EXPECT_EQ(Ink(0, kWidth, top + 1, top + 4), 0u) << "nothing between the version and the input line";

    // The typed "T" on the input line: its bar in the upper half of the
    // line, only its stem in the lower.
    const Vector2 line = console.GetEditBox()->GetAbsolutePosition();
    const auto x0 = static_cast<u32>(line.x);
    const auto x1 = x0 + static_cast<u32>(font->MeasureText(L"T", 0.0f, -1.0f).x);
    const auto y0 = static_cast<u32>(line.y);
    const std::vector<u32> t = InkByRow(x0, x1, y0, y0 + static_cast<u32>(kFontSize));
    const auto middle = t.begin() + static_cast<std::ptrdiff_t>(t.size() / 2);
    const u32 lower = *std::max_element(t.begin(), middle);
    const u32 upper = *std::max_element(middle, t.end());
    EXPECT_GT(lower, 0u) << "the stem reaches the lower half";
    EXPECT_GT(upper, 2 * lower) << "the bar is above the stem";
}
