// A player's profile file, as the game reads it: one file of the profiles
// folder, loaded by the profile manager at the start.
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/ProfilesFolderRead.h"

TAMRISK_FUZZ_TARGET(Profile)
{
    Fuzzing::ReadProfilesFolder({{"player.prf", std::string(bytes)}});
}
