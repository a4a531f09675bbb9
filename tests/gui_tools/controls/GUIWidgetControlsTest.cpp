#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"
#include "gui_tools/controls/GUIButtonControl.h"
#include "gui_tools/controls/GUICheckBoxControl.h"
#include "gui_tools/controls/GUIScrollControl.h"
#include "gui_tools/controls/GUISliderControl.h"
#include "tests/gui_tools/ControlTestBed.h"

#include <gtest/gtest.h>

using namespace Halvard;
using GUITools::GUIControlDescription;
using GUITools::GUIScrollControl;

namespace {

constexpr double kFrame = 0.05;

class GUIWidgetControlsTest : public testing::Test {
protected:
    GUIWidgetControlsTest()
    {
        const ShaderDescriptor glow = MakeShaderDescriptor("glow.tga", "", false);
        bed.keeper->AddShaderUser("ui/glow", bed.engine->GetShaderManager()->CreateShaderUser(glow));
        bed.AddSlidingModel("picture", 4, 10.0f);
    }

    static GUIControlDescription Description(const std::string& model, const std::string& shader)
    {
        GUIControlDescription description;
        description.name = "w/control";
        description.model = model;
        description.shader = shader;
        description.uv = Vector2(0.5f, 0.25f);
        return description;
    }

    const ShaderUser* Glow() { return bed.keeper->GetShaderUser("ui/glow"); }

    Testing::ControlTestBed bed;
};

TEST_F(GUIWidgetControlsTest, AShaderAloneMakesAQuadAndAModelTakesTheShader)
{
    GUITools::GUIButtonControl quad(bed.Engine(), bed.Keeper(), nullptr, Description("", "glow"));
    GUIButton& button = *quad.GetButton();
    EXPECT_TRUE(button.HasOwnQuad());
    EXPECT_NE(button.GetFlags() & GUIWindow::kColored, 0u);
    const auto* corners = reinterpret_cast<const ColoredVertex*>(button.GetModel()->GetVertexBuffer().GetData());
    EXPECT_FLOAT_EQ(corners[1].u, 0.5f);
    EXPECT_FLOAT_EQ(corners[1].v, 0.25f);
    EXPECT_EQ(bed.engine->GetGUIManager()->GetButtons().GetCount(), 1u);

    GUITools::GUIButtonControl model(bed.Engine(), bed.Keeper(), nullptr, Description("picture", "glow"));
    EXPECT_FALSE(model.GetButton()->HasOwnQuad());
    EXPECT_EQ(model.GetButton()->GetModel()->GetShaderUser()->GetStage(0).diffuseName, Glow()->GetStage(0).diffuseName);
    // The model's frames show the button's state: showing plays none of them.
    EXPECT_EQ(model.GetModelAnimation(), nullptr);

    GUITools::GUIButtonControl bare(bed.Engine(), bed.Keeper(), nullptr, Description("", ""));
    EXPECT_EQ(bare.GetButton()->GetModel(), nullptr);
}

TEST_F(GUIWidgetControlsTest, EachControlLeavesOnlyItsOwnTable)
{
    GUIManager& gui = *bed.engine->GetGUIManager();
    {
        GUITools::GUICheckBoxControl box(bed.Engine(), bed.Keeper(), nullptr, Description("picture", ""));
        GUIScrollControl scroll(bed.Engine(), bed.Keeper(), nullptr, Description("", "glow"));
        GUITools::GUISliderControl slider(bed.Engine(), bed.Keeper(), nullptr, Description("", ""));
        EXPECT_EQ(box.GetModelAnimation(), nullptr);
        EXPECT_EQ(gui.GetCheckBoxes().GetCount(), 1u);
        EXPECT_EQ(gui.GetScrolls().GetCount(), 1u);
        EXPECT_EQ(gui.GetSliders().GetCount(), 1u);
        EXPECT_EQ(gui.GetButtons().GetCount(), 0u);
    }
    EXPECT_EQ(gui.GetCheckBoxes().GetCount(), 0u);
    EXPECT_EQ(gui.GetScrolls().GetCount(), 0u);
    EXPECT_EQ(gui.GetSliders().GetCount(), 0u);
}

TEST_F(GUIWidgetControlsTest, OrientationIsASubstringMatch)
{
    GUITools::GUISliderControl slider(bed.Engine(), bed.Keeper(), nullptr, Description("", ""));
    slider.SetVisible(true, true);
    for (const auto& [word, vertical] : std::vector<std::pair<std::string, bool>>{
             {"horizontal", false}, {"myverticalbar", true}, {"Vertical", false}, {"vertical", true}}) {
        slider.SetOrientation(word);
        bed.Frame(slider, kFrame);
        EXPECT_EQ(slider.GetSlider()->IsVertical(), vertical) << word;
    }
}

TEST_F(GUIWidgetControlsTest, SliderSettingsWinOverTheSliderEveryVisibleFrame)
{
    GUITools::GUISliderControl control(bed.Engine(), bed.Keeper(), nullptr, Description("", ""));
    control.CreateThumb("", "glow", Vector2(0.5f, 0.5f));
    GUISlider& slider = *control.GetSlider();
    EXPECT_TRUE(slider.GetThumb()->HasOwnQuad());
    // A thumb is made at the size the control holds then.
    EXPECT_FLOAT_EQ(slider.GetThumbSize().x, 1.0f);
    control.SetThumbSize(Vector2(2, 3));
    control.SetTrackStart(Vector2(1, 1));
    control.SetTrackEnd(Vector2(9, 1));
    control.SetThumbSelectionSize(Vector2(4, 4));
    // Hidden, nothing is pushed.
    bed.Frame(control, kFrame);
    EXPECT_FLOAT_EQ(slider.GetThumbSize().x, 1.0f);
    control.SetVisible(true, true);
    bed.Frame(control, kFrame);
    slider.SetTrackEnd(Vector2(5, 5));
    bed.Frame(control, kFrame);
    EXPECT_FLOAT_EQ(slider.GetThumbSize().y, 3.0f);
    EXPECT_FLOAT_EQ(slider.GetTrackStart().x, 1.0f);
    EXPECT_FLOAT_EQ(slider.GetTrackEnd().x, 9.0f);
    EXPECT_TRUE(slider.GetThumb()->hitAreaEnabled);
    EXPECT_FLOAT_EQ(slider.GetThumb()->hitAreaSize.x, 4.0f);
}

TEST_F(GUIWidgetControlsTest, LowerArrowsGoBelowTheTrack)
{
    GUIScrollControl control(bed.Engine(), bed.Keeper(), nullptr, Description("", ""));
    control.SetArrowPosition(GUIScrollControl::kDecrease, Vector2(0, 10));
    control.SetArrowSize(GUIScrollControl::kDecrease, Vector2(2, 2));
    control.CreateArrow(GUIScrollControl::kDecrease, "picture", "glow", Vector2(1, 1));
    control.CreateArrow(GUIScrollControl::kIncrease, "", "glow", Vector2(1, 1));
    control.SetArrowSelectionPosition(GUIScrollControl::kIncrease, Vector2(1, 1));
    control.SetHeight(4);
    GUIScroll& scroll = *control.GetScroll();
    ASSERT_NE(scroll.GetDecreaseArrow()->GetModel(), nullptr);
    EXPECT_FALSE(scroll.GetDecreaseArrow()->HasOwnQuad());
    EXPECT_FLOAT_EQ(scroll.GetDecreaseArrow()->position.y, 10.0f);
    EXPECT_TRUE(scroll.GetIncreaseArrow()->HasOwnQuad());
    control.SetVisible(true, true);
    bed.Frame(control, kFrame);
    EXPECT_EQ(scroll.GetIncreaseArrow()->GetLayer(), 2);
    EXPECT_EQ(scroll.GetLayer(), 4);
    EXPECT_TRUE(scroll.GetIncreaseArrow()->hitAreaEnabled);
    EXPECT_FALSE(scroll.GetDecreaseArrow()->hitAreaEnabled);
    control.SetButtonsAlignment("lower");
    bed.Frame(control, kFrame);
    EXPECT_EQ(scroll.GetIncreaseArrow()->GetLayer(), -1);
    EXPECT_EQ(scroll.GetDecreaseArrow()->GetLayer(), -1);
    EXPECT_EQ(scroll.GetLayer(), 5);
    EXPECT_LT(scroll.GetDepth(), scroll.GetDecreaseArrow()->GetDepth());
}

} // namespace
