#pragma once

#include "engine/core/Types.h"

namespace Halvard {

// What kept a file from being made or written, as far as the system told:
// whoever tells the user can then say what to do about it.
enum class FileFault : u8 {
    kOther,
    // The disk, or the user's share of it, is full.
    kNoRoom,
    // The folder or the disk may not be written to.
    kNoRight,
    // A folder on the way is missing and could not be made, or is no folder.
    kNoFolder,
};

} // namespace Halvard
