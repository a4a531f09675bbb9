#include "game_tools/DataKeeper.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"
#include "game_tools/XMLQuery.h"

#include <optional>
#include <utility>

namespace GameTools {

using namespace Halvard;

namespace {

constexpr u32 kAnonymousBase = 123456789;
constexpr u32 kAnonymousDigits = 9;
constexpr u32 kColoredVertices = 32;
// A loop counts to at most this: four digits of counter. Shipped lists count
// to 35 at most.
constexpr i32 kMostLoopCount = 10000;
// The elements the loops of one list read in all, each counted once for
// every pass of the loops around it: as many as one loop at its bound reads
// with one entry. A model entry takes about a millisecond to read, and the
// shipped lists read about a hundred elements.
constexpr u64 kMostLoopReads = 10000;

// The text of the attribute, or the fallback when there is none.
std::string Text(const XMLNode& node, const std::string& attribute, const std::string& fallback)
{
    const XMLValue* value = node.GetAttribute(attribute);
    return value != nullptr ? value->GetString() : fallback;
}

u32 AnimationType(const std::string& text)
{
    if (text == "net")
        return ShaderTextureStage::kGrid;
    if (text == "diffuse")
        return ShaderTextureStage::kNumberedDiffuse;
    if (text == "opacity")
        return ShaderTextureStage::kNumberedOpacity;
    if (text == "diffuse_and_opacity")
        return ShaderTextureStage::kNumberedBoth;
    return ShaderTextureStage::kNoAnimation;
}

// The text of an entry's attribute that is refused.
std::string EntryError(const std::string& attribute, const std::string& entry)
{
    return "Incorrect \"" + attribute + "\" of \"" + entry + "\"";
}

enum class Element { kLoop, kEntry, kGroup };

// What reading makes of the element: a loop repeats its children, an element
// with a name is one entry (its children are never read), any other groups
// its children.
Element KindOf(const XMLNode& node, std::string& name)
{
    if (node.GetName() == "loop")
        return Element::kLoop;
    name = Text(node, "name", "");
    return name.empty() ? Element::kGroup : Element::kEntry;
}

// The counter values a loop runs through, from first up to end. A count
// below the start or beyond the bound, and a start below 0, are refused.
struct LoopRange {
    u32 first;
    u32 end;
};

LoopRange ReadLoopRange(const XMLNode& node)
{
    const XMLValue* start = node.GetAttribute("start");
    const XMLValue* count = node.GetAttribute("count");
    const i32 first = start != nullptr ? start->GetInt() : 0;
    const i32 end = count != nullptr ? count->GetInt() : 0;
    const std::string loop = "loop \"" + Text(node, "counter", "i") + "\"";
    if (first < 0)
        throw FileError("Incorrect \"start\" of " + loop);
    if (end < first || end > kMostLoopCount)
        throw FileError("Incorrect \"count\" of " + loop);
    return LoopRange{static_cast<u32>(first), static_cast<u32>(end)};
}

// Checks every loop below the node before anything of the list is read:
// each loop's range, and the elements that all loops read together. The
// node's children are read passes times, and count when a loop reads them
// (looped); elements outside every loop are read once and do not count. A
// loop element's own reads are within the bound before its passes multiply
// them, so the product cannot overflow.
void CheckLoops(const XMLNode& node, u64 passes, bool looped, u64& reads)
{
    std::vector<XMLNode*> children;
    node.GetChildren(children);
    for (const XMLNode* child : children) {
        if (looped) {
            reads += passes;
            if (reads > kMostLoopReads)
                throw FileError("Incorrect loops: they read more than " + UIntToString(kMostLoopReads) +
                                " elements");
        }
        std::string name;
        switch (KindOf(*child, name)) {
        case Element::kLoop: {
            const LoopRange range = ReadLoopRange(*child);
            CheckLoops(*child, passes * (range.end - range.first), true, reads);
            break;
        }
        case Element::kGroup: CheckLoops(*child, passes, looped, reads); break;
        case Element::kEntry: break;
        }
    }
}

// The error's text with the file named, unless it names it already.
std::string NameFile(const std::string& text, const std::string& path)
{
    const std::string quoted = "\"" + path + "\"";
    return text.find(quoted) == std::string::npos ? text + " in " + quoted : text;
}

} // namespace

// Letter case does not matter, as everywhere in paths, and a list lying in
// the data folder itself names its files from there.
std::string DataKeeper::GetListFolder(const std::string& path)
{
    const std::string folder = GetFileFolder(path) + "\\";
    const size_t data = ToLower(folder).find("data\\");
    std::string relative = data == std::string::npos ? folder : folder.substr(data + 5);
    if (!relative.empty() && relative.back() == '\\')
        relative.pop_back();
    return relative;
}

namespace {

template <typename Map>
bool Add(Map& map, MessageManager* messages, const std::string& place, const std::string& name,
         typename Map::mapped_type value)
{
    if (map.find(name) != map.end()) {
        messages->LogError("(DataKeeper::" + place + "\"" + name + "\" is duplicated");
        return false;
    }
    map.emplace(name, std::move(value));
    return true;
}

template <typename Map>
auto Find(const Map& map, MessageManager* messages, const std::string& place, const std::string& name)
    -> const typename Map::mapped_type*
{
    const auto found = map.find(name);
    if (found != map.end())
        return &found->second;
    messages->LogError("(DataKeeper::" + place + "): There is no \"" + name + "\" resource");
    return nullptr;
}

} // namespace

DataKeeper::DataKeeper(Engine* engine, const std::string& language, bool)
    : engine_(engine), messages_(engine->GetMessageManager()), files_(engine->GetFileManager()),
      shaders_(engine->GetShaderManager()), textures_(shaders_->GetTextureManager()),
      models_(engine->GetModelManager()), spriteGroups_(engine->GetSpriteGroupManager()),
      particleSystems_(engine->GetParticleSystemManager()), language_(language)
{
    const ShaderDescriptor plain(0);
    defaultShaderUser_ = shaders_->CreateShaderUser(plain);
    const float min[3] = {-1.0f, -1.0f, -1.0f};
    const float max[3] = {1.0f, 1.0f, 1.0f};
    defaultModel_.reset(models_->NewModelFromArrays(min, max, nullptr, nullptr, 0));
    defaultParticleSystem_.reset(particleSystems_->NewParticleSystem(nullptr));
    defaultParticleSystem_->SetVisible(false);
    defaultSpriteGroup_.reset(spriteGroups_->NewSpriteGroup(1, &plain, nullptr));
    defaultSpriteGroup_->SetVisible(false);
}

DataKeeper::~DataKeeper()
{
    for (const auto& [name, user] : shaderUsers_)
        shaders_->RemoveShaderUser(user);
    shaders_->RemoveShaderUser(defaultShaderUser_);
}

void DataKeeper::AddResourcesFile(const std::string& path, bool immediate)
{
    if (immediate)
        LoadResourcesFile(path);
    else
        queuedFiles_.push_back(path);
}

void DataKeeper::Load() { LoadResources(); }

// A list is read once: what Load has read leaves the queue.
void DataKeeper::LoadResources()
{
    const std::vector<std::string> files = std::exchange(queuedFiles_, {});
    for (const std::string& path : files)
        LoadResourcesFile(path);
    const std::vector<std::string> names = std::exchange(queuedShaderUserNames_, {});
    const std::vector<ShaderDescriptor> descriptors = std::exchange(queuedShaderDescriptors_, {});
    for (size_t i = 0; i < names.size() && i < descriptors.size(); ++i)
        AddShaderUser(names[i], shaders_->CreateShaderUser(descriptors[i]));
}

void DataKeeper::LoadResourcesFile(const std::string& path)
{
    XMLParser parser(engine_);
    XMLNode holder;
    try {
        parser.ParseInto(&holder, path);
    } catch (const FileError& error) {
        // The parser knows the line, only this place knows the file.
        messages_->LogFatal(NameFile(error.GetText(), path));
    }
    Counters counters;
    try {
        u64 reads = 0;
        CheckLoops(holder, 1, false, reads);
        ReadResources(holder, GetListFolder(path), "", counters);
    } catch (const FileError& error) {
        // An entry knows what is wrong with it, only this place knows the file.
        throw FileError(NameFile(error.GetText(), path));
    }
}

void DataKeeper::ReadResources(const XMLNode& node, const std::string& folder, const std::string& prefix,
                               Counters& counters)
{
    std::string name;
    switch (KindOf(node, name)) {
    case Element::kLoop: ReadLoop(node, folder, prefix, counters); break;
    case Element::kEntry:
        ReadEntry(node, folder, prefix + SubstituteCounters(name, counters.names, counters.values), counters);
        break;
    case Element::kGroup: {
        const std::string& element = node.GetName();
        const bool container = element.empty() || element == "resources";
        ReadChildren(node, folder, container ? prefix : prefix + element + "/", counters);
        break;
    }
    }
}

void DataKeeper::ReadLoop(const XMLNode& node, const std::string& folder, const std::string& prefix,
                          Counters& counters)
{
    const LoopRange range = ReadLoopRange(node);
    // An empty loop reads nothing, however long it counts.
    std::vector<XMLNode*> children;
    node.GetChildren(children);
    if (children.empty())
        return;
    counters.names.push_back(Text(node, "counter", "i"));
    counters.values.push_back(range.first);
    for (u32 value = range.first; value < range.end; ++value) {
        counters.values.back() = value;
        ReadChildren(children, folder, prefix, counters);
    }
    counters.names.pop_back();
    counters.values.pop_back();
}

void DataKeeper::ReadChildren(const XMLNode& node, const std::string& folder, const std::string& prefix,
                              Counters& counters)
{
    std::vector<XMLNode*> children;
    node.GetChildren(children);
    ReadChildren(children, folder, prefix, counters);
}

void DataKeeper::ReadChildren(const std::vector<XMLNode*>& children, const std::string& folder,
                              const std::string& prefix, Counters& counters)
{
    for (const XMLNode* child : children)
        ReadResources(*child, folder, prefix, counters);
}

void DataKeeper::ReadEntry(const XMLNode& node, const std::string& folder, const std::string& name,
                           const Counters& counters)
{
    const XMLValue* language = node.GetAttribute("language");
    if (language != nullptr && language->GetString() != language_)
        return;
    const std::string& element = node.GetName();
    if (element == "model")
        ReadModel(node, folder, name, counters);
    else if (element == "shader")
        ReadShader(node, folder, name, counters);
    else if (element == "particles")
        ReadParticles(node, folder, name, counters);
}

void DataKeeper::ReadModel(const XMLNode& node, const std::string& folder, const std::string& name,
                           const Counters& counters)
{
    const std::string file =
        SubstituteCounters(Text(node, "file_name", "unknown_file_name"), counters.names, counters.values);
    const XMLValue* colored = node.GetAttribute("color_verticies");
    const u32 flags = colored != nullptr && colored->GetBool() ? kColoredVertices : 0;
    const std::optional<float> speed = GetXMLAnimationSpeed(&node, EntryError("animation_speed", name));
    auto model = std::unique_ptr<Model>(models_->NewModelFromFile(CombinePath(folder, file), nullptr, flags));
    if (speed)
        model->GetAnimationControl().speed = *speed;
    if (AddModel(name, model.get()))
        model.release();
}

void DataKeeper::ReadShader(const XMLNode& node, const std::string& folder, const std::string& name,
                            const Counters& counters)
{
    const auto texture = [&](const std::string& attribute) {
        const XMLValue* value = node.GetAttribute(attribute);
        if (value == nullptr)
            return std::string();
        if (value->GetString() == "32bit")
            return value->GetString();
        return SubstituteCounters(CombinePath(folder, value->GetString()), counters.names, counters.values);
    };
    const XMLValue* clamp = node.GetAttribute("clamp");
    const XMLValue* grid = node.GetAttribute("net_size");
    const XMLValue* frames = node.GetAttribute("frame_count");
    const std::pair<i32, i32> size = grid != nullptr ? grid->GetIntPair() : std::pair<i32, i32>(1, 1);
    const u32 frameCount =
        frames != nullptr ? ShaderDescriptor::CheckFrameCount(frames->GetInt(), EntryError("frame_count", name)) : 1;
    const ShaderDescriptor descriptor(true, AnimationType(Text(node, "animation_type", "")),
                                      static_cast<u32>(size.first), static_cast<u32>(size.second), frameCount,
                                      GetXMLAnimationSpeed(&node, EntryError("animation_speed", name)).value_or(0.0f), texture("diffuse_file_name"),
                                      texture("opacity_file_name"), clamp == nullptr || clamp->GetBool());
    ShaderUser* user = shaders_->CreateShaderUser(descriptor);
    if (!AddShaderUser(name, user))
        shaders_->RemoveShaderUser(user);
}

void DataKeeper::ReadParticles(const XMLNode& node, const std::string& folder, const std::string& name,
                               const Counters& counters)
{
    const std::string file =
        SubstituteCounters(Text(node, "file_name", "unknown_file_name"), counters.names, counters.values);
    auto system = std::unique_ptr<ParticleSystem>(
        particleSystems_->NewParticleSystemFromFile(CombinePath(folder, file), nullptr));
    if (AddParticleSystem(name, system.get()))
        system.release();
}

bool DataKeeper::AddModel(const std::string& name, Model* model)
{
    if (model == nullptr || !Add(modelMap_, messages_, "AddModel): Model ", name, nullptr))
        return false;
    modelMap_[name].reset(model);
    return true;
}

bool DataKeeper::AddShaderUser(const std::string& name, ShaderUser* user)
{
    return user != nullptr && Add(shaderUsers_, messages_, "AddShaderUser): Shader User ", name, user);
}

bool DataKeeper::AddParticleSystem(const std::string& name, ParticleSystem* system)
{
    if (system == nullptr || !Add(particleMap_, messages_, "AddParticleSystem): Particle System ", name, nullptr))
        return false;
    particleMap_[name].reset(system);
    return true;
}

void DataKeeper::AddAnonymousShaderUser(ShaderUser* user)
{
    if (user == nullptr)
        return;
    AddShaderUser(UIntToString(static_cast<u32>(shaderUsers_.size()) + kAnonymousBase, kAnonymousDigits), user);
}

Model* DataKeeper::GetModel(const std::string& name) const
{
    const auto* found = Find(modelMap_, messages_, "GetModel", name);
    return found != nullptr ? found->get() : defaultModel_.get();
}

ShaderUser* DataKeeper::GetShaderUser(const std::string& name) const
{
    ShaderUser* const* found = Find(shaderUsers_, messages_, "GetShaderUser", name);
    return found != nullptr ? *found : defaultShaderUser_;
}

ParticleSystem* DataKeeper::GetParticleSystem(const std::string& name) const
{
    const auto* found = Find(particleMap_, messages_, "GetParticleSystem", name);
    return found != nullptr ? found->get() : defaultParticleSystem_.get();
}

std::string DataKeeper::SubstituteCounters(const std::string& text, const std::vector<std::string>& names,
                                           const std::vector<u32>& values)
{
    std::string result = text;
    for (size_t i = 0; i < names.size() && i < values.size(); ++i) {
        const size_t open = result.find("%" + names[i]);
        if (open == std::string::npos)
            continue;
        const size_t digitsAt = open + 1 + names[i].size();
        const size_t close = result.find('%', digitsAt);
        if (close == std::string::npos)
            continue;
        const std::string token = result.substr(open, close - open + 1);
        const u32 digits = StringToUInt(result.substr(digitsAt, close - digitsAt));
        ReplaceAll(result, token, UIntToString(values[i], digits));
    }
    return result;
}

} // namespace GameTools
