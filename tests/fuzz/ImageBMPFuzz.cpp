// A bmp picture, as the game reads its textures (TextureRead.h).
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/TextureRead.h"

TAMRISK_FUZZ_TARGET(ImageBMP) { Fuzzing::ReadTexture(bytes, "bmp"); }
