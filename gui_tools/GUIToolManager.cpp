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
#include <optional>

namespace GUITools {

namespace {

const char* const kDescriptionFolder = "data\\ui\\windows";

// The numbers of a description that drive a loop or a wait, bounded near
// what the shipped descriptions use: a text sized beyond any font never
// shrinks to its box, one that never ends printing or a control that never
// ends fading keeps its window on the screen (no shipped fade takes more
// than half a second, nor waits more than half a second for its start),
// and a layer at the end of its range wraps when a scroll bar raises it.
// The controls read the other integers as they are. Each is checked on any
// element that carries it; a fader's only on faders.
struct Bound {
    const char* element;
    const char* attribute;
    bool integer;
    float least;
    float most;
};

constexpr float kMostSize = GUIFontTool::kMostSize;
// Beyond every 32-bit integer.
constexpr float kAnyInteger = 4294967296.0f;

constexpr Bound kBounds[] = {
    {nullptr, "font_size", false, -1.0f, kMostSize},
    {nullptr, "line_space", false, -kMostSize, kMostSize},
    {nullptr, "printing_speed", false, 0.01f, 10000.0f},
    {nullptr, "max_printing_time", false, 0.01f, 100000.0f},
    {nullptr, "height", true, -100.0f, 100.0f},
    {nullptr, "model_start_frame", true, -kAnyInteger, kAnyInteger},
    {nullptr, "model_end_frame", true, -kAnyInteger, kAnyInteger},
    {nullptr, "animator_model_start_frame", true, -kAnyInteger, kAnyInteger},
    {nullptr, "animator_model_end_frame", true, -kAnyInteger, kAnyInteger},
    {nullptr, "max_character_count", true, -kAnyInteger, kAnyInteger},
    {"fader", "show_speed", false, 0.5f, 1000.0f},
    {"fader", "hide_speed", false, 0.5f, 1000.0f},
    {"fader", "fade_offset", false, 0.0f, 1.0f},
    {"fader", "show_offset", false, 0.0f, 1.0f},
    {"fader", "hide_offset", false, 0.0f, 1.0f},
};

// An integer written otherwise ("1e9") is refused, never read as its
// leading digits.
bool IsWithin(const Bound& bound, const GameTools::XMLValue& value)
{
    if (!bound.integer) {
        const float number = value.GetFloat();
        return number >= bound.least && number <= bound.most;
    }
    const std::optional<Halvard::i32> number = value.FindInt();
    return number && static_cast<float>(*number) >= bound.least && static_cast<float>(*number) <= bound.most;
}

void CheckBounds(const GameTools::XMLNode& element, const std::string& path, std::size_t& elements)
{
    if (++elements > GUIToolManager::kMostControls)
        throw Halvard::FileError("Incorrect controls: more than " +
                                 Halvard::UIntToString(static_cast<Halvard::u32>(GUIToolManager::kMostControls)) +
                                 " controls are described in \"" + path + "\"");
    for (const Bound& bound : kBounds) {
        const GameTools::XMLValue* value = element.GetAttribute(bound.attribute);
        if (value == nullptr || (bound.element != nullptr && element.GetName() != bound.element))
            continue;
        if (IsWithin(bound, *value))
            continue;
        const GameTools::XMLValue* name = element.GetAttribute("name");
        throw Halvard::FileError("Incorrect \"" + std::string(bound.attribute) + "\" of \"" +
                                 (name != nullptr ? name->GetString() : element.GetName()) + "\" in \"" + path +
                                 "\"");
    }
    std::vector<GameTools::XMLNode*> children;
    element.GetChildren(children);
    for (const GameTools::XMLNode* child : children)
        CheckBounds(*child, path, elements);
}

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
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
// A description is refused whole, before any of its windows is built. The
// folder's listing gives loose files by their full paths: each is read and
// named by its path under the program's folder, as a pack entry is.
void GUIToolManager::LoadDescriptions()
{
    std::vector<std::string> found;
    files_->FindFiles(kDescriptionFolder, "*.xml", found);
    for (const std::string& each : found) {
        const std::string path = std::string(kDescriptionFolder) + "\\" + FileNameOf(each);
        std::unique_ptr<GameTools::XMLNode> root;
        try {
            GameTools::XMLNode* parsed = nullptr;
            GameTools::XMLParser(files_).Parse(parsed, path);
            root.reset(parsed);
            std::size_t elements = 0;
            CheckBounds(*root, path, elements);
        } catch (const Halvard::FileError& error) {
            messages_->LogError(error.GetText());
            refusals_.push_back(Refusal{path, error.GetText()});
            continue;
        }
        descriptionPaths_.push_back(path);
        descriptionRoots_.push_back(root.get());
        descriptionSet_->AddChild(root.release());
    }
}

const GUIToolManager::Refusal* GUIToolManager::FindRefusal(const std::string& window) const
{
    const std::string file = Halvard::ToLower(window) + ".xml";
    for (const Refusal& refusal : refusals_) {
        if (Halvard::ToLower(FileNameOf(refusal.path)) == file)
            return &refusal;
    }
    return nullptr;
}

std::string GUIToolManager::GetDescriptionPlace(const std::string& window) const
{
    const Refusal* refusal = FindRefusal(window);
    return refusal != nullptr ? refusal->path : kDescriptionFolder;
}

std::string GUIToolManager::GetDescriptionRefusal(const std::string& window) const
{
    const Refusal* refusal = FindRefusal(window);
    return refusal != nullptr ? refusal->reason : std::string();
}

std::vector<std::string> GUIToolManager::GetDescriptionFileNames() const
{
    std::vector<std::string> names;
    names.reserve(descriptionPaths_.size());
    for (const std::string& path : descriptionPaths_)
        names.push_back(Halvard::ToLower(FileNameOf(path)));
    return names;
}

std::string GUIToolManager::GetDescriptionPath(const GameTools::XMLNode* root) const
{
    for (std::size_t i = 0; i < descriptionRoots_.size(); ++i) {
        if (descriptionRoots_[i] == root)
            return descriptionPaths_[i];
    }
    return kDescriptionFolder;
}

} // namespace GUITools
