#include "tools/data_builder/generators/image/StageMapLabels.h"

#include "tools/data_builder/generators/image/Lettering.h"
#include "tools/data_builder/generators/image/StageMapPicture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace Tools {

namespace {

constexpr std::uint32_t kCheckPoint = 2;
// The game's shadow of a point, right and down of it.
constexpr Point kShadowOffset{2.0f, -2.0f};
// The em of the names, in units: on a 1024 x 768 screen their digits stand
// about 15 pixels high.
constexpr float kNameEm = 16.4f;
// Room round the ink on the plate, and the plate's rim.
constexpr Point kPadding{4.0f, 3.0f};
constexpr float kPlateCorner = 4.0f;
constexpr float kRimHalfWidth = 0.8f;
// What a label keeps from everything else.
constexpr float kGap = 3.0f;
// A label moves out from its point in steps until it fits.
constexpr float kStep = 3.0f;
constexpr int kSteps = 16;
// Between the tops of the start game window's buttons and the foot of its
// title banner.
constexpr UnitBox kNameArea{{0.0f, 92.0f}, {800.0f, 514.0f}};
// Above, below, right, left, then the corners.
constexpr std::array<Point, 8> kSides = {{{0.0f, 1.0f},
                                          {0.0f, -1.0f},
                                          {1.0f, 0.0f},
                                          {-1.0f, 0.0f},
                                          {1.0f, 1.0f},
                                          {-1.0f, 1.0f},
                                          {1.0f, -1.0f},
                                          {-1.0f, -1.0f}}};

constexpr Color kPlate{0.06f, 0.04f, 0.12f, 0.82f};
constexpr Color kRim{0.93f, 0.74f, 0.36f, 0.9f};
constexpr Color kInk{1.0f, 0.95f, 0.78f, 1.0f};

// Columns [x0, x1) and rows [y0, y1) of the lettering that hold ink.
struct InkBounds {
    std::uint32_t x0 = 0;
    std::uint32_t y0 = 0;
    std::uint32_t x1 = 0;
    std::uint32_t y1 = 0;
};

InkBounds InkOf(const Pixmap& letters)
{
    InkBounds ink{letters.Width(), letters.Height(), 0, 0};
    for (std::uint32_t y = 0; y < letters.Height(); ++y) {
        for (std::uint32_t x = 0; x < letters.Width(); ++x) {
            if (letters.At(x, y).a <= 0.0f)
                continue;
            ink = {std::min(ink.x0, x), std::min(ink.y0, y), std::max(ink.x1, x + 1), std::max(ink.y1, y + 1)};
        }
    }
    return ink;
}

Point PixelsPerUnit(const DrawArea& area)
{
    return {static_cast<float>(area.width) / area.units[0], static_cast<float>(area.height) / area.units[1]};
}

Pixmap NameLettering(const std::string& name, const DrawArea& area)
{
    const Point perUnit = PixelsPerUnit(area);
    return Lettering(name, EmPixels{static_cast<std::uint32_t>(std::lround(kNameEm * perUnit[0])),
                                    static_cast<std::uint32_t>(std::lround(kNameEm * perUnit[1]))});
}

// Half the label's box: the ink, the padding and the rim.
Point HalfSize(const Pixmap& letters, const DrawArea& area)
{
    const InkBounds ink = InkOf(letters);
    const Point perUnit = PixelsPerUnit(area);
    return {static_cast<float>(ink.x1 - ink.x0) / perUnit[0] / 2.0f + kPadding[0] + kRimHalfWidth,
            static_cast<float>(ink.y1 - ink.y0) / perUnit[1] / 2.0f + kPadding[1] + kRimHalfWidth};
}

Point Centre(const UnitBox& box) { return {(box.low[0] + box.high[0]) / 2.0f, (box.low[1] + box.high[1]) / 2.0f}; }

UnitBox BoxAround(const Point& centre, const Point& half)
{
    return {{centre[0] - half[0], centre[1] - half[1]}, {centre[0] + half[0], centre[1] + half[1]}};
}

float PointToBox(const Point& p, const UnitBox& box)
{
    const float dx = std::max({box.low[0] - p[0], 0.0f, p[0] - box.high[0]});
    const float dy = std::max({box.low[1] - p[1], 0.0f, p[1] - box.high[1]});
    return std::hypot(dx, dy);
}

float PointToSegment(const Point& p, const Point& a, const Point& b)
{
    return Segment(a, b, 0.0f)(p);
}

// Whether the segment passes through the box, by clipping it to each slab.
bool Crosses(const Point& a, const Point& b, const UnitBox& box)
{
    float enter = 0.0f;
    float leave = 1.0f;
    for (int axis = 0; axis < 2; ++axis) {
        const float along = b[axis] - a[axis];
        if (std::abs(along) < 1e-6f) {
            if (a[axis] < box.low[axis] || a[axis] > box.high[axis])
                return false;
            continue;
        }
        const float t0 = (box.low[axis] - a[axis]) / along;
        const float t1 = (box.high[axis] - a[axis]) / along;
        enter = std::max(enter, std::min(t0, t1));
        leave = std::min(leave, std::max(t0, t1));
    }
    return enter <= leave;
}

float SegmentToBox(const Point& a, const Point& b, const UnitBox& box)
{
    if (Crosses(a, b, box))
        return 0.0f;
    float nearest = std::min(PointToBox(a, box), PointToBox(b, box));
    for (const Point& corner : {box.low, box.high, Point{box.low[0], box.high[1]}, Point{box.high[0], box.low[1]}})
        nearest = std::min(nearest, PointToSegment(corner, a, b));
    return nearest;
}

bool Inside(const UnitBox& box, const UnitBox& area)
{
    return box.low[0] >= area.low[0] && box.low[1] >= area.low[1] && box.high[0] <= area.high[0] &&
           box.high[1] <= area.high[1];
}

// The map a label must fit: the points' pictures and the way through their
// centres.
struct MapLayout {
    std::vector<UnitBox> points;
    std::vector<Point> centres;
};

bool Fits(const UnitBox& box, std::size_t own, const MapLayout& map, const std::vector<StageMapLabel>& placed)
{
    if (!Inside(box, kNameArea))
        return false;
    const float ownDistance = PointToBox(map.centres[own], box);
    for (std::size_t i = 0; i < map.points.size(); ++i) {
        if (Near(box, map.points[i], kGap) || (i != own && PointToBox(map.centres[i], box) <= ownDistance))
            return false;
    }
    for (std::size_t i = 1; i < map.centres.size(); ++i) {
        if (SegmentToBox(map.centres[i - 1], map.centres[i], box) < kStageMapWayHalfWidth + kGap)
            return false;
    }
    return std::none_of(placed.begin(), placed.end(),
                        [&](const StageMapLabel& label) { return Near(box, label.box, kGap); });
}

// The label's centre on a side of the point's picture, the distance from it.
Point Beside(const UnitBox& point, const Point& side, const Point& half, float distance)
{
    const auto along = [&](int axis) {
        if (side[axis] > 0.0f)
            return point.high[axis] + distance + half[axis];
        if (side[axis] < 0.0f)
            return point.low[axis] - distance - half[axis];
        return Centre(point)[axis];
    };
    return {along(0), along(1)};
}

UnitBox Place(std::size_t own, const Point& half, const MapLayout& map, const std::vector<StageMapLabel>& placed,
              const std::string& name)
{
    for (int step = 0; step < kSteps; ++step) {
        for (const Point& side : kSides) {
            const UnitBox box = BoxAround(Beside(map.points[own], side, half, kGap + kStep * step), half);
            if (Fits(box, own, map, placed))
                return box;
        }
    }
    throw std::runtime_error("the name of level " + name + " fits nowhere beside its point on the stage map");
}

void PaintLabel(Pixmap& picture, const DrawArea& area, const StageMapLabel& label)
{
    const Point centre = Centre(label.box);
    const Point half{(label.box.high[0] - label.box.low[0]) / 2.0f - kRimHalfWidth,
                     (label.box.high[1] - label.box.low[1]) / 2.0f - kRimHalfWidth};
    const Shape plate = RoundedBox(centre, half, kPlateCorner);
    Fill(picture, area, plate, Solid(kPlate));
    Fill(picture, area, Outline(plate, kRimHalfWidth), Solid(kRim));
    const Pixmap& letters = label.letters;
    const InkBounds ink = InkOf(letters);
    const Point perUnit = PixelsPerUnit(area);
    // Whole pixels keep the hinted strokes sharp.
    const auto corner = [&](int axis, std::uint32_t origin, std::uint32_t inkLow, std::uint32_t inkHigh) {
        const float at = centre[axis] * perUnit[axis] - static_cast<float>(inkLow + inkHigh) / 2.0f;
        return static_cast<std::uint32_t>(std::max(0L, std::lround(at))) + origin;
    };
    Stamp(picture, letters, corner(0, area.x, ink.x0, ink.x1), corner(1, area.y, ink.y0, ink.y1), Solid(kInk));
}

// Each point's level as the player counts it, numbered as the game numbers
// the map file's points.
std::vector<std::string> LevelNames(const std::vector<StageMapElement>& points)
{
    std::vector<std::string> names;
    std::uint32_t stage = 0;
    std::uint32_t level = 0;
    for (const StageMapElement& point : points) {
        if (point.kind == kCheckPoint) {
            ++stage;
            level = 0;
        }
        names.push_back(std::to_string(stage + 1) + "-" + std::to_string(level + 1));
        ++level;
    }
    return names;
}

// Where the game draws a point's picture: its placed square and its shadow.
UnitBox PointBox(const StageMapElement& point)
{
    const float left = point.placement[3];
    const float bottom = point.placement[7];
    const float right = left + point.placement[0];
    const float top = bottom + point.placement[5];
    return {{left + std::min(kShadowOffset[0], 0.0f), bottom + std::min(kShadowOffset[1], 0.0f)},
            {right + std::max(kShadowOffset[0], 0.0f), top + std::max(kShadowOffset[1], 0.0f)}};
}

} // namespace

std::vector<StageMapLabel> LayOutStageMapLabels(const std::vector<StageMapElement>& points, const DrawArea& area)
{
    MapLayout map;
    for (const StageMapElement& point : points) {
        map.points.push_back(PointBox(point));
        map.centres.push_back(StageMapCentre(point));
    }
    std::vector<StageMapLabel> labels;
    const std::vector<std::string> names = LevelNames(points);
    for (std::size_t i = 0; i < names.size(); ++i) {
        Pixmap letters = NameLettering(names[i], area);
        const UnitBox box = Place(i, HalfSize(letters, area), map, labels, names[i]);
        labels.push_back({names[i], box, std::move(letters)});
    }
    return labels;
}

void PaintStageMapLabels(Pixmap& picture, const DrawArea& area, const std::vector<StageMapLabel>& labels)
{
    for (const StageMapLabel& label : labels)
        PaintLabel(picture, area, label);
}

bool Near(const UnitBox& a, const UnitBox& b, float gap)
{
    return a.low[0] < b.high[0] + gap && b.low[0] < a.high[0] + gap && a.low[1] < b.high[1] + gap &&
           b.low[1] < a.high[1] + gap;
}

} // namespace Tools
