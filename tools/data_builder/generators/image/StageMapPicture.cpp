#include "tools/data_builder/generators/image/StageMapPicture.h"

#include "tools/data_builder/generators/image/PixmapDrawing.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace Tools {

namespace {

// A column per pixel of a 1024 x 768 screen, so that the names stay sharp;
// the power of two below its rows, which keeps the data set small (the
// names are lettered for that stretch).
constexpr std::uint32_t kWidth = 1024;
constexpr std::uint32_t kHeight = 512;
constexpr Point kUnits{800.0f, 600.0f};
// How far a stage's land reaches round its points and its way.
constexpr float kRegionReach = 58.0f;
constexpr float kWayBorder = 2.0f;
// A stone on the way marks each point, small enough for every point's
// picture to hide it.
constexpr float kStoneRadius = 7.5f;
constexpr Color kWayEdge{0.20f, 0.14f, 0.06f, 1.0f};
constexpr Color kWaySand{0.90f, 0.78f, 0.50f, 1.0f};
// What a tree or a tower covers round the spot it stands on.
constexpr Point kDecorationBelow{9.0f, 15.0f};
constexpr Point kDecorationAbove{9.0f, 19.0f};

struct Land {
    Color low;
    Color high;
    Color rim;
};

Land LandOf(const std::string& environment)
{
    if (environment == "grove")
        return {{0.10f, 0.30f, 0.10f, 0.85f}, {0.24f, 0.50f, 0.18f, 0.85f}, {0.55f, 0.80f, 0.35f, 0.9f}};
    if (environment == "citadel")
        return {{0.22f, 0.22f, 0.30f, 0.85f}, {0.40f, 0.40f, 0.50f, 0.85f}, {0.78f, 0.76f, 0.86f, 0.9f}};
    return {{0.35f, 0.28f, 0.16f, 0.85f}, {0.55f, 0.45f, 0.26f, 0.85f}, {0.85f, 0.75f, 0.50f, 0.9f}};
}

// The land round points [first, last] and the way between them.
Shape Region(const std::vector<Point>& centres, std::size_t first, std::size_t last)
{
    Shape region = Circle(centres[first], kRegionReach);
    for (std::size_t i = first + 1; i <= last; ++i)
        region = Union(region, Segment(centres[i - 1], centres[i], kRegionReach));
    return region;
}

void Tree(Pixmap& picture, const DrawArea& area, const Point& at)
{
    Fill(picture, area, Segment({at[0], at[1] - 12.0f}, {at[0], at[1] - 4.0f}, 1.6f),
         Solid({0.35f, 0.22f, 0.10f, 1.0f}));
    Fill(picture, area, Circle(at, 8.0f), Solid({0.06f, 0.24f, 0.08f, 1.0f}));
    Fill(picture, area, Circle({at[0] - 2.0f, at[1] + 2.0f}, 4.0f), Solid({0.20f, 0.45f, 0.16f, 1.0f}));
}

void Tower(Pixmap& picture, const DrawArea& area, const Point& at)
{
    const Color stone{0.62f, 0.60f, 0.68f, 1.0f};
    Fill(picture, area, RoundedBox({at[0], at[1]}, {7.0f, 14.0f}, 0.5f), Solid(stone));
    for (const float dx : {-5.0f, 0.0f, 5.0f})
        Fill(picture, area, RoundedBox({at[0] + dx, at[1] + 16.0f}, {1.6f, 2.5f}, 0.3f), Solid(stone));
    Fill(picture, area, RoundedBox({at[0], at[1] + 4.0f}, {1.5f, 3.0f}, 1.0f), Solid({0.10f, 0.10f, 0.14f, 1.0f}));
}

bool UnderALabel(const Point& at, const std::vector<StageMapLabel>& labels)
{
    const UnitBox box{{at[0] - kDecorationBelow[0], at[1] - kDecorationBelow[1]},
                      {at[0] + kDecorationAbove[0], at[1] + kDecorationAbove[1]}};
    return std::any_of(labels.begin(), labels.end(),
                       [&](const StageMapLabel& label) { return Near(box, label.box, 0.0f); });
}

// Beside each of a stage's points, off the way: trees in a grove, towers in
// a citadel; none where a name lies.
void Decorate(Pixmap& picture, const DrawArea& area, const std::string& environment,
              std::span<const Point> centres, const std::vector<StageMapLabel>& labels)
{
    for (const Point& centre : centres) {
        for (const float side : {-1.0f, 1.0f}) {
            const Point at{centre[0] + 22.0f * side, centre[1] + 38.0f * side};
            if (UnderALabel(at, labels))
                continue;
            if (environment == "grove")
                Tree(picture, area, at);
            else if (environment == "citadel")
                Tower(picture, area, at);
        }
    }
}

void PaintLands(Pixmap& picture, const DrawArea& area, const std::vector<Point>& centres,
                const std::vector<std::string>& environments, const std::vector<std::uint32_t>& levelsPerStage,
                const std::vector<StageMapLabel>& labels)
{
    std::size_t first = 0;
    for (std::size_t stage = 0; stage < levelsPerStage.size() && first < centres.size(); ++stage) {
        const std::size_t last = std::min(first + levelsPerStage[stage], centres.size()) - 1;
        const std::string environment = stage < environments.size() ? environments[stage] : "";
        const Land land = LandOf(environment);
        const Shape region = Region(centres, first, last);
        Fill(picture, area, region, VerticalBlend(land.low, land.high, kUnits[1]));
        Fill(picture, area, Outline(region, 1.5f), Solid(land.rim));
        Decorate(picture, area, environment, std::span(centres).subspan(first, last - first + 1), labels);
        first = last + 1;
    }
}

void PaintWay(Pixmap& picture, const DrawArea& area, const std::vector<Point>& centres)
{
    const float sand = kStageMapWayHalfWidth - kWayBorder;
    for (std::size_t i = 1; i < centres.size(); ++i) {
        Fill(picture, area, Segment(centres[i - 1], centres[i], kStageMapWayHalfWidth), Solid(kWayEdge));
        Fill(picture, area, Segment(centres[i - 1], centres[i], sand), Solid(kWaySand));
    }
    for (const Point& centre : centres) {
        Fill(picture, area, Circle(centre, kStoneRadius), Solid(kWayEdge));
        Fill(picture, area, Circle(centre, kStoneRadius - kWayBorder), Solid(kWaySand));
    }
}

} // namespace

Point StageMapCentre(const StageMapElement& point)
{
    return {point.placement[3] + point.placement[0] / 2.0f, point.placement[7] + point.placement[5] / 2.0f};
}

StageMapPainting PaintStageMap(const std::vector<StageMapElement>& points, const std::vector<std::string>& environments,
                               const std::vector<std::uint32_t>& levelsPerStage)
{
    StageMapPainting painting{Pixmap(kWidth, kHeight, Color{0.0f, 0.0f, 0.0f, 0.0f}), {}};
    const DrawArea area{0, 0, kWidth, kHeight, kUnits};
    std::vector<Point> centres;
    for (const StageMapElement& point : points)
        centres.push_back(StageMapCentre(point));
    painting.labels = LayOutStageMapLabels(points, area);
    PaintLands(painting.picture, area, centres, environments, levelsPerStage, painting.labels);
    PaintWay(painting.picture, area, centres);
    PaintStageMapLabels(painting.picture, area, painting.labels);
    return painting;
}

} // namespace Tools
