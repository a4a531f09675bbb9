#include "tests/data/GameFixture.h"

#include "engine/app/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "framework/persistence/HighScoresTable.h"
#include "framework/persistence/ProfileBase.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/FrameworkWindows.h"
#include "framework/windows/WindowSource.h"
#include "game/windows/level/GUIGameCompleteWindow.h"
#include "game/windows/level/GUIGameOverWindow.h"
#include "game/windows/menus/GUIHighScoresWindow.h"
#include "game/windows/menus/GUIMainMenuWindow.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/support/FakeClock.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

using ::testing::IsEmpty;
using GameFramework::WindowSource;

// The real game on the shipped data, brought to its main menu with one
// profile, its time on the fake clock and its mouse driven through SDL's
// queue. The windows after a level are opened as the flow opens them, with
// the level's outcome set by the test.
class GameMessagesTest : public ::testing::Test {
protected:
    GameMessagesTest() : scoped(clock)
    {
        game = std::make_unique<Testing::TestGame>();
        GameFramework::ProfileManagerBase& profiles = *game->GetProfileManager();
        profiles.SetCurrentProfile(profiles.AddProfile(L"Tester"),
                                   GameFramework::ProfileManagerBase::ListSaving::kSaveFile);
        mouse = std::make_unique<Testing::ScriptedInput>(Testing::WindowIdOf(*game->GetEngine()->GetWindow()));
        for (int frame = 0; frame < 2000 && !Shown(game->GetWindows().mainMenu.get()); ++frame)
            Frame();
    }

    ~GameMessagesTest() override
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

    template <class Window>
    static bool Shown(const Window* window)
    {
        const auto* menu = dynamic_cast<const Tamrisk::GUIMenuWindow*>(window);
        return menu != nullptr && menu->IsVisible();
    }

    template <class Window>
    void WaitFor(const Window* window)
    {
        for (int frame = 0; frame < 200 && !Shown(window); ++frame)
            Frame();
        ASSERT_TRUE(Shown(window));
    }

    // The mouse over the middle of a widget, then a frame.
    void PointAt(const Halvard::GUIWindow& widget)
    {
        mouse->MoveMouseOnto(widget, *game->GetEngine()->GetWindow());
        Frame();
    }

    // The press, the release, and the frame in which the flow acts on the
    // result the window reported.
    void Click()
    {
        mouse->PressButton();
        Frame();
        mouse->ReleaseButton();
        Frame();
        Frame();
    }

    GameFramework::ProfileBase& Profile() { return *game->GetProfileManager()->GetCurrentProfile(); }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::GameFixture fixture;
    std::unique_ptr<Testing::TestGame> game;
    std::unique_ptr<Testing::ScriptedInput> mouse;
};

TEST_F(GameMessagesTest, GameOverWithNoScoreGoesToTheMainMenuAndLeavesTheTableAlone)
{
    ASSERT_TRUE(Shown(game->GetWindows().mainMenu.get()));
    const std::filesystem::path table = std::filesystem::path(game->GetHighScores()->GetPath());
    const bool tableExisted = std::filesystem::exists(table);
    game->GetWindows().mainMenu->HideWindow();
    auto* over = dynamic_cast<Tamrisk::GUIGameOverWindow*>(game->GetWindows().gameOver.get());
    ASSERT_NE(over, nullptr);
    over->ShowWindow(WindowSource::kGameLogic);
    WaitFor(over);
    PointAt(*over->GetRowButton(0));
    Click();
    WaitFor(game->GetWindows().mainMenu.get());
    EXPECT_FALSE(Shown(game->GetWindows().highScores.get()));
    EXPECT_EQ(game->GetHighScores()->GetEntryCount(0), 0u);
    EXPECT_EQ(std::filesystem::exists(table), tableExisted);
}

TEST_F(GameMessagesTest, TheGameCompleteMessageLeadsToTheHighScoresWithThePlayersEntryInCommon1)
{
    ASSERT_TRUE(Shown(game->GetWindows().mainMenu.get()));
    game->GetHighScores()->AddScore(L"Someone", 0, 900);
    // The score is entered as the last level completes, before this window.
    game->GetFlowState().finalScore = {500, game->GetHighScores()->AddScore(Profile().GetName(), 0, 500)};
    game->GetWindows().mainMenu->HideWindow();
    auto* gameComplete = dynamic_cast<Tamrisk::GUIGameCompleteWindow*>(game->GetWindows().gameComplete.get());
    ASSERT_NE(gameComplete, nullptr);
    gameComplete->ShowWindow(WindowSource::kStageComplete);
    WaitFor(gameComplete);
    PointAt(*gameComplete->GetRowButton(0));
    Click();
    auto* scores = dynamic_cast<Tamrisk::GUIHighScoresWindow*>(game->GetWindows().highScores.get());
    ASSERT_NE(scores, nullptr);
    WaitFor(scores);
    using Column = Tamrisk::GUIHighScoresWindow::Column;
    EXPECT_EQ(scores->GetCell(0, Column::kName)->GetText(), L"Someone");
    EXPECT_EQ(scores->GetCell(0, Column::kName)->GetFontName(), "common_0");
    EXPECT_EQ(scores->GetCell(1, Column::kName)->GetText(), L"Tester");
    for (Column column : {Column::kPlace, Column::kName, Column::kScore})
        EXPECT_EQ(scores->GetCell(1, column)->GetFontName(), "common_1");
    EXPECT_EQ(scores->GetButtonTitle()->GetTextKey(), "common/continue");
    const Testing::LogProbe log = Testing::LogProbe::FromHtmlFile(fixture.LogFile());
    EXPECT_THAT(log.ErrorLines(), IsEmpty()) << log.Joined();
}

} // namespace
