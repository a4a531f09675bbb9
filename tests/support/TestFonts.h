#pragma once

#include "engine/core/Types.h"
#include "tools/FontWriter.h"

#include <string>
#include <vector>

namespace Halvard {
class GUIFont;
class GUIFontManager;
} // namespace Halvard

namespace Testing {

class TempFolder;

// The glyphs of a font whose printable ASCII characters (not the blank)
// each are one height wide, laid out on a 16 x 6 grid of cells from '!' on.
std::vector<Tools::FontGlyph> EvenGlyphs();

// The bytes of a font file of the glyphs, as a string to write anywhere.
std::string FontFileBytes(const std::vector<Tools::FontGlyph>& glyphs, std::uint32_t version = 201);

// Writes the glyphs as a font file under the folder's "data\" and returns
// the path the font manager takes (without "data\").
std::string WriteFontFile(const TempFolder& folder, const std::string& name,
                          const std::vector<Tools::FontGlyph>& glyphs);

// A font under the identifier, read from a file of EvenGlyphs, drawn with
// the plain shader, so every character of a text, blanks included,
// measures the given size.
Halvard::GUIFont* AddEvenFont(const TempFolder& folder, Halvard::GUIFontManager& fonts, Halvard::u32 id,
                              float size);

} // namespace Testing
