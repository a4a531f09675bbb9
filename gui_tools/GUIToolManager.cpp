#include "gui_tools/GUIToolManager.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextTool.h"

namespace GUITools {

namespace {

const char* const kDescriptionFolder = "data\\ui\\windows";

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('\\');
    return Halvard::ToLower(slash == std::string::npos ? path : path.substr(slash + 1));
}

} // namespace

GUIToolManager::GUIToolManager(Halvard::Engine* engine, const std::string& language)
    : engine_(engine), messages_(engine->GetMessageManager()), files_(engine->GetFileManager()),
      language_(language), fontTool_(std::make_unique<GUIFontTool>(engine, language)),
      textTool_(std::make_unique<GUITextTool>(engine, language)),
      descriptionSet_(std::make_unique<GameTools::XMLNode>())
{
    LoadDescriptions();
}

GUIToolManager::~GUIToolManager() = default;

// One bad description costs only its own windows: the others still build.
void GUIToolManager::LoadDescriptions()
{
    std::vector<std::string> paths;
    files_->FindFiles(kDescriptionFolder, "*.xml", paths);
    for (const std::string& path : paths) {
        GameTools::XMLNode* root = nullptr;
        try {
            GameTools::XMLParser(files_).Parse(root, path);
        } catch (const Halvard::FileError& error) {
            messages_->LogError(error.GetText());
            refusedPaths_.push_back(path);
            continue;
        }
        descriptionFileNames_.push_back(FileNameOf(path));
        descriptionRoots_.push_back(root);
        descriptionSet_->AddChild(root);
    }
}

std::string GUIToolManager::GetDescriptionPlace(const std::string& window) const
{
    const std::string file = Halvard::ToLower(window) + ".xml";
    for (const std::string& path : refusedPaths_) {
        if (FileNameOf(path) == file)
            return path;
    }
    return kDescriptionFolder;
}

} // namespace GUITools
