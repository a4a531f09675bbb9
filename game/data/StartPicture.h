#pragma once

#include "engine/core/Types.h"

#include <string>

namespace Halvard {
class FileManager;
}

namespace Tamrisk {

// The pictures the start shows by name, outside any resource list: the
// logos and the cursor. Each is held to what a 1024 x 1024 picture of 32
// bits takes once decoded (the largest shipped, the big logo, takes 3 MiB),
// counted from its header before any of them is decoded, so that the eight
// of them take 32 MiB at most.
class StartPicture {
public:
    static constexpr Halvard::u64 kMostBytes = 4 * 1024 * 1024;

    // The pictures are paths below the data folder, an empty opacity name
    // none. Throws FileError naming the first that takes more; a picture
    // that is not there costs nothing.
    static void Check(Halvard::FileManager* files, const std::string& diffuse, const std::string& opacity);
};

} // namespace Tamrisk
