#include "framework/windows/FrameworkWindowList.h"
#include "framework/windows/WindowTable.h"
#include "tests/framework/NullGame.h"
#include "tests/framework/windows/FlowBed.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace Testing {
namespace {

using GameFramework::GetWindowTable;
using GameFramework::WindowPass;
using GameFramework::WindowRow;

// Every window of the application appears once, reached where the
// application keeps it, and the update and destroy orders each place every
// window once; the windows shown over an ended level step last, after the
// logic.
TEST(WindowTable, EveryWindowAppearsOnceAndEachOrderPlacesEveryWindowOnce)
{
    FlowBed bed;
    bed.StartLevel();
    const auto& table = GetWindowTable();
    const auto ends = std::count_if(table.begin(), table.end(),
                                    [](const WindowRow& row) { return row.pass == WindowPass::kLevelEnd; });
    std::set<const GameFramework::GUIFrameworkWindow*> reached;
    std::vector<Halvard::u32> updates;
    std::vector<Halvard::u32> destroys;
    for (const WindowRow& row : table) {
        const GameFramework::GUIFrameworkWindow* window = row.reach(bed.state.windows);
        EXPECT_EQ(window, &bed.Window(row.name)) << row.name;
        reached.insert(window);
        updates.push_back(row.updateOrder);
        destroys.push_back(row.destroyOrder);
        EXPECT_EQ(row.pass == WindowPass::kLevelEnd, row.updateOrder >= table.size() - ends) << row.name;
    }
    EXPECT_EQ(reached.size(), table.size());
    EXPECT_EQ(bed.windows.size(), table.size());
    std::vector<Halvard::u32> all(table.size());
    for (Halvard::u32 i = 0; i < all.size(); ++i)
        all[i] = i;
    EXPECT_TRUE(std::is_permutation(updates.begin(), updates.end(), all.begin()));
    EXPECT_TRUE(std::is_permutation(destroys.begin(), destroys.end(), all.begin()));

    bed.state.gameLogic.reset();
    bed.state.windows.DestroyAll();
    for (const GameFramework::GUIFrameworkWindow* window : bed.state.windows.All())
        EXPECT_EQ(window, nullptr);
}

using Names = std::vector<std::string>;

// The windows register their GUI in the order they are made, and the flow
// reads, updates and destroys them in orders of their own: each order is
// part of what the player sees.
const Names kCreation{"logos", "game loading", "game logic loading", "welcome", "exit", "main menu", "profiles",
                      "new profile", "rename profile", "delete profile", "name conflict", "start game", "continue",
                      "high scores", "options", "help", "game", "pause", "game menu", "menu exit", "restart",
                      "game exit", "level complete", "stage complete", "game complete", "game over"};
const Names kDispatch{"logos", "game loading", "welcome", "exit", "main menu", "profiles", "game logic loading",
                      "new profile", "rename profile", "delete profile", "name conflict", "start game", "continue",
                      "high scores", "options", "help", "game", "pause", "game menu", "menu exit", "restart",
                      "game exit", "level complete", "stage complete", "game complete", "game over"};
const Names kUpdate{"logos", "game loading", "welcome", "exit", "main menu", "profiles", "new profile",
                    "rename profile", "delete profile", "name conflict", "game logic loading", "start game",
                    "continue", "high scores", "options", "help", "game", "pause", "game menu", "menu exit",
                    "restart", "game exit", "level complete", "stage complete", "game complete", "game over"};
const Names kDestroy{"level complete", "stage complete", "game complete", "game over", "game exit", "restart",
                     "menu exit", "game menu", "pause", "game", "help", "options", "high scores", "continue",
                     "start game", "name conflict", "profiles", "new profile", "rename profile", "delete profile",
                     "main menu", "exit", "welcome", "game logic loading", "game loading", "logos"};

// The table's names placed by one of its order columns.
Names NamesBy(Halvard::u32 WindowRow::*order)
{
    const auto& table = GetWindowTable();
    Names names(table.size());
    for (const WindowRow& row : table)
        names.at(row.*order) = row.name;
    return names;
}

// The list is written in the order the windows are made, the start-up ones
// first; the table reads, updates and destroys them in the designed orders.
TEST(WindowTable, TheListAndTheTableKeepTheDesignedOrders)
{
    Names listed;
    Names atStartUp;
#define LISTED_WINDOW(Base, member, Stem, name, creation, ...)                                                        \
    listed.push_back(name);                                                                                           \
    if (GameFramework::WindowCreation::creation == GameFramework::WindowCreation::kStartUp)                           \
        atStartUp.push_back(name);
    FRAMEWORK_WINDOWS(LISTED_WINDOW)
#undef LISTED_WINDOW
    EXPECT_EQ(listed, kCreation);
    EXPECT_EQ(atStartUp, (Names{"logos", "game loading"}));

    Names dispatched;
    for (const WindowRow& row : GetWindowTable())
        dispatched.push_back(row.name);
    EXPECT_EQ(dispatched, kDispatch);
    EXPECT_EQ(NamesBy(&WindowRow::updateOrder), kUpdate);
    EXPECT_EQ(NamesBy(&WindowRow::destroyOrder), kDestroy);
}

// The application's CreateWindows makes every window but the start-up ones,
// each once, in the order they must be made.
TEST(WindowTable, TheApplicationMakesTheInterfaceWindowsInTheirOrder)
{
    const TempFolder dataHome;
    const ScopedVariable variable("XDG_DATA_HOME", dataHome.Path().c_str());
    NullGame game(Failure::kNone);
    game.CreateWindows();
    EXPECT_EQ(game.madeWindows, Names(kCreation.begin() + 2, kCreation.end()));
}

} // namespace
} // namespace Testing
