#include "gui_tools/controls/GUITextControl.h"

#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextRecord.h"
#include "gui_tools/controls/GUITextComposer.h"
#include "tests/gui_tools/ToolTestBed.h"
#include "tests/support/Watchdog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <limits>

using namespace Halvard;
using GUITools::GUITextControl;
using testing::ElementsAre;

namespace {

constexpr double kFrame = 0.05;

class GUITextControlTest : public testing::Test {
protected:
    GUITextControlTest()
    {
        bed.SetTexts(R"(<hello><en text="hello there"/></hello><world><en text="World"/></world>
                        <menu><title><en text="Main menu"/></title></menu>)");
        bed.Start();
    }

    std::unique_ptr<GUITextControl> Text(const Vector2& size, const std::string& font = "common_0")
    {
        GUITools::GUIControlDescription description;
        description.name = "w/text";
        auto control = std::make_unique<GUITextControl>(bed.Engine(), bed.Keeper(), bed.Tools()->GetFontTool(),
                                                        bed.Tools()->GetTextTool(), nullptr, description);
        control->SetSize(size);
        control->SetFont(font);
        return control;
    }

    // The texts the control queues in one visible frame.
    std::vector<TextRecord> Queued(GUITextControl& control)
    {
        std::vector<TextRecord> texts;
        bed.Frame(kFrame, [&] {
            control.Update();
            texts = control.GetWindow()->GetTexts();
        });
        return texts;
    }

    std::unique_ptr<GUITextControl> Shown(const Vector2& size)
    {
        auto control = Text(size);
        control->SetVisible(true, true);
        Queued(*control);
        return control;
    }

    Testing::ToolTestBed bed;
};

TEST_F(GUITextControlTest, KeysJoinPiecesWithCaseModifiers)
{
    // Wide case mapping beyond ASCII needs a locale that knows it.
    std::setlocale(LC_CTYPE, "C.UTF-8");
    const GUITools::GUITextTool& texts = *bed.Tools()->GetTextTool();
    const std::vector<std::pair<std::string, std::wstring>> cases = {
        {"hello+' '+[u]world", L"hello there WORLD"},
        {"'word'", L"word"},
        {"\"quoted\"", L"quoted"},
        {"menu/title[L]", L"main menu"},
        {"[fu]hello", L"Hello there"},
        {"'abc def ghi'[wu]", L"Abc Def Ghi"},
        {"'a b'[wu]", L"A b"},
        {"'ab cd e'[wu]", L"Ab Cd e"},
        {"'x'[z]", L"x"},
        {"++hello+", L"hello there"},
        {"nothing", L"UNKNOWN"},
        {"'", L"UNKNOWN"},
        {"", L""},
    };
    for (const auto& [key, text] : cases)
        EXPECT_EQ(GUITools::GUITextComposer::Compose(key, texts), text) << key;
    EXPECT_EQ(GUITools::GUITextComposer::ApplyModifier(L"\u0430\u0431", "[u]"), L"\u0410\u0411");
}

TEST_F(GUITextControlTest, ASingleLineIsQueuedWithItsAlignmentFlags)
{
    auto control = Shown(Vector2(200, 50));
    control->SetText("'Hi'");
    const std::vector<std::tuple<std::string, std::string, u32>> cases = {
        {"right", "top", GUIFontManager::kRight | GUIFontManager::kTop},
        {"left", "bottom", GUIFontManager::kLeft | GUIFontManager::kBottom},
        {"centre", "middle", GUIFontManager::kCenterHorizontal | GUIFontManager::kCenterVertical},
        {"upper_left", "on_top", GUIFontManager::kLeft | GUIFontManager::kTop},
    };
    for (const auto& [h, v, flags] : cases) {
        control->SetAlignmentH(h);
        control->SetAlignmentV(v);
        const std::vector<TextRecord> texts = Queued(*control);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].alignment, flags) << h << " " << v;
        EXPECT_FLOAT_EQ(texts[0].position.x, 0.0f);
        EXPECT_FLOAT_EQ(texts[0].position.y, 0.0f);
        EXPECT_EQ(texts[0].text, L"Hi");
        EXPECT_FLOAT_EQ(texts[0].sizeOverride, Testing::ToolTestBed::kFontSize);
    }
}

TEST_F(GUITextControlTest, SeveralLinesStackFromTheirVerticalWord)
{
    auto control = Shown(Vector2(100, 1));
    control->SetFontSize(0.1f);
    control->SetLineSpace(0.02f);
    control->SetText("'a\nb\nc'");
    const std::vector<std::pair<std::string, std::vector<float>>> cases = {
        {"bottom", {0.24f, 0.12f, 0.0f}},
        {"top", {0.9f, 0.78f, 0.66f}},
        {"centre", {0.56f, 0.44f, 0.32f}},
    };
    for (const auto& [word, heights] : cases) {
        control->SetAlignmentV(word);
        const std::vector<TextRecord> texts = Queued(*control);
        ASSERT_EQ(texts.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(texts[i].position.y, heights[i], 1e-5f) << word << " " << i;
            EXPECT_EQ(texts[i].alignment, GUIFontManager::kLeft) << word;
        }
    }
}

TEST_F(GUITextControlTest, LineBreaksAndWrappingMakeTheLines)
{
    auto control = Text(Vector2(45, 100));
    control->SetText("'one\r\ntwo'");
    EXPECT_THAT(control->GetLines(), ElementsAre(L"one", L"two"));
    control->SetText("'one\n\ntwo\n'");
    EXPECT_THAT(control->GetLines(), ElementsAre(L"one", L"", L"two"));
    // Each character is ten units wide: "abc d" overflows 45 and breaks.
    control->SetMultiline(true);
    control->SetText("'abc def'");
    EXPECT_THAT(control->GetLines(), ElementsAre(L"abc", L"def"));
    EXPECT_EQ(control->GetCharacterCount(), 6u);
    control->SetText("'abcdefgh ij'");
    EXPECT_THAT(control->GetLines(), ElementsAre(L"abcdefgh", L"ij"));
    control->SetMultiline(false);
    control->UpdateLayout();
    EXPECT_THAT(control->GetLines(), ElementsAre(L"abcdefgh ij"));
}

// A word wider than the line stays whole on a line of its own, and laying
// it out costs each of its characters the same however long it grows.
TEST_F(GUITextControlTest, AWordWiderThanTheLineStaysWholeAndLaysOutInTime)
{
    auto control = Text(Vector2(45, 100));
    control->SetMultiline(true);
    const std::wstring word(100000, L'x');
    Testing::RunWithin(std::chrono::seconds(5), "wrapping a long word",
                       [&] { control->SetRawText(L"ab " + word + L" cd"); });
    EXPECT_THAT(control->GetLines(), ElementsAre(L"ab", word, L"cd"));
}

TEST_F(GUITextControlTest, AutoFontSizeShrinksUntilTheTextFits)
{
    auto control = Text(Vector2(100, 30));
    control->SetFontSize(20.0f);
    control->SetAutoFontSize(true);
    control->SetText("'abcd'");
    EXPECT_FLOAT_EQ(control->GetEffectiveSize(), 20.0f);
    control->SetText("'abcdefghijklmnopqrstuvwxyz'");
    EXPECT_FLOAT_EQ(control->GetEffectiveSize(), GUITextControl::kSmallestAutoSize);
    // Six characters of 16 fit 100 across.
    control->SetText("'abcdef'");
    EXPECT_FLOAT_EQ(control->GetEffectiveSize(), 16.0f);
}

// Above 2^24 taking a unit leaves a float as it was: the shrinking stops
// after as many steps as the largest font size, at whatever size it reached.
TEST_F(GUITextControlTest, AutoFontSizeFromASizeNoUnitChangesEndsAfterCountedSteps)
{
    for (const float size : {1e9f, 1e30f, std::numeric_limits<float>::infinity()}) {
        auto control = Text(Vector2(100, 30));
        control->SetFontSize(size);
        control->SetAutoFontSize(true);
        Testing::RunWithin(std::chrono::seconds(5), "fitting a text of size " + std::to_string(size),
                           [&] { control->SetText("'abcdefghijklmnopqrstuvwxyz'"); });
        EXPECT_EQ(control->GetEffectiveSize(), size);
        EXPECT_THAT(control->GetLines(), ElementsAre(L"abcdefghijklmnopqrstuvwxyz"));
    }
}

TEST_F(GUITextControlTest, PrintingNeverTakesLongerThanTheMaximumTime)
{
    auto control = Shown(Vector2(100000, 100));
    control->SetPrintingMode(true);
    control->SetPrintingSpeed(10.0f);
    control->SetMaxPrintingTime(20.0f);
    control->SetRawText(std::wstring(1000, L'x'));
    EXPECT_FALSE(control->IsPrintingDone());
    for (int i = 0; i < 20; ++i)
        Queued(*control);
    EXPECT_NEAR(control->GetPrinted(), 50.0f, 1e-2f);
    const std::vector<TextRecord> texts = Queued(*control);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NEAR(static_cast<double>(texts[0].text.size()), 50.0, 1.0);
    EXPECT_EQ(texts[0].alignment, 0u);
}

TEST_F(GUITextControlTest, ANewPrintedTextFirstErasesTheOldOne)
{
    auto control = Shown(Vector2(100000, 100));
    control->SetPrintingMode(true);
    control->SetPrintingSpeed(20.0f);
    control->SetRawText(L"old");
    for (int i = 0; i < 10; ++i)
        Queued(*control);
    ASSERT_TRUE(control->IsPrintingDone());
    control->SetRawText(L"newer");
    EXPECT_FALSE(control->IsPrintingDone());
    // About one character a frame: the old text shrinks away first, then
    // the new one grows to its end.
    std::vector<std::wstring> shown;
    for (int i = 0; i < 12; ++i) {
        const std::vector<TextRecord> texts = Queued(*control);
        shown.push_back(texts.empty() ? L"" : texts[0].text);
    }
    ASSERT_EQ(shown.front(), L"old");
    EXPECT_EQ(shown.back(), L"newer");
    std::size_t i = 0;
    for (; i + 1 < shown.size() && shown[i + 1].size() <= shown[i].size() && !shown[i].empty(); ++i)
        EXPECT_EQ(std::wstring(L"old").rfind(shown[i + 1], 0), 0u) << i;
    EXPECT_LE(shown[i].size(), 1u);
    for (; i + 1 < shown.size(); ++i) {
        EXPECT_GE(shown[i + 1].size(), shown[i].size()) << i;
        EXPECT_EQ(std::wstring(L"newer").rfind(shown[i + 1], 0), 0u) << i;
    }
    EXPECT_TRUE(control->IsPrintingDone());
}

TEST_F(GUITextControlTest, ParametersFillTheirPlaceholders)
{
    auto control = Text(Vector2(500, 20));
    control->SetText("'%NAME%, %NAME%!'");
    control->SetParameter(L"NAME", L"a");
    control->SetParameter(L"NAME", L"bob");
    control->SetParameter(L"OTHER", L"x");
    EXPECT_THAT(control->GetLines(), ElementsAre(L"bob, bob!"));
    EXPECT_EQ(control->GetText(), L"%NAME%, %NAME%!");
}

TEST_F(GUITextControlTest, RawTextKeepsAKeyOfItsOwn)
{
    auto control = Text(Vector2(500, 20));
    control->SetRawText(L"raw");
    EXPECT_EQ(control->GetTextKey(), "'raw'");
    control->UpdateLayout();
    EXPECT_THAT(control->GetLines(), ElementsAre(L"raw"));
}

TEST_F(GUITextControlTest, WithoutAKnownFontNothingIsLaidOutOrDrawn)
{
    auto control = Text(Vector2(500, 20), "missing");
    control->SetVisible(true, true);
    control->SetText("hello");
    EXPECT_EQ(control->GetFontIndex(), -1);
    EXPECT_TRUE(control->GetLines().empty());
    EXPECT_TRUE(Queued(*control).empty());
    control->SetFont("common_1");
    EXPECT_THAT(control->GetLines(), ElementsAre(L"hello there"));
    EXPECT_EQ(Queued(*control).size(), 1u);
}

TEST_F(GUITextControlTest, AFaderScalesTheTextsAlpha)
{
    auto control = Text(Vector2(500, 20));
    GUITools::GUIFaderSettings fader;
    fader.showSpeed = 2.0f;
    fader.min = 0.2f;
    control->SetFader("f", fader);
    control->SetColor(Vector4(1, 1, 1, 0.5f));
    control->SetText("hello");
    control->SetVisible(true, true);
    std::vector<TextRecord> texts;
    for (int i = 0; i < 5; ++i)
        texts = Queued(*control);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NEAR(texts[0].color.w, 0.3f, 1e-4f);
}

} // namespace
