#include "gui_tools/GUIFontTool.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "game_tools/LoadCost.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"
#include "game_tools/XMLQuery.h"

#include <vector>

namespace GUITools {

using GameTools::XMLNode;
using GameTools::XMLValue;
using Halvard::u32;

namespace {

const char* const kPlace = "(GUIFontTool::GUIFontTool): ";
// Every font holds a model of 1024 quads (about 175 KB) from the start: a
// file may describe this many, eight times the shipped basic file's 7.
constexpr u32 kMostFonts = 64;
// What the pictures of one file's fonts take once decoded, each font's
// counted: four times the shipped basic file's 8 MiB.
constexpr u32 kMostPictureBytes = 32 * 1024 * 1024;

// The language's own value first, then the font's.
const XMLValue* LanguageAttribute(const XMLNode& font, const std::string& language, const std::string& name)
{
    const XMLNode* child = font.GetChild(language);
    const XMLValue* own = child != nullptr ? child->GetAttribute(name) : nullptr;
    return own != nullptr ? own : font.GetAttribute(name);
}

} // namespace

GUIFontTool::GUIFontTool(Halvard::Engine* engine, const std::string& language)
    : engine_(engine), messages_(engine->GetMessageManager()), files_(engine->GetFileManager()),
      gui_(engine->GetGUIManager()), fonts_(gui_->GetFontManager()), language_(language)
{
    LoadFontFile("data\\ui\\fonts\\fonts_basic.xml");
}

GUIFontTool::~GUIFontTool()
{
    for (const u32 id : madeIds_)
        fonts_->RemoveFont(id);
}

void GUIFontTool::LoadAdditionalFonts() { LoadFontFile("data\\ui\\fonts\\fonts_additional.xml"); }

Halvard::i32 GUIFontTool::GetFontIndex(const std::string& name) const
{
    const auto found = fontNames_.find(name);
    return found != fontNames_.end() ? static_cast<Halvard::i32>(found->second) : -1;
}

Halvard::GUIFont* GUIFontTool::GetFont(const std::string& name) const
{
    const auto found = fontNames_.find(name);
    return found != fontNames_.end() ? fonts_->GetFont(found->second) : nullptr;
}

void GUIFontTool::LoadFontFile(const std::string& path)
{
    XMLNode holder;
    GameTools::XMLParser(files_).ParseInto(&holder, path);
    const XMLNode* list = holder.GetChild("fonts");
    if (list == nullptr)
        return;
    std::vector<XMLNode*> fonts;
    list->GetChildren(fonts);
    CheckBounds(fonts, path);
    for (u32 index = 0; index < fonts.size(); ++index)
        LoadFont(*fonts[index], index);
}

// Checked before any font is made: a refused file costs no model and no
// picture.
void GUIFontTool::CheckBounds(const std::vector<XMLNode*>& fonts, const std::string& path) const
{
    const std::string file = " in \"" + path + "\"";
    if (fonts.size() > kMostFonts)
        throw Halvard::FileError("Incorrect fonts: more than " + Halvard::UIntToString(kMostFonts) +
                                 " fonts are described" + file);
    for (const XMLNode* font : fonts) {
        const XMLValue* size = LanguageAttribute(*font, language_, "size");
        const float value = size != nullptr ? size->GetFloat() : 0.0f;
        if (!(value >= 0.0f && value <= kMostSize)) {
            const XMLValue* name = font->GetAttribute("name");
            throw Halvard::FileError("Incorrect \"size\" of \"" + (name != nullptr ? name->GetString() : "") +
                                     "\"" + file);
        }
    }
    GameTools::LoadCost pictures(files_, kMostPictureBytes, "fonts: their pictures take", path);
    for (XMLNode* font : fonts) {
        const XMLValue* diffuse = FindPath(*font, "diffuse_image_path");
        const XMLValue* opacity = FindPath(*font, "opacity_image_path");
        if (diffuse != nullptr && opacity != nullptr)
            pictures.AddShader(Halvard::MakeShaderDescriptor(diffuse->GetString(), opacity->GetString(), true));
    }
}

// A font lacking an item cannot be made: every missing item is logged and
// the font takes no id, so the ids of the others stay dense.
void GUIFontTool::LoadFont(XMLNode& font, u32 index)
{
    const XMLValue* name = font.GetAttribute("name");
    if (name == nullptr) {
        messages_->LogError(kPlace + std::string("font with \"") + Halvard::UIntToString(index, 0) +
                            "\" index have not name");
        return;
    }
    const std::string fontName = name->GetString();
    const XMLValue* size = LanguageAttribute(font, language_, "size");
    if (size == nullptr)
        messages_->LogError(kPlace + std::string("font with \"") + fontName + "\" name have not size");
    std::string description;
    std::string diffuse;
    std::string opacity;
    const bool hasDescription =
        ReadPath(font, "description_file_path", fontName, "description file", description);
    const bool hasDiffuse = ReadPath(font, "diffuse_image_path", fontName, "diffuse image", diffuse);
    const bool hasOpacity = ReadPath(font, "opacity_image_path", fontName, "opacity image", opacity);
    if (size == nullptr || !hasDescription || !hasDiffuse || !hasOpacity)
        return;

    const u32 id = nextFontId_++;
    Halvard::GUIFont* made = fonts_->AddFont(id, Halvard::MakeShaderDescriptor(diffuse, opacity, true), description);
    // A null font means the id was taken by someone else: that font is
    // not ours to name or to remove.
    if (made == nullptr)
        return;
    fontNames_[fontName] = id;
    madeIds_.push_back(id);
    made->SetSize(size->GetFloat());
    const XMLValue* monospace = font.GetAttribute("monospace");
    if (monospace != nullptr && monospace->GetBool())
        made->SetMonospace(true);
    const XMLValue* letterCase = font.GetAttribute("case");
    if (letterCase != nullptr && letterCase->GetString() == "lower")
        made->AddLowerCaseGlyphs();
    else if (letterCase != nullptr && letterCase->GetString() == "upper")
        made->AddUpperCaseGlyphs();
    ApplyProperties(font, fontName, *made);
}

const XMLValue* GUIFontTool::FindPath(XMLNode& font, const std::string& child) const
{
    const XMLValue* path = GameTools::SelectXMLValue(&font, language_ + "/" + child, "path");
    return path != nullptr ? path : GameTools::SelectXMLValue(&font, child, "path");
}

bool GUIFontTool::ReadPath(XMLNode& font, const std::string& child, const std::string& fontName,
                           const std::string& missing, std::string& out) const
{
    const XMLValue* path = FindPath(font, child);
    if (path == nullptr) {
        messages_->LogError(kPlace + std::string("font with \"") + fontName + "\" name have not " + missing);
        return false;
    }
    out = path->GetString();
    return true;
}

// The font's own properties, then the language's over them, attribute by
// attribute.
void GUIFontTool::ApplyProperties(XMLNode& font, const std::string& fontName, Halvard::GUIFont& made) const
{
    const XMLNode* layers[] = {font.GetChild("properties"),
                               GameTools::SelectXMLNode(&font, language_ + "/properties")};
    for (const XMLNode* properties : layers) {
        if (properties == nullptr)
            continue;
        if (const XMLValue* space = properties->GetAttribute("space"))
            made.SetSpace(space->GetFloat());
        if (const XMLValue* shift = properties->GetAttribute("shift"))
            made.SetShift(shift->GetFloat());
        const XMLValue* virtualSize = properties->GetAttribute("virtual_size");
        if (virtualSize == nullptr)
            continue;
        // The virtual size is given in the units of the size: a size of 0
        // has no factor, so the font keeps the neutral one.
        if (made.GetSize() == 0.0f)
            messages_->LogError(kPlace + std::string("font with \"") + fontName +
                                "\" name have zero size, virtual size kept at 1");
        else
            made.SetVirtualSize(virtualSize->GetFloat() / made.GetSize());
    }
}

} // namespace GUITools
