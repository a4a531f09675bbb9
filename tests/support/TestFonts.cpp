#include "tests/support/TestFonts.h"

#include "engine/core/StringUtils.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/TempFolder.h"

namespace Testing {

namespace {

constexpr int kColumns = 16;
constexpr int kRows = 6;

} // namespace

std::vector<Tools::FontGlyph> EvenGlyphs()
{
    std::vector<Tools::FontGlyph> glyphs;
    for (std::uint16_t character = '!'; character <= '~'; ++character) {
        const int cell = character - '!';
        Tools::FontGlyph glyph;
        glyph.character = character;
        glyph.u = static_cast<float>(cell % kColumns) / kColumns;
        glyph.v = static_cast<float>(cell / kColumns) / kRows;
        glyph.uSize = 1.0f / kColumns;
        glyph.vSize = 1.0f / kRows;
        glyph.width = 1.0f;
        glyphs.push_back(glyph);
    }
    return glyphs;
}

std::string FontFileBytes(const std::vector<Tools::FontGlyph>& glyphs, std::uint32_t version)
{
    const std::vector<std::uint8_t> bytes = Tools::BuildFontFile(glyphs, version);
    return std::string(bytes.begin(), bytes.end());
}

std::string WriteFontFile(const TempFolder& folder, const std::string& name,
                          const std::vector<Tools::FontGlyph>& glyphs)
{
    const std::string path = "fonts\\" + name;
    folder.WriteFile("data\\" + path, FontFileBytes(glyphs));
    return path;
}

Halvard::GUIFont* AddEvenFont(const TempFolder& folder, Halvard::GUIFontManager& fonts, Halvard::u32 id,
                              float size)
{
    const std::string path = WriteFontFile(folder, "even_" + Halvard::UIntToString(id, 0) + ".fnt", EvenGlyphs());
    Halvard::GUIFont* font = fonts.AddFont(id, Halvard::MakeDefaultShaderDescriptor(), path);
    font->SetSize(size);
    return font;
}

} // namespace Testing
