// A stage's environment description, as a level's scene reads it over the
// level's data (the first shipped level's, so that its names resolve):
// refused naming the file, or no more models than the file describes, each
// playing on however far time jumps.
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "game/LevelManager.h"
#include "game/data/GameLogicData.h"
#include "game/level/Environment.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/LevelDataRead.h"

#include <memory>

namespace {

// Loaded once: the scenery only reads the level's templates.
Tamrisk::GameLogicData& LevelData(Fuzzing::EngineBed& bed)
{
    static const Tamrisk::LevelManager levels(&bed.Get());
    static const std::unique_ptr<Tamrisk::GameLogicData> data = [&] {
        auto made = Fuzzing::MakeFirstLevelData(bed, levels);
        made->Load();
        return made;
    }();
    return *data;
}

} // namespace

TAMRISK_FUZZ_TARGET(Environment)
{
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    Tamrisk::GameLogicData& data = LevelData(bed);
    bed.Put("data\\environment\\fuzz_scenery.xml", bytes);
    Fuzzing::Accepted([&] {
        const Tamrisk::Environment environment(&bed.Get(), &data, "fuzz_scenery");
        Fuzzing::Check(environment.GetModels().size() <= bytes.size(), "more models than the file could describe");
        for (Halvard::Model* model : environment.GetModels()) {
            model->GetAnimationControl().time = 1e30f;
            model->Update(false);
        }
    });
}
