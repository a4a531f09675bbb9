#pragma once

#include "tools/data_builder/generators/image/Pixmap.h"

#include <cstdint>

namespace Tools {

// The faces of the block kinds, 64 x 32 (cages 64 x 64). Each kind has a
// colour of its own, far from the others and from the stages' walls, and a
// form of its own (a raised rim, courses and cracks, rivets, hazard
// stripes, wisps, bars), so that a player tells the kinds apart from the
// level camera's distance.

// Clay between two colours under a raised rim.
Pixmap SimpleBrickPicture(std::uint64_t seed, const Color& low, const Color& high);
// Purple masonry in a pale frame; each hit (damage 1, 2) darkens it and
// cracks it further.
Pixmap HardBrickPicture(std::uint32_t damage);
// A bright plate with a sheen across it and a rivet in each corner.
Pixmap SteelBrickPicture();
// Black and yellow stripes round a red fuse.
Pixmap ExplosiveBrickPicture();
// Pale, half clear wisps.
Pixmap GhostBrickPicture();
// Bars that hide half the ball in a keeper, the rest seen through.
Pixmap CagePicture(const Color& bar);

} // namespace Tools
