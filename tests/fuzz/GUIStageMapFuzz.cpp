// The stage map file, as the start game window reads it: refused naming the
// file, or no more points than the file describes.
#include "game/windows/parts/GUIStageMap.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

TAMRISK_FUZZ_TARGET(GUIStageMap)
{
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    bed.Put("data\\ui\\map\\fuzz_map.gmf", bytes);
    Fuzzing::Accepted([&] {
        const Tamrisk::GUIStageMap map(&bed.Get(), "data\\ui\\map\\fuzz_map.gmf");
        Fuzzing::Check(map.GetElements().size() <= bytes.size(), "more points than the file could describe");
    });
}
