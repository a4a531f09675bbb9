// The level list, as the game reads it at the start, in place of the shipped
// one: refused naming it, or every level in it answers its resources and
// neighbours and holds an ace time within the bound.
#include "game/LevelManager.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

#include <string>
#include <vector>

TAMRISK_FUZZ_TARGET(LevelManager)
{
    using Fuzzing::Check;
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    bed.Put("data\\levels\\levels.xml", bytes);
    Fuzzing::AcceptedNaming("data\\levels\\levels.xml", [&] {
        const Tamrisk::LevelManager levels(&bed.Get());
        Check(levels.GetTotalLevelCount() > 0, "a list without a level was taken");
        Check(levels.GetTotalLevelCount() <= bytes.size(), "more levels than the file could describe");
        std::vector<std::string> resources;
        for (Halvard::u32 stage = 0; stage < levels.GetStageCount(); ++stage)
            for (Halvard::u32 level = 0; level < levels.GetLevelCount(stage); ++level) {
                const GameFramework::LevelReference reference{stage, level};
                const Tamrisk::LevelRecord* record = levels.GetGameLevel(reference);
                Check(record != nullptr, "a level of the list has no record");
                Check(record->aceTime <= static_cast<Halvard::u32>(Tamrisk::LevelManager::kMostAceTime),
                      "an ace time beyond the bound was taken");
                levels.GetLevelResources(reference, resources);
                levels.GetNextLevel(reference);
                levels.GetPreviousLevel(reference);
                Tamrisk::LevelManager::MakeGeometryFileName(reference);
            }
    });
}
