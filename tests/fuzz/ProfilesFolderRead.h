#pragma once

#include "tests/fuzz/FileBundle.h"

#include <vector>

namespace Fuzzing {

// The game's start on a profiles folder holding the files, through the
// profile manager, and what its players' files promise: one player per name,
// a file that is not loaded (refused, or a second file of a name) kept with
// its bytes, real times only, what is saved reading back the same, and a
// deleted player gone for good.
void ReadProfilesFolder(const std::vector<BundledFile>& files);

} // namespace Fuzzing
