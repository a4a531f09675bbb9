#include "engine/core/Image.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/RenderSystem.h"
#include "framework/LanguageManager.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIToolManager.h"
#include "platform/os/Registry.h"
#include "tests/data/BuiltData.h"
#include "tests/support/FileBytes.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using Halvard::u32;
using Platform::RegistryHive;

const char* const kKey = "SOFTWARE\\Quenbyworks\\Tamrisk";

// The player's registry asks for Russian; the engine runs off screen on the
// built data with GUI units as pixels.
class RussianTitleDraw : public ::testing::Test {
protected:
    RussianTitleDraw()
    {
        registry.WriteFile("user.ini", std::string("[") + kKey + "]\nLanguage=ru\n");
        Platform::SetRegistryHiveFile(RegistryHive::kMachine, registry.Native("machine.ini").string());
        Platform::SetRegistryHiveFile(RegistryHive::kUser, registry.Native("user.ini").string());
    }
    ~RussianTitleDraw() override
    {
        Platform::SetRegistryHiveFile(RegistryHive::kMachine, "");
        Platform::SetRegistryHiveFile(RegistryHive::kUser, "");
    }

    u32 LitIn(u32 x0, u32 y0, u32 x1, u32 y1) const
    {
        u32 count = 0;
        for (u32 y = y0; y < y1; ++y)
            for (u32 x = x0; x < x1; ++x)
                count += Testing::PixelBytes(capture, x, y)[0] > 128 ? 1 : 0;
        return count;
    }

    Testing::TempFolder registry;
    Testing::TestEngine engine{{.videoMode = "800x600x32", .installFolder = Testing::GameFolderInternal()}};
    Halvard::Image capture;
};

TEST_F(RussianTitleDraw, TheTitleIsLaidOutAndDrawnFromTheFontsCyrillicGlyphs)
{
    const GameFramework::LanguageManager languages(engine->GetFileManager(), kKey);
    ASSERT_EQ(languages.GetCurrentLanguage()->code, "ru");
    const GUITools::GUIToolManager tools(&engine.Get(), languages.GetCurrentLanguage()->code);
    const std::wstring title = tools.GetTextTool()->GetText("game_title");
    ASSERT_EQ(title, L"Тамриск");

    // A character without a glyph would advance by the blank's width.
    const Halvard::GUIFont* font = tools.GetFontTool()->GetFont("common_0");
    ASSERT_NE(font, nullptr);
    float glyphs = 0.0f;
    for (const wchar_t character : title) {
        ASSERT_NE(font->FindGlyph(character), nullptr) << static_cast<unsigned>(character);
        glyphs += font->FindGlyph(character)->width * font->GetSize() * font->GetShift();
    }
    const Halvard::Vector2 extent = font->MeasureText(title, 0.0f, -1.0f);
    EXPECT_NEAR(extent.x, glyphs, 0.01f);

    Halvard::GUIManager& gui = *engine->GetGUIManager();
    gui.SetSize(800.0f, 600.0f);
    Halvard::GUIWindow* window = gui.CreateWindowFromModel(Halvard::GUIWindow::kShown, Halvard::Vector2(0.0f, 0.0f),
                                                           Halvard::Vector2(800.0f, 600.0f), nullptr, nullptr);
    const Halvard::Vector2 at(100.0f, 300.0f);
    for (int frame = 0; frame < 2; ++frame) {
        engine->BeginFrame();
        window->AddText(0, static_cast<u32>(tools.GetFontTool()->GetFontIndex("common_0")), at,
                        Halvard::Vector4(1.0f, 1.0f, 1.0f, 1.0f), title, 0.0f, -1.0f);
        engine->EndFrame(0);
    }
    engine->GetRenderSystem()->CaptureScreen(capture);
    ASSERT_EQ(capture.GetWidth(), 800u);
    const auto right = static_cast<u32>(at.x + extent.x);
    const auto top = static_cast<u32>(at.y + font->GetSize());
    EXPECT_GT(LitIn(100, 300, right, top), static_cast<u32>(extent.x));
    EXPECT_EQ(LitIn(0, 0, 800, 290) + LitIn(0, top + 10, 800, 600), 0u);
    gui.DestroyWindow(window);
    EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(), ::testing::IsEmpty());
}

} // namespace
