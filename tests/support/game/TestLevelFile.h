#pragma once

#include "tools/LevelGeometryWriter.h"

#include <string>
#include <vector>

namespace Testing {

class TempFolder;

// Writes the blocks, without textures, as the level geometry file
// "data\levels_geometry\test.tkg" below the folder; answers the name a level
// record gives it.
std::string WriteTestLevel(const TempFolder& folder, std::vector<Tools::LevelBlock> blocks);

} // namespace Testing
