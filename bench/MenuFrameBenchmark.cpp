#include "bench/FrameMeter.h"
#include "engine/app/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "framework/persistence/FileServices.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/WindowSource.h"
#include "game/persistence/ProfileManager.h"
#include "game/windows/menus/GUIMainMenuWindow.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/MenuWindowBed.h"
#include "tests/support/game/ShippedData.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

constexpr int kWarmUpFrames = 60;
constexpr int kMeasuredFrames = 600;
// The mouse moves onto the start button and off it again this often.
constexpr int kHoverPeriod = 30;

// The shipped main menu once the data folder beside the program holds its
// description, the fixture's until then.
bool ShipsMainMenu()
{
    std::string folder = Testing::ShippedGameFolder();
    std::replace(folder.begin(), folder.end(), '\\', '/');
    return std::filesystem::exists(std::filesystem::path(folder) / "data/ui/windows/window_main_menu.xml");
}

Testing::TestEngineOptions EngineOptions(bool shipped)
{
    Testing::TestEngineOptions options;
    options.logEnabled = false;
    options.videoMode = "1024x768x32";
    if (shipped)
        options.installFolder = Testing::ShippedGameFolder();
    return options;
}

// Whole frames of the main menu on screen with a profile, offscreen at
// 1024 x 768 under the game's 800 x 600 GUI space: the windows' updates,
// the transition step, the drawing and the present, finished when GL has
// drawn them; a scripted mouse hovers over the start button now and then,
// so its title changes font.
void MainMenuFrames(benchmark::State& state)
{
    const bool shipped = ShipsMainMenu();
    Testing::FakeClock clock;
    Testing::ScopedClock scoped(clock);
    Testing::ResetInput();
    Testing::TestEngine engine(EngineOptions(shipped));
    engine->GetGUIManager()->SetSize(800.0f, 600.0f);
    Testing::MenuFixture fixture;
    fixture.descriptions = {{"faders.xml", Testing::kMenuFaders},
                            {"window_main_menu.xml", Testing::kMainMenuFixture}};
    auto bed = shipped ? std::make_unique<Testing::MenuWindowBed>(engine.Get(), &clock)
                       : std::make_unique<Testing::MenuWindowBed>(engine.Get(), &clock, engine.Folder(), fixture);
    Tamrisk::ProfileManager profiles(GameFramework::FileServices::Of(engine.Get()), bed->sounds.get(),
                                     engine.Folder().Internal() + "\\user");
    profiles.SetCurrentProfile(profiles.AddProfile(L"Player1"),
                               GameFramework::ProfileManagerBase::ListSaving::kKeepFile);
    Tamrisk::GUIMainMenuWindow menu(&engine.Get(), &profiles, bed->sounds.get(), bed->data.get(), bed->tools.get(),
                                    bed->manager.get(), nullptr);
    menu.ShowWindow(GameFramework::WindowSource::kGameLoading);
    Testing::ScriptedInput mouse(Testing::WindowIdOf(*engine->GetWindow()));
    int frame = 0;
    const auto step = [&] {
        if (frame % kHoverPeriod == 0)
            mouse.MoveMouseTo((frame / kHoverPeriod) % 2 == 0 ? 250 : 20, 600);
        ++frame;
        Testing::PumpAll();
        bed->Frame([&] { menu.UpdateWindow(); });
    };
    for (int i = 0; i < kWarmUpFrames; ++i)
        step();
    Bench::FrameMeter meter(engine.Get());
    for (auto _ : state) {
        meter.Clear();
        for (int i = 0; i < kMeasuredFrames; ++i)
            meter.Measure(step);
    }
    meter.Report(state);
    state.counters["shipped_description"] = shipped ? 1.0 : 0.0;
    state.counters["visible"] = menu.GUIMenuWindow::IsVisible() ? 1.0 : 0.0;
    Testing::ResetInput();
}

BENCHMARK(MainMenuFrames)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
