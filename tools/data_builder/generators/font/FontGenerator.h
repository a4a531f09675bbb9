#pragma once

#include "tools/data_builder/generators/font/FontRecipe.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Tools {

class DataSet;

// The languages whose font folders ship ("data\ui\fonts\" + code + "\").
// Every one gets the same fonts: each covers both code pages.
std::vector<std::string> FontLanguages();

// The files of one font by file name: "<name>.fnt", "<name>_opacity.tga"
// and the diffuse images. The font file's glyphs are the characters of
// FontCharacters, each cell the advance wide and the line high (its width
// the advance over the line height); vertex (0, 0) of a glyph's quad samples
// (u, v), the cell's bottom left, so the glyph stands upright. Throws
// std::runtime_error naming the face or the font when it cannot be made.
std::map<std::string, std::vector<std::uint8_t>> BuildFont(const FontRecipe& recipe, const std::string& faceFolder);

// Every font of GameFontRecipes, from the faces of DefaultFaceFolder, in
// every language's folder.
void GenerateFonts(DataSet& set);

} // namespace Tools
