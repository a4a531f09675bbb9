#include "framework/persistence/ProfileBase.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/persistence/ProfileManager.h"
#include "game/windows/menus/GUIContinueGameLogicWindow.h"
#include "game/windows/menus/GUIExitWindow.h"
#include "game/windows/level/GUIGameCompleteWindow.h"
#include "game/windows/level/GUIGameLogicGameExitWindow.h"
#include "game/windows/level/GUIGameLogicMenuExitWindow.h"
#include "game/windows/level/GUIGameLogicPauseWindow.h"
#include "game/windows/level/GUIGameLogicRestartWindow.h"
#include "game/windows/level/GUIGameOverWindow.h"
#include "game/windows/menus/GUIHelpWindow.h"
#include "gui_tools/controls/GUITextControl.h"
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

using GameFramework::WindowResult;
using GameFramework::WindowSource;
using Halvard::u32;
using Tamrisk::GUIMenuWindow;
using Tamrisk::MenuWindowParts;

// Any of the small windows: three buttons, both title mounts and the two
// texts of the continue question, under a frame.
std::string Description(const std::string& name)
{
    std::string xml = "<window name=\"" + name + "\" fader=\"menu\">" +
                      R"(<window name="title_mount_static" fader="menu" size="480 60"/>)"
                      R"(<window name="title_mount_animated" fader="menu" size="480 60"/>)"
                      R"(<window name="window" fader="menu" size="800 600">)"
                      R"(<text_label name="level" font="common_0" size="100 20"/>)"
                      R"(<text_label name="score" font="common_0" size="100 20"/>)";
    for (int i = 0; i < 3; ++i)
        xml += "<button name=\"button_" + std::to_string(i) + "\" position=\"100 " + std::to_string(100 + 100 * i) +
               "\" size=\"200 50\"/>";
    return xml + "</window></window>";
}

// A window whose constructor takes what every menu window stands on alone.
template <class Window>
std::unique_ptr<Window> Plain(const MenuWindowParts& p)
{
    return std::make_unique<Window>(p.engine, p.sounds, p.resources, p.tools, p.manager, p.parent);
}

struct Made {
    GameFramework::GUIFrameworkWindow* framework;
    GUIMenuWindow* menu;
    // The button of the description's "/window/button_<i>", by i.
    std::function<Halvard::GUIButton*(int)> button;
};

template <class Window>
Made Keep(std::unique_ptr<Window> window, std::vector<std::shared_ptr<void>>& keep,
          std::initializer_list<int> rowOfButton)
{
    Window* raw = window.get();
    keep.emplace_back(std::move(window));
    const std::vector<int> rows(rowOfButton);
    return {raw, raw, [raw, rows](int button) { return raw->GetRowButton(static_cast<std::size_t>(rows[button])); }};
}

// The windows on a bed of their own, with a profile manager for the
// continue question.
class ButtonRowBed {
public:
    ButtonRowBed()
    {
        engine.Start();
        Testing::MenuFixture fixture;
        fixture.descriptions["faders.xml"] = Testing::kMenuFaders;
        for (const char* name : {"window_credits", "window_exit", "window_continue_game_logic",
                                 "window_game_logic_pause", "window_game_logic_restart", "window_game_logic_menu_exit",
                                 "window_game_logic_game_exit", "window_game_over", "window_game_complete"})
            fixture.descriptions[std::string(name) + ".xml"] = Description(name);
        bed = std::make_unique<Testing::MenuWindowBed>(engine.Get(), &engine.clock, engine.folder, fixture);
        profiles = bed->MakeProfiles(engine.folder);
        parts = {&engine.Get(), bed->sounds.get(), bed->data.get(), bed->tools.get(), bed->manager.get(), nullptr};
    }

    ~ButtonRowBed()
    {
        keep.clear();
        profiles.reset();
        bed.reset();
    }

    // Button i of the description is the row entry the class reads it as.
    Made Make(const std::string& kind)
    {
        if (kind == "credits")
            return Keep(Plain<Tamrisk::GUIHelpWindow>(parts), keep, {0});
        if (kind == "exit")
            return Keep(Plain<Tamrisk::GUIExitWindow>(parts), keep, {1, 0});
        if (kind == "continue")
            return Keep(std::make_unique<Tamrisk::GUIContinueGameLogicWindow>(parts.engine, parts.sounds,
                                                                              profiles.get(), parts.resources,
                                                                              parts.tools, parts.manager, parts.parent),
                        keep, {2, 1, 0});
        if (kind == "pause")
            return Keep(Plain<Tamrisk::GUIGameLogicPauseWindow>(parts), keep, {0});
        if (kind == "restart")
            return Keep(Plain<Tamrisk::GUIGameLogicRestartWindow>(parts), keep, {1, 0});
        if (kind == "menu_exit")
            return Keep(Plain<Tamrisk::GUIGameLogicMenuExitWindow>(parts), keep, {1, 0});
        if (kind == "game_exit")
            return Keep(Plain<Tamrisk::GUIGameLogicGameExitWindow>(parts), keep, {1, 0});
        if (kind == "game_over")
            return Keep(Plain<Tamrisk::GUIGameOverWindow>(parts), keep, {0});
        return Keep(Plain<Tamrisk::GUIGameCompleteWindow>(parts), keep, {0});
    }

    void Frame(const Made& window, const std::function<void()>& beforeUpdate = {})
    {
        bed->Frame([&] {
            if (beforeUpdate)
                beforeUpdate();
            window.framework->UpdateWindow();
        });
    }

    void ShowAndWait(const Made& window, u32 opener)
    {
        window.framework->ShowWindow(opener);
        for (int frame = 0; frame < 20; ++frame)
            Frame(window);
    }

    Testing::FakeEngine engine;
    std::unique_ptr<Testing::MenuWindowBed> bed;
    std::unique_ptr<Tamrisk::ProfileManager> profiles;
    MenuWindowParts parts;
    std::vector<std::shared_ptr<void>> keep;
};

struct ClickCase {
    const char* name;
    const char* window;
    u32 opener;
    // Buttons of the description.
    std::vector<int> clicked;
    u32 result;
};

void PrintTo(const ClickCase& c, std::ostream* out) { *out << c.name; }

class ButtonRowClickTest : public testing::TestWithParam<ClickCase> {};

TEST_P(ButtonRowClickTest, AClickReportsItsCodeAndTheLaterCheckWins)
{
    ButtonRowBed bed;
    const Made window = bed.Make(GetParam().window);
    bed.ShowAndWait(window, GetParam().opener);
    ASSERT_TRUE(window.menu->IsVisible());
    bed.Frame(window, [&] {
        for (int button : GetParam().clicked)
            window.button(button)->clicked = true;
    });
    EXPECT_EQ(window.framework->GetResult(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ButtonRowClickTest,
    testing::Values(ClickCase{"CreditsBack", "credits", WindowSource::kMainMenu, {0}, WindowResult::kMainMenu},
                    ClickCase{"ExitYes", "exit", WindowSource::kGameLogic, {1}, WindowResult::kExitProgram},
                    ClickCase{"ExitNoToWelcome", "exit", WindowSource::kWelcome, {0}, WindowResult::kWelcome},
                    ClickCase{"ExitNoToMainMenu", "exit", WindowSource::kMainMenu, {0}, WindowResult::kMainMenu},
                    ClickCase{"ExitNoToNewProfile", "exit", WindowSource::kNewProfile, {0}, WindowResult::kNewProfile},
                    ClickCase{"ExitNoFromElsewhere", "exit", WindowSource::kProfiles, {0}, WindowResult::kNone},
                    ClickCase{"ExitNoBeatsYes", "exit", WindowSource::kMainMenu, {0, 1}, WindowResult::kMainMenu},
                    ClickCase{"ContinueGoesBack", "continue", WindowSource::kMainMenu, {2}, WindowResult::kBack},
                    ClickCase{"ContinueNewGame", "continue", WindowSource::kMainMenu, {1}, WindowResult::kEndLevel},
                    ClickCase{"ContinueMainMenuBeatsAll", "continue", WindowSource::kMainMenu, {2, 1, 0},
                              WindowResult::kMainMenu},
                    ClickCase{"PauseResumes", "pause", WindowSource::kGameLogic, {0}, WindowResult::kResume},
                    ClickCase{"RestartEnds", "restart", WindowSource::kGameLogicMenu, {1}, WindowResult::kEndLevel},
                    ClickCase{"RestartBackBeatsYes", "restart", WindowSource::kGameLogicMenu, {0, 1},
                              WindowResult::kGameLogicMenu},
                    ClickCase{"MenuExitLeaves", "menu_exit", WindowSource::kGameLogicMenu, {1},
                              WindowResult::kMainMenu},
                    ClickCase{"MenuExitBack", "menu_exit", WindowSource::kGameLogicMenu, {0},
                              WindowResult::kGameLogicMenu},
                    ClickCase{"GameExitQuits", "game_exit", WindowSource::kGameLogic, {1}, WindowResult::kExitProgram},
                    ClickCase{"GameExitResumes", "game_exit", WindowSource::kGameLogic, {0}, WindowResult::kResume},
                    ClickCase{"GameOverDone", "game_over", WindowSource::kGameLogic, {0}, WindowResult::kDone},
                    ClickCase{"GameCompleteDone", "game_complete", WindowSource::kStageComplete, {0},
                              WindowResult::kDone},
                    ClickCase{"NoClickNoCode", "restart", WindowSource::kGameLogicMenu, {}, WindowResult::kNone}),
    [](const testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

bool Enabled(const Made& window, const GUITools::GUIControl* mount)
{
    return window.menu->IsControlEnabled(mount->GetName());
}

struct MountCase {
    const char* name;
    const char* window;
    // The description's button whose click closes the window.
    int closing;
    // Animated, static: after construction, while shown, after the hide.
    std::vector<bool> animated;
    std::vector<bool> fixed;
};

void PrintTo(const MountCase& c, std::ostream* out) { *out << c.name; }

class ButtonRowMountTest : public testing::TestWithParam<MountCase> {};

TEST_P(ButtonRowMountTest, TheTitleMountsFollowTheWindowAndTheWayItIsLeft)
{
    ButtonRowBed bed;
    const Made window = bed.Make(GetParam().window);
    const GUITools::GUIControl* animated = window.menu->GetAnimatedTitleMount();
    const GUITools::GUIControl* fixed = window.menu->GetStaticTitleMount();
    std::vector<bool> animatedSeen{Enabled(window, animated)};
    std::vector<bool> fixedSeen{Enabled(window, fixed)};
    bed.ShowAndWait(window, WindowSource::kGameLogicMenu);
    animatedSeen.push_back(Enabled(window, animated));
    fixedSeen.push_back(Enabled(window, fixed));
    bed.Frame(window, [&] { window.button(GetParam().closing)->clicked = true; });
    window.framework->HideWindow();
    animatedSeen.push_back(Enabled(window, animated));
    fixedSeen.push_back(Enabled(window, fixed));
    EXPECT_EQ(animatedSeen, GetParam().animated);
    EXPECT_EQ(fixedSeen, GetParam().fixed);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ButtonRowMountTest,
    testing::Values(MountCase{"RestartBackToMenuKeepsTheStaticMount", "restart", 0, {false, false, false},
                              {true, true, true}},
                    MountCase{"RestartToTheMapDropsTheStaticMount", "restart", 1, {false, false, false},
                              {true, true, false}},
                    MountCase{"MenuExitBackToMenuKeepsTheStaticMount", "menu_exit", 0, {false, false, false},
                              {true, true, true}},
                    MountCase{"MenuExitLeavingDropsTheStaticMount", "menu_exit", 1, {false, false, false},
                              {true, true, false}},
                    MountCase{"GameOverShowsItsAnimatedMountWhileShown", "game_over", 0, {true, true, false},
                              {false, false, false}},
                    MountCase{"PauseStandsOnTheAnimatedMount", "pause", 0, {true, true, true}, {false, false, false}},
                    MountCase{"GameExitStandsOnTheAnimatedMount", "game_exit", 0, {true, true, true},
                              {false, false, false}}),
    [](const testing::TestParamInfo<MountCase>& info) { return std::string(info.param.name); });

// A damaged file may hold any level and score: none wraps on the way.
TEST(ContinueGameLogicWindowTest, ShowsTheCurrentProfilesLevelCountedFromOneAndItsScore)
{
    const struct {
        GameFramework::LevelReference level;
        Halvard::u32 score;
        const wchar_t* levelText;
        const wchar_t* scoreText;
    } cases[] = {{{1, 4}, 1234, L"2-5", L"1234"},
                 {{0xFFFFFFFFu, 0xFFFFFFFFu}, 0xFFFFFFFFu, L"4294967296-4294967296", L"4294967295"}};
    for (const auto& c : cases) {
        ButtonRowBed bed;
        GameFramework::ProfileBase* anna = bed.profiles->AddProfile(L"Anna");
        anna->SetCurrentLevel(c.level);
        anna->SetScore(c.score);
        bed.profiles->SetCurrentProfile(anna, GameFramework::ProfileManagerBase::ListSaving::kKeepFile);
        auto window = std::make_unique<Tamrisk::GUIContinueGameLogicWindow>(
            bed.parts.engine, bed.parts.sounds, bed.profiles.get(), bed.parts.resources, bed.parts.tools,
            bed.parts.manager, bed.parts.parent);
        window->ShowWindow(WindowSource::kMainMenu);
        EXPECT_EQ(window->GetLevelText()->GetText(), c.levelText);
        EXPECT_EQ(window->GetScoreText()->GetText(), c.scoreText);
    }
}

} // namespace
