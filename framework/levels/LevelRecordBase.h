#pragma once

#include "framework/LevelReference.h"

namespace GameFramework {

// What the framework knows of a level: where it stands in the tables. A game
// derives it for its own attributes. Made only by the level manager's
// factory.
struct LevelRecordBase {
    virtual ~LevelRecordBase() = default;

    LevelReference reference;
};

} // namespace GameFramework
