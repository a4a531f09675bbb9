#include "gui_tools/GUITextTool.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"
#include "game_tools/XMLQuery.h"

namespace GUITools {

GUITextTool::GUITextTool(Halvard::Engine* engine, const std::string& language)
    : engine_(engine), messages_(engine->GetMessageManager()), files_(engine->GetFileManager()),
      language_(language), textRoot_(std::make_unique<GameTools::XMLNode>())
{
    LoadTextFile("data\\ui\\texts\\texts.xml");
    LoadTextFile("data\\ui\\texts\\default_texts.xml");
}

GUITextTool::~GUITextTool() = default;

void GUITextTool::LoadTextFile(const std::string& path)
{
    GameTools::XMLNode* holder = textRoot_->CreateChild();
    GameTools::XMLParser(files_).ParseInto(holder, path);
    GameTools::XMLNode* table = holder->GetChild("texts");
    std::string key;
    if (table == nullptr)
        messages_->LogError("Incorrect \"text file\" format");
    else
        CheckLengths(*table, key, path);
    textTables_.push_back(table);
}

void GUITextTool::CheckLengths(const GameTools::XMLNode& element, std::string& key, const std::string& path)
{
    const GameTools::XMLValue* text = element.GetAttribute("text");
    if (text != nullptr && text->GetWideString().size() > kMostTextLength)
        throw Halvard::FileError("Incorrect \"text\" of \"" + key + "\" in \"" + path + "\": longer than " +
                                 Halvard::UIntToString(static_cast<Halvard::u32>(kMostTextLength)) + " characters");
    std::vector<GameTools::XMLNode*> children;
    element.GetChildren(children);
    for (const GameTools::XMLNode* child : children) {
        const std::size_t outer = key.size();
        key += (key.empty() ? "" : "/") + child->GetName();
        CheckLengths(*child, key, path);
        key.resize(outer);
    }
}

std::wstring GUITextTool::GetText(const std::string& key) const
{
    const std::string path = key + "/" + language_;
    for (GameTools::XMLNode* table : textTables_) {
        const GameTools::XMLNode* entry = table != nullptr ? GameTools::SelectXMLNode(table, path) : nullptr;
        const GameTools::XMLValue* text = entry != nullptr ? entry->GetAttribute("text") : nullptr;
        if (text != nullptr)
            return text->GetWideString();
    }
    return L"UNKNOWN";
}

} // namespace GUITools
