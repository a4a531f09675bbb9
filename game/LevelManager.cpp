#include "game/LevelManager.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLQuery.h"
#include "game_tools/XMLValue.h"

#include <algorithm>
#include <optional>
#include <string>

using namespace Halvard;
using GameFramework::LevelReference;

namespace Tamrisk {

namespace {

// A level without the attribute gets a minute.
constexpr u32 kDefaultAceTime = 60;

// A negative time takes none.
u32 ReadAceTime(const GameTools::XMLValue& value)
{
    const std::optional<i32> seconds = value.FindInt();
    if (!seconds || *seconds > LevelManager::kMostAceTime)
        throw FileError(GameTools::XMLAttributeError("ace_time", LevelManager::kLevelsFile));
    return static_cast<u32>(std::max(0, *seconds));
}

} // namespace

LevelManager::LevelManager(Engine* engine) : LevelManagerBase(engine)
{
    LoadLevels();
    // Every later lookup of a level would fail on a list without one.
    if (GetTotalLevelCount() == 0)
        GetMessages()->LogFatal("Incorrect \"data\\levels\\levels.xml\" file format");
}

void LevelManager::GetLevelResources(const LevelReference& level, std::vector<std::string>& resources) const
{
    const StageRecord* stage = GetGameStage(level.stage);
    if (stage != nullptr)
        resources.push_back("data\\environment\\" + stage->environment + "_resources.xml");
}

const StageRecord* LevelManager::GetGameStage(u32 stage) const
{
    return static_cast<const StageRecord*>(GetStage(stage));
}

const LevelRecord* LevelManager::GetGameLevel(const LevelReference& level) const
{
    return static_cast<const LevelRecord*>(GetLevel(level));
}

std::string LevelManager::MakeGeometryFileName(const LevelReference& level)
{
    return UIntToString(level.stage, 2) + "_" + UIntToString(level.level, 2) + ".tkg";
}

std::unique_ptr<GameFramework::StageRecordBase> LevelManager::CreateStage()
{
    return std::make_unique<StageRecord>();
}

std::unique_ptr<GameFramework::LevelRecordBase> LevelManager::CreateLevel()
{
    return std::make_unique<LevelRecord>();
}

void LevelManager::ParseStage(GameFramework::StageRecordBase& stage, const GameTools::XMLNode& element)
{
    LevelManagerBase::ParseStage(stage, element);
    const GameTools::XMLValue* environment = element.GetAttribute("environment");
    if (environment == nullptr)
        throw FileError(std::string("No \"environment\" attribute in stage description in \"") +
                        kLevelsFile + "\" file");
    static_cast<StageRecord&>(stage).environment = environment->GetString();
}

void LevelManager::ParseLevel(GameFramework::LevelRecordBase& level, const GameTools::XMLNode& element)
{
    auto& record = static_cast<LevelRecord&>(level);
    record.geometryFile = MakeGeometryFileName(level.reference);
    const GameTools::XMLValue* aceTime = element.GetAttribute("ace_time");
    record.aceTime = aceTime != nullptr ? ReadAceTime(*aceTime) : kDefaultAceTime;
}

} // namespace Tamrisk
