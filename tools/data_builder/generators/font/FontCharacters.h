#pragma once

#include <vector>

namespace Tools {

// The printable characters of the Western (1252) and Cyrillic (1251) code
// pages as Unicode, sorted, each once, without the blanks (space and
// no-break space): a name typed in one language must show in the other.
std::vector<char16_t> FontCharacters();

} // namespace Tools
