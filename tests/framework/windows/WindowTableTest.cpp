#include "framework/windows/WindowTable.h"
#include "tests/framework/windows/FlowBed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
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

} // namespace
} // namespace Testing
