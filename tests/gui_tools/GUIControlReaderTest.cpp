#include "gui_tools/GUIControlReader.h"

#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUIWindow.h"
#include "game_tools/XMLNode.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUIWindowBase.h"
#include "gui_tools/controls/GUIEditBoxControl.h"
#include "gui_tools/controls/GUIScrollControl.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/gui_tools/ToolTestBed.h"

#include <gtest/gtest.h>

using namespace Halvard;
using GameTools::XMLNode;
using GUITools::GUIControlReader;
using GUITools::GUIScrollControl;

namespace {

constexpr double kFrame = 0.05;

// Three elements of one control, nearest first.
class GUIControlReaderTest : public testing::Test {
protected:
    GUIControlReaderTest()
    {
        own.SetAttribute("model", "own");
        own.SetAttribute("height", "5");
        near.SetAttribute("model", "near");
        near.SetAttribute("uv", "0.5");
        near.SetAttribute("model_end_frame", "7");
        far.SetAttribute("uv", "2 3");
        far.SetAttribute("shader", "far");
        far.SetAttribute("size", "1 2 3");
        nodes = {&own, &near, &far};
    }

    XMLNode own;
    XMLNode near;
    XMLNode far;
    GUITools::GUINodeList nodes;
};

TEST_F(GUIControlReaderTest, TheNearestNodeWithTheAttributeWins)
{
    const GUIControlReader reader(nodes);
    const GUITools::GUIControlDescription description = reader.ReadDescription("w/c");
    EXPECT_EQ(description.name, "w/c");
    EXPECT_EQ(description.model, "own");
    EXPECT_EQ(description.shader, "far");
    // Missing numbers of a vector are 0, not the default.
    EXPECT_FLOAT_EQ(description.uv.x, 0.5f);
    EXPECT_FLOAT_EQ(description.uv.y, 0.0f);
    EXPECT_EQ(description.modelStartFrame, -1);
    EXPECT_EQ(description.modelEndFrame, 7);
    EXPECT_TRUE(description.animatorModel.empty());
    EXPECT_EQ(GUITools::GUIWindowBase::FindAttribute(nodes, "size"), far.GetAttribute("size"));
    EXPECT_EQ(GUITools::GUIWindowBase::FindAttribute(nodes, "nothing"), nullptr);
    Vector2 size(9, 9);
    EXPECT_TRUE(reader.Read("size", size));
    EXPECT_FLOAT_EQ(size.y, 2.0f);
    i32 missing = 4;
    EXPECT_FALSE(reader.Read("missing", missing));
    EXPECT_EQ(missing, 4);
}

// The attributes of each control type, read through a window description.
class GUIControlAttributesTest : public testing::Test {
protected:
    std::unique_ptr<GUITools::GUIWindowBase> Start(const std::string& xml)
    {
        bed.AddDescription("w.xml", xml);
        bed.Start();
        return std::make_unique<GUITools::GUIWindowBase>(bed.Engine(), bed.Keeper(), bed.Tools(), nullptr, "w");
    }

    Testing::ToolTestBed bed;
};

TEST_F(GUIControlAttributesTest, EditBoxAttributesReachTheBoxWhileItIsVisible)
{
    const auto window = Start(R"(<window name="w"><edit_box name="plain"/>
        <edit_box name="set" font="common_1" font_color="1 0 0 1" text_offset="2 3" cursor_character=""
                  max_character_count="-4" max_text_length="50" visible_text_width="40"/>
        <edit_box name="caret" cursor_character="|x"/></window>)");
    const GUITools::GUIEditBoxControl& plain = *window->GetEditBoxControl("w/plain");
    EXPECT_EQ(plain.GetFontIndex(), -1);
    EXPECT_EQ(plain.GetSettings().caretCharacter, L'_');
    EXPECT_EQ(plain.GetSettings().maxLength, 255u);
    EXPECT_EQ(plain.GetEditBox()->GetFont(), nullptr);
    const GUITools::GUIEditBoxControl& set = *window->GetEditBoxControl("w/set");
    EXPECT_EQ(set.GetFontIndex(), bed.Tools()->GetFontTool()->GetFontIndex("common_1"));
    EXPECT_EQ(set.GetSettings().caretCharacter, L' ');
    EXPECT_EQ(set.GetSettings().maxLength, 0u);
    EXPECT_EQ(window->GetEditBoxControl("w/caret")->GetSettings().caretCharacter, L'|');

    GUIEditBox& box = *window->GetEditBox("w/set");
    EXPECT_FLOAT_EQ(box.GetVisibleWidth(), 800.0f);
    window->Show(true);
    bed.Frame(kFrame, [&] { window->Update(); });
    EXPECT_NE(box.GetFont(), nullptr);
    EXPECT_FLOAT_EQ(box.GetTextColor().y, 0.0f);
    EXPECT_FLOAT_EQ(box.GetTextOffset().y, 3.0f);
    EXPECT_EQ(box.GetCaretText(), L" ");
    EXPECT_FLOAT_EQ(box.GetMaxWidth(), 50.0f);
    EXPECT_FLOAT_EQ(box.GetVisibleWidth(), 40.0f);
}

TEST_F(GUIControlAttributesTest, TextLabelAttributesSetTheControl)
{
    bed.SetTexts(R"(<title><en text="Title"/></title>)");
    const auto window = Start(R"(<window name="w"><text_label name="t" font="common_0" text="[u]title"
        alignment_h="right" alignment_v="top" color="0.5 0.5 0.5" angle="0.25" font_size="20" multiline="1"
        line_space="2" printing_mode="1" printing_speed="30" max_printing_time="3" auto_font_size="true"/>
        <text_label name="plain"/></window>)");
    const GUITools::GUITextControl& text = *window->GetTextControl("w/t");
    EXPECT_EQ(text.GetText(), L"TITLE");
    EXPECT_EQ(text.GetFontName(), "common_0");
    EXPECT_FLOAT_EQ(text.GetEffectiveSize(), 20.0f);
    EXPECT_TRUE(text.IsMultiline());
    EXPECT_FLOAT_EQ(text.GetColor().w, 0.0f);
    const GUITools::GUITextControl& plain = *window->GetTextControl("w/plain");
    EXPECT_TRUE(plain.GetTextKey().empty());
    EXPECT_EQ(plain.GetFontIndex(), -1);
    EXPECT_FLOAT_EQ(plain.GetColor().w, 1.0f);
}

TEST_F(GUIControlAttributesTest, ScrollAttributesMakeTheThumbAndBothArrows)
{
    const auto window = Start(R"(<window name="w"><scroll name="s" height="3" toddler_size="4 5"
        toddler_min_position="1 0" toddler_max_position="1 90" orientation="vertical" toddler_selection_size="6 6"
        increase_button_size="7 8" increase_button_position="0 100" decrease_button_selection_position="1 1"
        buttons_alignment="lower"/><slider name="plain"/></window>)");
    const GUIScrollControl& scroll = *window->GetScrollControl("w/s");
    EXPECT_EQ(scroll.GetOrientation(), "vertical");
    EXPECT_FLOAT_EQ(scroll.GetArrow(GUIScrollControl::kIncrease).size.x, 7.0f);
    EXPECT_FLOAT_EQ(scroll.GetArrow(GUIScrollControl::kIncrease).position.y, 100.0f);
    EXPECT_FALSE(scroll.GetArrow(GUIScrollControl::kIncrease).selection);
    EXPECT_TRUE(scroll.GetArrow(GUIScrollControl::kDecrease).selection);
    EXPECT_EQ(scroll.GetButtonsAlignment(), "lower");
    ASSERT_EQ(window->GetSliderControls().size(), 1u);
    EXPECT_EQ(window->GetSliderControls()[0]->GetOrientation(), "horizontal");
    window->Show(true);
    bed.Frame(kFrame, [&] { window->Update(); });
    GUIScroll& widget = *window->GetScroll("w/s");
    EXPECT_TRUE(widget.IsVertical());
    EXPECT_FLOAT_EQ(widget.GetTrackEnd().y, 90.0f);
    EXPECT_EQ(widget.GetLayer(), 4);
    EXPECT_FLOAT_EQ(widget.GetIncreaseArrow()->position.y, 100.0f);
    EXPECT_TRUE(widget.GetDecreaseArrow()->hitAreaEnabled);
}

} // namespace
