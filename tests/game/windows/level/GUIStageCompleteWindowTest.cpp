#include "game/windows/level/GUIStageCompleteWindow.h"

#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/LevelManager.h"
#include "tests/support/FakeEngine.h"

#include <gtest/gtest.h>

namespace {

using GameFramework::LevelReference;
using GameFramework::WindowResult;

TEST(GUIStageCompleteWindow, TheLastLevelCompletesTheGameAndAnyOtherStageEndLeadsToTheMap)
{
    Testing::FakeEngine engine;
    engine.folder.WriteFile("data\\levels\\levels.xml",
                            "<levels><stage environment=\"grove\"><level/><level/></stage>"
                            "<stage environment=\"citadel\"><level/></stage></levels>");
    engine.Start();
    Tamrisk::LevelManager levels(&engine.Get());
    Tamrisk::GUIStageCompleteWindow window(&levels);
    const struct {
        LevelReference completed;
        Halvard::u32 result;
    } cases[] = {{{0, 1}, WindowResult::kEndLevel}, {{1, 0}, WindowResult::kGameComplete}};
    for (const auto& c : cases) {
        window.ShowStage(GameFramework::WindowSource::kLevelComplete, c.completed);
        EXPECT_EQ(window.GetCompletedLevel(), c.completed);
        // The result outlives the reset of the pass that showed the window.
        window.ResetResult();
        EXPECT_EQ(window.GetResult(), c.result) << c.completed.stage;
        window.HideWindow();
        window.ResetResult();
    }
}

} // namespace
