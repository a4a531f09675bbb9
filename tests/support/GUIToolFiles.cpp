#include "tests/support/GUIToolFiles.h"

#include "tests/support/TempFolder.h"
#include "tests/support/TestFonts.h"
#include "tools/ImageWriter.h"

#include <vector>

namespace Testing {

namespace {

std::string WhiteImage()
{
    Tools::TgaHeader header;
    header.width = 4;
    header.height = 4;
    header.depth = 24;
    return Tools::TgaFile(header, std::vector<std::uint8_t>(4 * 4 * 3, 0xFF));
}

} // namespace

void WriteUtf8File(const TempFolder& folder, const std::string& relative, const std::string& text)
{
    folder.WriteFile(relative, "\xEF\xBB\xBF" + text);
}

void WriteGUIToolFiles(const TempFolder& folder, const GUIToolFiles& files)
{
    WriteUtf8File(folder, "data\\ui\\fonts\\fonts_basic.xml", "<fonts>" + files.basicFonts + "</fonts>");
    WriteUtf8File(folder, "data\\ui\\fonts\\fonts_additional.xml", "<fonts>" + files.additionalFonts + "</fonts>");
    WriteUtf8File(folder, "data\\ui\\texts\\texts.xml", "<texts>" + files.texts + "</texts>");
    WriteUtf8File(folder, "data\\ui\\texts\\default_texts.xml", "<texts>" + files.defaultTexts + "</texts>");
}

std::string EvenFontElement(const TempFolder& folder, const std::string& name, const std::string& attributes,
                            const std::string& children)
{
    const std::string glyphs = WriteFontFile(folder, "even.fnt", EvenGlyphs());
    folder.WriteFile("data\\fonts\\even_diffuse.tga", WhiteImage());
    folder.WriteFile("data\\fonts\\even_opacity.tga", WhiteImage());
    return "<font name=\"" + name + "\" " + attributes + ">" + children + "<description_file_path path=\"" + glyphs +
           "\"/><diffuse_image_path path=\"fonts\\even_diffuse.tga\"/>"
           "<opacity_image_path path=\"fonts\\even_opacity.tga\"/></font>";
}

} // namespace Testing
