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

#include <cmath>

namespace GUITools {

namespace {

const char* const kDescriptionFolder = "data\\ui\\windows";

// The numbers of a description that drive a loop or a wait, bounded near
// what the shipped descriptions use: a text sized beyond any font never
// shrinks to its box, one that never ends printing or a control that never
// ends fading keeps its window on the screen, and a layer at the end of its
// range wraps when a scroll bar raises it. Each is checked on any element
// that carries it; a fader's only on faders.
struct Bound {
    const char* element;
    const char* attribute;
    bool integer;
    float least;
    float most;
};

constexpr float kMostSize = GUIFontTool::kMostSize;

constexpr Bound kBounds[] = {
    {nullptr, "font_size", false, -1.0f, kMostSize},
    {nullptr, "line_space", false, -kMostSize, kMostSize},
    {nullptr, "printing_speed", false, 0.01f, 10000.0f},
    {nullptr, "max_printing_time", false, 0.01f, 100000.0f},
    {nullptr, "height", true, -100.0f, 100.0f},
    {"fader", "show_speed", false, 0.01f, 1000.0f},
    {"fader", "hide_speed", false, 0.01f, 1000.0f},
    {"fader", "fade_offset", false, 0.0f, 60.0f},
    {"fader", "show_offset", false, 0.0f, 60.0f},
    {"fader", "hide_offset", false, 0.0f, 60.0f},
};

void CheckBounds(const GameTools::XMLNode& element, const std::string& path)
{
    for (const Bound& bound : kBounds) {
        const GameTools::XMLValue* value = element.GetAttribute(bound.attribute);
        if (value == nullptr || (bound.element != nullptr && element.GetName() != bound.element))
            continue;
        const float number = bound.integer ? static_cast<float>(value->GetInt()) : value->GetFloat();
        if (number >= bound.least && number <= bound.most)
            continue;
        const GameTools::XMLValue* name = element.GetAttribute("name");
        throw Halvard::FileError("Incorrect \"" + std::string(bound.attribute) + "\" of \"" +
                                 (name != nullptr ? name->GetString() : element.GetName()) + "\" in \"" + path +
                                 "\"");
    }
    std::vector<GameTools::XMLNode*> children;
    element.GetChildren(children);
    for (const GameTools::XMLNode* child : children)
        CheckBounds(*child, path);
}

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
// A description is refused whole, before any of its windows is built.
void GUIToolManager::LoadDescriptions()
{
    std::vector<std::string> paths;
    files_->FindFiles(kDescriptionFolder, "*.xml", paths);
    for (const std::string& path : paths) {
        std::unique_ptr<GameTools::XMLNode> root;
        try {
            GameTools::XMLNode* parsed = nullptr;
            GameTools::XMLParser(files_).Parse(parsed, path);
            root.reset(parsed);
            CheckBounds(*root, path);
        } catch (const Halvard::FileError& error) {
            messages_->LogError(error.GetText());
            refusedPaths_.push_back(path);
            continue;
        }
        descriptionFileNames_.push_back(FileNameOf(path));
        descriptionRoots_.push_back(root.get());
        descriptionSet_->AddChild(root.release());
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
