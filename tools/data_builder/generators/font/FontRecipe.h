#pragma once

#include "tools/data_builder/generators/image/Pixmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Tools {

// How one interface font is made: the DejaVu face it is rasterised from, its
// size in pixels per em, and the colours of its diffuse images. One colour
// gives "<name>_diffuse.tga"; several give "<name>_<i>_diffuse.tga", one per
// state of the text (normal, then the others in the order the game counts
// them).
struct FontRecipe {
    std::string name;
    std::string face;
    std::uint32_t pixelSize = 0;
    std::vector<Color> colors;
};

// Every font the game names, in a fixed order.
std::vector<FontRecipe> GameFontRecipes();

// The folder the faces are read from (the Debian fonts-dejavu-core files).
std::string DefaultFaceFolder();

} // namespace Tools
