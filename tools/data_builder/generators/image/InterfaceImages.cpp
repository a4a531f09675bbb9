#include "tools/data_builder/generators/image/InterfaceImages.h"

#include "tools/data_builder/generators/image/Lettering.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Tools {

namespace {

constexpr Color kGold{0.93f, 0.74f, 0.36f, 1.0f};
constexpr Color kPaleGold{1.0f, 0.93f, 0.70f, 1.0f};
constexpr Color kDeep{0.025f, 0.02f, 0.06f, 1.0f};

// The name centred across the area at the height, a soft glow behind it.
void WriteName(Pixmap& picture, const DrawArea& area, float bottom, std::uint32_t size, std::uint32_t glowRadius)
{
    const Pixmap letters = Lettering(kMakerName, size, area.width * 4 / 5);
    const std::uint32_t x = area.x + (area.width - letters.Width()) / 2;
    const auto y = area.y + static_cast<std::uint32_t>(bottom);
    Pixmap glow(picture.Width(), picture.Height(), Color{1.0f, 0.55f, 0.15f, 0.0f});
    Stamp(glow, letters, x, y, Solid(Color{1.0f, 0.55f, 0.15f, 1.0f}));
    glow = Blurred(glow, glowRadius);
    for (std::uint32_t py = 0; py < picture.Height(); ++py) {
        for (std::uint32_t px = 0; px < picture.Width(); ++px) {
            if (glow.At(px, py).a > 0.0f)
                Blend(picture.At(px, py), Color{1.0f, 0.55f, 0.15f, 1.0f}, glow.At(px, py).a * 0.7f);
        }
    }
    const auto height = static_cast<float>(letters.Height());
    Stamp(picture, letters, x, y, VerticalBlend(kGold, kPaleGold, height));
}

// Bricks stacked in a ring with a ball above them.
void Emblem(Pixmap& picture, const DrawArea& area, const Point& centre)
{
    const auto at = [&](float dx, float dy) { return Point{centre[0] + dx, centre[1] + dy}; };
    Fill(picture, area, Outline(Circle(centre, 62.0f), 4.0f), Solid(kGold));
    const Paint brick = VerticalBlend(Color{0.62f, 0.24f, 0.14f, 1.0f}, Color{0.86f, 0.44f, 0.24f, 1.0f}, 600.0f);
    for (const Point& offset : {Point{-24.0f, -24.0f}, Point{24.0f, -24.0f}, Point{0.0f, 2.0f}}) {
        const Shape box = RoundedBox(at(offset[0], offset[1]), {22.0f, 11.0f}, 3.0f);
        Fill(picture, area, box, brick);
        Fill(picture, area, Outline(box, 1.0f), Solid(Color{0.25f, 0.08f, 0.04f, 1.0f}));
    }
    Fill(picture, area, Circle(at(0.0f, 34.0f), 10.0f), Solid(kPaleGold));
}

} // namespace

Pixmap CursorPicture()
{
    // The arrow from its tip, in pixels down from the top.
    const std::vector<Point> fromTop = {{1.0f, 1.0f},   {1.0f, 45.0f},  {11.5f, 35.0f}, {19.0f, 53.0f},
                                        {26.0f, 50.0f}, {18.5f, 32.5f}, {33.0f, 32.5f}};
    std::vector<Point> corners;
    for (const Point& p : fromTop)
        corners.push_back({p[0], 64.0f - p[1]});
    const Shape arrow = Polygon(corners);
    Pixmap picture(64, 64, Color{0.0f, 0.0f, 0.0f, 0.0f});
    const DrawArea area = WholeArea(picture);
    Fill(picture, area, Moved(arrow, {2.5f, -2.5f}), Solid(Color{0.0f, 0.0f, 0.0f, 0.45f}));
    picture = Blurred(picture, 1);
    Fill(picture, area, arrow, VerticalBlend(kGold, Color{1.0f, 0.98f, 0.90f, 1.0f}, 64.0f));
    Fill(picture, area, Outline(arrow, 1.3f), Solid(Color{0.16f, 0.08f, 0.03f, 1.0f}));
    return picture;
}

Pixmap BigLogo()
{
    Pixmap picture(1024, 1024, kDeep);
    const DrawArea area{0, 0, 800, 600, {800.0f, 600.0f}};
    const Paint sky = [](const Point& p) {
        const float t = std::min(std::hypot((p[0] - 400.0f) / 400.0f, (p[1] - 300.0f) / 300.0f), 1.0f);
        return Lerp(Color{0.17f, 0.11f, 0.32f, 1.0f}, kDeep, std::pow(t, 1.3f));
    };
    Fill(picture, area, RoundedBox({400.0f, 300.0f}, {400.0f, 300.0f}, 0.0f), sky);
    Emblem(picture, area, {400.0f, 390.0f});
    WriteName(picture, area, 190.0f, 96, 7);
    Fill(picture, area, Segment({250.0f, 175.0f}, {550.0f, 175.0f}, 1.2f), Solid(Color{0.93f, 0.74f, 0.36f, 0.6f}));
    return picture;
}

Pixmap SmallLogo()
{
    Pixmap picture(256, 128, Color{0.05f, 0.03f, 0.10f, 0.0f});
    const DrawArea area = WholeArea(picture);
    const Shape plate = RoundedBox({128.0f, 64.0f}, {122.0f, 38.0f}, 16.0f);
    Fill(picture, area, plate, Solid(Color{0.05f, 0.03f, 0.10f, 0.6f}));
    Fill(picture, area, Outline(plate, 1.2f), Solid(Color{0.93f, 0.74f, 0.36f, 0.9f}));
    WriteName(picture, area, 52.0f, 30, 2);
    Fill(picture, area, Segment({70.0f, 46.0f}, {186.0f, 46.0f}, 1.0f), Solid(kGold));
    return picture;
}

} // namespace Tools
