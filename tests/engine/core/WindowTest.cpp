#include "engine/core/Window.h"

#include "engine/core/CodePage.h"
#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"

#include "tests/support/FakeWindowSystem.h"
#include "tests/support/LogProbe.h"
#include "tests/support/QuietLog.h"
#include "tests/support/ScopedWindowSystem.h"
#include "tests/support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using Platform::WindowMessage;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

struct Placement {
    bool fullScreen = false;
    bool centered = true;
    u32 x = 0;
    u32 y = 0;
    u32 width = 800;
    u32 height = 600;
    u32 host = 0;
    u32 icon = 0;
};

class WindowTest : public testing::Test {
protected:
    std::unique_ptr<Window> Make(const Placement& p = Placement{})
    {
        const WindowSettings settings{"Halvard 0.67", p.host, p.icon, p.width, p.height, p.fullScreen, p.centered,
                                      p.x, p.y};
        return std::make_unique<Window>(&log, &config, settings);
    }

    std::vector<std::string> LogTexts() const { return Testing::LogProbe(log).Texts(); }

    static bool Send(Window& window, u32 id, u32 param = 0)
    {
        WindowMessage message;
        message.id = id;
        message.param = param;
        return window.HandleMessage(message);
    }

    static bool Command(Window& window, u32 command) { return Send(window, WindowMessage::kSysCommand, command); }

    std::string IniFile() const { return folder.ReadFile("Game.ini"); }

    Testing::TempFolder folder;
    Testing::FakeWindowSystem system;
    Testing::ScopedWindowSystem installed{system};
    Testing::QuietLog log;
    // The file manager logs apart, so that the window's log lines stand alone.
    Testing::QuietLog fileLog;
    FileManager files{&fileLog, folder.Internal(), ""};
    Config config{&log, &files, {.folder = folder.Internal(), .name = "Game", .videoMode = "800x600x32"}};
};

TEST_F(WindowTest, CreationAndDestructionLogTheirStepsExactly)
{
    auto window = Make();
    EXPECT_THAT(LogTexts(), ElementsAre(" \n", "Window creation:\n", "...Registering the window class...\n",
                                        "...Creating a device context...\n"));
    log.ClearMessages();
    window.reset();
    EXPECT_THAT(LogTexts(), ElementsAre("\nWindow destroying:\n", "...Releasing device context...\n",
                                        "...Releasing window...\n", "...Unregistering class...\n"));
    EXPECT_FALSE(system.windowAlive);
    EXPECT_EQ(system.openCount, 0);
}

// The system's own reason, when it gives one, follows the step's text in the
// error (and so the box) and in the log.
TEST_F(WindowTest, ASystemThatCannotOpenIsFatalWithItsReason)
{
    for (const std::string reason : {"", "x11 not available"}) {
        system.openFails = true;
        system.openFailure = reason;
        const std::string text =
            reason.empty() ? "Failed to register the window class" : "Failed to register the window class: " + reason;
        try {
            Make();
            FAIL() << "no error";
        } catch (const FatalError& error) {
            EXPECT_EQ(error.GetText(), text);
        }
        EXPECT_EQ(log.GetLogEntry(log.GetLogEntryCount() - 1).text, "PROGRAM ABORTING: " + text + "\n");
    }
}

TEST_F(WindowTest, AWindowThatCannotBeMadeIsFatalAndClosesTheSystemAgain)
{
    system.createFails = true;
    try {
        Make();
        FAIL() << "no error";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.GetText(), "Failed to create window");
    }
    EXPECT_EQ(system.openCount, 0);
}

TEST_F(WindowTest, ACenteredWindowSitsInTheMiddleOfTheWorkAreaWithACaption)
{
    system.workArea = Platform::ScreenRect{100, 50, 1001, 701};
    auto window = Make();
    const Platform::WindowShape& shape = system.createdShape;
    EXPECT_EQ(shape.rect.x, 200);
    EXPECT_EQ(shape.rect.y, 100);
    EXPECT_EQ(shape.rect.width, 800u);
    EXPECT_EQ(shape.rect.height, 600u);
    EXPECT_TRUE(shape.captioned);
    EXPECT_FALSE(shape.fullScreen);
    EXPECT_FALSE(shape.topmost);
    EXPECT_EQ(system.createdTitle, "Halvard 0.67");
}

TEST_F(WindowTest, AWindowNotCenteredTakesTheGivenPosition)
{
    Placement placement;
    placement.centered = false;
    placement.x = 30;
    placement.y = 40;
    auto window = Make(placement);
    EXPECT_EQ(system.createdShape.rect.x, 30);
    EXPECT_EQ(system.createdShape.rect.y, 40);
}

TEST_F(WindowTest, ACenteredWindowLargerThanTheWorkAreaStartsAtItsCornerNotFarOffTheScreen)
{
    system.workArea = Platform::ScreenRect{0, 30, 1024, 738};
    Placement placement;
    placement.width = 1024;
    placement.height = 768;
    auto window = Make(placement);
    EXPECT_EQ(system.createdShape.rect.x, 0);
    EXPECT_EQ(system.createdShape.rect.y, 30);
}

TEST_F(WindowTest, AFullScreenWindowCoversTheDisplayFromTheOriginOnTopWithoutCaption)
{
    Placement placement;
    placement.fullScreen = true;
    auto window = Make(placement);
    const Platform::WindowShape& shape = system.createdShape;
    EXPECT_EQ(shape.rect.x, 0);
    EXPECT_EQ(shape.rect.y, 0);
    EXPECT_TRUE(shape.fullScreen);
    EXPECT_FALSE(shape.captioned);
    EXPECT_TRUE(shape.topmost);
    EXPECT_TRUE(window->IsFullScreen());
}

TEST_F(WindowTest, EnteringFullScreenClampsTheGammaSettingsAndWindowedLeavesThem)
{
    config.brightness = 3.5f;
    config.contrast = -1.0f;
    config.gamma = 1.5f;
    auto windowed = Make();
    EXPECT_EQ(config.brightness, 3.5f);
    windowed.reset();
    Placement placement;
    placement.fullScreen = true;
    auto fullScreen = Make(placement);
    EXPECT_EQ(config.brightness, 2.0f);
    EXPECT_EQ(config.contrast, 0.0f);
    EXPECT_EQ(config.gamma, 1.5f);
}

TEST_F(WindowTest, IsShownAndTakesTheFocusWhenTheSystemGrantsIt)
{
    auto focused = Make();
    EXPECT_EQ(system.shows, 1);
    EXPECT_EQ(system.focusRequests, 1);
    EXPECT_TRUE(focused->HasFocus());
    focused.reset();
    system.focusGranted = false;
    EXPECT_FALSE(Make()->HasFocus());
}

TEST_F(WindowTest, OnlyANonZeroIconNumberAsksForTheProgramsIcon)
{
    Make();
    EXPECT_EQ(system.createdIcon, 0u);
    Placement placement;
    placement.icon = 101;
    Make(placement);
    EXPECT_EQ(system.createdIcon, 101u);
}

TEST_F(WindowTest, AHostWindowIsWarnedAboutAndATopLevelWindowMade)
{
    Placement placement;
    placement.host = 0x1234;
    auto window = Make(placement);
    EXPECT_EQ(window->GetHostWindow(), 0u);
    EXPECT_TRUE(system.windowAlive);
    EXPECT_GT(Testing::LogProbe(log).CountAt(MessageManager::kWarning), 0u);
}

struct DesktopCase {
    u32 width;
    u32 height;
    bool wide;
    bool tall;
};

class WindowDesktopTest : public WindowTest, public testing::WithParamInterface<DesktopCase> {};

TEST_P(WindowDesktopTest, TheDesktopsShapeSetsTheWideAndTallFlags)
{
    system.desktop = Platform::ScreenSize{GetParam().width, GetParam().height};
    auto window = Make();
    EXPECT_EQ(window->IsWide(), GetParam().wide);
    EXPECT_EQ(window->IsTall(), GetParam().tall);
}

INSTANTIATE_TEST_SUITE_P(Desktops, WindowDesktopTest,
                         testing::Values(DesktopCase{1280, 1024, false, true}, DesktopCase{1920, 1080, true, false},
                                         DesktopCase{1024, 768, false, false}, DesktopCase{1340, 1000, false, false},
                                         DesktopCase{1341, 1000, true, false}, DesktopCase{1326, 1000, false, true},
                                         DesktopCase{1327, 1000, false, false}, DesktopCase{0, 0, false, false}));

TEST_F(WindowTest, TheAspectRatioIsTheDesktopsWidthOverHeight)
{
    system.desktop = Platform::ScreenSize{1920, 1200};
    EXPECT_FLOAT_EQ(Make()->GetAspectRatio(), 1.6f);
}

TEST_F(WindowTest, SetModeReshapesForFullScreenAndBackToTheCenteredWindow)
{
    auto window = Make();
    config.brightness = 5.0f;
    window->SetMode(1024, 768, true);
    ASSERT_EQ(system.reshapes.size(), 1u);
    EXPECT_TRUE(system.reshapes[0].fullScreen);
    EXPECT_TRUE(system.reshapes[0].topmost);
    EXPECT_FALSE(system.reshapes[0].captioned);
    EXPECT_EQ(system.reshapes[0].rect.width, 1024u);
    EXPECT_EQ(config.brightness, 2.0f);
    EXPECT_EQ(window->GetClientWidth(), 1024u);
    EXPECT_EQ(window->GetClientHeight(), 768u);

    window->SetMode(640, 480, false);
    ASSERT_EQ(system.reshapes.size(), 2u);
    const Platform::WindowShape& windowed = system.reshapes[1];
    EXPECT_FALSE(windowed.fullScreen);
    EXPECT_TRUE(windowed.captioned);
    EXPECT_FALSE(windowed.topmost);
    EXPECT_EQ(windowed.rect.x, 192);
    EXPECT_EQ(windowed.rect.y, 144);
    EXPECT_FALSE(window->IsFullScreen());
    EXPECT_EQ(system.focusRequests, 3);
}

TEST_F(WindowTest, TitleMinimiseAndCursorGoToTheSystem)
{
    auto window = Make();
    window->SetTitle("Tamrisk");
    window->Minimize();
    EXPECT_THAT(system.titles, ElementsAre("Tamrisk"));
    EXPECT_EQ(system.minimizeRequests, 1);
    EXPECT_FALSE(window->IsMinimized());
    Platform::Cursor cursor;
    window->SetCursor(&cursor);
    EXPECT_EQ(system.currentCursor, &cursor);
    EXPECT_EQ(window->LoadCursor(1000), &system.arrow);
}

// A Russian title in code page 1251 reaches the window system as UTF-8.
TEST_F(WindowTest, TitlesInTheCodePageReachTheSystemAsUtf8)
{
    auto window = Make();
    struct Case {
        u32 codePage;
        const char* title;
        const char* utf8;
    };
    for (const Case& c : {Case{1251, "\xD2\xE0\xEC\xF0\xE8\xF1\xEA", "\u0422\u0430\u043C\u0440\u0438\u0441\u043A"},
                          Case{1252, "Caf\xE9 \x80", "Caf\u00E9 \u20AC"}, Case{1252, "Tamrisk", "Tamrisk"}}) {
        SetCodePage(c.codePage);
        system.titles.clear();
        window->SetTitle(c.title);
        EXPECT_THAT(system.titles, ElementsAre(c.utf8)) << c.codePage;
    }
    SetCodePage(1252);
}

TEST_F(WindowTest, KeyDownsAreRecordedAsKeyCodes)
{
    auto window = Make();
    EXPECT_FALSE(window->GetKeyEvent().pending);
    EXPECT_FALSE(Send(*window, WindowMessage::kKeyDown, 0x25));
    EXPECT_TRUE(window->GetKeyEvent().pending);
    EXPECT_FALSE(window->GetKeyEvent().isCharacter);
    EXPECT_EQ(window->GetKeyEvent().code, 0x25);
    Send(*window, WindowMessage::kSysKeyDown, 0x0D);
    EXPECT_EQ(window->GetKeyEvent().code, 0x0D);
    window->ClearKeyEvent();
    EXPECT_FALSE(window->GetKeyEvent().pending);
}

TEST_F(WindowTest, TypedCharactersAreRecordedButControlCharactersAreNot)
{
    auto window = Make();
    Send(*window, WindowMessage::kChar, 8);
    Send(*window, WindowMessage::kChar, 31);
    EXPECT_FALSE(window->GetKeyEvent().pending);
    Send(*window, WindowMessage::kChar, 0x0416);
    EXPECT_TRUE(window->GetKeyEvent().pending);
    EXPECT_TRUE(window->GetKeyEvent().isCharacter);
    EXPECT_EQ(window->GetKeyEvent().code, 0x0416);
    Send(*window, WindowMessage::kChar, 13);
    EXPECT_EQ(window->GetKeyEvent().code, 0x0416);
}

TEST_F(WindowTest, MinimiseMarksTheWindowAndASecondMinimiseOrARestoreClearsIt)
{
    auto window = Make();
    EXPECT_FALSE(Command(*window, WindowMessage::kMinimize));
    EXPECT_TRUE(window->IsMinimized());
    Command(*window, WindowMessage::kMinimize);
    EXPECT_FALSE(window->IsMinimized());
    Command(*window, WindowMessage::kMinimize);
    EXPECT_FALSE(Command(*window, WindowMessage::kRestore));
    EXPECT_FALSE(window->IsMinimized());
}

TEST_F(WindowTest, MaximisingAWindowAsksForFullScreenAndSavesFirst)
{
    auto window = Make();
    EXPECT_TRUE(Command(*window, WindowMessage::kMaximize));
    EXPECT_EQ(config.fullScreen, 1);
    EXPECT_THAT(IniFile(), HasSubstr("v_fullscreen 1"));
    EXPECT_FALSE(config.IsCommandHandled("v_window_change_mode"));
}

TEST_F(WindowTest, MaximisingAMinimisedWindowRestoresIt)
{
    auto window = Make();
    Command(*window, WindowMessage::kMinimize);
    EXPECT_FALSE(Command(*window, WindowMessage::kMaximize));
    EXPECT_FALSE(window->IsMinimized());
    EXPECT_EQ(config.fullScreen, 0);
    EXPECT_TRUE(config.IsCommandHandled("v_window_change_mode"));
}

TEST_F(WindowTest, MaximisingAFullScreenWindowIsRefusedWithoutARequest)
{
    Placement placement;
    placement.fullScreen = true;
    auto window = Make(placement);
    EXPECT_TRUE(Command(*window, WindowMessage::kMaximize));
    EXPECT_TRUE(config.IsCommandHandled("v_window_change_mode"));
}

TEST_F(WindowTest, RestoringAFullScreenWindowClampsTheGammaSettings)
{
    Placement placement;
    placement.fullScreen = true;
    auto window = Make(placement);
    config.gamma = 7.0f;
    Command(*window, WindowMessage::kRestore);
    EXPECT_EQ(config.gamma, 2.0f);
}

TEST_F(WindowTest, AMoveIsLetThroughButAResizeIsTurnedBackToTheStoredRectangle)
{
    system.workArea = Platform::ScreenRect{0, 0, 1000, 800};
    auto window = Make();
    WindowMessage move;
    move.id = WindowMessage::kPositionChanging;
    move.rect = Platform::ScreenRect{5, 6, 800, 600};
    window->HandleMessage(move);
    EXPECT_EQ(move.rect.x, 5);
    EXPECT_EQ(move.rect.y, 6);

    WindowMessage resize = move;
    resize.rect.width = 900;
    window->HandleMessage(resize);
    EXPECT_EQ(resize.rect.x, 100);
    EXPECT_EQ(resize.rect.y, 100);
    EXPECT_EQ(resize.rect.width, 800u);
    EXPECT_EQ(resize.rect.height, 600u);
}

TEST_F(WindowTest, CharToWideConvertsThroughTheCodePageAndFallsBackToA)
{
    EXPECT_EQ(Window::CharToWide('q'), L'q');
    EXPECT_EQ(Window::CharToWide(0xE9), L'\u00E9');
    EXPECT_EQ(Window::CharToWide(0), L'A');
}

} // namespace
