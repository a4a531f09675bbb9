#include "framework/windows/GUILoadingWindowBase.h"

#include "engine/core/Error.h"
#include "framework/windows/WindowResult.h"
#include "game_tools/DataKeeper.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/ScopedThreadsRefused.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace Testing {
namespace {

using GameFramework::WindowResult;

// A keeper that notes the thread its load ran on; it takes its time, so
// that the main thread has to wait for it.
class WatchedKeeper : public GameTools::DataKeeper {
public:
    WatchedKeeper(Halvard::Engine* engine, std::chrono::milliseconds delay)
        : DataKeeper(engine, "en", true), delay_(delay)
    {
    }

    std::thread::id loadedOn;
    std::atomic<int> loads{0};

protected:
    void LoadResources() override
    {
        std::this_thread::sleep_for(delay_);
        loadedOn = std::this_thread::get_id();
        DataKeeper::LoadResources();
        ++loads;
    }

private:
    std::chrono::milliseconds delay_;
};

// A loading window as the game makes one: it loads from its update and then
// reports that it is done.
class LoadingWindow : public GameFramework::GUILoadingWindowBase {
public:
    using GUILoadingWindowBase::GUILoadingWindowBase;

    void UpdateWindow() override
    {
        GUILoadingWindowBase::UpdateWindow();
        if (GetTask() == nullptr)
            return;
        Load();
        SetResult(WindowResult::kDone);
    }
};

class GUILoadingWindowBaseTest : public ::testing::Test {
protected:
    GUILoadingWindowBaseTest()
    {
        engine.folder.WriteFile("data\\ui\\good.xml", "<resources></resources>");
        engine.folder.WriteFile("data\\ui\\broken.xml", "<resources><model name=");
        engine.Start();
    }

    FakeEngine engine;
};

TEST_F(GUILoadingWindowBaseTest, TheQueuedListsLoadOnTheWorkerWhileTheMainThreadIdlesInTwentyMillisecondSleeps)
{
    WatchedKeeper keeper(&engine.Get(), std::chrono::milliseconds(60));
    keeper.AddResourcesFile("data\\ui\\good.xml", false);
    LoadingWindow window(&engine.Get());
    window.ShowLoading(3, &keeper);
    window.UpdateWindow();

    EXPECT_EQ(keeper.loads.load(), 1);
    EXPECT_NE(keeper.loadedOn, std::this_thread::get_id());
    EXPECT_EQ(window.GetResult(), WindowResult::kDone);
    EXPECT_TRUE(window.IsDone());
    const auto& sleeps = engine.clock.Sleeps();
    ASSERT_FALSE(sleeps.empty());
    EXPECT_TRUE(std::all_of(sleeps.begin(), sleeps.end(), [](uint32_t ms) { return ms == 20; }));
}

TEST_F(GUILoadingWindowBaseTest, ABrokenListEndsTheLoadWithItsFatalErrorOnTheMainThread)
{
    GameTools::DataKeeper keeper(&engine.Get(), "en", true);
    keeper.AddResourcesFile("data\\ui\\broken.xml", false);
    LoadingWindow window(&engine.Get());
    window.ShowLoading(3, &keeper);
    try {
        window.UpdateWindow();
        FAIL() << "the load did not fail";
    } catch (const Halvard::FatalError& error) {
        EXPECT_NE(error.GetText().find("\"data\\ui\\broken.xml\""), std::string::npos) << error.GetText();
    }
    EXPECT_NE(window.GetResult(), WindowResult::kDone);
    EXPECT_FALSE(window.IsDone());
}

TEST_F(GUILoadingWindowBaseTest, WhenNoThreadCanStartTheLoadRunsHereAndTheWindowStillReportsDone)
{
    ScopedThreadsRefused refused;
    WatchedKeeper keeper(&engine.Get(), std::chrono::milliseconds(0));
    keeper.AddResourcesFile("data\\ui\\good.xml", false);
    LoadingWindow window(&engine.Get());
    window.ShowLoading(16, &keeper);
    window.UpdateWindow();
    EXPECT_EQ(keeper.loads.load(), 1);
    EXPECT_EQ(keeper.loadedOn, std::this_thread::get_id());
    EXPECT_EQ(window.GetResult(), WindowResult::kDone);
    // Nothing to wait for: the main thread never idled.
    EXPECT_TRUE(engine.clock.Sleeps().empty());
}

TEST_F(GUILoadingWindowBaseTest, LoadWithoutATaskDoesNothingAndHidingForgetsTheTask)
{
    WatchedKeeper keeper(&engine.Get(), std::chrono::milliseconds(0));
    GameFramework::GUILoadingWindowBase window(&engine.Get());
    window.Load();
    EXPECT_FALSE(window.IsDone());
    EXPECT_TRUE(engine.clock.Sleeps().empty());

    window.ShowLoading(2, &keeper);
    EXPECT_EQ(window.GetOpener(), 2u);
    window.Load();
    EXPECT_TRUE(window.IsDone());
    window.HideWindow();
    EXPECT_EQ(window.GetTask(), nullptr);
    EXPECT_FALSE(window.IsDone());
    window.Load();
    EXPECT_EQ(keeper.loads.load(), 1);
}

} // namespace
} // namespace Testing
