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
#include "platform/os/FolderLock.h"
#include "tests/data/GameFixture.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FilePermissionsHonoured.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/StandardErrorPipe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

// ASCII text, widened.
std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

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
    // The notice once it holds the screen again.
    Tamrisk::GUISaveTroubleWindow* NoticeShown()
    {
        return WaitFor<Tamrisk::GUISaveTroubleWindow>([this]() -> Tamrisk::GUIMenuWindow* {
            return Notice() != nullptr && Notice()->IsShown() ? Notice() : nullptr;
        });
    }
    // The notice's lines as one text.
    static std::wstring Shown(const Tamrisk::GUISaveTroubleWindow& notice)
    {
        std::wstring shown;
        for (const std::wstring& line : notice.GetWindowText()->GetLines())
            shown += line + L" ";
        return shown;
    }
    void ExpectNotice(const Tamrisk::GUISaveTroubleWindow& notice, const std::string& kind, const std::wstring& file)
    {
        EXPECT_EQ(notice.GetTitle()->GetTextKey(), "save_trouble/" + kind + "/title");
        EXPECT_EQ(notice.GetWindowText()->GetTextKey(), "save_trouble/" + kind + "/text");
        EXPECT_NE(Shown(notice).find(L"\"" + file), std::wstring::npos) << testing::PrintToString(Shown(notice));
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
// own notice, which file could not be saved and that the disk is full. The game
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
    ExpectNotice(*notice, "no_room", Wide((fixture.UserFolder() / "profiles.pmf").string()) + L"\"");

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

// A player whose folder is named in his own letters reads it intact in each
// notice; a file that cannot be opened and, later in the run, a full disk are
// each told once, the first not hiding the second.
TEST_F(GameSaveTroubleTest, EachKindOfTroubleIsToldOnceNamingItsFileInTheFoldersOwnLetters)
{
    const fs::path share = fixture.Folder().Path() / "борис";
    setenv("XDG_DATA_HOME", share.c_str(), 1);
    const fs::path user = share / "Quenbyworks" / "Tamrisk";
    fs::create_directories(user);
    fixture.Folder().WriteFile("борис\\Quenbyworks\\Tamrisk\\high_scores.hsf", "kept");
    fs::permissions(user / "high_scores.hsf", fs::perms::none);
    const std::wstring shownUser = Wide(fixture.Folder().Path().string()) + L"/борис/Quenbyworks/Tamrisk/";
    Testing::FilePermissionsHonoured honoured;
    Start();
    Tamrisk::GUISaveTroubleWindow* notice = NoticeShown();
    ASSERT_NE(notice, nullptr);
    ExpectNotice(*notice, "not_read", shownUser + L"high_scores.hsf\"");
    Click(*notice->GetCloseButton());
    ASSERT_NE(WaitFor<Tamrisk::GUIWelcomeWindow>([this] { return Welcome(); }), nullptr);
    {
        Testing::FileSizeLimit full(0);
        Type("Anna");
        PressEnter();
        ASSERT_NE(NoticeShown(), nullptr);
        ExpectNotice(*notice, "no_room", shownUser + L"profiles/anna_");
        Click(*notice->GetCloseButton());
        ASSERT_NE(WaitFor<Tamrisk::GUIMainMenuWindow>([this] { return MainMenu(); }), nullptr);
        game->GetProfileManager()->Save();
        for (int frame = 0; frame < 100; ++frame) {
            Frame();
            ASSERT_FALSE(notice->IsShown());
        }
    }
    game.reset();
    fs::permissions(user / "high_scores.hsf", fs::perms::owner_all);
    EXPECT_EQ(fixture.Folder().ReadFile("борис\\Quenbyworks\\Tamrisk\\high_scores.hsf"), "kept");
    const std::string log = fixture.Folder().ReadFile("борис\\Quenbyworks\\Tamrisk\\Tamrisk.html");
    EXPECT_NE(log.find("\\борис\\Quenbyworks\\Tamrisk\\high_scores.hsf\" exists but cannot be opened"),
              std::string::npos);
}

// A run that started without its lock, in a folder closed to writing, takes
// it at its first save once the folder is opened, on a lock file it makes,
// goes on as a locked run and opens its log then; a lock file made by
// another copy meanwhile, whether that copy still holds it or has ended,
// leaves the saves to it: this one writes nothing more there, not even its
// log, and tells the player, naming the folder.
TEST_F(GameSaveTroubleTest, ARunWithoutItsLockTakesItBeforeASaveOrLeavesTheSavesToTheCopyThatHasIt)
{
    struct Other {
        const char* what;
        bool locked;
        bool ended;
    };
    for (const Other other : {Other{"no copy took it", false, false}, Other{"another copy holds the lock", true, false},
                              Other{"another copy took the lock and ended", true, true}}) {
        SCOPED_TRACE(other.what);
        const fs::path user = fixture.UserFolder();
        const fs::path lockFile = user / "Tamrisk.lock";
        const std::string logFile = "share\\Quenbyworks\\Tamrisk\\Tamrisk.html";
        fs::remove_all(user);
        fs::create_directories(user);
        // A log left by an earlier run opens in the closed folder: it is
        // given up once another copy may write it.
        if (other.locked)
            std::ofstream(user / "Tamrisk.html") << "";
        fs::permissions(user, fs::perms::owner_read | fs::perms::owner_exec);
        Testing::StandardErrorPipe standardError;
        {
            Testing::FilePermissionsHonoured honoured;
            Start();
            Tamrisk::GUISaveTroubleWindow* notice = NoticeShown();
            ASSERT_NE(notice, nullptr);
            ExpectNotice(*notice, "folder_closed", Wide((user / "profiles.pmf").string()) + L"\"");
            Click(*notice->GetCloseButton());
            ASSERT_NE(WaitFor<Tamrisk::GUIWelcomeWindow>([this] { return Welcome(); }), nullptr);
            fs::permissions(user, fs::perms::owner_all);
        }
        std::optional<Platform::FolderLock> copy;
        if (other.locked)
            copy.emplace(lockFile.string());
        if (other.ended)
            copy.reset();
        game->GetProfileManager()->Save();
        EXPECT_EQ(fs::exists(user / "profiles.pmf"), !other.locked);
        if (other.locked) {
            ASSERT_NE(NoticeShown(), nullptr);
            ExpectNotice(*Notice(), "saved_elsewhere", Wide(user.string()) + L"\"");
        } else {
            EXPECT_EQ(Platform::FolderLock(lockFile.string()).GetState(), Platform::FolderLock::State::kHeldElsewhere);
        }
        game.reset();
        EXPECT_EQ(fs::exists(user / "Tamrisk.ini"), !other.locked);
        const std::string echoed = standardError.Take();
        const std::string log = fs::exists(user / "Tamrisk.html") ? fixture.Folder().ReadFile(logFile) : "";
        EXPECT_NE((other.locked ? echoed : log)
                      .find(other.locked ? "Error: User folder taken: " + lockFile.string() + " is there now"
                                         : "Log opened late: the lines before this one went to standard error<BR>"
                                           "User folder locked: " + lockFile.string()),
                  std::string::npos)
            << echoed << log;
    }
}

// An ini file that is there but cannot be read is told, and the options the
// game saves as it ends do not replace it.
TEST_F(GameSaveTroubleTest, AnIniFileThatCannotBeReadIsToldAndKept)
{
    const std::string ini = "v_mode 640x480x32\r\nv_fullscreen 0\r\n";
    fs::create_directories(fixture.UserFolder());
    fixture.Folder().WriteFile("share\\Quenbyworks\\Tamrisk\\Tamrisk.ini", ini);
    fs::permissions(fixture.IniFile(), fs::perms::none);
    {
        Testing::FilePermissionsHonoured honoured;
        Start();
        Tamrisk::GUISaveTroubleWindow* notice = NoticeShown();
        ASSERT_NE(notice, nullptr);
        ExpectNotice(*notice, "not_read", Wide(fixture.IniFile().string()) + L"\"");
        Click(*notice->GetCloseButton());
        ASSERT_NE(WaitFor<Tamrisk::GUIWelcomeWindow>([this] { return Welcome(); }), nullptr);
        game.reset();
    }
    fs::permissions(fixture.IniFile(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fixture.Folder().ReadFile("share\\Quenbyworks\\Tamrisk\\Tamrisk.ini"), ini);
}

} // namespace
