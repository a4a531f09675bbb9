#include "tests/fuzz/LevelDataRead.h"

#include "engine/render/ShaderManager.h"
#include "game/LevelManager.h"
#include "game/LevelRecord.h"
#include "game/data/BlockRecord.h"
#include "game/data/GameLogicData.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"

#include <vector>

namespace Fuzzing {

std::unique_ptr<Tamrisk::GameLogicData> MakeFirstLevelData(EngineBed& bed, const Tamrisk::LevelManager& levels)
{
    const GameFramework::LevelReference first{0, 0};
    auto data = std::make_unique<Tamrisk::GameLogicData>(&bed.Get(), "en", levels.GetGameStage(first.stage),
                                                         levels.GetGameLevel(first));
    std::vector<std::string> lists;
    levels.GetLevelResources(first, lists);
    for (const std::string& list : lists)
        data->AddResourcesFile(list, false);
    return data;
}

void ReadLevelData(std::string_view bytes, const std::string& path,
                   const std::function<void(EngineBed&, const Tamrisk::GameLogicData&)>& check)
{
    BedInput input;
    EngineBed& bed = input.Bed();
    const Tamrisk::LevelManager levels(&bed.Get());
    const Tamrisk::LevelRecord* level = levels.GetGameLevel({0, 0});
    bed.Put(path.empty() ? "data\\levels_geometry\\" + level->geometryFile : path, bytes);
    const std::unique_ptr<Tamrisk::GameLogicData> data = MakeFirstLevelData(bed, levels);
    if (Accepted([&] { data->Load(); }))
        check(bed, *data);
}

void CheckBlockRecords(EngineBed& bed, const Tamrisk::GameLogicData& data, std::size_t fileBytes)
{
    const auto& records = data.GetBlockRecords();
    Check(records.size() <= fileBytes, "more blocks than the file could describe");
    for (const auto& record : records) {
        Check(record->description != nullptr, "a block without its kind's description");
        for (const Halvard::u16 index : record->supports)
            Check(index < records.size(), "a block stands on a block outside the level");
        for (const Halvard::u16 index : record->above)
            Check(index < records.size(), "a block holds up a block outside the level");
    }
    for (const double seconds : {0.03, 0.03, 100.0, 1e4}) {
        bed.Fake().Step(seconds);
        bed->GetShaderManager()->Update();
    }
}

} // namespace Fuzzing
