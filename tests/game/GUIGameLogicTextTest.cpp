#include "game/GUIGameLogicText.h"
#include "game/GUIGameLogicTextManager.h"

#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextRecord.h"
#include "engine/render/CameraManager.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestFonts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using Halvard::TextRecord;
using Halvard::Vector2;
using Tamrisk::GUIGameLogicTextManager;

constexpr Halvard::i32 kFont = 3;

// The texts of a level on the fake engine, the GUI 800 x 600 units and the
// font one whose every character is as wide as the size it is laid out at.
class GUIGameLogicTextTest : public ::testing::Test {
protected:
    GUIGameLogicTextTest()
    {
        engine.Start();
        engine->GetGUIManager()->SetSize(800.0f, 600.0f);
        Testing::AddEvenFont(engine.folder, *engine->GetGUIManager()->GetFontManager(), kFont, 18.0f);
        texts = std::make_unique<GUIGameLogicTextManager>(&engine.Get(), kFont, nullptr);
    }

    // One frame of the given length (the timers take at most 0.1 s): the
    // texts update, and what they queued into their window is taken (and
    // the window drawn, which empties it).
    std::vector<TextRecord> Frame(double seconds)
    {
        engine.Step(seconds);
        texts->Update();
        std::vector<TextRecord> queued = texts->GetWindow()->GetTexts();
        texts->GetWindow()->Draw();
        return queued;
    }

    // Frames of 0.1 s and one for the rest; what the last one queued.
    std::vector<TextRecord> Frames(double seconds)
    {
        std::vector<TextRecord> last;
        while (seconds > 1e-6) {
            const double step = std::min(seconds, 0.1);
            last = Frame(step);
            seconds -= step;
        }
        return last;
    }

    Testing::FakeEngine engine;
    std::unique_ptr<GUIGameLogicTextManager> texts;
};

struct Moment {
    double age;
    float size;
    float alpha;
    float rise;
};

// "A" line feed "B": "A" one text size above "B", each centred on the anchor
// across, the pair centred on it up and down, while the text grows, rises
// and fades.
TEST_F(GUIGameLogicTextTest, TwoLinesStandOneSizeApartCentredOnTheAnchorAsTheTextGrowsRisesAndFades)
{
    const Moment moments[] = {
        {0.1, 11.0f, 0.5f, 0.0f},
        {0.5, 22.0f, 1.0f, 10.5f},
        {1.575, 22.0f, 0.5f, 48.125f},
    };
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.age);
        texts = std::make_unique<GUIGameLogicTextManager>(&engine.Get(), kFont, nullptr);
        texts->CreateText(L"A\nBB", Vector2(400.0f, 300.0f));
        const std::vector<TextRecord> lines = Frames(moment.age);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].text, L"A");
        EXPECT_EQ(lines[1].text, L"BB");
        const float s = moment.size;
        EXPECT_NEAR(lines[0].position.x, 400.0f - s * 0.5f, 1e-3f);
        EXPECT_NEAR(lines[1].position.x, 400.0f - s, 1e-3f);
        EXPECT_NEAR(lines[0].position.y - lines[1].position.y, s, 1e-3f);
        EXPECT_NEAR(lines[1].position.y, 300.0f - s + moment.rise, 1e-3f);
        for (const TextRecord& line : lines) {
            EXPECT_EQ(line.fontId, static_cast<Halvard::u32>(kFont));
            EXPECT_EQ(line.alignment, 0u);
            EXPECT_FLOAT_EQ(line.sizeOverride, s);
            EXPECT_NEAR(line.color.w, moment.alpha, 1e-4f);
            EXPECT_FLOAT_EQ(line.color.x, 1.0f);
        }
    }
}

// A text is drawn in the frame it ends in, and gone right after it.
TEST_F(GUIGameLogicTextTest, ATextIsDrawnInTheFrameItEndsInAndRemovedAfterIt)
{
    texts->CreateText(L"life", Vector2(100.0f, 100.0f));
    for (int frame = 1; frame <= 19; ++frame) {
        EXPECT_EQ(Frame(0.1).size(), 1u) << frame;
        ASSERT_EQ(texts->GetTexts().size(), 1u) << frame;
    }
    const std::vector<TextRecord> last = Frame(0.1);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_FLOAT_EQ(last[0].color.w, 0.0f);
    EXPECT_TRUE(texts->GetTexts().empty());
    EXPECT_TRUE(Frame(0.1).empty());
}

// Texts live and fade each by its own age; one ending leaves the others in
// the order they were made.
TEST_F(GUIGameLogicTextTest, TextsLiveIndependentlyAndTheRestKeepTheirOrder)
{
    texts->CreateText(L"first", Vector2(100.0f, 100.0f));
    Frames(1.0);
    texts->CreateText(L"second", Vector2(200.0f, 100.0f));
    texts->CreateText(L"third", Vector2(300.0f, 100.0f));
    const std::vector<TextRecord> frame = Frames(1.0);
    ASSERT_EQ(frame.size(), 3u);
    EXPECT_EQ(frame[0].text, L"first");
    EXPECT_FLOAT_EQ(frame[0].color.w, 0.0f);
    EXPECT_EQ(frame[1].text, L"second");
    EXPECT_EQ(frame[2].text, L"third");
    EXPECT_FLOAT_EQ(frame[2].color.w, 1.0f);
    ASSERT_EQ(texts->GetTexts().size(), 2u);
    EXPECT_EQ(texts->GetTexts()[0]->GetLines(), std::vector<std::wstring>{L"second"});
    EXPECT_EQ(texts->GetTexts()[1]->GetLines(), std::vector<std::wstring>{L"third"});
}

TEST_F(GUIGameLogicTextTest, LinesAreSplitAtLineFeedsWithoutAnEmptyLastOne)
{
    const std::pair<std::wstring, std::vector<std::wstring>> cases[] = {
        {L"", {}},
        {L"A\nB", {L"A", L"B"}},
        {L"A\n", {L"A"}},
        {L"A\n\nB", {L"A", L"", L"B"}},
        {L"\n", {L""}},
    };
    for (const auto& [text, lines] : cases) {
        const Tamrisk::GUIGameLogicText floating(&engine.Get(), Vector2(0.0f, 0.0f), text, kFont,
                                                 texts->GetWindow());
        EXPECT_EQ(floating.GetLines(), lines);
    }
}

// An empty text, or one without its font (no "tip" font gives -1, another
// index may name none), draws nothing and still lives its 1.95 s.
TEST_F(GUIGameLogicTextTest, AnEmptyTextOrOneWithoutItsFontDrawsNothingAndLivesItsTime)
{
    for (const auto& [text, font] : {std::pair{L"", kFont}, std::pair{L"barrier", -1}, std::pair{L"hammer", 9}}) {
        SCOPED_TRACE(font);
        texts = std::make_unique<GUIGameLogicTextManager>(&engine.Get(), font, nullptr);
        texts->CreateText(text, Vector2(400.0f, 300.0f));
        for (int frame = 0; frame < 19; ++frame)
            EXPECT_TRUE(Frame(0.1).empty());
        EXPECT_EQ(texts->GetTexts().size(), 1u);
        EXPECT_TRUE(Frame(0.1).empty());
        EXPECT_TRUE(texts->GetTexts().empty());
    }
    EXPECT_TRUE(Testing::LogProbe(*engine->GetMessageManager()).HasNoErrorLine());
}

// The window is created shown, on layer 490, below the given parent.
TEST_F(GUIGameLogicTextTest, TheTextWindowLiesOnItsLayerBelowTheParent)
{
    Halvard::GUIWindow* parent = engine->GetGUIManager()->CreateWindowFromModel(
        Halvard::GUIWindow::kShown, Vector2(0.0f, 0.0f), Vector2(800.0f, 600.0f), nullptr, nullptr);
    texts = std::make_unique<GUIGameLogicTextManager>(&engine.Get(), kFont, parent);
    EXPECT_EQ(texts->GetWindow()->GetParent(), parent);
    EXPECT_EQ(texts->GetWindow()->GetLayer(), 490);
    texts.reset();
    engine->GetGUIManager()->DestroyWindow(parent);
}

// A point of the field lands where the camera shows it, in GUI units; a
// window without a client area (minimised) gets no text at all.
TEST_F(GUIGameLogicTextTest, AFieldPointBecomesATextWhereTheCameraShowsItAndNoneWhileMinimised)
{
    const Halvard::Vector3 point(10.0f, 20.0f, 50.0f);
    Vector2 screen(0.0f, 0.0f);
    const Halvard::CameraManager& cameras = *engine->GetCameraManager();
    cameras.ProjectPoint(screen, cameras.GetDefaultCamera(), point);
    const Halvard::Window& window = *engine->GetWindow();
    texts->AddText(L"A", point);
    const std::vector<TextRecord> lines = Frames(0.5);
    ASSERT_EQ(lines.size(), 1u);
    const float size = 22.0f;
    EXPECT_NEAR(lines[0].position.x + size * 0.5f, screen.x / static_cast<float>(window.GetClientWidth()) * 800.0f,
                1e-2f);
    EXPECT_NEAR(lines[0].position.y + size * 0.5f - 10.5f,
                screen.y / static_cast<float>(window.GetClientHeight()) * 600.0f, 1e-2f);

    engine->GetWindow()->SetMode(0, 0, false);
    texts->AddText(L"B", point);
    EXPECT_EQ(texts->GetTexts().size(), 1u);
}

} // namespace
