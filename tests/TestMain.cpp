#include <cstdlib>

#include <gmock/gmock.h>

// The suites run headless however they are started (ctest, by hand, under a
// debugger): SDL's offscreen video and OpenAL Soft's null output unless the
// caller chose others.
int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
