#pragma once

#include "engine/core/Types.h"

namespace Halvard {

// The text of a failed video result, or null when the table has no row for
// it (success codes have none).
const char* FindResultText(i32 result);

} // namespace Halvard
