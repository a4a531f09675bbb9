// A level's geometry file, as the game reads it when the level starts, in
// place of the first level's: refused, or blocks no more than the file
// describes, their stacks within the level.
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/LevelDataRead.h"

TAMRISK_FUZZ_TARGET(LevelGeometryReader)
{
    Fuzzing::ReadLevelData(bytes, "",
                           [&](Fuzzing::EngineBed& bed, const Tamrisk::GameLogicData& data) {
                               Fuzzing::CheckBlockRecords(bed, data, bytes.size());
                           });
}
