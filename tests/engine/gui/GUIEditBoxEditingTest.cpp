#include "engine/gui/GUIEditBox.h"

#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "tools/SoundWriter.h"
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

// Edit boxes on a real engine's GUI services with a GUI sound manager whose
// typing sound the test counts; each character of the even font measures
// 0.1. Keys come as synthetic SDL events, one a frame, and the box takes its
// input step in the frame as the GUI would step it.
class GUIEditBoxEditingTest : public testing::Test {
protected:
    GUIEditBoxEditingTest() : scoped(clock)
    {
        GUIManager& gui = *engine->GetGUIManager();
        Testing::AddEvenFont(engine.Folder(), *gui.GetFontManager(), kFontId, 0.1f);
        engine.Folder().WriteFile("data\\type.wav", Tools::MakeWav(1, 22050, 16, std::string(400, '\x10')));
        sounds = std::make_unique<GUISoundManager>(engine->GetTimerManager(), engine->GetSoundManager());
        sounds->AddSound(GUISoundManager::kEditBoxTyping, "type.wav");
        services = gui.GetServices();
        services.sounds = sounds.get();
    }

    void Make(u32 maxLength, float visibleWidth = 4.0f)
    {
        GUIEditBoxSettings settings;
        settings.size = Vector2(4.0f, 0.1f);
        settings.fontId = kFontId;
        settings.maxLength = maxLength;
        settings.maxWidth = 100.0f;
        settings.visibleWidth = visibleWidth;
        box = std::make_unique<GUIEditBox>(services, settings, nullptr);
    }

    void Frame(std::initializer_list<SDL_Event> events)
    {
        Testing::Dispatch(events);
        clock.Advance(0.05);
        engine->BeginFrame();
        box->ProcessInput(Vector2(-1.0f, -1.0f), false, false);
        shown = box->GetTexts();
        box->Draw();
        engine->EndFrame(0);
        const float start = sounds->GetEntries(GUISoundManager::kEditBoxTyping)[0]->lastStart;
        typed += start != lastStart ? 1 : 0;
        lastStart = start;
    }

    void Press(SDL_Keycode key) { Frame({KeyDown(key), KeyUp(key)}); }

    void Type(const std::string& ascii)
    {
        for (char character : ascii)
            Frame({Testing::TextInput(std::string(1, character).c_str())});
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::TestEngine engine;
    std::unique_ptr<GUISoundManager> sounds;
    GUIServices services;
    std::unique_ptr<GUIEditBox> box;
    std::vector<TextRecord> shown;
    int typed = 0;
    float lastStart = 0.0f;
};

} // namespace

TEST_F(GUIEditBoxEditingTest, AFullBoxTakesBackItsLastCharacterAndOverwritesIt)
{
    Make(5);
    box->SetText(L"abcde");
    Press(SDLK_END);
    EXPECT_EQ(box->GetCaret(), 4);
    Press(SDLK_BACKSPACE);
    EXPECT_EQ(box->GetText(), L"abcd");
    box->SetText(L"abcde");
    Type("x");
    EXPECT_EQ(box->GetText(), L"abcde") << "insert mode refuses a sixth character";
    Press(SDLK_INSERT);
    Type("x");
    EXPECT_EQ(box->GetText(), L"abcdx");
}

TEST_F(GUIEditBoxEditingTest, BackspaceFollowsTheCaretAsTheTableSays)
{
    struct Case {
        int lefts;
        const wchar_t* text;
        i32 caret;
    };
    const Case cases[] = {{0, L"ab", 2}, {2, L"bc", 0}, {1, L"ab", 2}};
    for (const Case& c : cases) {
        Make(10);
        box->SetText(L"abc");
        for (int i = 0; i < c.lefts; ++i)
            Press(SDLK_LEFT);
        Press(SDLK_BACKSPACE);
        EXPECT_EQ(box->GetText(), c.text) << c.lefts;
        EXPECT_EQ(box->GetCaret(), c.caret) << c.lefts;
    }
}

TEST_F(GUIEditBoxEditingTest, EveryChangeAndOnlyAChangePlaysTheTypingSound)
{
    Make(10);
    Type("ab");
    EXPECT_EQ(typed, 2);
    Press(SDLK_DELETE);
    Press(SDLK_LEFT);
    Press(SDLK_HOME);
    Press(SDLK_INSERT);
    EXPECT_EQ(typed, 2) << "Delete at the end and moving the caret change nothing";
    Press(SDLK_DELETE);
    EXPECT_EQ(box->GetText(), L"b");
    Press(SDLK_END);
    Press(SDLK_BACKSPACE);
    EXPECT_EQ(typed, 4);
}

TEST_F(GUIEditBoxEditingTest, ABoxForNoCharacterKeepsItsCaretAtZero)
{
    Make(0);
    box->SetText(L"xy");
    EXPECT_EQ(box->GetCaret(), 0);
    Press(SDLK_END);
    EXPECT_EQ(box->GetCaret(), 0);
    Type("z");
    EXPECT_EQ(box->GetText(), L"xy");
    Press(SDLK_DELETE);
    EXPECT_EQ(box->GetText(), L"y");
    EXPECT_EQ(box->GetCaret(), 0);
}

TEST_F(GUIEditBoxEditingTest, ACaretWiderThanTheBoxStopsTheScrollAtTheCaret)
{
    Make(10, 0.05f);
    box->SetText(L"abcdef");
    EXPECT_EQ(box->GetCaret(), 6);
    EXPECT_EQ(box->GetFirstVisible(), 6);
    // The view never starts after the caret, or the caret would stand
    // outside what is shown.
    Press(SDLK_LEFT);
    EXPECT_EQ(box->GetCaret(), 5);
    EXPECT_LE(box->GetFirstVisible(), 5);
}

TEST_F(GUIEditBoxEditingTest, LeftOntoTheFirstShownCharacterJumpsBackFiveThenFits)
{
    // Four characters and the caret fill the 0.5 shown.
    Make(40, 0.5f);
    box->SetText(L"abcdefghijklmnopqrst");
    EXPECT_EQ(box->GetCaret(), 20);
    EXPECT_EQ(box->GetFirstVisible(), 16);
    for (int i = 0; i < 3; ++i)
        Press(SDLK_LEFT);
    EXPECT_EQ(box->GetFirstVisible(), 16);
    // Onto the first shown character: back to 11, then forward to 12, where
    // the text up to the caret fits again.
    Press(SDLK_LEFT);
    EXPECT_EQ(box->GetCaret(), 16);
    EXPECT_EQ(box->GetFirstVisible(), 12);
    Press(SDLK_HOME);
    EXPECT_EQ(box->GetFirstVisible(), 0);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().text, L"abcde");
}

TEST_F(GUIEditBoxEditingTest, SetFontWithoutAFontLeavesTheBoxDeaf)
{
    Make(10);
    box->SetFont(GUIEditBoxSettings::kNoFont);
    EXPECT_EQ(box->GetFont(), nullptr);
    Type("a");
    EXPECT_EQ(box->GetText(), L"");
    EXPECT_TRUE(shown.empty());
    box->SetFont(kFontId);
    Type("a");
    EXPECT_EQ(box->GetText(), L"a");
}

TEST_F(GUIEditBoxEditingTest, TheCaretBlinksEveryFourTenths)
{
    Make(10);
    const auto caretShown = [&] {
        return std::any_of(shown.begin(), shown.end(), [](const TextRecord& r) { return r.text == L"_"; });
    };
    int on = 0;
    int off = 0;
    for (int frame = 0; frame < 16; ++frame) {
        Frame({});
        const float t = engine->GetTimerManager()->GetMainTimer()->GetTime();
        const bool expected = static_cast<int>(t / 0.4f) % 2 == 0;
        EXPECT_EQ(caretShown(), expected) << t;
        (expected ? on : off) += 1;
    }
    EXPECT_GT(on, 0);
    EXPECT_GT(off, 0);
}
