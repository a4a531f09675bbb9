#pragma once

#include "tools/FieldWriter.h"

#include <array>
#include <vector>

namespace Tools {

class DataSet;

// The playing field every level shares, z up, the player's bat at the near
// end (small y). Three walls: left and right along y from -100 to 130, the
// far wall across the whole width from y 120 to 130; each 8 high. The far
// wall is written as a box round its own origin placed by a translation.
// The side walls stand just beyond the bat's reach (its head's end comes to
// x 75): no gutter opens beside the bat where a ball could pass it, and the
// level's camera, which sees x -75 to 75 at the bat, shows them from there
// to the far wall.
inline constexpr float kWallInnerX = 76.0f;
inline constexpr float kWallOuterX = 86.0f;
inline constexpr float kWallNearY = -100.0f;
inline constexpr float kWallFarY = 130.0f;
inline constexpr float kFarWallInnerY = 120.0f;
inline constexpr float kWallHeight = 8.0f;

// Where blocks may stand: clear of the side walls by more than a ball, and
// in front of the far wall.
inline constexpr float kBlockAreaX = 71.0f;
inline constexpr float kBlockAreaNearY = -40.0f;
inline constexpr float kBlockAreaFarY = 115.0f;

// The walls in file order: left, right, far.
std::vector<FieldBox> FieldWalls();

// A wall's corners where it stands in the level: its box through its
// transform (a translation).
std::array<std::array<float, 3>, 2> PlacedWall(const FieldBox& wall);

// "data\environment\field.tkf".
void GenerateField(DataSet& set);

} // namespace Tools
