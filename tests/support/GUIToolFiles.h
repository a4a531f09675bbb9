#pragma once

#include <string>

namespace Testing {

class TempFolder;

// What a GUITools::GUIToolManager reads when it is made, as the bodies of
// the files' root elements: "fonts" for the two fonts files, "texts" for
// the two text files. Empty bodies give files with empty roots.
struct GUIToolFiles {
    std::string basicFonts = {};
    std::string additionalFonts = {};
    std::string texts = {};
    std::string defaultTexts = {};
};

// Writes the four files under the folder's "data\ui\", each UTF-8 with a
// byte-order mark.
void WriteGUIToolFiles(const TempFolder& folder, const GUIToolFiles& files);

// Writes text under the folder as UTF-8 with a byte-order mark.
void WriteUtf8File(const TempFolder& folder, const std::string& relative, const std::string& text);

// A font element of the fonts file named so, whose glyph file (every
// printable ASCII character one height wide) and two small white images are
// written under the folder's "data\fonts\". The attributes ("size=\"20\"")
// and children are put in as given, after the name and before the paths.
std::string EvenFontElement(const TempFolder& folder, const std::string& name, const std::string& attributes,
                            const std::string& children = "");

} // namespace Testing
