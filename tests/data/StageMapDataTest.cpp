#include "game/LevelManager.h"
#include "game/windows/parts/GUIStageMap.h"
#include "tests/data/BuiltData.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

namespace {

using Tamrisk::GUIStageMap;

// The map is the level list drawn: the game numbers its points by their
// kinds, and those numbers must name the levels in play order, with the
// start on the first, a check point on the first of every later stage and
// the finish on the last.
TEST(StageMapData, TheShippedMapHasOnePointPerLevelInPlayOrder)
{
    Testing::TestEngine engine({.installFolder = Testing::GameFolderInternal()});
    const Tamrisk::LevelManager levels(&engine.Get());
    const GUIStageMap map(&engine.Get());
    const std::vector<GUIStageMap::Element>& elements = map.GetElements();
    ASSERT_EQ(elements.size(), levels.GetTotalLevelCount());
    GameFramework::LevelReference level{0, 0};
    for (std::size_t i = 0; i < elements.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(elements[i].stage, level.stage);
        EXPECT_EQ(elements[i].level, level.level);
        Halvard::u32 kind = level.level == 0 ? GUIStageMap::kCheckPoint : GUIStageMap::kPathPoint;
        if (i == 0)
            kind = GUIStageMap::kStart;
        else if (levels.IsLastLevel(level))
            kind = GUIStageMap::kFinish;
        EXPECT_EQ(elements[i].kind, kind);
        level = levels.GetNextLevel(level);
    }
}

} // namespace
