// A resource list, as the game's data keepers read theirs: a list beside the
// shipped game objects' list, so that the names it gives resolve to shipped
// models, shaders and pictures. A list that cannot be used is refused,
// naming it.
#include "game_tools/DataKeeper.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

TAMRISK_FUZZ_TARGET(DataKeeper)
{
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    const std::string path = "data\\game_objects\\fuzz_resources.xml";
    bed.Put(path, bytes);
    GameTools::DataKeeper keeper(&bed.Get(), "en", false);
    Fuzzing::AcceptedNaming("fuzz_resources.xml", [&] {
        keeper.AddResourcesFile(path, false);
        keeper.Load();
    });
}
