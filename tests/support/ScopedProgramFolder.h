#pragma once

#include <filesystem>

namespace Testing {

// Points the program's folder (and so the program's file, the base of
// relative paths and the folder that deletion protects) at a folder of the
// test for the lifetime of the guard.
class ScopedProgramFolder {
public:
    explicit ScopedProgramFolder(const std::filesystem::path& folder);
    ~ScopedProgramFolder();

    ScopedProgramFolder(const ScopedProgramFolder&) = delete;
    ScopedProgramFolder& operator=(const ScopedProgramFolder&) = delete;
};

} // namespace Testing
