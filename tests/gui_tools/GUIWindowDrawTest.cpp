#include "gui_tools/GUIWindowBase.h"

#include "engine/core/Image.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "game_tools/DataKeeper.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/controls/GUITextControl.h"
#include "platform/video/GLVideoSystem.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GUIToolFiles.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/TestEngine.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Halvard;

namespace {

// The GUI space matches the 640 x 480 window, so GUI units are pixels.
constexpr float kWidth = 640.0f;
constexpr float kHeight = 480.0f;
constexpr double kFrame = 0.05;
// Where the title label lies: "HELLO" in squares of 16 fills its lower left.
constexpr u32 kLeft = 100;
constexpr u32 kBottom = 200;
constexpr u32 kLabelWidth = 200;
constexpr u32 kLabelHeight = 40;
constexpr u32 kTextWidth = 5 * 16;
constexpr u32 kTextHeight = 16;

// Every glyph, Cyrillic ones too, is the whole white picture: a text shows
// as a row of squares.
std::vector<Tools::FontGlyph> SquareGlyphs()
{
    std::vector<Tools::FontGlyph> glyphs = Testing::EvenGlyphs();
    for (std::uint16_t character = 0x410; character < 0x450; ++character)
        glyphs.push_back(Tools::FontGlyph{character, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f});
    for (Tools::FontGlyph& glyph : glyphs) {
        glyph.u = glyph.v = 0.0f;
        glyph.uSize = glyph.vSize = 1.0f;
    }
    return glyphs;
}

// A description set with a template chain (the label's font two templates
// up), a shared timed fader and a Russian-only label.
void WriteDescriptionSet(const Testing::TempFolder& folder)
{
    Testing::WriteFontFile(folder, "square.fnt", SquareGlyphs());
    folder.WriteFile("data\\fonts\\white.tga", Testing::WhiteFontImage());
    folder.WriteFile("data\\ui\\fonts\\fonts_basic.xml",
                     R"(<fonts><font name="common_0" size="16"><description_file_path path="fonts\square.fnt"/>
                        <diffuse_image_path path="fonts\white.tga"/><opacity_image_path path="fonts\white.tga"/>
                        <properties space="1" shift="1" virtual_size="16"/></font></fonts>)");
    folder.WriteFile("data\\ui\\texts\\texts.xml",
                     "\xEF\xBB\xBF<texts><greeting><en text=\"HELLO\"/><ru text=\"\xD0\x9F\xD0\xA0\xD0\x98\"/>"
                     "</greeting></texts>");
    folder.WriteFile("data\\ui\\texts\\default_texts.xml", "<texts></texts>");
    folder.WriteFile("data\\ui\\windows\\faders.xml",
                     R"(<faders><fader name="test" type="timed" show_speed="2" hide_speed="4" min="0.2" max="1"/>
                        </faders>)");
    folder.WriteFile("data\\ui\\windows\\label_font.xml",
                     R"(<text_label name="label_font" font="common_0" color="1 1 1 1"/>)");
    folder.WriteFile("data\\ui\\windows\\label_base.xml",
                     R"(<text_label name="label_base" template="label_font" fader="test" alignment_h="left"/>)");
    folder.WriteFile("data\\ui\\windows\\window_test.xml",
                     R"(<window name="window_test" fader="test" size="640 480">
                          <text_label name="title" template="label_base" position="100 200" size="200 40"
                                      text="greeting"/>
                          <text_label name="russian" template="label_base" language="ru" position="100 300"
                                      size="200 40" text="greeting"/>
                        </window>)");
}

// The real engine offscreen, its GUI space in pixels, the test's own
// description set read in one language.
class GUIWindowDrawTest : public testing::Test {
protected:
    GUIWindowDrawTest() : scoped(clock)
    {
        engine->GetGUIManager()->SetSize(kWidth, kHeight);
        WriteDescriptionSet(engine.Folder());
    }

    void Open(const std::string& language)
    {
        keeper = std::make_unique<GameTools::DataKeeper>(&engine.Get(), language, false);
        tools = std::make_unique<GUITools::GUIToolManager>(&engine.Get(), language);
        window = std::make_unique<GUITools::GUIWindowBase>(&engine.Get(), keeper.get(), tools.get(), nullptr,
                                                           "window_test");
    }

    ~GUIWindowDrawTest() override
    {
        window.reset();
        tools.reset();
        keeper.reset();
    }

    RenderSystem_D3D7& Render() { return static_cast<RenderSystem_D3D7&>(*engine->GetRenderSystem()); }

    void Frame()
    {
        clock.Advance(kFrame);
        engine->BeginFrame();
        window->Update();
        engine->EndFrame(0);
        Render().CaptureScreen(image);
    }

    // Red of the captured pixel, counted from the bottom left.
    int Red(u32 x, u32 y) const { return Testing::PixelBytes(image, x, y)[0]; }

    // Lit pixels inside the rectangle, and lit pixels of the whole screen.
    u32 LitIn(u32 x0, u32 y0, u32 x1, u32 y1) const
    {
        u32 count = 0;
        for (u32 y = y0; y < y1; ++y)
            for (u32 x = x0; x < x1; ++x)
                count += Red(x, y) > 16 ? 1 : 0;
        return count;
    }
    u32 LitOnScreen() const { return LitIn(0, 0, image.GetWidth(), image.GetHeight()); }

    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::TestEngine engine;
    std::unique_ptr<GameTools::DataKeeper> keeper;
    std::unique_ptr<GUITools::GUIToolManager> tools;
    std::unique_ptr<GUITools::GUIWindowBase> window;
    Image image;
};

TEST_F(GUIWindowDrawTest, ALabelFadesInInsideItsRectangleAndTheWindowHidesWhenTheFadeEnds)
{
    ASSERT_TRUE(Render().IsDeviceReady());
    Open("en");
    ASSERT_NE(window->GetTextControl("window_test/title"), nullptr);
    EXPECT_FALSE(window->HasTextControl("window_test/russian"));
    window->Show(true);
    // Show speed 2 from 0.2 to 1: the alpha after each of the first frames,
    // then after the fade has ended.
    const std::vector<std::pair<int, float>> fades = {{1, 0.28f}, {3, 0.44f}, {5, 0.6f}, {10, 1.0f}, {12, 1.0f}};
    int frames = 0;
    for (const auto& [frame, alpha] : fades) {
        while (frames < frame) {
            Frame();
            ++frames;
        }
        const int expected = static_cast<int>(alpha * 255.0f + 0.5f);
        EXPECT_NEAR(Red(kLeft + kTextWidth / 2, kBottom + kTextHeight / 2), expected, 6) << frame;
        const u32 inside = LitIn(kLeft, kBottom, kLeft + kLabelWidth, kBottom + kLabelHeight);
        EXPECT_GT(inside, kTextWidth * kTextHeight / 2) << frame;
        EXPECT_EQ(LitOnScreen(), inside) << frame;
        // Beyond the text's end the label's rectangle stays dark.
        EXPECT_EQ(LitIn(kLeft + kTextWidth + 2, kBottom, kLeft + kLabelWidth, kBottom + kLabelHeight), 0u);
    }

    // Hide speed 4: still drawn and fading for a quarter of a second, then
    // gone with the base window.
    window->Show(false);
    for (int frame = 1; frame <= 4; ++frame) {
        Frame();
        const int expected = static_cast<int>((0.2f + 0.8f * (1.0f - 0.2f * frame)) * 255.0f + 0.5f);
        EXPECT_NEAR(Red(kLeft + kTextWidth / 2, kBottom + kTextHeight / 2), expected, 6) << frame;
        EXPECT_TRUE(window->IsVisible()) << frame;
    }
    Frame();
    EXPECT_FALSE(window->IsVisible());
    EXPECT_EQ(LitOnScreen(), 0u);
    EXPECT_TRUE(Testing::LogProbe(*engine->GetMessageManager()).HasNoErrorLine());
}

TEST_F(GUIWindowDrawTest, InRussianTheRussianLabelShowsCyrillicText)
{
    ASSERT_TRUE(Render().IsDeviceReady());
    Open("ru");
    const GUITools::GUITextControl* russian = window->GetTextControl("window_test/russian");
    ASSERT_NE(russian, nullptr);
    EXPECT_EQ(russian->GetText(), L"\u041f\u0420\u0418");
    window->Show(true);
    for (int frame = 0; frame < 12; ++frame)
        Frame();
    // Three Cyrillic squares in each label, nothing anywhere else.
    const u32 title = LitIn(kLeft, kBottom, kLeft + kLabelWidth, kBottom + kLabelHeight);
    const u32 second = LitIn(kLeft, kBottom + 100, kLeft + kLabelWidth, kBottom + 100 + kLabelHeight);
    EXPECT_GT(second, 3u * kTextHeight * kTextHeight / 2);
    EXPECT_NEAR(static_cast<double>(second), static_cast<double>(title), 3u * kTextHeight);
    EXPECT_EQ(LitOnScreen(), title + second);
}

} // namespace
