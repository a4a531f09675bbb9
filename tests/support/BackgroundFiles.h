#pragma once

#include "tests/support/TempFolder.h"

#include <string>

namespace Testing {

// Resources for background tests, written below a program folder's data
// folder with the tools' writers, and the list that registers them in the
// group "bg" (read it with DataKeeper::AddResourcesFile):
// - "bg/quad": a 2 x 2 square model;
// - "bg/path": a vertex-animated model whose box centre runs from (100, 50)
//   (frame 0) to (300, 50) (frame 1) and back (frame 2) at 1 frame a second;
// - "bg/dots": a particle system of still dots on a point emitter, emitting
//   100 a second;
// - "bg/box_dots": the same on a box emitter of half size (10, 20, 5)
//   centred on (1, 2, 3);
// - "bg/tint": a shader of "bg\dot.tga" with its own alpha.
struct BackgroundFiles {
    static constexpr const char* kList = "data\\bg\\resources.xml";

    static void Write(const TempFolder& folder);
};

} // namespace Testing
