#pragma once

#include "engine/app/Engine.h"

#include <string>
#include <vector>

namespace Testing {

// Checks of the level's own file formats, each answering the problems found,
// every one naming the file; paths as DataChecker takes them
// ("data\levels_geometry\00_00.tkg").

// The versioned header, every count and index against what the file holds,
// no bytes left over; every block name finds a kind in the shipped block
// database; every texture of the table exists, every frame of a kind's
// animated texture too.
std::vector<std::string> CheckLevelGeometryFile(Halvard::Engine& engine, const std::string& path);

// The versioned header, a box count that fills the file exactly, boxes whose
// corners are in order.
std::vector<std::string> CheckFieldFile(Halvard::Engine& engine, const std::string& path);

// Whitespace-separated numbers only: the ambient colour, a light count of 0
// to 8 and fifteen numbers for each light, nothing more; colours 0 to 255.
std::vector<std::string> CheckLightingFile(Halvard::Engine& engine, const std::string& path);

} // namespace Testing
