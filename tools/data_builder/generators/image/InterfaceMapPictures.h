#pragma once

#include "tools/data_builder/generators/model/InterfaceRecipe.h"

#include <string>
#include <vector>

namespace Tools {

// The stage map's points: a start, a finish, check points and path dots.
// Each picture holds eight cells, the first six one per frame of its model
// (two spare keep the picture a power of two wide): not yet passed,
// passed, highlighted, chosen, out of reach, and the shadow drawn beneath.
enum class MapMark { Start, Finish, CheckPoint, Path };
inline constexpr std::uint32_t kMapMarkFrames = 6;

FrameGrid MapMarkGrid();
Pixmap MapMarkPicture(MapMark mark);

// The models ("data\ui\models\map_*.mlf", their shaders beside them) and
// their pictures. The models carry vertex colours: the map fades its points
// by colouring them.
std::vector<TextureRecipe> MapTextureRecipes();
std::vector<MeshModelRecipe> MapModelRecipes();

} // namespace Tools
