// A field file, as a level's scene reads it: refused naming the file, or
// walls no more than the file describes, enclosed in finite bounds.
#include "engine/core/BoundingBox.h"
#include "game/level/GameField.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

#include <cmath>

TAMRISK_FUZZ_TARGET(GameField)
{
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    bed.Put("data\\environment\\fuzz_field.tkf", bytes);
    Fuzzing::AcceptedNaming("fuzz_field.tkf", [&] {
        const Tamrisk::GameField field(&bed.Get(), "fuzz_field.tkf");
        Fuzzing::Check(field.GetWalls().size() <= bytes.size(), "more walls than the file could describe");
    });
}
