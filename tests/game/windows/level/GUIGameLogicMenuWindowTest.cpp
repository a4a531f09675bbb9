#include "game/windows/level/GUIGameLogicMenuWindow.h"

#include "engine/core/Config.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/VideoSettingsAccess.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/persistence/ProfileManager.h"
#include "gui_tools/controls/GUIControl.h"
#include "gui_tools/controls/GUIWindowControl.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/game/MenuWindowBed.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using GameFramework::VideoSettingsAccess;
using GameFramework::WindowResult;
using GameFramework::WindowSource;
using Tamrisk::GUIGameLogicMenuWindow;

// The frame waits 0.25 s, its controls 0.75 s.
const char* const kFaders =
    R"(<faders><fader name="menu" type="timed" show_speed="4" hide_speed="4"/>)"
    R"(<fader name="game_logic_window" type="timed" show_speed="4" hide_speed="4" show_offset="0.25"/>)"
    R"(<fader name="game_logic_control" type="timed" show_speed="4" hide_speed="4" show_offset="0.75"/></faders>)";

std::string Control(const std::string& type, const std::string& name, const std::string& position,
                    const std::string& size)
{
    return "<" + type + " name=\"" + name + "\" position=\"" + position + "\" size=\"" + size +
           "\" fader=\"game_logic_control\"/>";
}

std::string MenuFixture()
{
    std::string xml = R"(<window name="window_game_logic_menu" fader="menu">)"
                      R"(<window name="title_mount_animated" size="100 20" fader="menu"/>)"
                      R"(<window name="title_mount_static" size="100 20" fader="menu"/>)"
                      R"(<window name="window" fader="game_logic_window" size="800 600">)";
    xml += Control("scroll", "sound", "100 500", "200 20");
    xml += Control("scroll", "music", "100 450", "200 20");
    xml += Control("check_box", "fullscreen", "100 400", "20 20");
    for (int i = 0; i < 3; ++i)
        xml += Control("button", "button_" + std::to_string(i), std::to_string(100 + 150 * i) + " 100", "100 30");
    return xml + "</window></window>";
}

// The in-game menu on the fakes with a current profile.
class GUIGameLogicMenuWindowTest : public testing::Test {
protected:
    GUIGameLogicMenuWindowTest()
    {
        engine.Start();
        config().SetCommandHandled(VideoSettingsAccess::kWindowChangeMode, true);
        Testing::MenuFixture fixture;
        fixture.descriptions = {{"faders.xml", kFaders}, {"window_game_logic_menu.xml", MenuFixture()}};
        bed = std::make_unique<Testing::MenuWindowBed>(engine.Get(), &engine.clock, engine.folder, fixture);
        profiles = bed->MakeProfiles(engine.folder, L"Player");
        menu = std::make_unique<GUIGameLogicMenuWindow>(&engine.Get(), bed->sounds.get(), profiles.get(),
                                                        bed->data.get(), bed->tools.get(), bed->manager.get(), nullptr);
    }

    ~GUIGameLogicMenuWindowTest() override
    {
        menu.reset();
        profiles.reset();
        bed.reset();
    }

    Halvard::Config& config() { return *engine->GetConfig(); }

    void Frame(const std::function<void()>& beforeUpdate = {})
    {
        bed->Frame([&] {
            if (beforeUpdate)
                beforeUpdate();
            menu->UpdateWindow();
        });
    }

    void Open(Halvard::u32 opener)
    {
        menu->ShowWindow(opener);
        for (int frame = 0; frame < 30; ++frame)
            Frame();
    }

    float ShowOffset(const std::string& path) const
    {
        return menu->GetControl(menu->GetName() + path)->GetFader().showOffset;
    }

    bool Enabled(const GUITools::GUIControl* control) const { return menu->IsControlEnabled(control->GetName()); }

    Testing::FakeEngine engine;
    std::unique_ptr<Testing::MenuWindowBed> bed;
    std::unique_ptr<Tamrisk::ProfileManager> profiles;
    std::unique_ptr<GUIGameLogicMenuWindow> menu;
};

struct ClickCase {
    const char* name;
    std::vector<int> clicked;
    Halvard::u32 result;
};

void PrintTo(const ClickCase& c, std::ostream* out) { *out << c.name; }

class GUIGameLogicMenuClickTest : public GUIGameLogicMenuWindowTest, public testing::WithParamInterface<ClickCase> {};

TEST_P(GUIGameLogicMenuClickTest, TheLaterButtonInTheOrderOfTheResultsWins)
{
    Open(WindowSource::kGameLogic);
    Halvard::GUIButton* buttons[] = {menu->GetMenuExitButton(), menu->GetRestartButton(), menu->GetResumeButton()};
    Frame([&] {
        for (int button : GetParam().clicked)
            buttons[button]->clicked = true;
    });
    EXPECT_EQ(menu->GetResult(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, GUIGameLogicMenuClickTest,
    testing::Values(ClickCase{"None", {}, WindowResult::kNone},
                    ClickCase{"MenuExit", {0}, WindowResult::kMenuExitQuestion},
                    ClickCase{"RestartBeatsMenuExit", {0, 1}, WindowResult::kRestartQuestion},
                    ClickCase{"ResumeBeatsBoth", {0, 1, 2}, WindowResult::kResume}),
    [](const testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

TEST_F(GUIGameLogicMenuWindowTest, AVolumeFollowsTheBarOnlyWhenItMovesMoreThanAThousandth)
{
    bed->sounds->SetSoundVolume(0.3155f);
    Open(WindowSource::kGameLogic);
    EXPECT_EQ(menu->GetSoundScroll()->GetPosition(), 315u);
    Frame([&] { menu->GetSoundScroll()->SetPosition(316); });
    EXPECT_EQ(bed->sounds->GetSoundVolume(), 0.3155f);
    Frame([&] { menu->GetSoundScroll()->SetPosition(317); });
    EXPECT_EQ(bed->sounds->GetSoundVolume(), 0.317f);
    EXPECT_EQ(menu->GetSoundScroll()->step, 30u);
}

TEST_F(GUIGameLogicMenuWindowTest, FromTheGameTheAnimatedMountShowsAndEveryoneWaitsForTheFrame)
{
    Open(WindowSource::kGameLogic);
    EXPECT_TRUE(Enabled(menu->GetAnimatedTitleMount()));
    EXPECT_FALSE(Enabled(menu->GetStaticTitleMount()));
    EXPECT_TRUE(menu->GetAnimatedTitleMount()->IsVisible());
    EXPECT_FLOAT_EQ(ShowOffset("/window"), 0.25f);
    EXPECT_FLOAT_EQ(ShowOffset("/window/button_2"), 0.75f);
}

TEST_F(GUIGameLogicMenuWindowTest, BackFromAQuestionTheStaticMountShowsAndTheControlsSkipTheFramesDelay)
{
    Open(WindowSource::kGameLogic);
    Frame([&] { menu->GetRestartButton()->clicked = true; });
    menu->HideWindow();
    // Only resuming lets the animated mount leave by its own hide.
    EXPECT_FALSE(Enabled(menu->GetAnimatedTitleMount()));
    EXPECT_FALSE(menu->GetAnimatedTitleMount()->IsVisible());
    for (int frame = 0; frame < 30; ++frame)
        Frame();
    Open(WindowSource::kGameLogicRestart);
    EXPECT_FALSE(Enabled(menu->GetAnimatedTitleMount()));
    EXPECT_TRUE(Enabled(menu->GetStaticTitleMount()));
    EXPECT_TRUE(menu->GetStaticTitleMount()->IsVisible());
    EXPECT_FLOAT_EQ(ShowOffset("/window"), 0.0f);
    EXPECT_FLOAT_EQ(ShowOffset("/window/sound"), 0.5f);
    Frame([&] { menu->GetResumeButton()->clicked = true; });
    menu->HideWindow();
    EXPECT_TRUE(Enabled(menu->GetAnimatedTitleMount()));
    EXPECT_FALSE(Enabled(menu->GetStaticTitleMount()));
}

TEST_F(GUIGameLogicMenuWindowTest, ClickingTheFullScreenBoxAsksForTheWindowModeAtOnce)
{
    config().fullScreen = 0;
    Open(WindowSource::kGameLogic);
    EXPECT_FALSE(menu->GetFullScreenBox()->checked);
    Frame([&] {
        menu->GetFullScreenBox()->checked = true;
        menu->GetFullScreenBox()->clicked = true;
    });
    EXPECT_EQ(config().fullScreen, 1);
    EXPECT_TRUE(VideoSettingsAccess::IsPending(config(), VideoSettingsAccess::kWindowChangeMode));
}

} // namespace
