#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"

#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

using namespace Halvard;

namespace {

// A horizontal slider at (1, 1) whose track runs from x 0.2 to 1.7 with a
// thumb 0.1 x 0.1, on a real engine's GUI services and a clock the test
// moves.
class GUISliderTest : public testing::Test {
protected:
    GUISliderTest() : scoped(clock) { services = engine->GetGUIManager()->GetServices(); }

    static GUISliderTrack Track(u32 count, float endX = 1.7f)
    {
        return GUISliderTrack{false, Vector2(0.2f, 0.0f), Vector2(endX, 0.0f), count};
    }

    template <class Widget>
    std::unique_ptr<Widget> Make(const GUISliderTrack& track)
    {
        const GUIPlacement placement{GUIWindow::kShown, Vector2(1.0f, 1.0f), Vector2(2.0f, 0.1f), nullptr};
        auto widget = std::make_unique<Widget>(services, placement, MakeDefaultShaderDescriptor(),
                                               Vector2(1.0f, 1.0f), track);
        widget->CreateThumbFromShader(Vector2(0.1f, 0.1f), MakeDefaultShaderDescriptor(), Vector2(1.0f, 1.0f));
        return widget;
    }

    // One frame of the given length, then the input step.
    void Step(GUIWindow& widget, float x, bool held, bool pressed, float seconds = 0.01f)
    {
        clock.Advance(seconds);
        engine->GetTimerManager()->Update();
        widget.ProcessInput(Vector2(x, 1.05f), held, pressed);
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::TestEngine engine;
    GUIServices services;
};

} // namespace

TEST_F(GUISliderTest, DraggingPicksTheNearestPositionHalvesRoundingUp)
{
    const std::pair<float, u32> cases[] = {{2.0f, 5}, {2.03f, 5}, {2.12f, 6}, {3.0f, 10}, {3.5f, 10},
                                           {1.25f, 0}, {0.5f, 0}};
    auto slider = Make<GUISlider>(Track(11));
    Step(*slider, 1.5f, true, true);
    ASSERT_TRUE(slider->IsPressed());
    for (const auto& [x, expected] : cases) {
        Step(*slider, x, true, false);
        EXPECT_EQ(slider->GetPosition(), expected) << x;
    }
    Step(*slider, 2.0f, false, false);
    Step(*slider, 2.5f, false, false);
    EXPECT_EQ(slider->GetPosition(), 0u) << "let go, the slider no longer follows";
}

TEST_F(GUISliderTest, AShortTrackDividesByOneAndReachesHalfTheRange)
{
    auto slider = Make<GUISlider>(Track(11, 0.7f));
    Step(*slider, 1.3f, true, true);
    Step(*slider, 1.0f + 0.7f + 0.05f, true, false);
    EXPECT_EQ(slider->GetPosition(), 5u);
}

TEST_F(GUISliderTest, CountsAndPositionsStayInRange)
{
    auto slider = Make<GUISlider>(Track(0));
    EXPECT_EQ(slider->GetPositionCount(), 2u);
    slider->SetPositionCount(1);
    EXPECT_EQ(slider->GetPositionCount(), 2u);
    slider->SetPositionCount(5);
    slider->SetPosition(100);
    EXPECT_EQ(slider->GetPosition(), 4u);
    slider->SetPositionCount(3);
    EXPECT_EQ(slider->GetPosition(), 2u);
}

TEST_F(GUISliderTest, TheThumbCoversTheTrackAndItsPictureSitsAtThePosition)
{
    auto slider = Make<GUISlider>(Track(11));
    GUIButton* thumb = slider->GetThumb();
    EXPECT_FLOAT_EQ(thumb->size.x, 1.6f);
    EXPECT_FALSE(thumb->placeModel);
    EXPECT_EQ(thumb->overSoundId, 4u);
    EXPECT_EQ(thumb->clickSoundId, 5u);
    slider->inverted = true;
    slider->Draw();
    EXPECT_FLOAT_EQ(thumb->GetModel()->worldMatrix.m[3], 2.7f) << "inverted, position 0 lies at the track's end";
    slider->inverted = false;
    slider->SetPosition(5);
    slider->Draw();
    EXPECT_FLOAT_EQ(thumb->GetModel()->worldMatrix.m[3], 1.95f);
    EXPECT_FLOAT_EQ(thumb->GetModel()->worldMatrix.m[0], 0.1f);
}

TEST_F(GUISliderTest, ADisabledSliderIgnoresDraggingAndDisablesItsThumb)
{
    auto slider = Make<GUISlider>(Track(11));
    slider->SetEnabled(false);
    EXPECT_EQ(slider->state, GUISlider::kDisabled);
    EXPECT_EQ(slider->GetThumb()->state, GUIButton::kDisabled);
    Step(*slider, 1.5f, true, true);
    Step(*slider, 3.0f, true, false);
    EXPECT_EQ(slider->GetPosition(), 0u);
}

TEST_F(GUISliderTest, HoldingAnArrowStepsAtOnceThenEveryFifteenHundredths)
{
    auto scroll = Make<GUIScroll>(Track(20));
    scroll->CreateIncreaseArrow(Vector2(1.8f, 0.0f), Vector2(0.2f, 0.1f), nullptr);
    EXPECT_EQ(scroll->GetThumb()->overSoundId, 6u);
    EXPECT_EQ(scroll->GetThumb()->GetLayer(), 2);
    EXPECT_EQ(scroll->GetIncreaseArrow()->clickSoundId, 9u);
    const float onArrow = 1.0f + 1.9f;
    Step(*scroll, onArrow, true, true);
    EXPECT_EQ(scroll->GetPosition(), 1u);
    for (int frame = 1; frame < 50; ++frame)
        Step(*scroll, onArrow, true, false);
    EXPECT_EQ(scroll->GetPosition(), 4u);
    Step(*scroll, onArrow, false, false);
    Step(*scroll, onArrow, true, true);
    EXPECT_EQ(scroll->GetPosition(), 5u) << "let go, the next press steps at once";
}

TEST_F(GUISliderTest, TheDecreaseArrowStopsAtZeroAndInvertedSwapsTheArrows)
{
    auto scroll = Make<GUIScroll>(Track(20));
    scroll->CreateDecreaseArrow(Vector2(1.8f, 0.0f), Vector2(0.2f, 0.1f), nullptr);
    scroll->step = 3;
    scroll->SetPosition(2);
    const float onArrow = 1.0f + 1.9f;
    Step(*scroll, onArrow, true, true);
    EXPECT_EQ(scroll->GetPosition(), 0u);
    Step(*scroll, onArrow, false, false);
    scroll->inverted = true;
    Step(*scroll, onArrow, true, true);
    EXPECT_EQ(scroll->GetPosition(), 3u);
    EXPECT_TRUE(scroll->IsPressed());
}

// Showing a hidden parent shows its subtree again: each widget in it that is
// not disabled starts over as normal, the slider's thumb with it.
TEST_F(GUISliderTest, ShownAgainThroughItsParentASliderIsNormalUnlessDisabled)
{
    GUIWindow panel(services, GUIPlacement{GUIWindow::kShown, Vector2(), Vector2(), nullptr}, nullptr);
    auto slider = Make<GUISlider>(Track(5));
    auto disabled = Make<GUISlider>(Track(5));
    slider->SetParent(&panel);
    disabled->SetParent(&panel);
    disabled->SetEnabled(false);
    Step(*slider, 1.5f, false, false);
    ASSERT_EQ(slider->state, GUISlider::kOver);
    ASSERT_EQ(slider->GetThumb()->state, GUIButton::kOver);
    panel.ClearFlags(GUIWindow::kShown);
    EXPECT_FALSE(slider->GetThumb()->visible);
    panel.SetFlags(GUIWindow::kShown);
    EXPECT_EQ(slider->state, GUISlider::kNormal);
    EXPECT_EQ(slider->GetThumb()->state, GUIButton::kNormal);
    EXPECT_EQ(disabled->state, GUISlider::kDisabled);
    EXPECT_EQ(disabled->GetThumb()->state, GUIButton::kDisabled);
}
