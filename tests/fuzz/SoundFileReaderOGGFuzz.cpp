// A ogg sound, as the game plays its sounds and music (SoundFileRead.h).
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/SoundFileRead.h"

TAMRISK_FUZZ_TARGET(SoundFileReaderOGG) { Fuzzing::ReadSound(bytes, "ogg"); }
