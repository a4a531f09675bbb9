#pragma once

#include <string>

namespace Testing {

// The folder of the built program, which holds the shipped data folder, in
// the system's own form ("\work\build\game"), as an engine's install folder.
std::string ShippedGameFolder();

} // namespace Testing
