#pragma once

#include "tools/data_builder/generators/image/Pixmap.h"

#include <string>

namespace Tools {

// The texture of a bonus kind's token (BonusNames): its sign in white on the
// kind's colour over the left four fifths, the rims' silver on the rest.
// Throws std::runtime_error for a name that is not a bonus kind's.
Pixmap BonusSign(const std::string& name);

} // namespace Tools
