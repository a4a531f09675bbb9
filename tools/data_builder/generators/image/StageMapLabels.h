#pragma once

#include "tools/StageMapWriter.h"
#include "tools/data_builder/generators/image/PixmapDrawing.h"

#include <string>
#include <vector>

namespace Tools {

// A box of the 800 x 600 interface's units, lower left to upper right.
struct UnitBox {
    Point low;
    Point high;
};

// A level's name on the stage map and the box it is painted in: a dark
// plate with a gold rim and the name in pale gold upon it, which reads alike
// on every land and on the sky.
struct StageMapLabel {
    std::string name;
    UnitBox box;
    // The name lettered at the picture's pixels, as laid out and painted.
    Pixmap letters;
};

// One label per point, in the same order, for a picture that covers the
// area. The names count the levels from 1 as the player does ("1-1",
// "1-2", ...) and number them as the game numbers the map file's points: a
// check point begins the next stage. Each label lies beside its own point,
// as close as it fits, its box nearer to that point's centre than to any
// other's; clear of every point's picture and of the shadow the game lays
// 2 units right and down of it, of the way and of the labels before it;
// and between the start game window's buttons and its title banner. The
// names are lettered at the area's own pixels, so that they show
// undistorted when the area is stretched over the screen. Throws
// std::runtime_error naming a level whose label fits nowhere.
std::vector<StageMapLabel> LayOutStageMapLabels(const std::vector<StageMapElement>& points, const DrawArea& area);

// Paints the labels over the picture in the area's units.
void PaintStageMapLabels(Pixmap& picture, const DrawArea& area, const std::vector<StageMapLabel>& labels);

// True when the boxes overlap or lie closer than the gap.
bool Near(const UnitBox& a, const UnitBox& b, float gap);

} // namespace Tools
