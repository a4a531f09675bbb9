#include "game/windows/menus/GUIMainMenuWindow.h"

#include "engine/gui/GUIButton.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/persistence/ProfileManager.h"
#include "gui_tools/controls/GUITextControl.h"
#include "gui_tools/controls/GUIWindowControl.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/LogProbe.h"
#include "tests/support/game/MenuWindowBed.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using GameFramework::WindowResult;
using Tamrisk::GUIMainMenuWindow;
using testing::ElementsAre;

constexpr const char* kButtonNames[] = {"start", "high_scores", "options", "change_player", "credits", "exit"};

std::string Button(const std::string& name)
{
    return "<button name=\"" + name + "\" size=\"100 20\"><text_label name=\"title\" font=\"main_menu_0\" text=\"'" +
           name + "'\" size=\"100 20\"/></button>";
}

// The main menu with the buttons named, each with its title, and a title
// greeting the profile; the frame fades like the root.
std::string MainMenu(const std::vector<std::string>& buttons)
{
    std::string xml = R"(<window name="window_main_menu" fader="menu">)"
                      R"(<text_label name="title" font="common_0" text="'Hello, %PROFILE_NAME%!'" size="400 20"/>)"
                      R"(<window name="window" fader="menu" size="400 400">)";
    for (const std::string& name : buttons)
        xml += Button(name);
    return xml + "</window></window>";
}

// A framed window that holds the screen before the menu, so that the menu
// waits while it leaves.
const char* const kOther = R"(<window name="window_other" fader="menu"><window name="window" fader="menu"/></window>)";

// The main menu on the fakes, beside another menu window, with a profile
// manager on a user folder of the test's own.
class GUIMainMenuWindowTest : public testing::Test {
protected:
    void Make(const std::vector<std::string>& buttons)
    {
        engine.Start();
        Testing::MenuFixture fixture;
        fixture.descriptions = {{"faders.xml", Testing::kMenuFaders},
                                {"window_main_menu.xml", MainMenu(buttons)},
                                {"window_other.xml", kOther}};
        bed = std::make_unique<Testing::MenuWindowBed>(engine.Get(), &engine.clock, engine.folder, fixture);
        profiles = bed->MakeProfiles(engine.folder);
        other = std::make_unique<Tamrisk::GUIMenuWindow>(&engine.Get(), bed->sounds.get(), bed->data.get(),
                                                        bed->tools.get(), bed->manager.get(), nullptr, "window_other");
        menu = std::make_unique<GUIMainMenuWindow>(&engine.Get(), profiles.get(), bed->sounds.get(), bed->data.get(),
                                                   bed->tools.get(), bed->manager.get(), nullptr);
    }

    ~GUIMainMenuWindowTest() override
    {
        menu.reset();
        other.reset();
        profiles.reset();
        bed.reset();
    }

    void Frame(const std::function<void()>& beforeUpdate = {})
    {
        bed->Frame([&] {
            if (beforeUpdate)
                beforeUpdate();
            menu->UpdateWindow();
        });
    }

    void ShowMenuAndWait()
    {
        menu->ShowWindow(GameFramework::WindowSource::kGameLoading);
        for (int frame = 0; frame < 20; ++frame)
            Frame();
    }

    std::vector<bool> Enabled() const
    {
        std::vector<bool> enabled;
        for (std::size_t i = 0; i < GUIMainMenuWindow::kButtonCount; ++i)
            enabled.push_back(menu->GetMenuButton(i) != nullptr && menu->GetMenuButton(i)->IsEnabled());
        return enabled;
    }

    std::wstring TitleLine() const
    {
        const auto& lines = menu->GetTitle()->GetLines();
        return lines.empty() ? std::wstring() : lines.front();
    }

    Testing::FakeEngine engine;
    std::unique_ptr<Testing::MenuWindowBed> bed;
    std::unique_ptr<Tamrisk::ProfileManager> profiles;
    std::unique_ptr<Tamrisk::GUIMenuWindow> other;
    std::unique_ptr<GUIMainMenuWindow> menu;
};

const std::vector<std::string> kAllButtons(std::begin(kButtonNames), std::end(kButtonNames));

TEST_F(GUIMainMenuWindowTest, TheButtonsTakeNoClicksWhileTheMenuWaitsAndDrawDisabledUntilItsFrameShows)
{
    Make(kAllButtons);
    other->Show(true);
    for (int frame = 0; frame < 5; ++frame)
        Frame();
    other->Show(false);
    menu->ShowWindow(GameFramework::WindowSource::kGameLoading);
    EXPECT_THAT(Enabled(), ElementsAre(false, false, false, false, false, false));
    EXPECT_EQ(menu->GetMenuButton(GUIMainMenuWindow::kStart)->state, Halvard::GUIButton::kDisabled);
    int waited = 0;
    for (int frame = 0; frame < 30; ++frame) {
        const bool frameShown = menu->GetFrame()->IsVisible();
        waited += frameShown ? 0 : 1;
        Frame();
        EXPECT_EQ(Enabled(), std::vector<bool>(GUIMainMenuWindow::kButtonCount, frameShown)) << "frame " << frame;
    }
    // The other window's frame starts leaving 0.2 s late.
    EXPECT_GE(waited, 4);
    EXPECT_THAT(Enabled(), ElementsAre(true, true, true, true, true, true));
}

struct ClickCase {
    const char* name;
    std::vector<std::size_t> clicked;
    Halvard::u32 result;
};

void PrintTo(const ClickCase& c, std::ostream* out) { *out << c.name; }

class GUIMainMenuClickTest : public GUIMainMenuWindowTest, public testing::WithParamInterface<ClickCase> {};

TEST_P(GUIMainMenuClickTest, TheLaterButtonInTheOrderOfTheResultsWins)
{
    Make(kAllButtons);
    ShowMenuAndWait();
    Frame([&] {
        for (std::size_t button : GetParam().clicked)
            menu->GetMenuButton(button)->clicked = true;
    });
    EXPECT_EQ(menu->GetResult(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, GUIMainMenuClickTest,
    testing::Values(ClickCase{"None", {}, WindowResult::kNone},
                    ClickCase{"ChangePlayer", {GUIMainMenuWindow::kChangePlayer}, WindowResult::kProfiles},
                    ClickCase{"StartBeatsChangePlayer",
                              {GUIMainMenuWindow::kChangePlayer, GUIMainMenuWindow::kStart},
                              WindowResult::kPlay},
                    ClickCase{"HighScores", {GUIMainMenuWindow::kHighScores}, WindowResult::kHighScores},
                    ClickCase{"ExitBeatsOptions",
                              {GUIMainMenuWindow::kOptions, GUIMainMenuWindow::kExit},
                              WindowResult::kExitQuestion},
                    ClickCase{"CreditsBeatExit",
                              {GUIMainMenuWindow::kExit, GUIMainMenuWindow::kCredits},
                              WindowResult::kHelp}),
    [](const testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

TEST_F(GUIMainMenuWindowTest, TheTitleGreetsTheCurrentProfileAndNobodyWithoutOne)
{
    Make(kAllButtons);
    ShowMenuAndWait();
    EXPECT_EQ(TitleLine(), L"Hello, !");
    menu->HideWindow();
    profiles->SetCurrentProfile(profiles->AddProfile(L"Player1"),
                                GameFramework::ProfileManagerBase::ListSaving::kKeepFile);
    ShowMenuAndWait();
    EXPECT_EQ(TitleLine(), L"Hello, Player1!");
}

TEST_F(GUIMainMenuWindowTest, MissingButtonsAreLoggedWhenLookedUpAndSkippedAfterwardsWhileTheOthersWork)
{
    Make({"start", "high_scores", "options", "change_player"});
    const std::vector<std::string> errors = Testing::LogProbe(*engine->GetMessageManager()).ErrorLines();
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_NE(errors[0].find("\"window_main_menu/window/credits\""), std::string::npos) << errors[0];
    EXPECT_NE(errors[3].find("\"window_main_menu/window/exit/title\""), std::string::npos) << errors[3];
    EXPECT_EQ(menu->GetMenuButton(GUIMainMenuWindow::kExit), nullptr);

    ShowMenuAndWait();
    Frame([&] { menu->GetMenuButton(GUIMainMenuWindow::kOptions)->clicked = true; });
    EXPECT_EQ(menu->GetResult(), WindowResult::kOptions);
    EXPECT_THAT(Enabled(), ElementsAre(true, true, true, true, false, false));
    // The engine's log keeps a frame's lines: the last frame logged none.
    EXPECT_TRUE(Testing::LogProbe(*engine->GetMessageManager()).ErrorLines().empty());
}

} // namespace
