#include "tests/data/GameFixture.h"

#include "engine/app/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUIWindow.h"
#include "framework/persistence/ProfileBase.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "game/windows/menus/GUIDeleteProfileWindow.h"
#include "game/windows/menus/GUIMainMenuWindow.h"
#include "game/windows/menus/GUINewProfileWindow.h"
#include "game/windows/menus/GUIProfileNameConflictWindow.h"
#include "game/windows/menus/GUIProfilesWindow.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/support/FakeClock.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using ::testing::IsEmpty;
using GameFramework::ProfileManagerBase;

// The real game on the shipped data, started with the profiles a test
// names (none: an empty user folder), played through SDL's queue.
class GameProfileWindowsTest : public ::testing::Test {
protected:
    GameProfileWindowsTest() : scoped(clock) {}

    ~GameProfileWindowsTest() override
    {
        game.reset();
        Testing::ResetInput();
    }

    void Start(const std::vector<std::wstring>& profileNames)
    {
        game = std::make_unique<Testing::TestGame>();
        ProfileManagerBase& profiles = *game->GetProfileManager();
        for (const std::wstring& name : profileNames)
            profiles.AddProfile(name);
        if (!profileNames.empty())
            profiles.SetCurrentProfile(profiles.GetProfile(profileNames.front()),
                                       ProfileManagerBase::ListSaving::kSaveFile);
        hands = std::make_unique<Testing::ScriptedInput>(Testing::WindowIdOf(*game->GetEngine()->GetWindow()));
    }

    void Frame()
    {
        Testing::PumpAll();
        clock.Advance(0.02);
        game->Update();
    }

    // Plays until the window holds the screen, then long enough for its
    // frame to have risen into place.
    template <class Window>
    Window* WaitFor(const std::function<GameFramework::GUIFrameworkWindow*()>& slot)
    {
        return Testing::WaitForMenuWindow<Window>([this] { Frame(); }, slot);
    }

    // Pressed and let go over the middle of the widget.
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

    const GameFramework::FrameworkWindows& Windows() const { return game->GetWindows(); }

    Tamrisk::GUIProfilesWindow* OpenProfiles()
    {
        auto* menu = WaitFor<Tamrisk::GUIMainMenuWindow>([this] { return Windows().mainMenu.get(); });
        if (menu == nullptr)
            return nullptr;
        Click(*menu->GetMenuButton(Tamrisk::GUIMainMenuWindow::kChangePlayer));
        return WaitFor<Tamrisk::GUIProfilesWindow>([this] { return Windows().profiles.get(); });
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    Testing::GameFixture fixture;
    std::unique_ptr<Testing::TestGame> game;
    std::unique_ptr<Testing::ScriptedInput> hands;
};

TEST_F(GameProfileWindowsTest, ANameTakenInAnotherCaseShowsTheConflictAndBackKeepsTheTypedText)
{
    Start({L"Anna"});
    auto* list = OpenProfiles();
    ASSERT_NE(list, nullptr);
    Click(*list->GetButton(list->GetName() + "/window/create"));
    auto* create = WaitFor<Tamrisk::GUINewProfileWindow>([this] { return Windows().newProfile.get(); });
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create->GetCancelTitle()->GetTextKey(), "common/cancel");
    Type("anna ");
    PressEnter();
    auto* conflict =
        WaitFor<Tamrisk::GUIProfileNameConflictWindow>([this] { return Windows().profileNameConflict.get(); });
    ASSERT_NE(conflict, nullptr);
    EXPECT_EQ(game->GetProfileManager()->GetProfileCount(), 1u);

    Click(*conflict->GetBackButton());
    ASSERT_EQ(WaitFor<Tamrisk::GUINewProfileWindow>([this] { return Windows().newProfile.get(); }), create);
    EXPECT_EQ(create->GetForm().GetEditBox()->GetText(), L"anna ");
    EXPECT_EQ(game->GetProfileManager()->GetProfileCount(), 1u);
}

TEST_F(GameProfileWindowsTest, TwelveProfilesScrollThroughFourPositionsWithTheCurrentPlayerFirst)
{
    std::vector<std::wstring> names;
    for (int i = 0; i < 12; ++i)
        names.push_back(L"Player " + std::to_wstring(i + 10));
    names.front() = L"Zoe";
    Start(names);
    auto* list = OpenProfiles();
    ASSERT_NE(list, nullptr);
    const Halvard::GUIScroll& scroll = *list->GetScrollBar();
    EXPECT_EQ(scroll.GetPositionCount(), 4u);
    EXPECT_NE(scroll.state, Halvard::GUISlider::kDisabled);
    EXPECT_EQ(list->GetProfileTitle(0)->GetText(), L"Zoe");
    EXPECT_EQ(list->GetProfileTitle(0)->GetFontName(), "common_1");
    EXPECT_EQ(list->GetProfileTitle(1)->GetText(), L"Player 11");
    EXPECT_EQ(list->GetProfileButton(0)->state, Halvard::GUIButton::kDisabled);

    // The bar is inverted: its lower arrow moves down the list.
    Click(*scroll.GetDecreaseArrow());
    EXPECT_EQ(scroll.GetPosition(), 1u);
    EXPECT_EQ(list->GetProfileTitle(0)->GetText(), L"Player 11");
    EXPECT_EQ(list->GetProfileTitle(8)->GetText(), L"Player 19");

    Click(*list->GetProfileButton(2));
    EXPECT_EQ(game->GetProfileManager()->GetCurrentProfile()->GetName(), L"Player 13");
    EXPECT_EQ(list->GetProfileButton(2)->state, Halvard::GUIButton::kDisabled);
    EXPECT_EQ(list->GetProfileTitle(2)->GetFontName(), "common_1");
}

TEST_F(GameProfileWindowsTest, DeletingTheLastProfileOpensTheNewProfileWindowThatOffersTheExit)
{
    Start({L"Tester"});
    auto* list = OpenProfiles();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetScrollBar()->state, Halvard::GUISlider::kDisabled);
    Click(*list->GetButton(list->GetName() + "/window/delete"));
    auto* question = WaitFor<Tamrisk::GUIDeleteProfileWindow>([this] { return Windows().deleteProfile.get(); });
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->GetWindowText()->GetLines().at(0), L"Delete the player \"Tester\"?");
    Click(*question->GetYesButton());
    auto* create = WaitFor<Tamrisk::GUINewProfileWindow>([this] { return Windows().newProfile.get(); });
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(game->GetProfileManager()->GetProfileCount(), 0u);
    EXPECT_TRUE(create->HasNoProfiles());
    EXPECT_EQ(create->GetCancelTitle()->GetTextKey(), "common/exit");
    EXPECT_EQ(create->GetCancelTitle()->GetLines().at(0), L"Exit");
}

} // namespace
