#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"

#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "tools/SoundWriter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace Halvard;

namespace {

constexpr Vector2 kInside(1.5f, 1.25f);
constexpr Vector2 kOutside(0.5f, 0.5f);

// Buttons at (1, 1), 1 x 0.5, on a real engine's GUI services with a GUI
// sound manager of their own; each input step moves the clock on, so every
// sound asked for is started and counted.
class GUIButtonTest : public testing::Test {
protected:
    GUIButtonTest() : scoped(clock)
    {
        const std::string wav = Tools::MakeWav(1, 22050, 16, std::string(400, '\x10'));
        std::filesystem::create_directories(engine.Folder().Path() / "data");
        std::ofstream((engine.Folder().Path() / "data" / "tick.wav").string(), std::ios::binary) << wav;
        sounds = std::make_unique<GUISoundManager>(engine->GetTimerManager(), engine->GetSoundManager());
        for (u32 id = 0; id < 4; ++id)
            sounds->AddSound(id, "tick.wav");
        services = engine->GetGUIManager()->GetServices();
        services.sounds = sounds.get();
    }

    template <class Widget>
    std::unique_ptr<Widget> Make()
    {
        const GUIPlacement placement{GUIWindow::kShown, Vector2(1.0f, 1.0f), Vector2(1.0f, 0.5f), nullptr};
        return std::make_unique<Widget>(services, placement, MakeDefaultShaderDescriptor(), Vector2(1.0f, 1.0f));
    }

    bool Step(GUIButton& button, const Vector2& cursor, bool held, bool pressed)
    {
        clock.Advance(0.05);
        engine->GetTimerManager()->Update();
        return button.ProcessInput(cursor, held, pressed);
    }

    // How often the id started.
    int Plays(u32 id)
    {
        const float last = sounds->GetEntries(id)[0]->lastStart;
        const bool started = last != seen[id];
        seen[id] = last;
        return started ? 1 : 0;
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::TestEngine engine;
    std::unique_ptr<GUISoundManager> sounds;
    GUIServices services;
    float seen[4] = {};
};

} // namespace

TEST_F(GUIButtonTest, APressAndReleaseOverTheButtonClicksForOneStep)
{
    auto button = Make<GUIButton>();
    EXPECT_TRUE(Step(*button, kOutside, false, false));
    Step(*button, kInside, false, false);
    EXPECT_EQ(button->state, GUIButton::kOver);
    EXPECT_EQ(Plays(0), 1);
    Step(*button, kInside, true, true);
    EXPECT_EQ(Plays(1), 1);
    EXPECT_EQ(button->state, GUIButton::kPressed);
    EXPECT_FALSE(button->clicked);
    Step(*button, kInside, false, false);
    EXPECT_TRUE(button->clicked);
    EXPECT_EQ(button->state, GUIButton::kOver);
    Step(*button, kInside, false, false);
    EXPECT_FALSE(button->clicked);
    EXPECT_EQ(Plays(0) + Plays(1), 0);
}

TEST_F(GUIButtonTest, MovingOffWhileHeldOrPressingOutsideGivesNoClick)
{
    auto button = Make<GUIButton>();
    Step(*button, kInside, true, true);
    EXPECT_TRUE(button->latched);
    Step(*button, kOutside, true, false);
    EXPECT_EQ(button->state, GUIButton::kNormal);
    Step(*button, kOutside, false, false);
    EXPECT_FALSE(button->clicked);

    Step(*button, kOutside, true, true);
    Plays(0);
    Step(*button, kInside, true, false);
    EXPECT_FALSE(button->latched);
    EXPECT_EQ(button->state, GUIButton::kOver);
    EXPECT_EQ(Plays(0), 1);
    Step(*button, kInside, false, false);
    EXPECT_FALSE(button->clicked);
}

TEST_F(GUIButtonTest, TheOverSoundPlaysOnEachEntryButNotWhileLatched)
{
    auto button = Make<GUIButton>();
    Step(*button, kInside, false, false);
    EXPECT_EQ(Plays(0), 0) << "a button made under the cursor is quiet";
    Step(*button, kOutside, false, false);
    Step(*button, kInside, false, false);
    EXPECT_EQ(Plays(0), 1);
    Step(*button, kInside, false, false);
    EXPECT_EQ(Plays(0), 0);
    Step(*button, kInside, true, true);
    Step(*button, kOutside, true, false);
    Step(*button, kInside, true, false);
    EXPECT_EQ(Plays(0), 0);
}

TEST_F(GUIButtonTest, ADisabledButtonNeverLatchesAndShowsItsDisabledState)
{
    auto button = Make<GUIButton>();
    auto box = Make<GUICheckBox>();
    for (GUIButton* widget : {button.get(), static_cast<GUIButton*>(box.get())}) {
        widget->SetEnabled(false);
        EXPECT_FALSE(Step(*widget, kInside, true, true));
        EXPECT_FALSE(Step(*widget, kInside, false, false));
        EXPECT_FALSE(widget->latched);
        EXPECT_FALSE(widget->clicked);
    }
    EXPECT_EQ(button->GetState(), 3u);
    EXPECT_EQ(box->GetState(), 6u);
    box->checked = true;
    EXPECT_EQ(box->GetState(), 7u);
    button->SetEnabled(true);
    EXPECT_EQ(button->GetState(), 0u);
}

TEST_F(GUIButtonTest, TwoClicksLeaveACheckBoxUncheckedAndItsStatesFollowChecked)
{
    auto box = Make<GUICheckBox>();
    EXPECT_EQ(box->overSoundId, 2u);
    EXPECT_EQ(box->clickSoundId, 3u);
    const u32 expected[] = {4, 1};
    for (u32 shown : expected) {
        Step(*box, kInside, true, true);
        Step(*box, kInside, false, false);
        EXPECT_EQ(box->GetState(), shown);
    }
    EXPECT_FALSE(box->checked);
    EXPECT_EQ(Plays(3), 1);
}

TEST_F(GUIButtonTest, ShownAgainTheButtonIsBackToNormal)
{
    auto button = Make<GUIButton>();
    Step(*button, kInside, false, false);
    ASSERT_EQ(button->state, GUIButton::kOver);
    button->ClearFlags(GUIWindow::kShown);
    button->SetFlags(GUIWindow::kShown);
    EXPECT_EQ(button->state, GUIButton::kNormal);
}
