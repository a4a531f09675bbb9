#include "gui_tools/GUITextTool.h"

#include "engine/app/Engine.h"
#include "engine/core/MessageManager.h"
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
    if (table == nullptr)
        messages_->LogError("Incorrect \"text file\" format");
    textTables_.push_back(table);
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
