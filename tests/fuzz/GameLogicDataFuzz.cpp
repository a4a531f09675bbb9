// A block kind's description, as the game reads the block database when a
// level starts, in place of the simple brick's: refused, or blocks whose
// animations play on however far time jumps.
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/LevelDataRead.h"

#include <cstdint>

TAMRISK_FUZZ_TARGET(GameLogicData)
{
    Fuzzing::ReadLevelData(bytes, "data\\game_objects\\blocks\\brick_simple.xml",
                           [&](Fuzzing::EngineBed& bed, const Tamrisk::GameLogicData& data) {
                               Fuzzing::CheckBlockRecords(bed, data, SIZE_MAX);
                           });
}
