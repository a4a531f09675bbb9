#pragma once

#include <string>
#include <string_view>

namespace Fuzzing {

// A sound of the data folder made, played and played on for a few frames the
// way the game's sounds are, by the sound manager: a file that cannot be read
// plays silence.
void ReadSound(std::string_view bytes, const std::string& extension);

} // namespace Fuzzing
