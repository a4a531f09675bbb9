#include "engine/gui/Console.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"

#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"
#include "tests/support/TestFonts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

using namespace Halvard;
using Testing::KeyDown;
using Testing::KeyUp;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::IsSupersetOf;

namespace {

constexpr u32 kFontId = 3;
constexpr float kFontSize = 10.0f;
constexpr float kLineHeight = 1.2f * kFontSize;
constexpr float kMargin = 0.2f * kFontSize;
constexpr float kGuiWidth = 800.0f;
constexpr Vector4 kWhite(1.0f, 1.0f, 1.0f, 1.0f);
constexpr Vector4 kBlue(0.0f, 0.0f, 1.0f, 1.0f);
constexpr Vector4 kGreen(0.0f, 1.0f, 0.0f, 1.0f);
// The panel's colour lives in its vertices, eight bits a channel.
constexpr float kPackedStep = 1.0f / 255.0f;

// A real engine with a console on an 800 x 600 GUI space and a font whose
// characters are all ten units wide, driven frame by frame with synthetic
// SDL events and a clock that moves a tenth of a second per frame.
class ConsoleTest : public testing::Test {
protected:
    ConsoleTest() : scoped(clock)
    {
        gui().SetSize(kGuiWidth, 600.0f);
        Testing::AddEvenFont(engine.Folder(), *gui().GetFontManager(), kFontId, kFontSize);
        // The engine's start-up lines go before the console is there.
        engine->BeginFrame();
        engine->EndFrame(0);
        Create(kFontId);
    }

    GUIManager& gui() { return *engine->GetGUIManager(); }
    Config& config() { return *engine->GetConfig(); }

    void Create(u32 fontId)
    {
        ConsoleSettings settings;
        settings.title = engine->GetVersionString();
        // A plain blended panel: its colour and alpha live in its quad.
        settings.background = &background;
        settings.fontId = fontId;
        settings.caretCharacter = L'_';
        settings.promptCharacter = L']';
        settings.scrollMarkerCharacter = L'^';
        settings.consoleKey = "~";
        settings.alpha = 0.95f;
        settings.size = 308.0f;
        settings.speed = 1000.0f;
        console = engine->CreateConsole(settings);
    }

    // Keeps what the panel queued in the frame: the drawing step empties it.
    void Frame(std::initializer_list<SDL_Event> events = {})
    {
        Testing::Dispatch(events);
        clock.Advance(0.1);
        engine->BeginFrame();
        shown = console->GetWindow()->GetTexts();
        engine->EndFrame(0);
    }

    void Press(SDL_Keycode key) { Frame({KeyDown(key), KeyUp(key)}); }

    void Open()
    {
        Press(SDLK_BACKQUOTE);
        for (int frame = 0; frame < 10 && console->GetState() != Console::kOpen; ++frame)
            Frame();
        ASSERT_EQ(console->GetState(), Console::kOpen);
    }

    void Type(const std::string& text)
    {
        for (char character : text)
            Frame({Testing::TextInput(std::string(1, character).c_str())});
    }

    // The panel draws before it reads the key, so the answer shows a frame
    // after the Enter.
    void Enter(const std::string& line)
    {
        Type(line);
        Press(SDLK_RETURN);
        Frame();
    }

    // The rows of text above the input line, top to bottom, without their
    // newlines and without the scroll marker.
    std::vector<std::wstring> Lines() const
    {
        std::map<float, std::wstring, std::greater<>> rows;
        for (const TextRecord& record : shown) {
            if (record.position.y > kMargin + kLineHeight + 0.5f)
                rows[record.position.y] += record.text;
        }
        std::vector<std::wstring> lines;
        for (auto [y, text] : rows) {
            if (!text.empty() && text.back() == L'\n')
                text.pop_back();
            if (!text.starts_with(L"^^^"))
                lines.push_back(text);
        }
        return lines;
    }

    std::wstring LastLine() const
    {
        const std::vector<std::wstring> lines = Lines();
        return lines.empty() ? L"" : lines.back();
    }

    bool Shows(const std::wstring& text, const Vector4& color) const
    {
        for (const TextRecord& record : shown) {
            if (record.text == text && record.color == color)
                return true;
        }
        return false;
    }

    bool ShowsScrollMarker() const
    {
        for (const TextRecord& record : shown) {
            if (record.text.starts_with(L"^^^"))
                return true;
        }
        return false;
    }

    std::wstring Input() const { return console->GetEditBox()->GetText(); }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::TestEngine engine;
    ShaderDescriptor background{ShaderDescriptor::kAlphaBlending};
    Console* console = nullptr;
    std::vector<TextRecord> shown;
};

} // namespace

TEST_F(ConsoleTest, ItsKeySlidesThePanelDownAndUpAgain)
{
    GUIWindow& panel = *console->GetWindow();
    EXPECT_EQ(console->GetState(), Console::kClosed);
    EXPECT_FALSE(panel.visible);
    Press(SDLK_BACKQUOTE);
    EXPECT_EQ(console->GetState(), Console::kOpening);
    EXPECT_TRUE(panel.visible);
    EXPECT_FLOAT_EQ(panel.position.y, 600.0f - 1000.0f * 0.1f);
    EXPECT_FALSE(console->GetEditBox()->active);
    for (int frame = 0; frame < 10 && console->GetState() != Console::kOpen; ++frame)
        Frame();
    EXPECT_EQ(console->GetState(), Console::kOpen);
    EXPECT_FLOAT_EQ(panel.position.y, 600.0f - 308.0f);
    EXPECT_TRUE(console->GetEditBox()->active);
    EXPECT_NEAR(panel.GetColor().w, 0.95f, kPackedStep);

    Press(SDLK_BACKQUOTE);
    EXPECT_EQ(console->GetState(), Console::kClosing);
    EXPECT_FALSE(console->GetEditBox()->active);
    for (int frame = 0; frame < 10 && console->GetState() != Console::kClosed; ++frame)
        Frame();
    EXPECT_EQ(console->GetState(), Console::kClosed);
    EXPECT_FLOAT_EQ(panel.position.y, 600.0f);
    EXPECT_FALSE(panel.visible);
    EXPECT_THAT(shown, IsEmpty());
}

TEST_F(ConsoleTest, TheKeyWhileSlidingTurnsThePanelBack)
{
    Press(SDLK_BACKQUOTE);
    Press(SDLK_BACKQUOTE);
    EXPECT_EQ(console->GetState(), Console::kClosing);
    Press(SDLK_BACKQUOTE);
    EXPECT_EQ(console->GetState(), Console::kOpening);
}

TEST_F(ConsoleTest, ShowsTheVersionRightAlignedAndThePrompt)
{
    Open();
    const std::wstring version = ToWString(engine->GetVersionString());
    bool versionShown = false;
    for (const TextRecord& record : shown) {
        if (record.position.y == kMargin) {
            versionShown = record.text.ends_with(version);
            EXPECT_EQ(record.text.size(), static_cast<size_t>(kGuiWidth / kFontSize));
        }
    }
    EXPECT_TRUE(versionShown);
    EXPECT_TRUE(Shows(L"]", kWhite));
    EXPECT_FLOAT_EQ(console->GetEditBox()->position.x, kFontSize);
}

TEST_F(ConsoleTest, TypedLinesAreEchoedAndExecuted)
{
    Open();
    Enter("say hello");
    EXPECT_TRUE(Shows(L"]\\say hello\n", kBlue));
    EXPECT_TRUE(Shows(L"hello", kGreen));
    EXPECT_EQ(LastLine(), L"Marrow: \"hello\"");
    EXPECT_EQ(Input(), L"");

    Enter("say");
    EXPECT_THAT(Lines(), IsSupersetOf({L"]\\say"}));
    EXPECT_EQ(LastLine(), L"]\\say");
}

TEST_F(ConsoleTest, ANameAloneAnswersWithItsValueAndDefault)
{
    config().SetValue("v_mode", "800x600x16");
    Open();
    Enter("v_mode");
    EXPECT_EQ(Lines().end()[-2], L"]\\v_mode");
    EXPECT_EQ(LastLine(), L"\"v_mode\" is \"" + ToWString(config().GetValue("v_mode")) + L"\", default is \"" +
                              ToWString(config().GetDefaultValue("v_mode")) + L"\"");
}

TEST_F(ConsoleTest, UnknownAndReadOnlyNamesAreAnswered)
{
    i32 locked = 0;
    config().AddVariable("d_locked", Config::kInteger, {.readOnly = true}, &locked, "1");
    Open();
    Enter("NoSuchThing 1");
    EXPECT_EQ(LastLine(), L"Unknown command \"nosuchthing\"");
    Enter("d_locked 2");
    EXPECT_EQ(LastLine(), L"\"d_locked\" is read only");
    EXPECT_EQ(locked, 1);
    config().RemoveVariable("d_locked");
}

TEST_F(ConsoleTest, ExitInvokesTheCommand)
{
    Open();
    Enter("exit");
    EXPECT_TRUE(Shows(L"]\\exit\n", kBlue));
    EXPECT_TRUE(engine->IsExitRequested());
}

TEST_F(ConsoleTest, BlankLinesAndALoneBackslashAreNeitherEchoedNorKept)
{
    Open();
    const std::vector<std::wstring> before = Lines();
    Enter("   ");
    EXPECT_EQ(Input(), L"");
    Enter("\\");
    EXPECT_EQ(Input(), L"\\");
    EXPECT_EQ(Lines(), before);
    Press(SDLK_ESCAPE);
    EXPECT_EQ(Input(), L"");
    Press(SDLK_UP);
    EXPECT_EQ(Input(), L"");
}

TEST_F(ConsoleTest, UpAndDownBrowseTheHistory)
{
    Open();
    Enter("say a");
    Enter("\\say b");
    Press(SDLK_UP);
    EXPECT_EQ(Input(), L"\\say b");
    Press(SDLK_UP);
    EXPECT_EQ(Input(), L"\\say a");
    Press(SDLK_UP);
    EXPECT_EQ(Input(), L"\\say a");
    Press(SDLK_DOWN);
    EXPECT_EQ(Input(), L"\\say b");
    Press(SDLK_DOWN);
    EXPECT_EQ(Input(), L"");
    Press(SDLK_DOWN);
    EXPECT_EQ(Input(), L"");
    Type("half typed");
    Press(SDLK_DOWN);
    EXPECT_EQ(Input(), L"");
}

TEST_F(ConsoleTest, TabCompletesASingleNameWithABlank)
{
    Open();
    Type("EXI");
    Press(SDLK_TAB);
    EXPECT_EQ(Input(), L"\\exit ");
}

TEST_F(ConsoleTest, TabListsSeveralNamesAndCompletesTheirCommonBeginning)
{
    std::vector<std::string> names;
    config().GetVariableNames(names);
    std::vector<std::wstring> expected{L"\\v_"};
    for (const std::string& name : names) {
        if (name.starts_with("v_"))
            expected.push_back(L"    \\" + ToWString(name));
    }
    ASSERT_GT(expected.size(), 2u);

    Open();
    Type("v_");
    Press(SDLK_TAB);
    EXPECT_EQ(Input(), L"\\v_");
    Frame();
    const std::vector<std::wstring> lines = Lines();
    ASSERT_GE(lines.size(), expected.size());
    EXPECT_EQ(std::vector<std::wstring>(lines.end() - static_cast<long>(expected.size()), lines.end()), expected);

    Type("m");
    Press(SDLK_TAB);
    EXPECT_EQ(Input(), L"\\v_mode ");
}

TEST_F(ConsoleTest, PageKeysScrollBackAndClosingReturnsToTheNewest)
{
    for (int line = 1; line <= 40; ++line)
        console->AddText(kWhite, L"line " + std::to_wstring(line) + L"\n");
    Open();
    EXPECT_EQ(LastLine(), L"line 40");
    EXPECT_FALSE(ShowsScrollMarker());
    Press(SDLK_PAGEUP);
    Frame();
    EXPECT_EQ(LastLine(), L"line 39");
    EXPECT_TRUE(ShowsScrollMarker());
    Press(SDLK_PAGEDOWN);
    Frame();
    EXPECT_EQ(LastLine(), L"line 40");

    Press(SDLK_PAGEUP);
    Press(SDLK_BACKQUOTE);
    for (int frame = 0; frame < 10 && console->GetState() != Console::kClosed; ++frame)
        Frame();
    Open();
    EXPECT_EQ(LastLine(), L"line 40");
    EXPECT_FALSE(ShowsScrollMarker());
}

TEST_F(ConsoleTest, PageUpStopsAtTheOldestLine)
{
    for (int line = 1; line <= 5; ++line)
        console->AddText(kWhite, L"line " + std::to_wstring(line) + L"\n");
    Open();
    for (int press = 0; press < 12; ++press)
        Press(SDLK_PAGEUP);
    Frame();
    EXPECT_THAT(Lines(), ElementsAre(L"line 1"));
    Press(SDLK_PAGEDOWN);
    Frame();
    EXPECT_THAT(Lines(), ElementsAre(L"line 1", L"line 2"));
}

TEST_F(ConsoleTest, MessagesLoggedWhileClosedShowInTheirLevelsColours)
{
    engine->GetMessageManager()->LogMessage("plain words");
    engine->GetMessageManager()->LogWarning("careful");
    engine->GetMessageManager()->LogError("broken");
    Frame();
    Open();
    EXPECT_TRUE(Shows(L"plain words\n", kWhite));
    EXPECT_TRUE(Shows(L"Warning: careful!\n", Vector4(0.5f, 0.5f, 0.5f, 1.0f)));
    EXPECT_TRUE(Shows(L"Error: broken!\n", Vector4(1.0f, 0.0f, 0.0f, 1.0f)));
}

// File names on disk are UTF-8, and so are the log lines that name them;
// a name of an older encoding (Latin-1 "josé") shows every byte.
TEST_F(ConsoleTest, LoggedFileNamesOutsideAsciiShowIntact)
{
    engine->GetMessageManager()->LogError("Failed to open \"\\home\\борис\\Tamrisk.ini\" file");
    engine->GetMessageManager()->LogError("Failed to open \"\\home\\jos\xE9\\Tamrisk.ini\" file");
    Frame();
    Open();
    EXPECT_TRUE(Shows(L"Error: Failed to open \"\\home\\борис\\Tamrisk.ini\" file!\n", Vector4(1.0f, 0.0f, 0.0f, 1.0f)))
        << testing::PrintToString(Lines());
    EXPECT_TRUE(Shows(L"Error: Failed to open \"\\home\\jos\u00E9\\Tamrisk.ini\" file!\n", Vector4(1.0f, 0.0f, 0.0f, 1.0f)))
        << testing::PrintToString(Lines());
}

TEST_F(ConsoleTest, ALineWiderThanTheScreenWrapsAtTheLastCharacterThatFits)
{
    const auto perLine = static_cast<size_t>(kGuiWidth / kFontSize);
    console->AddText(kWhite, std::wstring(perLine + 5, L'x') + L"\n");
    Open();
    EXPECT_THAT(Lines(), IsSupersetOf({std::wstring(perLine, L'x'), std::wstring(5, L'x')}));
    EXPECT_EQ(LastLine(), std::wstring(5, L'x'));
}

TEST_F(ConsoleTest, ACharacterWiderThanTheScreenStillMovesTheTextOn)
{
    std::vector<Tools::FontGlyph> glyphs = Testing::EvenGlyphs();
    Tools::FontGlyph wide;
    wide.character = 0x2588;
    wide.width = 2.0f * kGuiWidth / kFontSize;
    glyphs.push_back(wide);
    const std::string path = Testing::WriteFontFile(engine.Folder(), "wide.fnt", glyphs);
    constexpr u32 kWideFontId = kFontId + 1;
    gui().GetFontManager()->AddFont(kWideFontId, MakeDefaultShaderDescriptor(), path)->SetSize(kFontSize);
    Create(kWideFontId);
    console->AddText(kWhite, L"\u2588\u2588y\n");
    Open();
    const std::vector<std::wstring> lines = Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_THAT(std::vector<std::wstring>(lines.end() - 3, lines.end()), ElementsAre(L"\u2588", L"\u2588", L"y"));
}

TEST_F(ConsoleTest, RegistersItsVariablesWithFourDecimalDefaults)
{
    EXPECT_EQ(config().GetDefaultValue("ui_console_alpha"), "0.9500");
    EXPECT_EQ(config().GetDefaultValue("ui_console_size"), "308.0000");
    EXPECT_EQ(config().GetDefaultValue("ui_console_speed"), "1000.0000");
    EXPECT_EQ(config().GetValue("ui_console_key"), "~");
    EXPECT_EQ(config().GetDefaultValue("say"), "");
}

TEST_F(ConsoleTest, ANewConsoleKeepsTheValuesOfTheOldButNotThoseOutOfRange)
{
    config().SetValue("ui_console_alpha", "0.5");
    config().SetValue("ui_console_size", "5000");
    Create(kFontId);
    EXPECT_FLOAT_EQ(StringToFloat(config().GetValue("ui_console_size")), 308.0f);
    Open();
    EXPECT_NEAR(console->GetWindow()->GetColor().w, 0.5f, kPackedStep);
    EXPECT_FLOAT_EQ(console->GetWindow()->position.y, 600.0f - 308.0f);
}

TEST_F(ConsoleTest, AnUnknownFontIsLoggedAndTheConsoleStillWorks)
{
    Create(77);
    Frame();
    Open();
    EXPECT_TRUE(Shows(L"Error: (Console::Console): Unknown font 77!\n", Vector4(1.0f, 0.0f, 0.0f, 1.0f)));
    EXPECT_TRUE(Shows(L"]", kWhite));
}
