#pragma once

#include "engine/core/Types.h"
#include "framework/levels/LevelRecordBase.h"

#include <string>

namespace Tamrisk {

// A level of the game: the framework's record, the name of its geometry file
// ("<SS>_<LL>.tkg") and the ace time in whole seconds.
struct LevelRecord : GameFramework::LevelRecordBase {
    std::string geometryFile;
    Halvard::u32 aceTime = 0;
};

} // namespace Tamrisk
