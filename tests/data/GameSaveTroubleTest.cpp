#include "engine/app/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "game/SaveTroubleNotice.h"
#include "game/windows/menus/GUIMainMenuWindow.h"
#include "game/windows/menus/GUISaveTroubleWindow.h"
#include "game/windows/menus/GUIWelcomeWindow.h"
#include "game/windows/parts/GUIMenuWindow.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/data/GameFixture.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/StandardErrorPipe.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

// The real game on the shipped data with a disk that takes no byte, played
// through SDL's queue.
class GameSaveTroubleTest : public ::testing::Test {
protected:
    GameSaveTroubleTest() : scoped(clock) {}

    ~GameSaveTroubleTest() override
    {
        game.reset();
        Testing::ResetInput();
    }

    void Start()
    {
        game = std::make_unique<Testing::TestGame>();
        hands = std::make_unique<Testing::ScriptedInput>(Testing::WindowIdOf(*game->GetEngine()->GetWindow()));
    }

    void Frame()
    {
        Testing::PumpAll();
        clock.Advance(0.02);
        game->Update();
    }

    template <class Window>
    Window* WaitFor(const std::function<Tamrisk::GUIMenuWindow*()>& slot)
    {
        return Testing::WaitForMenuWindow<Window>([this] { Frame(); }, slot);
    }
    Tamrisk::GUISaveTroubleWindow* Notice() const
    {
        return game->GetSaveTroubleNotice() != nullptr ? game->GetSaveTroubleNotice()->GetWindow() : nullptr;
    }
    Tamrisk::GUIMenuWindow* Welcome() const
    {
        return dynamic_cast<Tamrisk::GUIMenuWindow*>(game->GetWindows().welcome.get());
    }
    Tamrisk::GUIMenuWindow* MainMenu() const
    {
        return dynamic_cast<Tamrisk::GUIMenuWindow*>(game->GetWindows().mainMenu.get());
    }

    void Click(const Halvard::GUIWindow& widget)
    {
        hands->MoveMouseOnto(widget, *game->GetEngine()->GetWindow());
        Frame();
        hands->PressButton();
        Frame();
        hands->ReleaseButton();
        Frame();
    }

    void Type(const std::string& text)
    {
        for (const char c : text) {
            hands->Type(std::string(1, c));
            Frame();
        }
    }

    void PressEnter()
    {
        hands->PressKey(SDLK_RETURN);
        Frame();
        hands->ReleaseKey(SDLK_RETURN);
        Frame();
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::GameFixture fixture;
    std::unique_ptr<Testing::TestGame> game;
    std::unique_ptr<Testing::ScriptedInput> hands;
};

// At the first start on a full disk even the log cannot be written: its
// lines reach standard error, and the player is told, once, in the game's
// own notice, that what he did was not kept and in which folder. The game
// goes on: the notice gives the screen back to the welcome window, a player
// is made, and the next failed save brings no second notice.
TEST_F(GameSaveTroubleTest, SavesOnAFullDiskAreToldOnceAndTheGameGoesOn)
{
    Testing::FileSizeLimit full(0);
    Testing::StandardErrorPipe standardError;
    Start();
    Tamrisk::GUISaveTroubleWindow* notice = WaitFor<Tamrisk::GUISaveTroubleWindow>([this] { return Notice(); });
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(Welcome()->IsShown());
    EXPECT_EQ(notice->GetTitle()->GetTextKey(), "save_trouble/title_not_saved");
    EXPECT_EQ(notice->GetWindowText()->GetTextKey(), "save_trouble/text_not_saved");
    const std::wstring folder = L"\"" + fixture.UserFolder().wstring() + L"\"";
    std::wstring shown;
    for (const std::wstring& line : notice->GetWindowText()->GetLines())
        shown += line + L" ";
    EXPECT_NE(shown.find(folder), std::wstring::npos) << testing::PrintToString(shown);

    Click(*notice->GetCloseButton());
    ASSERT_NE(WaitFor<Tamrisk::GUIWelcomeWindow>([this] { return Welcome(); }), nullptr);
    EXPECT_FALSE(notice->IsShown());
    Type("Anna");
    PressEnter();
    ASSERT_NE(WaitFor<Tamrisk::GUIMainMenuWindow>([this] { return MainMenu(); }), nullptr);
    for (int frame = 0; frame < 100; ++frame) {
        Frame();
        ASSERT_FALSE(notice->IsShown());
    }
    ASSERT_NE(game->GetProfileManager()->GetCurrentProfile(), nullptr);
    EXPECT_EQ(game->GetProfileManager()->GetCurrentProfile()->GetName(), L"Anna");
    game.reset();
    const std::string echoed = standardError.Take();
    EXPECT_NE(echoed.find("Tamrisk: Error: Failed to save"), std::string::npos) << echoed;
    EXPECT_NE(echoed.find("profiles.pmf"), std::string::npos);
}

// Saves that work tell the player nothing; the notice is not even made.
TEST_F(GameSaveTroubleTest, SavesThatWorkBringNoNotice)
{
    Start();
    ASSERT_NE(WaitFor<Tamrisk::GUIWelcomeWindow>([this] { return Welcome(); }), nullptr);
    Type("Anna");
    PressEnter();
    ASSERT_NE(WaitFor<Tamrisk::GUIMainMenuWindow>([this] { return MainMenu(); }), nullptr);
    for (int frame = 0; frame < 100; ++frame)
        Frame();
    EXPECT_EQ(Notice(), nullptr);
}

} // namespace
