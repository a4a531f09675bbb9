#pragma once

#include "framework/levels/StageRecordBase.h"

#include <string>

namespace Tamrisk {

// A stage of the game: the framework's record and the name of its
// environment description under "data\environment\".
struct StageRecord : GameFramework::StageRecordBase {
    std::string environment;
};

} // namespace Tamrisk
