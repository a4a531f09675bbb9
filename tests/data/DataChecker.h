#pragma once

#include "engine/app/Engine.h"

#include <filesystem>
#include <string>
#include <vector>

namespace Testing {

// Checks shipped data the way the engine reads it, through the engine's own
// readers of each kind, taking the ones that report failure rather than
// substitute a default. Every check answers the problems it found, each
// naming the file; an empty answer means the file is sound.
class DataChecker {
public:
    explicit DataChecker(Halvard::Engine& engine);

    // One file, by its path below the program's folder ("data\ui\x.xml"):
    // loaded by the reader its extension names; an extension no check knows
    // is a problem. A resource list (an XML file whose root is "resources")
    // is also walked for the files it names. Level geometry, field and
    // lighting files are checked by LevelDataCheck.
    std::vector<std::string> CheckFile(const std::string& path);

    // Every file a resource list names, loops expanded, exists.
    std::vector<std::string> CheckResourceList(const std::string& path);

    // Every model and particle file has its shader file beside it.
    std::vector<std::string> CheckShaderFiles(const std::vector<std::string>& paths);

    // No Ogg sound has a WAV of its name, which the game would take instead.
    std::vector<std::string> CheckSoundNames(const std::vector<std::string>& paths);

private:
    std::vector<std::string> CheckXml(const std::string& path);
    std::vector<std::string> CheckImage(const std::string& path);
    std::vector<std::string> CheckSound(const std::string& path);
    std::vector<std::string> CheckFont(const std::string& path);
    std::vector<std::string> CheckPack(const std::string& path);
    template <typename Reader>
    std::vector<std::string> CheckReader(const std::string& path, Reader read);

    Halvard::Engine& engine_;
};

// The data paths ("data\...") of a program folder: the loose files below its
// data folder and the entries of the packs there, sorted, each once.
std::vector<std::string> ListDataFiles(const std::filesystem::path& programFolder);

} // namespace Testing
