#include "tests/data/GameFixture.h"

#include "engine/gui/GUIWindow.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/WindowResult.h"
#include "game/windows/GUIBackground.h"
#include "game/windows/GUIGameLoadingWindow.h"
#include "game/windows/GUIMainMenuWindow.h"
#include "game/windows/GUIMenuWindowManager.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/data/BuiltData.h"
#include "tests/support/FakeClock.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

using ::testing::IsEmpty;

// Descriptions of the two windows on the shipped fonts and faders, written
// over the built data folder's.
const char* const kGameLoading =
    R"(<window name="window_game_loading" fader="menu"><window name="window" fader="menu" size="400 100"/>)"
    R"(<text_label name="title" font="common_0" text="'Loading'" size="400 40" printing_mode="1")"
    R"( printing_speed="40"/></window>)";
const char* const kMainMenu =
    R"(<window name="window_main_menu" fader="menu">)"
    R"(<text_label name="title" font="common_0" text="'Hello, %PROFILE_NAME%'" size="400 40"/>)"
    R"(<window name="window" fader="menu" size="400 400">)"
    R"(<button name="start" size="200 40"><text_label name="title" font="main_menu_0" text="'Start'"/></button>)"
    R"(<button name="high_scores" size="200 40">)"
    R"(<text_label name="title" font="main_menu_0" text="'Scores'"/></button>)"
    R"(<button name="options" size="200 40"><text_label name="title" font="main_menu_0" text="'Options'"/></button>)"
    R"(<button name="change_player" size="200 40">)"
    R"(<text_label name="title" font="main_menu_0" text="'Player'"/></button>)"
    R"(<button name="credits" size="200 40"><text_label name="title" font="main_menu_0" text="'Credits'"/></button>)"
    R"(<button name="exit" size="200 40"><text_label name="title" font="main_menu_0" text="'Exit'"/></button>)"
    R"(</window></window>)";

// A program folder holding a copy of the built data folder with the two
// descriptions.
struct MenuProgramFolder {
    MenuProgramFolder()
    {
        std::filesystem::copy(Testing::GameFolder() / "data", folder.Path() / "data",
                              std::filesystem::copy_options::recursive);
        folder.WriteFile("data\\ui\\windows\\window_game_loading.xml", kGameLoading);
        folder.WriteFile("data\\ui\\windows\\window_main_menu.xml", kMainMenu);
    }

    Testing::TempFolder folder;
};

// The real game with a profile, its time moving on the fake clock, from the
// logos' end onwards.
class GameMenusTest : public ::testing::Test {
protected:
    GameMenusTest() : scoped(clock), fixture(program.folder.Path())
    {
        game = std::make_unique<Testing::TestGame>();
        GameFramework::ProfileManagerBase& profiles = *game->GetProfileManager();
        profiles.SetCurrentProfile(profiles.AddProfile(L"Tester"),
                                   GameFramework::ProfileManagerBase::ListSaving::kSaveFile);
    }

    void Frame()
    {
        clock.Advance(0.02);
        game->Update();
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    MenuProgramFolder program;
    Testing::GameFixture fixture;
    std::unique_ptr<Testing::TestGame> game;
};

TEST_F(GameMenusTest, TheGameLoadingWindowHandsTheScreenToTheMainMenuUnderTheBackground)
{
    auto* loading = dynamic_cast<Tamrisk::GUIGameLoadingWindow*>(game->GetWindows().gameLoading.get());
    ASSERT_NE(loading, nullptr);
    Halvard::GUIWindow* upper = game->GetBackground()->GetUpperWindow();
    EXPECT_EQ(loading->GetBaseWindow()->GetParent(), upper);
    game->GetWindows().logos->ReportOutsideUpdate(GameFramework::WindowResult::kDone);

    Tamrisk::GUIMainMenuWindow* menu = nullptr;
    int loadingFrames = 0;
    for (int frame = 0; frame < 200 && (menu == nullptr || !menu->GUIMenuWindow::IsVisible()); ++frame) {
        Frame();
        menu = dynamic_cast<Tamrisk::GUIMainMenuWindow*>(game->GetWindows().mainMenu.get());
        const bool loadingUp = loading->GetBaseWindow()->visible;
        loadingFrames += loadingUp ? 1 : 0;
        EXPECT_FALSE(loadingUp && menu != nullptr && menu->GetBaseWindow()->visible) << "frame " << frame;
    }
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->GUIMenuWindow::IsVisible());
    EXPECT_GT(loadingFrames, 0);
    EXPECT_EQ(menu->GetBaseWindow()->GetParent(), upper);
    EXPECT_EQ(game->GetMenuWindowManager()->GetCurrent(), menu);
    EXPECT_EQ(menu->GetTitle()->GetLines().at(0), L"Hello, Tester");
    const Testing::LogProbe log = Testing::LogProbe::FromHtmlFile(fixture.LogFile());
    ASSERT_FALSE(log.Entries().empty());
    EXPECT_THAT(log.ErrorLines(), IsEmpty()) << log.Joined();
}

} // namespace
