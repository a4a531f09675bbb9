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

#include <utility>

namespace GameTools {

using namespace Halvard;

namespace {

constexpr u32 kAnonymousBase = 123456789;
constexpr u32 kAnonymousDigits = 9;
constexpr u32 kColoredVertices = 32;

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
        ReadResources(holder, GetListFolder(path), "", counters);
    } catch (const FileError& error) {
        // An entry knows what is wrong with it, only this place knows the file.
        throw FileError(NameFile(error.GetText(), path));
    }
}

void DataKeeper::ReadResources(const XMLNode& node, const std::string& folder, const std::string& prefix,
                               Counters& counters)
{
    const std::string& element = node.GetName();
    if (element == "loop") {
        ReadLoop(node, folder, prefix, counters);
        return;
    }
    const std::string name = Text(node, "name", "");
    if (!name.empty()) {
        ReadEntry(node, folder, prefix + SubstituteCounters(name, counters.names, counters.values), counters);
        return;
    }
    const bool container = element.empty() || element == "resources";
    ReadChildren(node, folder, container ? prefix : prefix + element + "/", counters);
}

void DataKeeper::ReadLoop(const XMLNode& node, const std::string& folder, const std::string& prefix,
                          Counters& counters)
{
    const XMLValue* start = node.GetAttribute("start");
    const XMLValue* count = node.GetAttribute("count");
    const u32 first = start != nullptr ? static_cast<u32>(start->GetInt()) : 0;
    const u32 end = count != nullptr ? static_cast<u32>(count->GetInt()) : 0;
    counters.names.push_back(Text(node, "counter", "i"));
    counters.values.push_back(first);
    for (u32 value = first; value < end; ++value) {
        counters.values.back() = value;
        ReadChildren(node, folder, prefix, counters);
    }
    counters.names.pop_back();
    counters.values.pop_back();
}

void DataKeeper::ReadChildren(const XMLNode& node, const std::string& folder, const std::string& prefix,
                              Counters& counters)
{
    std::vector<XMLNode*> children;
    node.GetChildren(children);
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
    auto model = std::unique_ptr<Model>(models_->NewModelFromFile(CombinePath(folder, file), nullptr, flags));
    if (const XMLValue* speed = node.GetAttribute("animation_speed"))
        model->GetAnimationControl().speed = speed->GetFloat();
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
    const XMLValue* speed = node.GetAttribute("animation_speed");
    const std::pair<i32, i32> size = grid != nullptr ? grid->GetIntPair() : std::pair<i32, i32>(1, 1);
    const u32 frameCount =
        frames != nullptr ? ShaderDescriptor::CheckFrameCount(frames->GetInt(), "Incorrect \"frame_count\" of \"" + name + "\"")
                         : 1;
    const ShaderDescriptor descriptor(true, AnimationType(Text(node, "animation_type", "")),
                                      static_cast<u32>(size.first), static_cast<u32>(size.second), frameCount,
                                      speed != nullptr ? speed->GetFloat() : 0.0f, texture("diffuse_file_name"),
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
