#pragma once

#include "tools/StageMapWriter.h"
#include "tools/data_builder/generators/image/StageMapPicture.h"

#include <cstdint>
#include <vector>

namespace Tools {

class DataSet;

inline constexpr const char* kStageMapPath = "data\\ui\\map\\map.gmf";

// The points' sizes in GUI units: the start, the finish and the check
// points stand out from the path dots between them.
inline constexpr float kStageMapMarkSize = 48.0f;
inline constexpr float kStageMapDotSize = 24.0f;

// One point per level in play order, given the number of levels of each
// stage: the first level is the start, the first of every later stage a
// check point, the last level the finish and every other a path dot. Each
// placement scales the point's unit square to its size and centres it on
// the way, which winds from left to right across the middle of the 800 x
// 600 interface. A list without stages gives an empty map. Throws
// std::runtime_error for an empty stage, which the map cannot number as the
// level list does.
std::vector<StageMapElement> LayOutStageMap(const std::vector<std::uint32_t>& levelsPerStage);

// The map's points and the picture beneath them, from the stages, levels
// and environments of "data\levels\levels.xml" in the set.
struct StageMap {
    std::vector<StageMapElement> points;
    StageMapPainting painting;
};
StageMap MakeStageMap(const DataSet& set);

// "data\ui\map\map.gmf" and the picture beneath it from the set's level
// list.
void GenerateStageMap(DataSet& set);

} // namespace Tools
