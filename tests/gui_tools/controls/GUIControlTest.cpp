#include "gui_tools/controls/GUIControl.h"

#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "tests/gui_tools/ControlTestBed.h"

#include <gtest/gtest.h>

using namespace Halvard;
using GUITools::GUIControlDescription;
using GUITools::GUIFaderSettings;

namespace {

constexpr double kFrame = 0.05;

class GUIControlTest : public testing::Test {
protected:
    // A control shown to its end, for the hiding cases.
    std::unique_ptr<GUITools::GUIWindowControl> Shown(const GUIFaderSettings* fader)
    {
        auto control = bed.WindowControl();
        if (fader != nullptr)
            control->SetFader("test", *fader);
        control->SetVisible(true, true);
        bed.Frames(*control, 40, kFrame);
        return control;
    }

    Testing::ControlTestBed bed;
};

TEST_F(GUIControlTest, WithoutFaderOrAnimationItShowsAndHidesInTheFirstUpdate)
{
    auto control = bed.WindowControl();
    EXPECT_FALSE(control->GetWindow()->visible);
    EXPECT_FALSE(control->IsVisible());
    control->SetVisible(true, true);
    EXPECT_FALSE(control->GetWindow()->visible);
    bed.Frame(*control, kFrame);
    EXPECT_TRUE(control->GetWindow()->visible);
    control->SetVisible(false, true);
    EXPECT_TRUE(control->IsVisible());
    bed.Frame(*control, kFrame);
    EXPECT_FALSE(control->GetWindow()->visible);
    EXPECT_FALSE(control->IsVisible());
}

struct FadeCase {
    const char* name;
    GUIFaderSettings fader;
    bool show;
    int frames;
    bool visible;
    float alpha;
};

void PrintTo(const FadeCase& c, std::ostream* out) { *out << c.name; }

class GUIControlFadeTest : public GUIControlTest, public testing::WithParamInterface<FadeCase> {};

GUIFaderSettings Fader(float showSpeed, float hideSpeed, float min, float max)
{
    GUIFaderSettings fader;
    fader.showSpeed = showSpeed;
    fader.hideSpeed = hideSpeed;
    fader.min = min;
    fader.max = max;
    return fader;
}

GUIFaderSettings WithOffsets(GUIFaderSettings fader, float fade, float show, float hide)
{
    fader.fadeOffset = fade;
    fader.showOffset = show;
    fader.hideOffset = hide;
    return fader;
}

TEST_P(GUIControlFadeTest, TheFadeValueFollowsTime)
{
    const FadeCase& c = GetParam();
    auto control = c.show ? bed.WindowControl() : Shown(&c.fader);
    control->SetFader("test", c.fader);
    control->SetVisible(c.show, true);
    bed.Frames(*control, c.frames, kFrame);
    EXPECT_EQ(control->GetWindow()->visible, c.visible);
    EXPECT_NEAR(control->GetAlpha(), c.alpha, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(
    Faders, GUIControlFadeTest,
    testing::Values(
        // Speed 2 from 0.2 to 1: halfway after a quarter of a second, there for good after half of one.
        FadeCase{"ShowHalfway", Fader(2, 1, 0.2f, 1), true, 5, true, 0.6f},
        FadeCase{"ShowDone", Fader(2, 1, 0.2f, 1), true, 10, true, 1.0f},
        FadeCase{"ShowStaysAtMax", Fader(2, 1, 0.2f, 1), true, 20, true, 1.0f},
        FadeCase{"FadeOffsetDelaysTheValue", WithOffsets(Fader(2, 1, 0, 1), 0.1f, 0, 0), true, 5, true, 0.3f},
        // The widget stays hidden through the show offset, so the fade starts with the show.
        FadeCase{"ShowOffsetKeepsItHidden", WithOffsets(Fader(2, 1, 0, 1), 0, 0.18f, 0), true, 3, false, 0.0f},
        FadeCase{"ShowOffsetThenShows", WithOffsets(Fader(2, 1, 0, 1), 0, 0.18f, 0), true, 4, true, 0.1f},
        // Hide speed 4: still drawn before a quarter of a second, gone at it.
        FadeCase{"HideRunning", Fader(1, 4, 0, 1), false, 4, true, 0.2f},
        FadeCase{"HideEndsAtAQuarter", Fader(1, 4, 0, 1), false, 5, false, 0.0f},
        // The hide offset comes first: nine frames of waiting, then the same quarter of a second from the tenth.
        FadeCase{"HideOffsetWaits", WithOffsets(Fader(1, 4, 0, 1), 0, 0, 0.48f), false, 9, true, 1.0f},
        FadeCase{"HideAfterOffsetRunning", WithOffsets(Fader(1, 4, 0, 1), 0, 0, 0.48f), false, 13, true, 0.2f},
        FadeCase{"HideAfterOffsetEnds", WithOffsets(Fader(1, 4, 0, 1), 0, 0, 0.48f), false, 14, false, 0.0f}),
    [](const testing::TestParamInfo<FadeCase>& info) { return std::string(info.param.name); });

TEST_F(GUIControlTest, AShowActionOfHideHidesTheControlWhenItsWindowShows)
{
    auto control = Shown(nullptr);
    control->SetShowAction("hide");
    control->SetVisible(true, true);
    EXPECT_FALSE(control->IsShown());
    bed.Frame(*control, kFrame);
    EXPECT_FALSE(control->GetWindow()->visible);
}

TEST_F(GUIControlTest, AnUnknownActionLeavesTheControlAsItIs)
{
    auto control = Shown(nullptr);
    control->SetHideAction("none");
    control->SetVisible(false, true);
    bed.Frames(*control, 10, kFrame);
    EXPECT_TRUE(control->IsShown());
    EXPECT_TRUE(control->IsVisible());
    EXPECT_TRUE(control->GetWindow()->visible);
    // Without actions the request is taken as it is.
    control->SetVisible(false, false);
    bed.Frame(*control, kFrame);
    EXPECT_FALSE(control->GetWindow()->visible);
}

TEST_F(GUIControlTest, PlacementIsAppliedEveryVisibleFrame)
{
    auto control = Shown(nullptr);
    control->SetHeight(3);
    control->SetPosition(Vector2(10, 20));
    control->SetSize(Vector2(30, 40));
    bed.Frame(*control, kFrame);
    GUIWindow& widget = *control->GetWindow();
    EXPECT_EQ(widget.GetLayer(), 3);
    EXPECT_FLOAT_EQ(widget.position.x, 10.0f);
    EXPECT_FLOAT_EQ(widget.size.y, 40.0f);
    EXPECT_FALSE(widget.hitAreaEnabled);
    widget.position = Vector2(0, 0);
    control->SetSelectionSize(Vector2(5, 6));
    bed.Frame(*control, kFrame);
    EXPECT_FLOAT_EQ(widget.position.y, 20.0f);
    EXPECT_TRUE(widget.hitAreaEnabled);
    EXPECT_FLOAT_EQ(widget.hitAreaSize.x, 5.0f);
    EXPECT_FLOAT_EQ(widget.hitAreaOffset.x, 0.0f);
}

struct FrameCase {
    const char* name;
    Halvard::u32 frames;
    Halvard::i32 start;
    Halvard::i32 end;
    bool animated;
    // The frame a frozen model shows, or the show animation's frame count.
    Halvard::u32 expected;
};

void PrintTo(const FrameCase& c, std::ostream* out) { *out << c.name; }

class GUIControlFramesTest : public GUIControlTest, public testing::WithParamInterface<FrameCase> {};

TEST_P(GUIControlFramesTest, ShowFramesComeFromTheDescription)
{
    const FrameCase& c = GetParam();
    bed.AddSlidingModel("picture", c.frames, 10.0f);
    GUIControlDescription description;
    description.model = "picture";
    description.modelStartFrame = c.start;
    description.modelEndFrame = c.end;
    auto control = bed.WindowControl(description);
    AnimationControl* animation = control->GetModelAnimation();
    ASSERT_EQ(animation != nullptr, c.animated);
    if (!c.animated) {
        EXPECT_EQ(control->GetWindow()->GetAnimation()->GetFrameA(), c.expected);
        EXPECT_TRUE(control->GetWindow()->GetAnimation()->IsHeld());
        control->SetVisible(true, true);
        bed.Frames(*control, 3, kFrame);
        EXPECT_TRUE(control->GetWindow()->visible);
        return;
    }
    EXPECT_FALSE(animation->looping);
    control->SetVisible(true, true);
    bed.Frame(*control, kFrame);
    EXPECT_EQ(animation->GetAnimation(), GUITools::GUIControl::kShowAnimation);
    EXPECT_EQ(animation->GetRangeFrameCount(), c.expected);
    EXPECT_EQ(animation->playing, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, GUIControlFramesTest,
    testing::Values(FrameCase{"WholeModel", 5, -1, -1, true, 5}, FrameCase{"StartAndEnd", 5, 1, 3, true, 3},
                    FrameCase{"EndBeyondTheLastFrame", 5, 2, 99, true, 3},
                    FrameCase{"EqualFramesFreeze", 5, 2, 2, false, 2},
                    FrameCase{"EndBeforeStartFreezesAtStart", 5, 3, 1, false, 3},
                    FrameCase{"OneFrameFreezes", 1, -1, -1, false, 0},
                    // A model without frames counts as one frame, frozen at 0.
                    FrameCase{"NoFramesFreezesAtZero", 0, -1, -1, false, 0}),
    [](const testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

TEST_F(GUIControlTest, WithoutFaderTheHideEndsWhenTheHideAnimationStops)
{
    // Three frames at ten a second: two frames of movement take 0.2 s.
    bed.AddSlidingModel("picture", 3, 10.0f);
    GUIControlDescription description;
    description.model = "picture";
    auto control = bed.WindowControl(description);
    control->SetVisible(true, true);
    bed.Frames(*control, 10, kFrame);
    control->SetVisible(false, true);
    bed.Frames(*control, 3, kFrame);
    EXPECT_TRUE(control->GetWindow()->visible);
    EXPECT_EQ(control->GetModelAnimation()->GetAnimation(), GUITools::GUIControl::kHideAnimation);
    bed.Frames(*control, 3, kFrame);
    EXPECT_FALSE(control->GetWindow()->visible);
}

TEST_F(GUIControlTest, TheAnimatorMovesTheWidgetByItsBoxCentre)
{
    bed.AddSlidingModel("mover", 3, 10.0f);
    bed.AddSlidingModel("picture", 5, 10.0f);
    GUIControlDescription description;
    description.model = "picture";
    description.modelEndFrame = 2;
    description.animatorModel = "mover";
    auto control = bed.WindowControl(description);
    control->SetPosition(Vector2(100, 200));
    ASSERT_NE(control->GetAnimatorModel(), nullptr);
    EXPECT_NE(control->GetAnimatorModel()->GetFlags() & Model::kVisible, 0u);
    control->SetVisible(true, true);
    bed.Frames(*control, 10, kFrame);
    // The model's end frame leaves the animator's own last frame alone.
    EXPECT_EQ(control->GetAnimatorAnimation()->GetRangeFrameCount(), 3u);
    // At its last frame the mover's box spans x = 2 .. 3, y = 0 .. 1.
    EXPECT_NEAR(control->GetWindow()->position.x, 102.5f, 1e-4f);
    EXPECT_NEAR(control->GetWindow()->position.y, 200.5f, 1e-4f);
}

TEST_F(GUIControlTest, AModelAnimationFaderFollowsTheAnimatorsFrames)
{
    bed.AddSlidingModel("mover", 3, 10.0f);
    GUIControlDescription description;
    description.animatorModel = "mover";
    auto control = bed.WindowControl(description);
    GUIFaderSettings fader;
    fader.type = GUIFaderSettings::kModelAnimation;
    control->SetFader("test", fader);
    control->SetVisible(true, true);
    // Ten frames a second: half a frame into a range of two frames per update.
    bed.Frame(*control, kFrame);
    EXPECT_NEAR(control->GetAlpha(), 0.25f, 1e-3f);
    bed.Frame(*control, kFrame);
    EXPECT_NEAR(control->GetAlpha(), 0.5f, 1e-3f);
    bed.Frames(*control, 10, kFrame);
    EXPECT_NEAR(control->GetAlpha(), 1.0f, 1e-4f);
    control->SetVisible(false, true);
    bed.Frames(*control, 2, kFrame);
    EXPECT_TRUE(control->GetWindow()->visible);
    EXPECT_LT(control->GetAlpha(), 1.0f);
    bed.Frames(*control, 10, kFrame);
    EXPECT_FALSE(control->GetWindow()->visible);
}

} // namespace
