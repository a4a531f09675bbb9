#include "game/windows/level/GUIGameLogicWindow.h"

#include "engine/core/Config.h"
#include "engine/core/StringUtils.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ConsoleCommands.h"
#include "framework/persistence/FileServices.h"
#include "framework/sound/SoundVolumes.h"
#include "framework/windows/VideoSettingsAccess.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/GameLogic.h"
#include "game/data/GameData.h"
#include "game/objects/Bat.h"
#include "game/persistence/ProfileManager.h"
#include "game/windows/parts/GUIMenuWindowManager.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/controls/GUITextControl.h"

#include "tests/support/LogProbe.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/InGameFiles.h"
#include "tests/support/game/LevelRun.h"
#include "tests/support/game/ShippedData.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

using GameFramework::WindowResult;
using Halvard::u32;
using Halvard::Vector2;

// The display with none of its own controls.
constexpr const char* kBareDescription = R"(<window name="window_game_logic" size="800 600" fader="menu"/>)";

// Where the fixture display's buttons lie.
const Vector2 kMenu(580.0f, 575.0f);
const Vector2 kMinimize(630.0f, 575.0f);
const Vector2 kFullScreen(680.0f, 575.0f);
const Vector2 kClose(730.0f, 575.0f);
const Vector2 kField(400.0f, 300.0f);

// A copy of the built program's data with the display's description, and
// optionally a level list whose second stage has five levels.
std::string PrepareGameFolder(const Testing::TempFolder& folder, bool fiveLevels, const char* description)
{
    std::string shipped = Testing::ShippedGameFolder();
    std::replace(shipped.begin(), shipped.end(), '\\', '/');
    std::filesystem::copy(std::filesystem::path(shipped) / "data", folder.Path() / "data",
                          std::filesystem::copy_options::recursive);
    Testing::InGameFiles::WriteDisplay(folder, description);
    if (fiveLevels) {
        folder.WriteFile("data\\levels\\levels.xml",
                         R"(<levels><stage environment="grove"><level ace_time="40"/></stage>
                            <stage environment="citadel"><level ace_time="1"/><level ace_time="2"/>
                            <level ace_time="3"/><level ace_time="4"/><level ace_time="5"/></stage></levels>)");
        for (const char* copy : {"01_03.tkg", "01_04.tkg"})
            std::filesystem::copy_file(folder.Path() / "data/levels_geometry/01_00.tkg",
                                       folder.Path() / "data/levels_geometry" / copy);
    }
    return folder.Internal();
}

// Only the volumes a profile manager asks of the sound set.
class NoVolumes : public GameFramework::SoundVolumes {
public:
    float GetMusicVolume() const override { return 1.0f; }
    float GetSoundVolume() const override { return 1.0f; }
    void SetMusicVolume(float) override {}
    void SetSoundVolume(float) override {}
};

struct Level {
    u32 stage = 0;
    u32 level = 0;
    bool fiveLevels = false;
    const char* description = Testing::InGameFiles::kDisplayDescription;
};

// A shipped level played by the real game logic, the display shown over it
// as the framework shows it once the level has loaded, with no profile, and
// updated where the framework updates its windows. The player's hands push
// SDL events; GUI points become window pixels of the 1024 x 768 window.
class InGameBed {
public:
    explicit InGameBed(const Level& level = {})
        : run({.stage = level.stage,
               .level = level.level,
               .drawing = false,
               .gameFolder = PrepareGameFolder(program, level.fiveLevels, level.description)}),
          profiles(GameFramework::FileServices::Of(Engine()), &volumes, program.Internal()),
          menuWindows(&run.InterfaceData()),
          window(std::make_unique<Tamrisk::GUIGameLogicWindow>(&Engine(), &profiles, &run.InterfaceData(),
                                                               &run.Tools(), &menuWindows, nullptr))
    {
        window->ShowGameLogic(GameFramework::WindowSource::kGameLogicLoading, &run.Logic());
    }

    ~InGameBed()
    {
        window.reset();
        Testing::ResetInput();
    }

    Halvard::Engine& Engine() { return run.Engine().Get(); }
    Tamrisk::GameLogic& Logic() { return run.Logic(); }

    // Answers the window's result of the frame.
    u32 Frame(const std::function<void()>& afterWindow = {})
    {
        run.Step([&] {
            window->UpdateWindow();
            if (afterWindow)
                afterWindow();
        });
        return window->GetResult();
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            Frame();
    }

    // Until the bat has risen with its ball and the level runs at full speed.
    void WaitForPlay()
    {
        for (int i = 0; i < 600 && !(Logic().GetBat().HasRisen() && Logic().GetTimeScale() >= 1.0f); ++i)
            Frame();
        ASSERT_TRUE(Logic().GetBat().HasRisen());
    }

    void MoveTo(const Vector2& at)
    {
        const auto x = static_cast<int>(at.x / 800.0f * 1024.0f);
        const auto y = static_cast<int>(768.0f - 1.0f - at.y / 600.0f * 768.0f);
        run.Input().MoveMouseTo(x, y);
    }

    // Pressed in one frame, let go in the next; answers the second's result.
    u32 Click(const Vector2& at)
    {
        MoveTo(at);
        run.Input().PressButton();
        Frame();
        run.Input().ReleaseButton();
        return Frame();
    }

    // The keys go down together in one frame; answers its result.
    u32 Press(std::initializer_list<SDL_Keycode> keys)
    {
        for (const SDL_Keycode key : keys)
            run.Input().PressKey(key);
        const u32 result = Frame();
        for (const SDL_Keycode key : keys)
            run.Input().ReleaseKey(key);
        Frame();
        return result;
    }

    std::wstring Text(const char* suffix) const
    {
        return window->GetTextControl(std::string(Tamrisk::GUIGameLogicWindow::kName) + suffix)->GetText();
    }

    Halvard::GUIButton* Button(const char* suffix) const
    {
        return window->GetButton(std::string(Tamrisk::GUIGameLogicWindow::kName) + suffix);
    }

    Halvard::GUICheckBox* FullScreenBox() const
    {
        return window->GetCheckBox(std::string(Tamrisk::GUIGameLogicWindow::kName) + "/fullscreen");
    }

    // Every error line of the run so far, from the log file: the engine's
    // own entries last only a frame.
    std::vector<std::string> ErrorLines()
    {
        std::string path = Engine().GetMessageManager()->GetLogPath();
        std::replace(path.begin(), path.end(), '\\', '/');
        return Testing::LogProbe::FromHtmlFile(path).ErrorLines();
    }
    bool NoErrorLine() { return ErrorLines().empty(); }

    Testing::TempFolder program;
    Testing::LevelRun run;
    NoVolumes volumes;
    Tamrisk::ProfileManager profiles;
    Tamrisk::GUIMenuWindowManager menuWindows;
    std::unique_ptr<Tamrisk::GUIGameLogicWindow> window;
};

// Keys and buttons of one frame give the in-game menu over the pause over
// the exit question; an inactive display answers nothing.
TEST(GUIGameLogicWindow, KeysAndButtonsGiveTheirResultsOnlyWhileActive)
{
    InGameBed bed;
    bed.WaitForPlay();
    struct Case {
        const char* name;
        std::initializer_list<SDL_Keycode> keys;
        const Vector2* button;
        bool active;
        u32 result;
    };
    const Case cases[] = {
        {"space", {SDLK_SPACE}, nullptr, true, WindowResult::kPause},
        {"p", {SDLK_p}, nullptr, true, WindowResult::kPause},
        {"escape", {SDLK_ESCAPE}, nullptr, true, WindowResult::kGameLogicMenu},
        {"space and escape", {SDLK_SPACE, SDLK_ESCAPE}, nullptr, true, WindowResult::kGameLogicMenu},
        {"menu button", {}, &kMenu, true, WindowResult::kGameLogicMenu},
        {"close button", {}, &kClose, true, WindowResult::kExitQuestion},
        {"escape while inactive", {SDLK_ESCAPE}, nullptr, false, WindowResult::kNone},
        {"close button while inactive", {}, &kClose, false, WindowResult::kNone},
    };
    for (const Case& c : cases) {
        bed.window->SetActive(c.active);
        EXPECT_EQ(bed.Button("/menu")->IsEnabled(), c.active) << c.name;
        EXPECT_EQ(bed.Button("/close")->IsEnabled(), c.active) << c.name;
        const u32 result = c.button != nullptr ? bed.Click(*c.button) : bed.Press(c.keys);
        EXPECT_EQ(result, c.result) << c.name;
    }
    // Nothing launched the held ball.
    EXPECT_FALSE(bed.Logic().IsBallInPlay());
    EXPECT_TRUE(bed.NoErrorLine());
}

// The buttons' clicks never act on the field; a click on the field launches
// the held ball, though not while the display is inactive. While the ball
// flies, minimize and full screen are disabled.
TEST(GUIGameLogicWindow, OnlyAClickOnTheFieldActsAndABallInPlayDisablesTheWindowButtons)
{
    InGameBed bed;
    bed.WaitForPlay();
    for (const Vector2* button : {&kMenu, &kClose, &kFullScreen}) {
        bed.Click(*button);
        EXPECT_FALSE(bed.Logic().IsBallInPlay()) << button->x;
    }
    EXPECT_TRUE(bed.Button("/minimize")->IsEnabled());
    EXPECT_TRUE(bed.FullScreenBox()->IsEnabled());
    bed.window->SetActive(false);
    bed.Click(kField);
    EXPECT_FALSE(bed.Logic().IsBallInPlay());
    bed.window->SetActive(true);
    bed.Click(kField);
    bed.Frame();
    ASSERT_TRUE(bed.Logic().IsBallInPlay());
    EXPECT_FALSE(bed.Button("/minimize")->IsEnabled());
    EXPECT_FALSE(bed.FullScreenBox()->IsEnabled());
    EXPECT_TRUE(bed.Button("/menu")->IsEnabled());
    bed.Click(kMinimize);
    EXPECT_FALSE(bed.Engine().GetWindow()->IsMinimized());
}

// The spare lives (the one in play not counted) and the score, every frame.
TEST(GUIGameLogicWindow, ShowsTheSpareLivesAndTheScore)
{
    InGameBed bed;
    struct Case {
        u32 lives;
        u32 score;
        const wchar_t* lifeText;
        const wchar_t* scoreText;
    };
    for (const Case& c : {Case{3, 0, L"x 2", L"0"}, Case{1, 1234, L"x 0", L"1234"}, Case{0, 7, L"x 0", L"7"}}) {
        bed.Logic().SetLives(c.lives);
        bed.Logic().SetScore(c.score);
        bed.Frame();
        EXPECT_EQ(bed.Text("/life/text"), c.lifeText) << c.lives;
        EXPECT_EQ(bed.Text("/score/text_1"), c.scoreText) << c.score;
    }
}

struct LevelCase {
    const char* name;
    Level level;
    const wchar_t* text;
};

class GUIGameLogicWindowLevelTest : public testing::TestWithParam<LevelCase> {};

TEST_P(GUIGameLogicWindowLevelTest, NamesStageAndLevelCountedFromOne)
{
    InGameBed bed(GetParam().level);
    EXPECT_EQ(bed.Text("/level/text_1"), GetParam().text);
    EXPECT_TRUE(bed.NoErrorLine());
}

INSTANTIATE_TEST_SUITE_P(Levels, GUIGameLogicWindowLevelTest,
                         testing::Values(LevelCase{"ShippedStage1Level2", {1, 2, false}, L"2-3"},
                                         LevelCase{"FixtureStage1Level4", {1, 4, true}, L"2-5"}),
                         [](const testing::TestParamInfo<LevelCase>& info) { return info.param.name; });

// Seven lines in the console font, only while "d_show_statistics" is set.
TEST(GUIGameLogicWindow, DrawsStatisticsOnlyWhileAskedFor)
{
    InGameBed bed;
    Halvard::Config& config = *bed.Engine().GetConfig();
    Halvard::u8 statistics = 0;
    config.AddVariable(GameFramework::ConsoleCommands::kShowStatistics, Halvard::Config::kBoolean, {}, &statistics,
                       "0");
    std::vector<Halvard::TextRecord> texts;
    auto queued = [&] { texts = bed.window->GetOverlay()->GetTexts(); };
    bed.Frame(queued);
    EXPECT_TRUE(texts.empty());
    config.SetValue(GameFramework::ConsoleCommands::kShowStatistics, "1");
    bed.Frame(queued);
    config.RemoveVariable(GameFramework::ConsoleCommands::kShowStatistics);
    struct Line {
        const wchar_t* start;
        float y;
    };
    const Line lines[] = {{L"FPS: ", 512.0f},         {L"Model count: ", 497.0f},    {L"Triangle count: ", 482.0f},
                          {L"Time: ", 467.0f},        {L"Camera FOV: ", 33.0f},      {L"Camera position: ", 18.0f},
                          {L"Camera rotation: ", 3.0f}};
    ASSERT_EQ(texts.size(), std::size(lines));
    const auto console = static_cast<u32>(bed.run.Tools().GetFontTool()->GetFontIndex("console"));
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].text.rfind(lines[i].start, 0), 0u) << i;
        EXPECT_EQ(texts[i].position.x, 8.0f) << i;
        EXPECT_EQ(texts[i].position.y, lines[i].y) << i;
        EXPECT_EQ(texts[i].fontId, console) << i;
    }
    // Positions carry four decimals, three values and four.
    EXPECT_THAT(Halvard::ToString(texts[5].text),
                testing::MatchesRegex("Camera position: -?[0-9]+\\.[0-9]{4} -?[0-9]+\\.[0-9]{4} -?[0-9]+\\.[0-9]{4}"));
}

std::string ReadIni(const Testing::TempFolder& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        if (entry.path().extension() == ".ini") {
            std::ifstream in(entry.path());
            std::stringstream text;
            text << in.rdbuf();
            return text.str();
        }
    }
    return "";
}

// The box sets the configured flag, writes the ini file and asks the
// application frame for the mode change.
TEST(GUIGameLogicWindow, TheFullScreenBoxSavesTheIniAndAsksForTheModeChange)
{
    InGameBed bed;
    bed.WaitForPlay();
    Halvard::Config& config = *bed.Engine().GetConfig();
    ASSERT_EQ(config.fullScreen, 0);
    ASSERT_FALSE(GameFramework::VideoSettingsAccess::IsPending(config, "v_window_change_mode"));
    bed.Click(kFullScreen);
    EXPECT_EQ(config.fullScreen, 1);
    EXPECT_TRUE(bed.window->IsFullScreen());
    EXPECT_TRUE(GameFramework::VideoSettingsAccess::IsPending(config, "v_window_change_mode"));
    EXPECT_THAT(ReadIni(bed.run.Engine().Folder()), testing::HasSubstr("v_fullscreen 1"));
}

// Hidden, the display holds the menus' screen for no window until its root
// control has faded out, then frees it.
TEST(GUIGameLogicWindow, AfterHidingHoldsTheScreenForNoWindowUntilFaded)
{
    InGameBed bed;
    bed.Frames(30);
    bed.window->HideWindow();
    EXPECT_EQ(bed.window->GetShownLogic(), nullptr);
    int frames = 0;
    while (!bed.menuWindows.IsFree() && frames < 120) {
        EXPECT_EQ(bed.menuWindows.GetCurrent(), nullptr);
        EXPECT_TRUE(bed.window->GetControl(Tamrisk::GUIGameLogicWindow::kName)->IsVisible()) << frames;
        bed.Frame();
        ++frames;
    }
    EXPECT_GT(frames, 5);
    EXPECT_TRUE(bed.menuWindows.IsFree());
    EXPECT_FALSE(bed.window->GetControl(Tamrisk::GUIGameLogicWindow::kName)->IsVisible());
}

// Every missing control is named once, by its lookup; every step then
// leaves it out, and the display still answers keys and clicks on the field
// and hands the screen back when hidden.
TEST(GUIGameLogicWindow, LeavesOutEveryMissingControlAfterItsLookupNamedIt)
{
    InGameBed bed({.description = kBareDescription});
    const std::vector<std::string> lookups = bed.ErrorLines();
    ASSERT_EQ(lookups.size(), 7u);
    for (const char* suffix : {"/menu\"", "/minimize\"", "/close\"", "/fullscreen\"", "/life/text\"",
                               "/score/text_1\"", "/level/text_1\""}) {
        EXPECT_EQ(std::count_if(lookups.begin(), lookups.end(),
                                [&](const std::string& line) { return line.find(suffix) != std::string::npos; }),
                  1)
            << suffix;
    }
    bed.window->SetActive(false);
    bed.window->SetActive(true);
    GameFramework::VideoSettingsAccess::Invoke(*bed.Engine().GetConfig(), "v_window_change_mode");
    bed.WaitForPlay();
    EXPECT_EQ(bed.Press({SDLK_ESCAPE}), WindowResult::kGameLogicMenu);
    // Without the buttons, where the close button would lie is field.
    bed.Click(kClose);
    bed.Frame();
    EXPECT_TRUE(bed.Logic().IsBallInPlay());
    bed.window->HideWindow();
    bed.Frames(60);
    EXPECT_TRUE(bed.menuWindows.IsFree());
    EXPECT_EQ(bed.ErrorLines(), lookups);
}

} // namespace
