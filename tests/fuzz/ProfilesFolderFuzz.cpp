// A whole profiles folder, as the game reads it at the start: several
// profile files at once (FileBundle.h), so that files of one name meet.
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/ProfilesFolderRead.h"

TAMRISK_FUZZ_TARGET(ProfilesFolder)
{
    Fuzzing::ReadProfilesFolder(Fuzzing::SplitBundle(bytes, ".prf"));
}
