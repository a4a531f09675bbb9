#pragma once

#include <cstdint>

namespace Testing {

// GL calls made by this process, counted by the program's own definitions of
// the GL entry points the platform uses, which stand in front of the GL
// library's and pass every call on. Only programs that link this library
// count; the game itself never does. Main thread only, as GL is.
struct GLCallCount {
    uint64_t calls = 0;
    uint64_t draws = 0;
};

GLCallCount CountedGLCalls();

// Waits until GL has finished everything asked of it, so that a frame's time
// includes its drawing.
void FinishGL();

} // namespace Testing
