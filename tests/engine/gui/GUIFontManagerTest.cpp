#include "engine/gui/GUIFontManager.h"

#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextRecord.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/VertexBuffer.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ModelHarness.h"
#include "tests/support/TestFonts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using namespace Halvard;
using Tools::FontGlyph;

namespace {

constexpr u32 kFontId = 2;
constexpr Vector4 kWhite(1.0f, 1.0f, 1.0f, 1.0f);

FontGlyph Half(std::uint16_t character)
{
    FontGlyph glyph;
    glyph.character = character;
    glyph.uSize = glyph.vSize = 0.5f;
    glyph.width = 0.5f;
    return glyph;
}

// Fonts that draw into batch models on the fake video system, and windows
// without pictures that say where their texts go.
class GUIFontManagerTest : public testing::Test {
protected:
    GUIFontManagerTest()
    {
        harness.Start();
        GUIFontServices services;
        services.messages = harness.render.messages.get();
        services.files = &harness.folder.Files();
        services.shaders = harness.shaders.get();
        services.models = harness.models.get();
        fonts = std::make_unique<GUIFontManager>(services);
        widgets.fonts = fonts.get();
    }

    // A, B and M of the given widths; size 0.1, space 0.5, no blank.
    GUIFont* AddABFont(u32 id)
    {
        const std::string name = "fonts\\ab" + std::to_string(id) + ".fnt";
        FontGlyph wide = Half('M');
        wide.width = 0.8f;
        harness.folder.Write("data\\" + name, Testing::FontFileBytes({Half('A'), Half('B'), wide}));
        GUIFont* font = fonts->AddFont(id, MakeDefaultShaderDescriptor(), name);
        font->SetSize(0.1f);
        font->SetSpace(0.5f);
        return font;
    }

    std::unique_ptr<GUIWindow> Window(u32 flags, const Vector2& position, const Vector2& size)
    {
        return std::make_unique<GUIWindow>(widgets, GUIPlacement{GUIWindow::kShown | flags, position, size, nullptr},
                                           nullptr);
    }

    static TextRecord Text(const std::wstring& text, u32 alignment = 0)
    {
        TextRecord record;
        record.fontId = kFontId;
        record.alignment = alignment;
        record.color = kWhite;
        record.text = text;
        return record;
    }

    // The lower-left corner of each quad printed into the font this frame.
    static std::vector<float> QuadStarts(const GUIFont& font)
    {
        const auto* vertices = reinterpret_cast<const ColoredVertex*>(font.GetModel()->GetVertexBuffer().GetData());
        std::vector<float> starts;
        for (u32 q = 0; q < font.GetQuadCount(); ++q)
            starts.push_back(vertices[4 * q + 1].x);
        return starts;
    }

    Testing::ModelHarness harness;
    std::unique_ptr<GUIFontManager> fonts;
    GUIServices widgets;
};

} // namespace

TEST_F(GUIFontManagerTest, ProportionalAndMonospacePlaceGlyphsAlongThePen)
{
    GUIFont* font = AddABFont(kFontId);
    font->Print(Vector2(0.0f, 0.0f), 0.0f, kWhite, L"A B");
    EXPECT_THAT(QuadStarts(*font), testing::Pointwise(testing::FloatNear(1e-6f), {0.0f, 0.1f}));
    EXPECT_NEAR(font->MeasureText(L"A B", 0.0f, -1.0f).x, 0.15f, 1e-6f);
    EXPECT_EQ(font->GetModel()->GetIndexBuffer().GetIndexCount(), 12u);
    font->EndFrame();
    font->SetMonospace(true);
    font->Print(Vector2(0.0f, 0.0f), 0.0f, kWhite, L"A B");
    ASSERT_EQ(font->GetQuadCount(), 2u);
    EXPECT_NEAR(QuadStarts(*font)[0], 0.015f, 1e-6f);
}

TEST_F(GUIFontManagerTest, AFrameHoldsTheFirst1024GlyphsOnly)
{
    GUIFont* font = AddABFont(kFontId);
    font->Print(Vector2(0.0f, 0.0f), 0.0f, kWhite, std::wstring(1100, L'A'));
    EXPECT_EQ(font->GetQuadCount(), GUIFont::kMaxQuads);
    EXPECT_EQ(font->GetModel()->GetIndexBuffer().GetIndexCount(), 6144u);
    font->EndFrame();
    EXPECT_EQ(font->GetModel()->GetIndexBuffer().GetIndexCount(), 6144u);
    font->EndFrame();
    EXPECT_EQ(font->GetModel()->GetIndexBuffer().GetIndexCount(), 0u);
}

TEST_F(GUIFontManagerTest, EachDepthGetsACopyThatDiesWhenItsWindowStopsDrawing)
{
    AddABFont(kFontId);
    const auto front = Window(GUIWindow::kLayerFront, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f));
    const auto middle = Window(GUIWindow::kLayerMiddle, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f));
    fonts->DrawText(Text(L"AB"), front.get());
    fonts->DrawText(Text(L"A"), middle.get());
    fonts->DrawText(Text(L"B"), front.get());
    ASSERT_EQ(fonts->GetDepthCopies().size(), 2u);
    EXPECT_FLOAT_EQ(fonts->GetDepthCopies()[0]->GetDepth(), -10.005f);
    EXPECT_FLOAT_EQ(fonts->GetDepthCopies()[0]->GetModel()->depth, -10.005f);
    EXPECT_EQ(fonts->GetDepthCopies()[0]->GetQuadCount(), 3u);
    EXPECT_FLOAT_EQ(fonts->GetDepthCopies()[1]->GetDepth(), -20.005f);
    fonts->Flush();
    fonts->DrawText(Text(L"A"), middle.get());
    fonts->Flush();
    ASSERT_EQ(fonts->GetDepthCopies().size(), 1u);
    EXPECT_FLOAT_EQ(fonts->GetDepthCopies()[0]->GetDepth(), -20.005f);
}

// A copy prints with its source's sizes, so it must not outlive it.
TEST_F(GUIFontManagerTest, RemovingAFontDeletesItsCopiesAndATakenIdKeepsItsFont)
{
    GUIFont* first = AddABFont(kFontId);
    AddABFont(kFontId + 1);
    const auto window = Window(0, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f));
    fonts->DrawText(Text(L"A"), window.get());
    TextRecord other = Text(L"B");
    other.fontId = kFontId + 1;
    fonts->DrawText(other, window.get());
    ASSERT_EQ(fonts->GetDepthCopies().size(), 2u);
    const std::size_t errors = Testing::LogProbe(*harness.render.messages).ErrorLines().size();
    EXPECT_EQ(fonts->AddFont(kFontId, MakeDefaultShaderDescriptor(), "fonts\\ab2.fnt"), nullptr);
    EXPECT_EQ(Testing::LogProbe(*harness.render.messages).ErrorLines().size(), errors + 1);
    EXPECT_EQ(fonts->GetFont(kFontId), first);
    fonts->RemoveFont(kFontId);
    EXPECT_EQ(fonts->GetFont(kFontId), nullptr);
    ASSERT_EQ(fonts->GetDepthCopies().size(), 1u);
    EXPECT_EQ(fonts->GetDepthCopies()[0]->GetSource(), fonts->GetFont(kFontId + 1));
    fonts->RemoveFont(99);
}

TEST_F(GUIFontManagerTest, AlignmentPlacesTextsInTheWindowOrItsTextArea)
{
    AddABFont(kFontId);
    auto window = Window(0, Vector2(1.0f, 1.0f), Vector2(2.0f, 1.0f));
    // "AAAAAAAAAA" measures 0.5 wide and 0.1 high.
    const std::wstring text(10, L'A');
    struct Case {
        u32 alignment;
        Vector2 expected;
    };
    const Case cases[] = {
        {GUIFontManager::kRight, Vector2(2.5f, 1.2f)},
        {GUIFontManager::kLeft | GUIFontManager::kTop, Vector2(1.0f, 1.9f)},
        {GUIFontManager::kCenterHorizontal | GUIFontManager::kCenterVertical, Vector2(1.75f, 1.45f)},
        {GUIFontManager::kBottom | GUIFontManager::kRight | GUIFontManager::kLeft, Vector2(1.0f, 1.0f)},
        {0, Vector2(1.1f, 1.2f)},
    };
    for (const Case& c : cases) {
        const Vector2 at = fonts->GetTextPosition(c.alignment, kFontId, *window, Vector2(0.1f, 0.2f), 0.0f, text);
        EXPECT_NEAR(at.x, c.expected.x, 1e-5f) << c.alignment;
        EXPECT_NEAR(at.y, c.expected.y, 1e-5f) << c.alignment;
    }
    window->textAreaEnabled = true;
    window->textAreaOffset = Vector2(0.5f, 0.0f);
    window->textAreaSize = Vector2(1.0f, 0.5f);
    EXPECT_NEAR(fonts->GetTextPosition(GUIFontManager::kRight, kFontId, *window, Vector2(), 0.0f, text).x, 2.0f,
                1e-5f);
    // Turned half round, a text runs back from its start.
    EXPECT_NEAR(fonts->GetTextPosition(GUIFontManager::kLeft, kFontId, *window, Vector2(), 3.1415927f, text).x,
                2.0f, 1e-5f);
    const Vector2 unknown = fonts->GetTextPosition(GUIFontManager::kRight, 77, *window, Vector2(), 0.0f, text);
    EXPECT_EQ(unknown.x, 0.0f);
    EXPECT_EQ(unknown.y, 0.0f);
}

TEST_F(GUIFontManagerTest, HiddenWindowsAndUnknownFontsDrawNothing)
{
    AddABFont(kFontId);
    const auto window = Window(0, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f));
    window->ClearFlags(GUIWindow::kShown);
    fonts->DrawText(Text(L"AB"), window.get());
    window->SetFlags(GUIWindow::kShown);
    TextRecord unknown = Text(L"AB");
    unknown.fontId = 77;
    fonts->DrawText(unknown, window.get());
    EXPECT_TRUE(fonts->GetDepthCopies().empty());
}

// A size override for a font that does not exist has no font to resize:
// the record is skipped and nothing is drawn.
TEST_F(GUIFontManagerTest, AWindowsSizeOverrideLastsOneTextAndSkipsUnknownFonts)
{
    GUIFont* font = AddABFont(kFontId);
    const auto window = Window(0, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f));
    window->AddText(0, 0xFFFFFFFF, Vector2(), kWhite, L"AB", 0.0f, 0.5f);
    window->AddText(0, kFontId, Vector2(), kWhite, L"AB", 0.0f, 0.2f);
    EXPECT_TRUE(window->Draw());
    EXPECT_FLOAT_EQ(font->GetSize(), 0.1f);
    ASSERT_EQ(fonts->GetDepthCopies().size(), 1u);
    const GUIFont& copy = *fonts->GetDepthCopies()[0];
    EXPECT_THAT(QuadStarts(copy), testing::Pointwise(testing::FloatNear(1e-6f), {0.0f, 0.1f}));
    EXPECT_TRUE(window->GetTexts().empty());
}

TEST_F(GUIFontManagerTest, AKeyedRecordTakesItsTextFromTheTextManagerWhenDrawn)
{
    AddABFont(kFontId);
    GUITextManager texts(nullptr, nullptr);
    texts.SetText("title3", L"ABBA");
    widgets.texts = &texts;
    const auto window = Window(0, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f));
    TextRecord keyed = Text(L"");
    keyed.fromKey = true;
    keyed.key = "title";
    keyed.keyNumber = 3;
    window->AddText(keyed);
    window->Draw();
    ASSERT_EQ(fonts->GetDepthCopies().size(), 1u);
    EXPECT_EQ(fonts->GetDepthCopies()[0]->GetQuadCount(), 4u);
    fonts->Flush();
    keyed.keyNumber = GUITextManager::kNoNumber;
    window->AddText(keyed);
    window->Draw();
    // "UNKNOWN": the font has none of its letters.
    EXPECT_EQ(fonts->GetDepthCopies()[0]->GetQuadCount(), 0u);
}
