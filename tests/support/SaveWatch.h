#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace Testing {

// Sees every file that a save puts in place in the watched folders: the
// saves write a file beside their target and rename it over the target, so
// each rename into a folder is one save reaching the disk. A program killed
// at any moment leaves what the saves seen so far left. The folders must
// exist. Linux only (inotify).
class SaveWatch {
public:
    explicit SaveWatch(const std::vector<std::filesystem::path>& folders);
    ~SaveWatch();

    SaveWatch(const SaveWatch&) = delete;
    SaveWatch& operator=(const SaveWatch&) = delete;

    // The names of the files put in place since the last call, in the order
    // the saves did it.
    std::vector<std::string> Take();

private:
    int descriptor_ = -1;
};

} // namespace Testing
