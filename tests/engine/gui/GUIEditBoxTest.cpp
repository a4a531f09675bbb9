#include "engine/gui/GUIEditBox.h"

#include "engine/gui/GUIManager.h"

#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

using namespace Halvard;
using Testing::KeyDown;
using Testing::KeyUp;

namespace {

constexpr u32 kFontId = 1;
constexpr Vector4 kWhite(1.0f, 1.0f, 1.0f, 1.0f);

// An edit box of at most five characters in a real engine's GUI, typed into
// with synthetic SDL events one key a frame.
class GUIEditBoxTest : public testing::Test {
protected:
    GUIEditBoxTest() : scoped(clock)
    {
        GUIManager& gui = *engine->GetGUIManager();
        Testing::AddEvenFont(engine.Folder(), *gui.GetFontManager(), kFontId, 0.1f);
        GUIEditBoxSettings settings;
        settings.flags = GUIWindow::kShown;
        settings.position = Vector2(0.0f, 0.0f);
        settings.size = Vector2(4.0f, 0.1f);
        settings.fontId = kFontId;
        settings.textColor = kWhite;
        settings.textOffset = Vector2(0.0f, 0.0f);
        settings.maxLength = 5;
        settings.maxWidth = 100.0f;
        settings.visibleWidth = 4.0f;
        settings.caretCharacter = L'_';
        box = gui.CreateEditBoxFromModel(settings, nullptr);
    }

    // Keeps what the box queued in the frame: the drawing step empties it.
    void Frame(std::initializer_list<SDL_Event> events)
    {
        Testing::Dispatch(events);
        clock.Advance(0.01);
        engine->BeginFrame();
        shown = box->GetTexts();
        engine->EndFrame(0);
    }

    void Press(SDL_Keycode key) { Frame({KeyDown(key), KeyUp(key)}); }

    void Type(const std::string& utf8Characters)
    {
        for (size_t at = 0; at < utf8Characters.size();) {
            const size_t length = (static_cast<unsigned char>(utf8Characters[at]) & 0xE0) == 0xC0 ? 2 : 1;
            Frame({Testing::TextInput(utf8Characters.substr(at, length).c_str())});
            at += length;
        }
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::TestEngine engine;
    GUIEditBox* box = nullptr;
    std::vector<TextRecord> shown;
};

} // namespace

TEST_F(GUIEditBoxTest, TypedCharactersGoInUntilTheLimitAndTheCaretStaysOnTheLast)
{
    Type("abcdef");
    EXPECT_EQ(box->GetText(), L"abcde");
    EXPECT_EQ(box->GetCaret(), 4);
    Press(SDLK_END);
    EXPECT_EQ(box->GetCaret(), 4);
    Press(SDLK_BACKSPACE);
    EXPECT_EQ(box->GetText(), L"abcd");
    Type("xy");
    EXPECT_EQ(box->GetText(), L"abcdx");
}

TEST_F(GUIEditBoxTest, OverwriteReplacesTheCharacterAtTheCaret)
{
    Type("abcde");
    Press(SDLK_INSERT);
    Type("z");
    EXPECT_EQ(box->GetText(), L"abcdz");
    Press(SDLK_HOME);
    Type("q");
    EXPECT_EQ(box->GetText(), L"qbcdz");
    EXPECT_EQ(box->GetCaret(), 1);
}

TEST_F(GUIEditBoxTest, BackspaceAndDeleteFollowTheCaret)
{
    Type("abc");
    Press(SDLK_BACKSPACE);
    EXPECT_EQ(box->GetText(), L"ab");
    Type("c");
    Press(SDLK_LEFT);
    Press(SDLK_LEFT);
    Press(SDLK_BACKSPACE);
    EXPECT_EQ(box->GetText(), L"bc");
    EXPECT_EQ(box->GetCaret(), 0);
    Press(SDLK_END);
    Press(SDLK_DELETE);
    EXPECT_EQ(box->GetText(), L"bc");
    Press(SDLK_HOME);
    Press(SDLK_DELETE);
    EXPECT_EQ(box->GetText(), L"c");
}

TEST_F(GUIEditBoxTest, ACharacterMissingFromTheFontGoesInAsA)
{
    Type("\xC3\xA9 ");
    EXPECT_EQ(box->GetText(), L"a ");
}

TEST_F(GUIEditBoxTest, ItQueuesItsTextAndCaretAndAnInactiveBoxIgnoresKeys)
{
    Type("ab");
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().text, L"ab");
    box->active = false;
    Type("c");
    EXPECT_EQ(box->GetText(), L"ab");
    ASSERT_EQ(shown.size(), 1u);
    box->SetText(L"longer text");
    EXPECT_EQ(box->GetCaret(), 4);
}
