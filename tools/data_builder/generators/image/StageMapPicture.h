#pragma once

#include "tools/StageMapWriter.h"
#include "tools/data_builder/generators/image/Pixmap.h"
#include "tools/data_builder/generators/image/StageMapLabels.h"

#include <string>
#include <vector>

namespace Tools {

inline constexpr const char* kStageMapPicturePath = "data\\ui\\textures\\stage_map.tga";

// The way's half width as painted, its dark border included.
inline constexpr float kStageMapWayHalfWidth = 6.5f;

// The centre of a point's placed square, in interface units.
Point StageMapCentre(const StageMapElement& point);

// The picture and the names painted in it.
struct StageMapPainting {
    Pixmap picture;
    std::vector<StageMapLabel> labels;
};

// The picture under the stage map's points, over the whole 800 x 600
// interface: each stage's region round its points, in the look of the
// stage's environment (a green grove with trees, a slate citadel with
// towers, a plain land for any other), the way from point to point in play
// order with a stone where each point stands, and each level's name beside
// its point (see LayOutStageMapLabels). Clear elsewhere, so the menus' sky
// shows. The stones and names show before the game shows the points: the
// way ahead is named too. The points are the map file's, one per level in
// play order; environments holds one name per stage and levelsPerStage the
// levels of each.
StageMapPainting PaintStageMap(const std::vector<StageMapElement>& points, const std::vector<std::string>& environments,
                               const std::vector<std::uint32_t>& levelsPerStage);

} // namespace Tools
