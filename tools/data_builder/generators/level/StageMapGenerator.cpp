#include "tools/data_builder/generators/level/StageMapGenerator.h"

#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/level/LevelSource.h"
#include "tools/data_builder/generators/image/PixmapFiles.h"
#include "tools/data_builder/generators/SourceXml.h"
#include "tools/data_builder/generators/image/StageMapPicture.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

namespace Tools {

namespace {

// The way's horizontal extent and its middle line; it swings up and down
// about that line, a full wave every four points.
constexpr float kLeft = 130.0f;
constexpr float kRight = 670.0f;
constexpr float kMiddle = 310.0f;
constexpr float kSwing = 70.0f;
constexpr float kQuarterTurn = 1.5707963f;

enum Kind : std::uint32_t { kStart = 0, kFinish = 1, kCheckPoint = 2, kPathDot = 3 };

std::uint32_t KindOf(std::size_t index, std::size_t count, bool firstOfStage)
{
    if (index == 0)
        return kStart;
    if (index + 1 == count)
        return kFinish;
    return firstOfStage ? kCheckPoint : kPathDot;
}

StageMapElement Place(std::uint32_t kind, float x, float y)
{
    const float size = kind == kPathDot ? kStageMapDotSize : kStageMapMarkSize;
    StageMapElement element;
    element.kind = kind;
    element.placement[0] = size;
    element.placement[5] = size;
    element.placement[3] = x - size / 2.0f;
    element.placement[7] = y - size / 2.0f;
    return element;
}

// Each stage's environment, in the order of the level list.
std::vector<std::string> StageEnvironments(const DataSet& set)
{
    const XmlElement root = ParseSourceXml(set.Get(kLevelList), kLevelList);
    std::vector<std::string> environments;
    for (const XmlElement& stage : root.children) {
        if (stage.name != "stage")
            continue;
        const std::string* environment = stage.Find("environment");
        environments.push_back(environment != nullptr ? *environment : std::string());
    }
    return environments;
}

} // namespace

std::vector<StageMapElement> LayOutStageMap(const std::vector<std::uint32_t>& levelsPerStage)
{
    std::size_t count = 0;
    for (std::size_t stage = 0; stage < levelsPerStage.size(); ++stage) {
        if (levelsPerStage[stage] == 0)
            throw std::runtime_error("stage " + std::to_string(stage) + " has no level to put on the map");
        count += levelsPerStage[stage];
    }
    std::vector<StageMapElement> elements;
    elements.reserve(count);
    for (const std::uint32_t levels : levelsPerStage) {
        for (std::uint32_t level = 0; level < levels; ++level) {
            const std::size_t index = elements.size();
            const float t = count > 1 ? static_cast<float>(index) / static_cast<float>(count - 1) : 0.5f;
            const float x = kLeft + (kRight - kLeft) * t;
            const float y = kMiddle + kSwing * std::sin(static_cast<float>(index) * kQuarterTurn);
            elements.push_back(Place(KindOf(index, count, level == 0), x, y));
        }
    }
    return elements;
}

StageMap MakeStageMap(const DataSet& set)
{
    const std::vector<std::uint32_t> levels = LevelsPerStage(set, "the stage map has no levels to show");
    std::vector<StageMapElement> points = LayOutStageMap(levels);
    StageMapPainting painting = PaintStageMap(points, StageEnvironments(set), levels);
    return {std::move(points), std::move(painting)};
}

void GenerateStageMap(DataSet& set)
{
    const StageMap map = MakeStageMap(set);
    set.Add(kStageMapPath, BuildStageMapFile(map.points));
    set.Add(kStageMapPicturePath, PixmapToTga(map.painting.picture, Pixmap::Alpha::With));
}

} // namespace Tools
