#include "game_tools/DataKeeper.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
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
#include "game_tools/LoadCost.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"
#include "game_tools/XMLQuery.h"

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
// What one list may read, every element counted once for each pass of the
// loops around it. The largest shipped list reads 98 elements.
constexpr u64 kMostElements = 1000;
// A name or file name as a list gives it and as it is filled in; shipped
// lists give 40 characters at most.
constexpr size_t kMostNameLength = 255;

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
// below the start or beyond the bound, a start below 0, and either that is
// no integer, are refused.
struct LoopRange {
    u32 first;
    u32 end;
};

LoopRange ReadLoopRange(const XMLNode& node)
{
    const std::string loop = "loop \"" + Text(node, "counter", "i") + "\"";
    const i32 first = GetXMLInt(&node, "start", 0, "Incorrect \"start\" of " + loop);
    const i32 end = GetXMLInt(&node, "count", 0, "Incorrect \"count\" of " + loop);
    if (first < 0)
        throw FileError("Incorrect \"start\" of " + loop);
    if (end < first || end > kMostLoopCount)
        throw FileError("Incorrect \"count\" of " + loop);
    return LoopRange{static_cast<u32>(first), static_cast<u32>(end)};
}

// A grid's columns and rows that are no integers are refused in the
// entry's words.
std::pair<i32, i32> ReadIntPair(const XMLValue& value, const std::string& error)
{
    try {
        return value.GetIntPair();
    } catch (const FileError&) {
        throw FileError(error);
    }
}

// The error's text with the file named, unless it names it already.
std::string NameFile(const std::string& text, const std::string& path)
{
    const std::string quoted = "\"" + path + "\"";
    return text.find(quoted) == std::string::npos ? text + " in " + quoted : text;
}

void CheckLength(const std::string& text, size_t most, const std::string& error)
{
    if (text.size() > most)
        throw FileError(error + " longer than " + UIntToString(static_cast<u32>(most)) + " characters");
}

// The text with every counter filled in, refused when it is longer than a
// name may be, as given or as filled in.
std::string FilledName(const std::string& text, const std::vector<std::string>& names,
                       const std::vector<u32>& values, const std::string& error)
{
    CheckLength(text, kMostNameLength, error);
    std::string filled = DataKeeper::SubstituteCounters(text, names, values);
    CheckLength(filled, kMostNameLength, error);
    return filled;
}

// The text with every occurrence of the token from the first one on
// replaced, in one pass.
std::string ReplaceToken(const std::string& text, size_t first, const std::string& token, const std::string& value)
{
    std::string result = text.substr(0, first);
    size_t from = first;
    for (size_t found = first; found != std::string::npos; found = text.find(token, from)) {
        result.append(text, from, found - from);
        result += value;
        from = found + token.size();
    }
    result.append(text, from, std::string::npos);
    return result;
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

// Whether the name is taken; a taken name is logged.
template <typename Map>
bool Taken(const Map& map, MessageManager* messages, const std::string& place, const std::string& name)
{
    if (map.find(name) == map.end())
        return false;
    messages->LogError("(DataKeeper::" + place + "\"" + name + "\" is duplicated");
    return true;
}

template <typename Map>
bool Add(Map& map, MessageManager* messages, const std::string& place, const std::string& name,
         typename Map::mapped_type value)
{
    if (Taken(map, messages, place, name))
        return false;
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

// What a registry's own loading step reads beside its lists is refused the
// way a list is: fatal, in the log.
void DataKeeper::Load()
{
    try {
        LoadResources();
    } catch (const FileError& error) {
        messages_->LogFatal(error.GetText());
    }
}

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

// Every refusal of a list is fatal, with the list named: the parser knows
// the line, the entries know what is wrong with them, only this place knows
// the file. Nothing is made before the whole list has been read and
// checked.
void DataKeeper::LoadResourcesFile(const std::string& path)
{
    ListReading list;
    try {
        XMLNode holder;
        XMLParser(engine_).ParseInto(&holder, path);
        list.folder = GetListFolder(path);
        ReadChildren(holder, list);
        CheckLoadedBytes(list.entries);
    } catch (const FileError& error) {
        messages_->LogFatal(NameFile(error.GetText(), path));
    }
    for (const Entry& entry : list.entries)
        MakeEntry(entry);
}

void DataKeeper::ReadResources(const XMLNode& node, ListReading& list)
{
    if (++list.elements > kMostElements)
        throw FileError("Incorrect resources: they read more than " + UIntToString(static_cast<u32>(kMostElements)) +
                        " elements");
    std::string name;
    switch (KindOf(node, name)) {
    case Element::kLoop: ReadLoop(node, list); break;
    case Element::kEntry: ReadEntry(node, name, list); break;
    case Element::kGroup: {
        // One prefix grows and shrinks with the groups, so that a deep list
        // costs no copy of it per level.
        const std::string& element = node.GetName();
        const size_t outer = list.prefix.size();
        if (!element.empty() && element != "resources")
            list.prefix += element + "/";
        ReadChildren(node, list);
        list.prefix.resize(outer);
        break;
    }
    }
}

void DataKeeper::ReadLoop(const XMLNode& node, ListReading& list)
{
    const LoopRange range = ReadLoopRange(node);
    // An empty loop reads nothing, however long it counts.
    if (node.GetChildCount() == 0)
        return;
    Counters& counters = list.counters;
    counters.names.push_back(Text(node, "counter", "i"));
    counters.values.push_back(range.first);
    for (u32 value = range.first; value < range.end; ++value) {
        counters.values.back() = value;
        ReadChildren(node, list);
    }
    counters.names.pop_back();
    counters.values.pop_back();
}

void DataKeeper::ReadChildren(const XMLNode& node, ListReading& list)
{
    std::vector<XMLNode*> children;
    node.GetChildren(children);
    for (const XMLNode* child : children)
        ReadResources(*child, list);
}

void DataKeeper::ReadEntry(const XMLNode& node, const std::string& name, ListReading& list)
{
    const XMLValue* language = node.GetAttribute("language");
    if (language != nullptr && language->GetString() != language_)
        return;
    const std::string& element = node.GetName();
    if (element != "model" && element != "shader" && element != "particles")
        return;
    const std::string fullName =
        list.prefix + FilledName(name, list.counters.names, list.counters.values, "Incorrect \"name\"");
    CheckLength(fullName, kMostNameLength, "Incorrect \"name\"");
    if (element == "model")
        list.entries.push_back(ReadModel(node, fullName, list));
    else if (element == "shader")
        list.entries.push_back(ReadShader(node, fullName, list));
    else
        list.entries.push_back(ReadParticles(node, fullName, list));
}

DataKeeper::Entry DataKeeper::ReadModel(const XMLNode& node, const std::string& name, const ListReading& list) const
{
    Entry entry(EntryKind::kModel, name);
    entry.file = CombinePath(list.folder, FilledName(Text(node, "file_name", "unknown_file_name"), list.counters.names,
                                                     list.counters.values, EntryError("file_name", name)));
    const XMLValue* colored = node.GetAttribute("color_verticies");
    entry.modelFlags = colored != nullptr && colored->GetBool() ? kColoredVertices : 0;
    entry.speed = GetXMLAnimationSpeed(&node, EntryError("animation_speed", name));
    return entry;
}

DataKeeper::Entry DataKeeper::ReadShader(const XMLNode& node, const std::string& name, const ListReading& list) const
{
    const auto texture = [&](const std::string& attribute) {
        const XMLValue* value = node.GetAttribute(attribute);
        if (value == nullptr)
            return std::string();
        const std::string given = value->GetString();
        if (given == "32bit")
            return given;
        // The folder is joined first: a counter may fill in any part of the path.
        CheckLength(given, kMostNameLength, EntryError(attribute, name));
        std::string path = SubstituteCounters(CombinePath(list.folder, given), list.counters.names, list.counters.values);
        CheckLength(path, list.folder.size() + 1 + kMostNameLength, EntryError(attribute, name));
        return path;
    };
    const XMLValue* clamp = node.GetAttribute("clamp");
    const XMLValue* grid = node.GetAttribute("net_size");
    const std::pair<i32, i32> size =
        grid != nullptr ? ReadIntPair(*grid, EntryError("net_size", name)) : std::pair<i32, i32>(1, 1);
    const std::string framesError = EntryError("frame_count", name);
    const u32 frameCount =
        ShaderDescriptor::CheckFrameCount(GetXMLInt(&node, "frame_count", 1, framesError), framesError);
    Entry entry(EntryKind::kShader, name);
    entry.shader.emplace(true, AnimationType(Text(node, "animation_type", "")), static_cast<u32>(size.first),
                         static_cast<u32>(size.second), frameCount,
                         GetXMLAnimationSpeed(&node, EntryError("animation_speed", name)).value_or(0.0f),
                         texture("diffuse_file_name"), texture("opacity_file_name"), clamp == nullptr || clamp->GetBool());
    return entry;
}

DataKeeper::Entry DataKeeper::ReadParticles(const XMLNode& node, const std::string& name,
                                            const ListReading& list) const
{
    Entry entry(EntryKind::kParticles, name);
    entry.file = CombinePath(list.folder, FilledName(Text(node, "file_name", "unknown_file_name"), list.counters.names,
                                                     list.counters.values, EntryError("file_name", name)));
    return entry;
}

// A model costs about as much memory as its file holds, a picture what its
// pixels decode to: together they bound what a list can cost, counted
// before any picture is decoded. The pictures are those the entries will
// load: every frame of a numbered animation, the stand-in of a missing jpg,
// and those of the shader file a model or particle system reads beside its
// own.
void DataKeeper::CheckLoadedBytes(const std::vector<Entry>& entries) const
{
    LoadCost cost(files_, kMostLoadedBytes, "resources: their files take");
    for (const Entry& entry : entries) {
        if (!entry.file.empty())
            cost.AddModelFile(entry.file);
        if (entry.shader)
            cost.AddShader(*entry.shader);
    }
}

// A name already taken is refused before anything is made for it: the
// first entry stays, and a second costs a log line, not a model read,
// made and destroyed.
void DataKeeper::MakeEntry(const Entry& entry)
{
    switch (entry.kind) {
    case EntryKind::kModel: {
        if (Taken(modelMap_, messages_, "AddModel): Model ", entry.name))
            return;
        Model* model = models_->NewModelFromFile(entry.file, nullptr, entry.modelFlags);
        if (entry.speed)
            model->GetAnimationControl().speed = *entry.speed;
        modelMap_.emplace(entry.name, model);
        break;
    }
    case EntryKind::kShader:
        if (!Taken(shaderUsers_, messages_, "AddShaderUser): Shader User ", entry.name))
            shaderUsers_.emplace(entry.name, shaders_->CreateShaderUser(*entry.shader));
        break;
    case EntryKind::kParticles:
        if (!Taken(particleMap_, messages_, "AddParticleSystem): Particle System ", entry.name))
            particleMap_.emplace(entry.name, particleSystems_->NewParticleSystemFromFile(entry.file, nullptr));
        break;
    }
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
        result = ReplaceToken(result, open, token, UIntToString(values[i], digits));
    }
    return result;
}

} // namespace GameTools
