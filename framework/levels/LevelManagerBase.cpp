#include "framework/levels/LevelManagerBase.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"

using namespace Halvard;
using GameTools::XMLNode;

namespace GameFramework {

LevelManagerBase::LevelManagerBase(Engine* engine)
    : messages_(engine->GetMessageManager()), files_(engine->GetFileManager())
{
}

LevelManagerBase::~LevelManagerBase() = default;

void LevelManagerBase::GetLevelResources(const LevelReference&, std::vector<std::string>&) const {}

void LevelManagerBase::LoadLevels()
{
    try {
        GameTools::XMLParser parser(files_);
        XMLNode root;
        parser.ParseInto(&root, kLevelsFile);
        const XMLNode* levels = root.GetChild("levels");
        if (levels == nullptr)
            throw FileError("Incorrect \"data\\levels\\levels.xml\" file format");
        ReadTables(*levels);
    } catch (const FileError& error) {
        messages_->LogFatal(error.GetText());
    }
    messages_->LogMessage("\nLevel Manager: Found " + UIntToString(GetStageCount()) + " stages with " +
                          UIntToString(GetTotalLevelCount()) + " levels...");
}

void LevelManagerBase::ReadTables(const XMLNode& levels)
{
    std::vector<XMLNode*> elements;
    levels.GetChildren(elements);
    stages_.resize(elements.size());
    levels_.resize(elements.size());
    for (u32 i = 0; i < elements.size(); ++i)
        ReadStage(i, *elements[i]);
}

void LevelManagerBase::ReadStage(u32 index, const XMLNode& element)
{
    std::unique_ptr<StageRecordBase>& stage = stages_[index];
    stage = CreateStage();
    stage->stage = index;
    ParseStage(*stage, element);
    std::vector<XMLNode*> elements;
    element.GetChildren(elements);
    stage->levelCount = static_cast<u32>(elements.size());
    std::vector<std::unique_ptr<LevelRecordBase>>& table = levels_[index];
    table.resize(elements.size());
    for (u32 j = 0; j < elements.size(); ++j) {
        table[j] = CreateLevel();
        table[j]->reference = {index, j};
        ParseLevel(*table[j], *elements[j]);
    }
}

void LevelManagerBase::ParseStage(StageRecordBase& stage, const XMLNode&) { stage.levelCount = 0; }

void LevelManagerBase::ParseLevel(LevelRecordBase&, const XMLNode&) {}

u32 LevelManagerBase::GetTotalLevelCount() const
{
    u32 total = 0;
    for (const auto& table : levels_)
        total += static_cast<u32>(table.size());
    return total;
}

const StageRecordBase* LevelManagerBase::GetStage(u32 stage) const
{
    return stage < stages_.size() ? stages_[stage].get() : nullptr;
}

u32 LevelManagerBase::GetLevelCount(u32 stage) const
{
    return stage < levels_.size() ? static_cast<u32>(levels_[stage].size()) : 0;
}

const LevelRecordBase* LevelManagerBase::GetLevel(const LevelReference& level) const
{
    if (level.level >= GetLevelCount(level.stage))
        return nullptr;
    return levels_[level.stage][level.level].get();
}

bool LevelManagerBase::IsLastLevel(const LevelReference& level) const
{
    return GetLevel(level) != nullptr && GetNextLevel(level) == level;
}

LevelReference LevelManagerBase::GetNextLevel(const LevelReference& level) const
{
    if (GetLevel(level) == nullptr)
        return level;
    if (level.level + 1 < GetLevelCount(level.stage))
        return {level.stage, level.level + 1};
    for (u32 stage = level.stage + 1; stage < GetStageCount(); ++stage) {
        if (GetLevelCount(stage) > 0)
            return {stage, 0};
    }
    return level;
}

LevelReference LevelManagerBase::GetPreviousLevel(const LevelReference& level) const
{
    if (GetLevel(level) == nullptr)
        return level;
    if (level.level > 0)
        return {level.stage, level.level - 1};
    for (u32 stage = level.stage; stage-- > 0;) {
        if (GetLevelCount(stage) > 0)
            return {stage, GetLevelCount(stage) - 1};
    }
    return level;
}

} // namespace GameFramework
