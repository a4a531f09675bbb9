#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/level/LevelSource.h"
#include "tools/data_builder/generators/SourceXml.h"

#include <set>
#include <stdexcept>

namespace Tools {

namespace {

// "SS_LL" of every level the list holds, stages and levels counted from 0
// as the game names their geometry files.
std::set<std::string> ListedLevels(const DataSet& set)
{
    const std::vector<std::uint32_t> counts = LevelsPerStage(set, "no level can be named");
    std::set<std::string> levels;
    for (std::size_t stage = 0; stage < counts.size(); ++stage) {
        for (std::size_t level = 0; level < counts[stage]; ++level)
            levels.insert(TwoDigits(stage) + "_" + TwoDigits(level));
    }
    return levels;
}

// The stem of a source file, or "" for a file that is not a level source.
std::string LevelOf(const std::string& path)
{
    const std::string folder = kLevelSourcesFolder;
    if (path.rfind(folder, 0) != 0 || path.size() < folder.size() + 4 || path.compare(path.size() - 4, 4, ".xml") != 0)
        return "";
    return path.substr(folder.size(), path.size() - folder.size() - 4);
}

} // namespace

std::vector<std::uint32_t> LevelsPerStage(const DataSet& set, const std::string& lost)
{
    if (!set.Contains(kLevelList))
        throw std::runtime_error(std::string(kLevelList) + " is missing: " + lost);
    const XmlElement root = ParseSourceXml(set.Get(kLevelList), kLevelList);
    std::vector<std::uint32_t> counts;
    for (const XmlElement& stage : root.children) {
        if (stage.name != "stage")
            continue;
        std::uint32_t levels = 0;
        for (const XmlElement& level : stage.children)
            levels += level.name == "level" ? 1 : 0;
        counts.push_back(levels);
    }
    return counts;
}

void GenerateLevelGeometry(DataSet& set)
{
    const std::set<std::string> listed = ListedLevels(set);
    const std::vector<BlockKind> kinds = ReadBlockKinds(set);
    std::set<std::string> made;
    for (const auto& [path, bytes] : set.GetSources()) {
        const std::string level = LevelOf(path);
        if (level.empty())
            continue;
        if (listed.count(level) == 0)
            throw std::runtime_error("Level source " + path + ": " + kLevelList + " lists no level " + level);
        const LevelGeometry geometry = AssembleLevel(path, ParseLevelSource(path, bytes), kinds, set);
        set.Add(kLevelGeometryFolder + level + ".tkg", BuildLevelGeometryFile(geometry));
        made.insert(level);
    }
    for (const std::string& level : listed) {
        if (made.count(level) == 0)
            throw std::runtime_error(std::string(kLevelList) + " lists the level " + level + ", but " +
                                     kLevelSourcesFolder + level + ".xml does not exist");
    }
}

} // namespace Tools
