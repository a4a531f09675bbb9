#pragma once

#include "engine/core/Types.h"

namespace GameFramework {

// What the framework knows of a stage; a game derives it for its own
// attributes. Made only by the level manager's factory.
struct StageRecordBase {
    virtual ~StageRecordBase() = default;

    Halvard::u32 stage = 0;
    Halvard::u32 levelCount = 0;
};

} // namespace GameFramework
