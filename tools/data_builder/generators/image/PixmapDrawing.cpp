#include "tools/data_builder/generators/image/PixmapDrawing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace Tools {

namespace {

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

float SegmentDistance(const Point& p, const Point& a, const Point& b)
{
    const float abX = b[0] - a[0];
    const float abY = b[1] - a[1];
    const float lengthSquared = abX * abX + abY * abY;
    float t = lengthSquared > 0.0f ? ((p[0] - a[0]) * abX + (p[1] - a[1]) * abY) / lengthSquared : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    return Length(p[0] - a[0] - abX * t, p[1] - a[1] - abY * t);
}

// One pass of a box average along rows (or columns), edges repeated.
Pixmap BoxPass(const Pixmap& source, std::uint32_t radius, bool alongRows)
{
    Pixmap result(source.Width(), source.Height());
    const std::int64_t count = alongRows ? source.Width() : source.Height();
    const std::int64_t lines = alongRows ? source.Height() : source.Width();
    const float weight = 1.0f / static_cast<float>(2 * radius + 1);
    for (std::int64_t line = 0; line < lines; ++line) {
        const auto at = [&](std::int64_t i) -> const Color& {
            const auto clamped = static_cast<std::uint32_t>(std::clamp<std::int64_t>(i, 0, count - 1));
            const auto other = static_cast<std::uint32_t>(line);
            return alongRows ? source.At(clamped, other) : source.At(other, clamped);
        };
        for (std::int64_t i = 0; i < count; ++i) {
            Color sum{0.0f, 0.0f, 0.0f, 0.0f};
            for (std::int64_t k = i - radius; k <= i + static_cast<std::int64_t>(radius); ++k) {
                const Color& c = at(k);
                sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b, sum.a + c.a};
            }
            const auto x = static_cast<std::uint32_t>(alongRows ? i : line);
            const auto y = static_cast<std::uint32_t>(alongRows ? line : i);
            result.At(x, y) = {sum.r * weight, sum.g * weight, sum.b * weight, sum.a * weight};
        }
    }
    return result;
}

} // namespace

DrawArea WholeArea(const Pixmap& pixmap)
{
    return {0, 0, pixmap.Width(), pixmap.Height(),
            {static_cast<float>(pixmap.Width()), static_cast<float>(pixmap.Height())}};
}

Shape RoundedBox(const Point& centre, const Point& half, float radius)
{
    return [=](const Point& p) {
        const float qx = std::abs(p[0] - centre[0]) - half[0] + radius;
        const float qy = std::abs(p[1] - centre[1]) - half[1] + radius;
        return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

Shape Circle(const Point& centre, float radius)
{
    return [=](const Point& p) { return Length(p[0] - centre[0], p[1] - centre[1]) - radius; };
}

Shape Segment(const Point& from, const Point& to, float halfWidth)
{
    return [=](const Point& p) { return SegmentDistance(p, from, to) - halfWidth; };
}

// The distance to the nearest edge, negative when a ray to the right
// crosses the edges an odd number of times.
Shape Polygon(const std::vector<Point>& corners)
{
    if (corners.size() < 3)
        throw std::runtime_error("a polygon needs three corners at least");
    return [corners](const Point& p) {
        float nearest = std::numeric_limits<float>::max();
        bool inside = false;
        for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const Point& a = corners[i];
            const Point& b = corners[j];
            nearest = std::min(nearest, SegmentDistance(p, a, b));
            if ((a[1] > p[1]) != (b[1] > p[1]) && p[0] < (b[0] - a[0]) * (p[1] - a[1]) / (b[1] - a[1]) + a[0])
                inside = !inside;
        }
        return inside ? -nearest : nearest;
    };
}

Shape Outline(Shape shape, float halfWidth)
{
    return [=](const Point& p) { return std::abs(shape(p)) - halfWidth; };
}

Shape Intersection(Shape a, Shape b)
{
    return [=](const Point& p) { return std::max(a(p), b(p)); };
}

Shape Union(Shape a, Shape b)
{
    return [=](const Point& p) { return std::min(a(p), b(p)); };
}

Shape Moved(Shape shape, const Point& offset)
{
    return [=](const Point& p) { return shape({p[0] - offset[0], p[1] - offset[1]}); };
}

Paint Solid(const Color& color)
{
    return [=](const Point&) { return color; };
}

Paint VerticalBlend(const Color& bottom, const Color& top, float height)
{
    return [=](const Point& p) { return Lerp(bottom, top, std::clamp(p[1] / height, 0.0f, 1.0f)); };
}

void Blend(Color& pixel, const Color& color, float weight)
{
    const float added = std::clamp(color.a * weight, 0.0f, 1.0f);
    const float kept = pixel.a * (1.0f - added);
    const float alpha = added + kept;
    if (alpha <= 0.0f) {
        pixel = {color.r, color.g, color.b, 0.0f};
        return;
    }
    pixel.r = (color.r * added + pixel.r * kept) / alpha;
    pixel.g = (color.g * added + pixel.g * kept) / alpha;
    pixel.b = (color.b * added + pixel.b * kept) / alpha;
    pixel.a = alpha;
}

void Fill(Pixmap& pixmap, const DrawArea& area, const Shape& shape, const Paint& paint)
{
    if (area.width == 0 || area.height == 0 || area.x + area.width > pixmap.Width() ||
        area.y + area.height > pixmap.Height())
        throw std::runtime_error("a drawing area outside its picture");
    const float unitX = area.units[0] / static_cast<float>(area.width);
    const float unitY = area.units[1] / static_cast<float>(area.height);
    // One pixel of fade, measured along the wider unit.
    const float pixel = std::max(unitX, unitY);
    for (std::uint32_t y = 0; y < area.height; ++y) {
        for (std::uint32_t x = 0; x < area.width; ++x) {
            const Point p{(static_cast<float>(x) + 0.5f) * unitX, (static_cast<float>(y) + 0.5f) * unitY};
            const float cover = std::clamp(0.5f - shape(p) / pixel, 0.0f, 1.0f);
            if (cover > 0.0f)
                Blend(pixmap.At(area.x + x, area.y + y), paint(p), cover);
        }
    }
}

Pixmap Blurred(const Pixmap& pixmap, std::uint32_t radius)
{
    Pixmap result = pixmap;
    for (int pass = 0; pass < 2; ++pass)
        result = BoxPass(BoxPass(result, radius, true), radius, false);
    return result;
}

} // namespace Tools
