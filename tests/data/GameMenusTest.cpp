#include "tests/data/GameFixture.h"

#include "engine/app/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/Image.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/RenderSystem.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/WindowResult.h"
#include "game/windows/parts/GUIBackground.h"
#include "framework/windows/FrameworkWindows.h"
#include "game/windows/menus/GUILogosWindow.h"
#include "game/windows/level/GUIGameLogicWindow.h"
#include "game/windows/level/GUIGameLogicLoadingWindow.h"
#include "game/windows/parts/GUIGameCursor.h"
#include "game/windows/menus/GUIGameLoadingWindow.h"
#include "game/windows/menus/GUIMainMenuWindow.h"
#include "game/windows/menus/GUIContinueGameLogicWindow.h"
#include "game/windows/menus/GUIExitWindow.h"
#include "game/windows/level/GUIGameCompleteWindow.h"
#include "game/windows/level/GUIGameLogicGameExitWindow.h"
#include "game/windows/level/GUIGameLogicMenuExitWindow.h"
#include "game/windows/level/GUIGameLogicPauseWindow.h"
#include "game/windows/level/GUIGameLogicRestartWindow.h"
#include "game/windows/level/GUIGameOverWindow.h"
#include "game/windows/menus/GUIHelpWindow.h"
#include "game/windows/menus/GUIHighScoresWindow.h"
#include "game/windows/level/GUILevelCompleteWindow.h"
#include "game/windows/parts/GUIMenuWindowManager.h"
#include "game/windows/menus/GUINewProfileWindow.h"
#include "game/windows/menus/GUIDeleteProfileWindow.h"
#include "game/windows/menus/GUIProfileNameConflictWindow.h"
#include "game/windows/menus/GUIProfilesWindow.h"
#include "game/windows/menus/GUIRenameProfileWindow.h"
#include "game/windows/menus/GUIWelcomeWindow.h"
#include "game/windows/level/GUIGameLogicMenuWindow.h"
#include "game/windows/menus/GUIOptionsWindow.h"
#include "framework/persistence/ProfileBase.h"
#include "game/windows/parts/GUIMapElement.h"
#include "game/windows/level/GUIStageCompleteWindow.h"
#include "game/windows/menus/GUIStartGameLogicWindow.h"
#include "gui_tools/controls/GUITextControl.h"
#include "gui_tools/controls/GUIWindowControl.h"
#include "tests/data/BuiltData.h"
#include "tests/support/FakeClock.h"
#include "tests/support/LogProbe.h"
#include "tests/support/RasterizerDiscard.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

using ::testing::IsEmpty;

// The real game on the shipped data with one profile, its time moving on
// the fake clock and its input coming through SDL's queue.
class GameMenusTest : public ::testing::Test {
protected:
    GameMenusTest() : scoped(clock)
    {
        game = std::make_unique<Testing::TestGame>();
        GameFramework::ProfileManagerBase& profiles = *game->GetProfileManager();
        profiles.SetCurrentProfile(profiles.AddProfile(L"Tester"),
                                   GameFramework::ProfileManagerBase::ListSaving::kSaveFile);
        mouse = std::make_unique<Testing::ScriptedInput>(Testing::WindowIdOf(*game->GetEngine()->GetWindow()));
    }

    ~GameMenusTest() override
    {
        game.reset();
        Testing::ResetInput();
    }

    void Frame()
    {
        Testing::PumpAll();
        clock.Advance(0.02);
        game->Update();
    }

    // How many pixels of the last drawn frame are not dark.
    std::size_t LitPixels()
    {
        Halvard::Image screen;
        game->GetEngine()->GetRenderSystem()->CaptureScreen(screen);
        std::size_t lit = 0;
        const std::size_t pixels = static_cast<std::size_t>(screen.GetWidth()) * screen.GetHeight();
        const std::uint8_t* data = screen.GetData();
        for (std::size_t i = 0; i < pixels; ++i)
            lit += (data[i * 4] + data[i * 4 + 1] + data[i * 4 + 2] > 96) ? 1 : 0;
        return lit;
    }

    void PointAt(const Halvard::GUIWindow& widget) { mouse->MoveMouseOnto(widget, *game->GetEngine()->GetWindow()); }

    // A press and a release over the widget, a frame each.
    void Click(const Halvard::GUIWindow& widget)
    {
        PointAt(widget);
        Frame();
        mouse->PressButton();
        Frame();
        mouse->ReleaseButton();
        Frame();
    }

    static std::string ReadText(const std::filesystem::path& path)
    {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::GameFixture fixture;
    std::unique_ptr<Testing::TestGame> game;
    std::unique_ptr<Testing::ScriptedInput> mouse;
};

TEST_F(GameMenusTest, TheGameStartsThroughItsLogoAndLoadingWindowToTheMainMenuThatFollowsTheMouse)
{
    // The logo is looked at on the screen.
    Testing::ResumeRasterizing();
    for (int frame = 0; frame < 50; ++frame)
        Frame();
    EXPECT_GT(LitPixels(), 2000u) << "the maker's logo is on screen";
    Testing::DiscardRasterizing();

    auto* loading = dynamic_cast<Tamrisk::GUIGameLoadingWindow*>(game->GetWindows().gameLoading.get());
    ASSERT_NE(loading, nullptr);
    Halvard::GUIWindow* upper = game->GetBackground()->GetUpperWindow();
    EXPECT_EQ(loading->GetBaseWindow()->GetParent(), upper);
    Tamrisk::GUIMainMenuWindow* menu = nullptr;
    int loadingFrames = 0;
    for (int frame = 0; frame < 1500 && (menu == nullptr || !menu->GUIMenuWindow::IsVisible()); ++frame) {
        Frame();
        menu = dynamic_cast<Tamrisk::GUIMainMenuWindow*>(game->GetWindows().mainMenu.get());
        const bool loadingUp = loading->GetBaseWindow()->visible;
        loadingFrames += loadingUp ? 1 : 0;
        EXPECT_FALSE(loadingUp && menu != nullptr && menu->GetBaseWindow()->visible) << "frame " << frame;
    }
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->GUIMenuWindow::IsVisible());
    EXPECT_GT(loadingFrames, 0);
    EXPECT_EQ(menu->GetBaseWindow()->GetParent(), upper);
    EXPECT_EQ(game->GetMenuWindowManager()->GetCurrent(), menu);
    EXPECT_EQ(menu->GetTitle()->GetLines().at(0), L"Hello, Tester!");

    for (int frame = 0; frame < 100; ++frame)
        Frame();
    const GUITools::GUITextControl* title = menu->GetButtonTitle(Tamrisk::GUIMainMenuWindow::kStart);
    EXPECT_EQ(title->GetFontName(), "main_menu_0");
    PointAt(*menu->GetMenuButton(Tamrisk::GUIMainMenuWindow::kStart));
    Frame();
    EXPECT_EQ(title->GetFontName(), "main_menu_1");
    mouse->PressButton();
    Frame();
    EXPECT_EQ(title->GetFontName(), "main_menu_2");
    mouse->MoveMouseTo(2, 2);
    mouse->ReleaseButton();
    Frame();
    EXPECT_EQ(title->GetFontName(), "main_menu_0");
    EXPECT_EQ(menu->GetResult(), GameFramework::WindowResult::kNone);

    const Testing::LogProbe log = Testing::LogProbe::FromHtmlFile(fixture.LogFile());
    ASSERT_FALSE(log.Entries().empty());
    EXPECT_THAT(log.ErrorLines(), IsEmpty()) << log.Joined();
}

// The options through the player's mouse: a size the game does not offer
// shows the default one; confirming the smallest writes it into the ini
// file and the game switches to it.
TEST_F(GameMenusTest, TheOptionsOfferTheGamesSizesAndConfirmingOneSwitchesTheScreenToIt)
{
    Tamrisk::GUIMainMenuWindow* menu = nullptr;
    for (int frame = 0; frame < 1500 && (menu == nullptr || !menu->GetFrame()->IsVisible()); ++frame) {
        Frame();
        menu = dynamic_cast<Tamrisk::GUIMainMenuWindow*>(game->GetWindows().mainMenu.get());
    }
    ASSERT_NE(menu, nullptr);
    game->GetEngine()->GetConfig()->videoMode = "1280x1024x32";
    auto* options = dynamic_cast<Tamrisk::GUIOptionsWindow*>(game->GetWindows().options.get());
    ASSERT_NE(options, nullptr);
    Click(*menu->GetMenuButton(Tamrisk::GUIMainMenuWindow::kOptions));
    for (int frame = 0; frame < 200 && !options->GetFrame()->IsVisible(); ++frame)
        Frame();
    ASSERT_TRUE(options->GetFrame()->IsVisible());
    EXPECT_EQ(options->GetVideoModeText()->GetLines().at(0), L"1024x768");
    for (int i = 0; i < 2; ++i)
        Click(*options->GetDecreaseButton());
    EXPECT_EQ(options->GetVideoModeText()->GetLines().at(0), L"640x480");

    Click(*options->GetConfirmButton());
    const std::string ini = ReadText(fixture.UserFolder() / "Tamrisk.ini");
    EXPECT_NE(ini.find("v_mode 640x480x32"), std::string::npos) << ini;
    for (int frame = 0; frame < 5; ++frame)
        Frame();
    EXPECT_EQ(game->GetEngine()->GetWindow()->GetClientWidth(), 640u);
    EXPECT_EQ(game->GetEngine()->GetWindow()->GetClientHeight(), 480u);
    const Testing::LogProbe log = Testing::LogProbe::FromHtmlFile(fixture.LogFile());
    EXPECT_THAT(log.ErrorLines(), IsEmpty()) << log.Joined();
}

// The stage map of the shipped game: up to the furthest level, the way on
// to the next check point out of reach, the rest hidden; a click chooses
// and saves a level, a double click starts it.
TEST_F(GameMenusTest, TheStageMapShowsUpToTheFurthestLevelAndADoubleClickPlaysTheChosenOne)
{
    GameFramework::ProfileBase& profile = *game->GetProfileManager()->GetCurrentProfile();
    profile.UpdateProgress({0, 1}, false);
    profile.SetCurrentLevel({0, 1});
    Tamrisk::GUIMainMenuWindow* menu = nullptr;
    for (int frame = 0; frame < 1500 && (menu == nullptr || !menu->GUIMenuWindow::IsVisible()); ++frame) {
        Frame();
        menu = dynamic_cast<Tamrisk::GUIMainMenuWindow*>(game->GetWindows().mainMenu.get());
    }
    ASSERT_NE(menu, nullptr);
    for (int frame = 0; frame < 60; ++frame)
        Frame();
    PointAt(*menu->GetMenuButton(Tamrisk::GUIMainMenuWindow::kStart));
    Frame();
    mouse->PressButton();
    Frame();
    mouse->ReleaseButton();
    auto* map = dynamic_cast<Tamrisk::GUIStartGameLogicWindow*>(game->GetWindows().startGameLogic.get());
    ASSERT_NE(map, nullptr);
    for (int frame = 0; frame < 100 && !map->GUIMenuWindow::IsVisible(); ++frame)
        Frame();
    ASSERT_TRUE(map->GUIMenuWindow::IsVisible());
    for (int frame = 0; frame < 30; ++frame)
        Frame();
    std::vector<Halvard::u32> states;
    for (const auto& element : map->GetElements())
        states.push_back(element->IsVisible() ? element->GetState() : 9u);
    EXPECT_EQ(states, (std::vector<Halvard::u32>{1, 3, 4, 4, 9, 9}));

    const Halvard::GUIButton& first = *map->GetElements()[0]->GetButton();
    PointAt(first);
    Frame();
    mouse->PressButton();
    Frame();
    mouse->ReleaseButton();
    Frame();
    EXPECT_EQ(profile.GetCurrentLevel(), (GameFramework::LevelReference{0, 0}));
    EXPECT_EQ(map->GetResult(), GameFramework::WindowResult::kNone);
    EXPECT_TRUE(map->IsShown());
    mouse->PressButton();
    Frame();
    mouse->ReleaseButton();
    Frame();
    // The window flow acts on the result in the next frame.
    Frame();
    EXPECT_FALSE(map->IsShown()) << "the level starts";
    EXPECT_EQ(profile.GetCurrentLevel(), (GameFramework::LevelReference{0, 0}));
    const Testing::LogProbe log = Testing::LogProbe::FromHtmlFile(fixture.LogFile());
    EXPECT_THAT(log.ErrorLines(), IsEmpty()) << log.Joined();
}

} // namespace

namespace {

// Every window this game builds from a shipped description is its own class
// and finds every control, font, text and resource it names, in both
// languages.
class ShippedWindowsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedWindowsTest, BuildThroughTheirClassesWithNothingMissing)
{
    Testing::GameFixture fixture;
    fixture.Folder().WriteFile("user.ini",
                               std::string("[SOFTWARE\\Quenbyworks\\Tamrisk]\nLanguage=") + GetParam() + "\n");
    {
        Testing::TestGame game;
        game.GetGameData()->Load();
        game.GetGameData()->FinishLoading();
        game.LoadAdditionalFonts();
        game.CreateWindows();
        const GameFramework::FrameworkWindows& windows = game.GetWindows();
        EXPECT_NE(dynamic_cast<Tamrisk::GUILogosWindow*>(windows.logos.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIGameLoadingWindow*>(windows.gameLoading.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIGameLogicLoadingWindow*>(windows.gameLogicLoading.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIMainMenuWindow*>(windows.mainMenu.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIGameLogicWindow*>(windows.gameLogic.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIWelcomeWindow*>(windows.welcome.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIProfilesWindow*>(windows.profiles.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUINewProfileWindow*>(windows.newProfile.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIRenameProfileWindow*>(windows.renameProfile.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIDeleteProfileWindow*>(windows.deleteProfile.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIProfileNameConflictWindow*>(windows.profileNameConflict.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIOptionsWindow*>(windows.options.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIGameLogicMenuWindow*>(windows.gameLogicMenu.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIStartGameLogicWindow*>(windows.startGameLogic.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIStageCompleteWindow*>(windows.stageComplete.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIGameCursor*>(game.GetGameCursor()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIExitWindow*>(windows.exit.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIHelpWindow*>(windows.help.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIHighScoresWindow*>(windows.highScores.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIContinueGameLogicWindow*>(windows.continueGameLogic.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIGameLogicPauseWindow*>(windows.gameLogicPause.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIGameLogicRestartWindow*>(windows.gameLogicRestart.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIGameLogicMenuExitWindow*>(windows.gameLogicMenuExit.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIGameLogicGameExitWindow*>(windows.gameLogicGameExit.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIGameOverWindow*>(windows.gameOver.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUIGameCompleteWindow*>(windows.gameComplete.get()), nullptr);
        EXPECT_NE(dynamic_cast<Tamrisk::GUILevelCompleteWindow*>(windows.levelComplete.get()), nullptr);
    }
    const Testing::LogProbe log = Testing::LogProbe::FromHtmlFile(fixture.LogFile());
    EXPECT_THAT(log.ErrorLines(), IsEmpty()) << log.Joined();
    EXPECT_FALSE(log.Contains("Unknown"));
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedWindowsTest, ::testing::Values("en", "ru"));

} // namespace
