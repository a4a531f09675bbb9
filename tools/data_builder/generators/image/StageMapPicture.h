#pragma once

#include "tools/StageMapWriter.h"
#include "tools/data_builder/generators/image/Pixmap.h"

#include <string>
#include <vector>

namespace Tools {

inline constexpr const char* kStageMapPicturePath = "data\\ui\\textures\\stage_map.tga";

// The picture under the stage map's points, over the whole 800 x 600
// interface: each stage's region round its points, in the look of the
// stage's environment (a green grove with trees, a slate citadel with
// towers, a plain land for any other), and the way from point to point in
// play order. Clear elsewhere, so the menus' sky shows. The points are the
// map file's, one per level in play order; environments holds one name per
// stage and levelsPerStage the levels of each.
Pixmap StageMapPicture(const std::vector<StageMapElement>& points, const std::vector<std::string>& environments,
                       const std::vector<std::uint32_t>& levelsPerStage);

} // namespace Tools
