#pragma once

#include <filesystem>
#include <string>

namespace Testing {

// A fresh folder under the system's temporary folder (the memory-backed
// /dev/shm unless TMPDIR names one), removed with everything in it when the
// object goes. Unique per object, so tests may run in parallel.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();

    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The folder in the system's own form: backslashes, absolute.
    std::string Internal() const;
    // A path below the folder, given in the system's own form, as native.
    std::filesystem::path Native(const std::string& relative) const;

    void WriteFile(const std::string& relative, const std::string& contents) const;
    std::string ReadFile(const std::string& relative) const;

private:
    std::filesystem::path path_;
};

} // namespace Testing
