#include "bench/FrameMeter.h"
#include "engine/app/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "framework/windows/FrameworkWindows.h"
#include "game/Game.h"
#include "game/windows/menus/GUIMainMenuWindow.h"
#include "game/windows/parts/GUIMenuLoadingWindow.h"
#include "game/windows/menus/GUIStartGameLogicWindow.h"
#include "gui_tools/controls/GUIWindowControl.h"
#include "tests/support/game/GameReplay.h"
#include "tests/support/gl/GLCallCounter.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <string>

// Wall time of the whole game as a player runs it, driven by the replay: the
// game made as the loader makes it on the built data, 1024 x 768 windowed,
// drawn by llvmpipe when run offscreen. The replay clock moves 1/30 s a
// frame whatever the machine takes, so the frames are the same on every run;
// what they cost is read from the steady clock. Frames end as the game ends
// them, with the present, and are then waited on until GL has drawn them, so
// that a frame's drawing is in its own time.

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr int kStepFrames = Testing::GameReplay::kStepFrames;
constexpr int kSettleFrames = Testing::GameReplay::kSettleFrames;
// Two seconds for every show animation of a window to end before its frames
// are measured.
constexpr int kSteadyFrames = 60;
constexpr int kMeasuredFrames = 300;
// The mouse moves onto a button and off it again this often.
constexpr int kHoverPeriod = 30;

double Milliseconds(SteadyClock::duration spent) { return std::chrono::duration<double, std::milli>(spent).count(); }

void Skip(benchmark::State& state, const Testing::GameReplay& replay, const std::string& what)
{
    state.SkipWithError((what + (replay.ErrorText().empty() ? "" : ": " + replay.ErrorText())).c_str());
}

const Tamrisk::GUIMainMenuWindow* MainMenu(const Testing::GameReplay& replay)
{
    return dynamic_cast<const Tamrisk::GUIMainMenuWindow*>(replay.Game()->GetWindows().mainMenu.get());
}

// A new player's way in on a fresh user folder: the welcome, a name typed a
// key a frame, ENTER. The main menu, once it holds the screen; else null.
const Tamrisk::GUIMainMenuWindow* ReachMainMenu(Testing::GameReplay& replay)
{
    if (!replay.RunUntilWindow("window_welcome", kStepFrames))
        return nullptr;
    replay.RunFrames(kSettleFrames);
    for (const char letter : std::string("Tester")) {
        replay.Input().Type(std::string(1, letter));
        replay.RunFrames(2);
    }
    replay.Input().TapKey(SDLK_RETURN);
    if (!replay.RunUntilWindow("window_main_menu", kStepFrames))
        return nullptr;
    return MainMenu(replay);
}

// From the main menu, its start button: the stage map of a profile with no
// game in progress; else null.
const Tamrisk::GUIStartGameLogicWindow* ReachStageMap(Testing::GameReplay& replay)
{
    const Tamrisk::GUIMainMenuWindow* menu = ReachMainMenu(replay);
    if (menu == nullptr || menu->GetMenuButton(Tamrisk::GUIMainMenuWindow::kStart) == nullptr)
        return nullptr;
    replay.RunFrames(kSettleFrames);
    replay.Click(*menu->GetMenuButton(Tamrisk::GUIMainMenuWindow::kStart));
    if (!replay.RunUntilWindow("window_start_game", kStepFrames))
        return nullptr;
    return dynamic_cast<const Tamrisk::GUIStartGameLogicWindow*>(replay.Game()->GetWindows().startGameLogic.get());
}

// One frame per iteration, its wall time the iteration's manual time, with
// an empty frame timed beside it (not in the iteration's time); the
// percentiles of both and the GL work per frame as counters. The frame step
// says whether it ran the frame meant. Stops on an error of the game, on a
// frame not run, or when the window on screen is no longer the one measured.
void MeasureFrames(benchmark::State& state, Testing::GameReplay& replay, const std::string& window,
                   const std::function<bool(int)>& frame)
{
    Bench::FrameMeter meter(*replay.Game()->GetEngine());
    int index = 0;
    for (auto _ : state) {
        meter.Start();
        const bool ran = frame(index++);
        if (!ran || replay.Ended() || replay.CurrentWindow() != window) {
            Skip(state, replay, (ran ? "left " : "nothing to play on ") + window + " while measured");
            break;
        }
        meter.Stop();
        state.SetIterationTime(meter.LastFrameSeconds());
    }
    meter.Report(state);
}

// The frame's mouse: onto the button at the start of every other period,
// into the window's top left corner, over nothing, at the start of the rest.
void HoverNowAndThen(Testing::GameReplay& replay, const Halvard::GUIWindow* button, int frame)
{
    if (frame % kHoverPeriod != 0)
        return;
    if (button != nullptr && (frame / kHoverPeriod) % 2 == 0)
        replay.PointAt(*button);
    else
        replay.Input().MoveMouseTo(20, 20);
}

// The main menu over its background, the player's profile made; the start
// button hovered now and then, so that its title changes font.
void MainMenuFrames(benchmark::State& state)
{
    Testing::GameReplay replay;
    const Tamrisk::GUIMainMenuWindow* menu = ReachMainMenu(replay);
    if (menu == nullptr)
        return Skip(state, replay, "no main menu");
    replay.RunFrames(kSteadyFrames);
    MeasureFrames(state, replay, "window_main_menu", [&](int frame) {
        HoverNowAndThen(replay, menu->GetMenuButton(Tamrisk::GUIMainMenuWindow::kStart), frame);
        replay.Frame();
        return true;
    });
}

// The stage map of a new profile, level 1-1 chosen; its play button hovered
// now and then.
void StageMapFrames(benchmark::State& state)
{
    Testing::GameReplay replay;
    const Tamrisk::GUIStartGameLogicWindow* map = ReachStageMap(replay);
    if (map == nullptr)
        return Skip(state, replay, "no stage map");
    replay.RunFrames(kSteadyFrames);
    MeasureFrames(state, replay, "window_start_game", [&](int frame) {
        HoverNowAndThen(replay, map->GetPlayButton(), frame);
        replay.Frame();
        return true;
    });
}

// Level 1-1 played by the scripted player from its first frames: the bat led
// under the balls, a held ball launched by a click.
void Level11Frames(benchmark::State& state)
{
    Testing::GameReplay replay;
    const Tamrisk::GUIStartGameLogicWindow* map = ReachStageMap(replay);
    if (map == nullptr || map->GetPlayButton() == nullptr)
        return Skip(state, replay, "no stage map");
    replay.RunFrames(kSettleFrames);
    replay.Click(*map->GetPlayButton());
    if (!replay.RunUntilWindow("window_game_logic", kStepFrames))
        return Skip(state, replay, "no level");
    replay.RunFrames(kSettleFrames);
    // A frame the scripted player cannot play is one after the level ended.
    MeasureFrames(state, replay, "window_game_logic", [&](int) { return replay.PlayFrame(false); });
}

// Milestones of one start of the game, in milliseconds from the moment the
// game began to be made; negative for those not reached.
struct StartTimes {
    // The end of the first frame the logos ran in.
    double logosFirstFrame = -1.0;
    // Every frame begun with the game loading window on screen.
    double loadingWindow = 0.0;
    // The frame whose update loads the interface data on the worker and the
    // next, whose window step makes the windows (CreateWindows).
    double load = 0.0;
    // The end of the first frame that draws the main menu's frame.
    double mainMenuFrame = -1.0;
    // The frames run, the last counted.
    int frames = 0;
};

// The game loading window, shown and seen whole, loads in this frame.
bool LoadsThisFrame(const Testing::GameReplay& replay)
{
    const auto* loading =
        dynamic_cast<const Tamrisk::GUIMenuLoadingWindow*>(replay.Game()->GetWindows().gameLoading.get());
    return loading != nullptr && loading->IsReady() && loading->GetTask() != nullptr;
}

bool MainMenuFrameDrawn(const Testing::GameReplay& replay)
{
    const Tamrisk::GUIMainMenuWindow* menu = MainMenu(replay);
    return menu != nullptr && menu->GetFrame() != nullptr && menu->GetFrame()->GetWindow()->visible;
}

// Frames of a start just made, until the main menu's frame is drawn or the
// welcome holds the screen (a user folder without profiles).
StartTimes RunStart(Testing::GameReplay& replay, SteadyClock::time_point made)
{
    StartTimes times;
    bool loading = false;
    for (int frame = 0; frame < kStepFrames && !replay.Ended(); ++frame) {
        const bool onLoadingWindow = replay.CurrentWindow() == "window_game_loading";
        loading = loading || LoadsThisFrame(replay);
        const SteadyClock::time_point start = SteadyClock::now();
        replay.Frame();
        ++times.frames;
        if (replay.Ended())
            break;
        const double spent = Milliseconds(SteadyClock::now() - start);
        times.loadingWindow += onLoadingWindow ? spent : 0.0;
        if (loading) {
            times.load += spent;
            loading = replay.Game()->GetWindows().mainMenu == nullptr;
        }
        if (times.logosFirstFrame < 0.0 && replay.CurrentWindow() == "logos") {
            Testing::FinishGL();
            times.logosFirstFrame = Milliseconds(SteadyClock::now() - made);
        }
        if (MainMenuFrameDrawn(replay)) {
            Testing::FinishGL();
            times.mainMenuFrame = Milliseconds(SteadyClock::now() - made);
            break;
        }
        if (replay.CurrentWindow() == "window_welcome")
            break;
    }
    return times;
}

// The first start on a fresh user folder, up to the welcome; a profile made
// there; then the start a returning player sees, up to the main menu's
// frame on screen, whose time is the iteration's. The first start also
// pays what a process pays once (the video system's first use).
void StartUp(benchmark::State& state)
{
    for (auto _ : state) {
        const SteadyClock::time_point made = SteadyClock::now();
        Testing::GameReplay replay;
        const StartTimes first = RunStart(replay, made);
        if (ReachMainMenu(replay) == nullptr)
            return Skip(state, replay, "no main menu");
        replay.End();
        const SteadyClock::time_point remade = SteadyClock::now();
        replay.Restart();
        const StartTimes again = RunStart(replay, remade);
        if (again.logosFirstFrame < 0.0 || again.mainMenuFrame < 0.0)
            return Skip(state, replay, "the main menu's frame never showed");
        state.SetIterationTime(again.mainMenuFrame / 1000.0);
        state.counters["first_logos_frame_ms"] = first.logosFirstFrame;
        state.counters["first_game_load_ms"] = first.load;
        state.counters["logos_frame_ms"] = again.logosFirstFrame;
        state.counters["loading_window_ms"] = again.loadingWindow;
        state.counters["game_load_ms"] = again.load;
        state.counters["main_menu_frame_ms"] = again.mainMenuFrame;
        state.counters["frames_to_main_menu_frame"] = again.frames;
    }
}

BENCHMARK(StartUp)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(MainMenuFrames)->UseManualTime()->Iterations(kMeasuredFrames)->Unit(benchmark::kMillisecond);
BENCHMARK(StageMapFrames)->UseManualTime()->Iterations(kMeasuredFrames)->Unit(benchmark::kMillisecond);
BENCHMARK(Level11Frames)->UseManualTime()->Iterations(kMeasuredFrames)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
