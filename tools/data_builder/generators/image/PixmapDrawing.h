#pragma once

#include "tools/data_builder/generators/image/Pixmap.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace Tools {

// Flat shapes painted with smooth edges: each shape is a signed distance
// (negative inside) in the units of the area it is painted in, and a pixel
// is covered by how far its centre lies inside, one pixel of fade across the
// edge. Areas may stretch their units unevenly, so that a picture drawn for
// a 300 x 52 button keeps round corners in a 256 x 64 cell.

using Point = std::array<float, 2>;
using Shape = std::function<float(const Point&)>;

// A rectangle of pixels [x, x + width) x [y, y + height) (row 0 the bottom)
// that spans units: its lower left corner is (0, 0), its upper right
// (units[0], units[1]).
struct DrawArea {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    Point units{1.0f, 1.0f};
};

// The whole picture, one unit per pixel.
DrawArea WholeArea(const Pixmap& pixmap);

// A box centred on the point, of the half sizes, corners rounded by radius.
Shape RoundedBox(const Point& centre, const Point& half, float radius);
Shape Circle(const Point& centre, float radius);
// A stroke of the half width between two points, round at its ends.
Shape Segment(const Point& from, const Point& to, float halfWidth);
// Any simple polygon, its corners in order either way round.
Shape Polygon(const std::vector<Point>& corners);
// The shape's edge as a band of the half width.
Shape Outline(Shape shape, float halfWidth);
// Inside both, inside either; the shape moved by the offset.
Shape Intersection(Shape a, Shape b);
Shape Union(Shape a, Shape b);
Shape Moved(Shape shape, const Point& offset);

// The colour of a point of the area, in its units.
using Paint = std::function<Color(const Point&)>;
Paint Solid(const Color& color);
// From the colour at the bottom of the area to the one at its top.
Paint VerticalBlend(const Color& bottom, const Color& top, float height);

// Lays the paint over the picture where the shape covers it ("over": the
// paint's alpha times the cover weighs the new colour against the old).
void Fill(Pixmap& pixmap, const DrawArea& area, const Shape& shape, const Paint& paint);

// Lays colour over the pixel with the weight (0 to 1) of its alpha; a
// pixel without alpha takes the colour as it is, so clear edges keep it.
void Blend(Color& pixel, const Color& color, float weight);

// Each channel and alpha averaged over a square of (2 radius + 1) pixels,
// twice, which approaches a soft round blur; edges repeat outwards.
Pixmap Blurred(const Pixmap& pixmap, std::uint32_t radius);

} // namespace Tools
