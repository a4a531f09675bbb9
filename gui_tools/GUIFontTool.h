#pragma once

#include "engine/core/Types.h"

#include <map>
#include <string>
#include <vector>

namespace Halvard {
class Engine;
class FileManager;
class GUIFont;
class GUIFontManager;
class GUIManager;
class MessageManager;
} // namespace Halvard

namespace GameTools {
class XMLNode;
class XMLValue;
} // namespace GameTools

namespace GUITools {

// The interface fonts described in "data\ui\fonts\fonts_basic.xml" (and
// later "fonts_additional.xml"), made in the GUI's font manager under ids
// counted from 0 in file order and found by their names. A font whose
// description lacks its name, size or one of its three files is logged and
// skipped: it takes no id. Reads its files on construction and in
// LoadAdditionalFonts; main thread only (fonts make models).
class GUIFontTool {
public:
    // The largest size a font may be described with: a glyph half the
    // interface high, the shipped fonts being 36 at most. A text that sizes
    // itself to its box steps down from its size one unit at a time, so the
    // bound holds that work too.
    static constexpr float kMostSize = 300.0f;

    // The language code ("en", "ru") picks each font's language child for
    // its size, files and properties. A fonts file that cannot be read or
    // parsed throws the parser's FileError; one that describes more than 64
    // fonts, a size beyond 0 to 300, or fonts whose pictures take more than
    // 32 MiB once decoded (counted from their headers) throws FileError
    // naming the file, before any of its fonts is made.
    GUIFontTool(Halvard::Engine* engine, const std::string& language);
    GUIFontTool(const GUIFontTool&) = delete;
    GUIFontTool& operator=(const GUIFontTool&) = delete;
    // Removes every font it made from the font manager.
    virtual ~GUIFontTool();

    // Reads "data\ui\fonts\fonts_additional.xml", its ids following the
    // basic ones. Once, after the additional interface resources loaded.
    void LoadAdditionalFonts();

    // -1 when no font has the name.
    Halvard::i32 GetFontIndex(const std::string& name) const;
    // Null when no font has the name.
    Halvard::GUIFont* GetFont(const std::string& name) const;

    const std::string& GetLanguage() const { return language_; }
    const std::map<std::string, Halvard::u32>& GetFontNames() const { return fontNames_; }

private:
    void LoadFontFile(const std::string& path);
    void CheckBounds(const std::vector<GameTools::XMLNode*>& fonts, const std::string& path) const;
    void LoadFont(GameTools::XMLNode& font, Halvard::u32 index);
    // The "path" of the language's child of that name, else of the plain
    // child; null when neither has one.
    const GameTools::XMLValue* FindPath(GameTools::XMLNode& font, const std::string& child) const;
    // FindPath's text; false after logging the missing item.
    bool ReadPath(GameTools::XMLNode& font, const std::string& child, const std::string& fontName,
                  const std::string& missing, std::string& out) const;
    void ApplyProperties(GameTools::XMLNode& font, const std::string& fontName, Halvard::GUIFont& made) const;

    Halvard::Engine* engine_;
    Halvard::MessageManager* messages_;
    Halvard::FileManager* files_;
    Halvard::GUIManager* gui_;
    Halvard::GUIFontManager* fonts_;
    std::string language_;
    Halvard::u32 nextFontId_ = 0;
    // A name given twice names the later font; both are removed.
    std::map<std::string, Halvard::u32> fontNames_;
    std::vector<Halvard::u32> madeIds_;
};

} // namespace GUITools
