#include "game/data/GameLogicData.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "game/LevelRecord.h"
#include "game/data/LevelGeometryReader.h"
#include "game_tools/LoadCost.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLQuery.h"
#include "game_tools/XMLParser.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace Tamrisk {

using namespace Halvard;
using GameTools::XMLNode;
using GameTools::XMLAttributeError;
using GameTools::XMLValue;

namespace {

constexpr const char* kDescriptionFolder = "data\\game_objects\\blocks";
constexpr const char* kGeometryFolder = "data\\levels_geometry\\";
constexpr const char* kModelFolder = "game_objects\\blocks\\models\\";
constexpr u32 kCommonFragmentCount = 10;
// Fragment files are numbered with two digits.
constexpr i32 kMaxFragmentCount = 100;

// The part of the file name before its first '.'.
std::string BaseName(const std::string& path)
{
    const std::string name = GetFileName(path);
    return name.substr(0, name.find('.'));
}

const std::string& KindName(const XMLNode& description) { return description.GetAttribute("name")->GetString(); }

// The counts size loads and allocations, and the speed drives the block's
// animation every frame: a damaged description must fail here, naming its
// file, not hang the level's start or its frames, or exhaust memory. Every
// integer the blocks read later is checked here to be one.
void CheckValues(const XMLNode& description, const std::string& path)
{
    const std::string fragments = XMLAttributeError("fragment_count", path);
    if (GameTools::GetXMLInt(&description, "fragment_count", 0, fragments) > kMaxFragmentCount)
        throw FileError(fragments);
    GameTools::GetXMLInt(&description, "strength", 1, XMLAttributeError("strength", path));
    const XMLNode* shader = description.GetChild("shader");
    if (shader == nullptr)
        return;
    const std::string frames = XMLAttributeError("frame_count", path);
    ShaderDescriptor::CheckFrameCount(GameTools::GetXMLInt(shader, "frame_count", 1, frames), frames);
    GameTools::GetXMLAnimationSpeed(shader, XMLAttributeError("animation_speed", path));
}

// The block's texture, animated through numbered pictures when the kind
// says so.
ShaderDescriptor MakeBlockShader(const XMLNode& description, const LevelGeometryReader::Block& block)
{
    u32 frames = 1;
    float speed = 0.0f;
    if (const XMLNode* shader = description.GetChild("shader")) {
        const XMLValue* rate = shader->GetAttribute("animation_speed");
        // A texture has at least its one picture.
        frames = static_cast<u32>(std::max(GameTools::GetXMLInt(shader, "frame_count", 1), 1));
        speed = rate != nullptr ? rate->GetFloat() : 0.0f;
    }
    const u32 animation = frames > 1 ? ShaderTextureStage::kNumberedDiffuse : ShaderTextureStage::kNoAnimation;
    ShaderDescriptor descriptor(true, animation, 1, 1, frames, speed, block.texture, block.opacityTexture, true);
    // The table's empty name is no texture: nothing to load, so no
    // placeholder picture and no error.
    if (block.texture.empty())
        descriptor.GetStage(0).flags |= ShaderTextureStage::kNoTexture;
    return descriptor;
}

} // namespace

GameLogicData::GameLogicData(Engine* engine, const std::string& language, const StageRecord* stage,
                             const LevelRecord* level)
    : DataKeeper(engine, language, true), stage_(stage), level_(level)
{
}

// The records point into the descriptions: they go first.
GameLogicData::~GameLogicData()
{
    records_.clear();
    descriptions_.clear();
}

u32 GameLogicData::ReadFragmentCount(const XMLNode& description)
{
    return static_cast<u32>(std::max(GameTools::GetXMLInt(&description, "fragment_count", 0), 0));
}

void GameLogicData::LoadResources()
{
    DataKeeper::LoadResources();
    LoadBlockDatabase();
    LoadGeometry();
}

// Kinds are taken in the order of their names: the first whose name occurs
// in a block's name serves the block.
void GameLogicData::LoadBlockDatabase()
{
    std::vector<std::string> paths;
    files_->FindFiles(kDescriptionFolder, "*.xml", paths);
    std::stable_sort(paths.begin(), paths.end(),
                     [](const std::string& a, const std::string& b) { return BaseName(a) < BaseName(b); });
    GameTools::XMLParser parser(engine_);
    for (const std::string& path : paths) {
        XMLNode* root = nullptr;
        parser.Parse(root, path);
        std::unique_ptr<XMLNode> tree(root);
        CheckValues(*tree, path);
        tree->SetAttribute("name", BaseName(path));
        descriptions_.push_back(std::move(tree));
    }
}

const XMLNode* GameLogicData::FindDescription(const std::string& blockName) const
{
    for (const std::unique_ptr<XMLNode>& description : descriptions_) {
        if (blockName.find(KindName(*description)) != std::string::npos)
            return description.get();
    }
    return nullptr;
}

// The pictures of the level's blocks and the models of their kinds may take
// what one resource list may, each picture counted once for each kind and
// texture pair that shows it. The shipped levels' blocks take 168 KB at
// most; a modder's pictures may well be larger.
void GameLogicData::LoadGeometry()
{
    const std::string path = kGeometryFolder + level_->geometryFile;
    LevelGeometryReader file(files_, path);
    keyFrameCount_ = file.GetKeyFrameCount();
    animationSpeed_ = file.GetAnimationSpeed();
    records_.reserve(file.GetBlocks().size());
    std::vector<ShaderDescriptor> shaders;
    GameTools::LoadCost cost(files_, kMostLoadedBytes, "blocks: their files take", path);
    std::set<std::tuple<const XMLNode*, std::string, std::string>> counted;
    for (LevelGeometryReader::Block& block : file.GetBlocks()) {
        const XMLNode* description = FindDescription(block.name);
        if (description == nullptr)
            throw FileError("Can't find block \"" + block.name + "\" in database");
        shaders.push_back(MakeBlockShader(*description, block));
        if (counted.emplace(description, block.texture, block.opacityTexture).second)
            cost.AddShader(shaders.back());
        auto record = std::make_unique<BlockRecord>();
        record->description = description;
        record->flags = block.flags;
        record->scale = block.scale;
        record->keyFrames = std::move(block.keyFrames);
        record->supports = std::move(block.supports);
        record->above = std::move(block.above);
        records_.push_back(std::move(record));
    }
    const std::vector<std::pair<std::string, std::string>> models = BlockModelFiles();
    for (const auto& [model, name] : models)
        cost.AddModelFile(model);
    for (size_t i = 0; i < records_.size(); ++i) {
        records_[i]->shaderUser = shaders_->CreateShaderUser(shaders[i]);
        AddAnonymousShaderUser(records_[i]->shaderUser);
    }
    for (const auto& [model, name] : models)
        AddModelFile(model, name);
}

std::vector<std::pair<std::string, std::string>> GameLogicData::BlockModelFiles() const
{
    std::vector<std::pair<std::string, std::string>> files;
    for (const std::unique_ptr<XMLNode>& description : descriptions_) {
        const bool used = std::any_of(records_.begin(), records_.end(), [&](const std::unique_ptr<BlockRecord>& r) {
            return r->description == description.get();
        });
        if (!used)
            continue;
        const std::string& name = KindName(*description);
        const std::string prefix = "geometry/" + name;
        files.emplace_back(kModelFolder + name + ".mlf", prefix + "/model");
        if (GameTools::GetXMLBool(description.get(), "collision_model", false))
            files.emplace_back(kModelFolder + name + "_collision.mlf", prefix + "/collision_model");
        const u32 fragments = ReadFragmentCount(*description);
        for (u32 i = 0; i < fragments; ++i)
            files.emplace_back(std::string(kModelFolder) + "fragments\\" + name + "_" + UIntToString(i, 2) + ".mlf",
                               prefix + "/fragments/" + UIntToString(i, 2));
    }
    for (u32 i = 0; i < kCommonFragmentCount; ++i)
        files.emplace_back(std::string(kModelFolder) + "fragments\\common\\fragment_" + UIntToString(i) + ".mlf",
                           "geometry/fragments/common/" + UIntToString(i, 2));
    return files;
}

void GameLogicData::AddModelFile(const std::string& file, const std::string& name)
{
    std::unique_ptr<Model> model(models_->NewModelFromFile(file, nullptr, 0));
    if (AddModel(name, model.get()))
        model.release();
}

} // namespace Tamrisk
