// A stage's lighting file, as a level's scene reads it: refused naming the
// file, or lights no more than the file describes, in finite numbers.
#include "game/level/Lighting.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

#include <cmath>

TAMRISK_FUZZ_TARGET(Lighting)
{
    using Fuzzing::Check;
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    bed.Put("data\\environment\\lighting\\fuzz_lighting.ini", bytes);
    Fuzzing::AcceptedNaming("fuzz_lighting.ini", [&] {
        const Tamrisk::Lighting lighting(&bed.Get(), "fuzz_lighting.ini");
        Check(lighting.GetLights().size() <= bytes.size(), "more lights than the file could describe");
        const Halvard::Vector2& shadow = lighting.GetShadowDirection();
        Check(std::isfinite(shadow.x) && std::isfinite(shadow.y), "shadows fall nowhere");
    });
}
