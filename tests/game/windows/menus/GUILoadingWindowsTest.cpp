#include "game/windows/menus/GUIGameLoadingWindow.h"
#include "game/windows/level/GUIGameLogicLoadingWindow.h"

#include "engine/gui/GUIWindow.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game_tools/DataKeeper.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/game/MenuWindowBed.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <ostream>
#include <thread>

namespace {

using GameFramework::WindowResult;
using Tamrisk::GUIMenuLoadingWindow;

// A task that notes the thread its load ran on.
class WatchedKeeper : public GameTools::DataKeeper {
public:
    explicit WatchedKeeper(Halvard::Engine* engine) : DataKeeper(engine, "en", true) {}

    std::thread::id loadedOn;
    std::atomic<int> loads{0};

protected:
    void LoadResources() override
    {
        loadedOn = std::this_thread::get_id();
        DataKeeper::LoadResources();
        ++loads;
    }
};

// The game loading window with a title printed letter by letter (7 letters
// at 20 a second), the level loading window without a title.
const char* const kGameLoading =
    R"(<window name="window_game_loading" fader="menu"><window name="window" fader="menu" size="100 100"/>)"
    R"(<text_label name="title" font="common_0" text="'Loading'" size="200 20" printing_mode="1")"
    R"( printing_speed="20"/></window>)";
const char* const kGameLogicLoading =
    R"(<window name="window_game_logic_loading" fader="menu"><window name="window" fader="menu"/></window>)";

struct LoadingCase {
    const char* name;
    std::function<std::unique_ptr<GUIMenuLoadingWindow>(Testing::MenuWindowBed&)> make;
    // The first frame whose update may load, counted from the show.
    int earliestLoad;
};

void PrintTo(const LoadingCase& c, std::ostream* out) { *out << c.name; }

class GUILoadingWindowsTest : public testing::TestWithParam<LoadingCase> {
protected:
    GUILoadingWindowsTest()
    {
        engine.Start();
        Testing::MenuFixture fixture;
        fixture.descriptions = {{"faders.xml", Testing::kMenuFaders},
                                {"window_game_loading.xml", kGameLoading},
                                {"window_game_logic_loading.xml", kGameLogicLoading}};
        bed = std::make_unique<Testing::MenuWindowBed>(engine.Get(), &engine.clock, engine.folder, fixture);
        window = GetParam().make(*bed);
    }

    ~GUILoadingWindowsTest() override
    {
        window.reset();
        bed.reset();
    }

    // Whether the window's update would now find it on screen with its
    // title, if any, fully printed.
    bool SeenWhole() const
    {
        const GUITools::GUITextControl* title = window->GetTitle();
        return window->GUIMenuWindow::IsVisible() &&
               (title == nullptr || (title->IsVisible() && title->IsPrintingDone()));
    }

    // Shows the window with the task and runs frames as the game does until
    // the window reports 1, which hides it; the frame of the load, counted
    // from the show.
    int LoadOnce(WatchedKeeper& task)
    {
        window->ShowLoading(GameFramework::WindowSource::kLogos, &task);
        int firstSeen = -1;
        for (int frame = 0; frame < 60; ++frame) {
            if (firstSeen < 0 && SeenWhole())
                firstSeen = frame;
            bed->Frame([&] { window->UpdateWindow(); });
            const int loads = task.loads.load();
            if (loads == 0) {
                EXPECT_NE(window->GetResult(), WindowResult::kDone) << "frame " << frame;
                continue;
            }
            EXPECT_EQ(loads, 1);
            EXPECT_EQ(window->GetResult(), WindowResult::kDone);
            EXPECT_NE(task.loadedOn, std::this_thread::get_id()) << "the load ran on the main thread";
            EXPECT_EQ(frame, firstSeen + 1) << "the load starts the frame after the window is seen whole";
            window->HideWindow();
            return frame;
        }
        ADD_FAILURE() << "nothing loaded";
        return -1;
    }

    Testing::FakeEngine engine;
    std::unique_ptr<Testing::MenuWindowBed> bed;
    std::unique_ptr<GUIMenuLoadingWindow> window;
};

TEST_P(GUILoadingWindowsTest, TheLoadStartsTheFrameAfterTheWindowIsSeenWholeAndAgainAfterANewShow)
{
    WatchedKeeper first(&engine.Get());
    EXPECT_GE(LoadOnce(first), GetParam().earliestLoad);
    // Gone, then shown again with a new task: the title prints anew.
    for (int frame = 0; frame < 20; ++frame)
        bed->Frame([&] { window->UpdateWindow(); });
    EXPECT_FALSE(window->GetBaseWindow()->visible);
    WatchedKeeper second(&engine.Get());
    EXPECT_GE(LoadOnce(second), GetParam().earliestLoad);
    EXPECT_EQ(first.loads.load(), 1);
}

TEST_P(GUILoadingWindowsTest, ANewShowWhileTheWindowIsStillUpWaitsForTheWindowAgain)
{
    WatchedKeeper first(&engine.Get());
    LoadOnce(first);
    WatchedKeeper second(&engine.Get());
    window->ShowLoading(GameFramework::WindowSource::kStartGameLogic, &second);
    EXPECT_FALSE(window->IsReady());
    bed->Frame([&] { window->UpdateWindow(); });
    EXPECT_EQ(second.loads.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, GUILoadingWindowsTest,
    testing::Values(LoadingCase{"GameLoadingWithAPrintedTitle",
                                [](Testing::MenuWindowBed& bed) -> std::unique_ptr<GUIMenuLoadingWindow> {
                                    return std::make_unique<Tamrisk::GUIGameLoadingWindow>(
                                        &bed.engine, bed.sounds.get(), bed.data.get(), bed.tools.get(),
                                        bed.manager.get(), nullptr);
                                },
                                // 7 letters at 20 a second.
                                static_cast<int>(0.35 / Testing::MenuWindowBed::kFrameSeconds)},
                    LoadingCase{"GameLogicLoadingWithoutATitle",
                                [](Testing::MenuWindowBed& bed) -> std::unique_ptr<GUIMenuLoadingWindow> {
                                    return std::make_unique<Tamrisk::GUIGameLogicLoadingWindow>(
                                        &bed.engine, nullptr, bed.sounds.get(), bed.data.get(), bed.tools.get(),
                                        bed.manager.get(), nullptr);
                                },
                                // On screen at the end of the first frame,
                                // seen by the second's update.
                                2}),
    [](const testing::TestParamInfo<LoadingCase>& info) { return std::string(info.param.name); });

} // namespace
