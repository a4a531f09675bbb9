#include "tools/data_builder/generators/image/BlockPictures.h"

#include "tools/data_builder/generators/image/ImagePatterns.h"
#include "tools/data_builder/generators/image/PixmapDrawing.h"
#include "tools/data_builder/generators/Random.h"

#include <algorithm>
#include <cmath>

namespace Tools {

namespace {

constexpr std::uint32_t kWidth = 64;
constexpr std::uint32_t kHeight = 32;

Color Scaled(const Color& color, float factor)
{
    return {std::min(color.r * factor, 1.0f), std::min(color.g * factor, 1.0f), std::min(color.b * factor, 1.0f),
            color.a};
}

// Lit along the top and left edges, shaded along the bottom and right, so a
// flat face reads as a raised block.
void Rim(Pixmap& picture, std::uint32_t width, float light, float shade)
{
    for (std::uint32_t y = 0; y < picture.Height(); ++y) {
        for (std::uint32_t x = 0; x < picture.Width(); ++x) {
            const std::uint32_t fromTop = picture.Height() - 1 - y;
            const std::uint32_t fromRight = picture.Width() - 1 - x;
            Color& pixel = picture.At(x, y);
            if (y < width || fromRight < width)
                pixel = Scaled(pixel, shade);
            else if (fromTop < width || x < width)
                pixel = Scaled(pixel, light);
        }
    }
}

// Jagged dark lines with a pale lip, wandering from random points.
void Cracks(Pixmap& picture, std::uint64_t seed, int count)
{
    Random random(seed);
    const DrawArea area = WholeArea(picture);
    for (int crack = 0; crack < count; ++crack) {
        Point at{4.0f + random.Unit() * (kWidth - 8), 4.0f + random.Unit() * (kHeight - 8)};
        float heading = random.Unit() * 6.2832f;
        for (int step = 0; step < 5; ++step) {
            heading += random.Signed() * 1.1f;
            const Point next{at[0] + std::cos(heading) * 6.0f, at[1] + std::sin(heading) * 6.0f};
            Fill(picture, area, Moved(Segment(at, next, 1.1f), {0.6f, -0.6f}), Solid({0.95f, 0.80f, 0.90f, 0.6f}));
            Fill(picture, area, Segment(at, next, 0.9f), Solid({0.04f, 0.0f, 0.03f, 1.0f}));
            at = next;
        }
    }
}

void Rivet(Pixmap& picture, const Point& centre)
{
    const DrawArea area = WholeArea(picture);
    Fill(picture, area, Circle(centre, 3.2f), Solid({0.20f, 0.22f, 0.26f, 1.0f}));
    Fill(picture, area, Circle({centre[0] - 0.6f, centre[1] + 0.6f}, 1.8f), Solid({1.0f, 1.0f, 1.0f, 1.0f}));
}

} // namespace

Pixmap SimpleBrickPicture(std::uint64_t seed, const Color& low, const Color& high)
{
    Pixmap picture = Noise({.width = kWidth, .height = kHeight, .seed = seed, .cells = 4, .octaves = 3}, low, high);
    Rim(picture, 3, 1.25f, 0.6f);
    return picture;
}

Pixmap HardBrickPicture(std::uint32_t damage)
{
    Pixmap picture = Bricks({.width = kWidth, .height = kHeight, .rows = 2, .columns = 2, .mortar = 2,
                             .brick = {0.56f, 0.14f, 0.46f, 1.0f}, .joint = {0.92f, 0.78f, 0.90f, 1.0f},
                             .variation = 0.08f, .seed = 7});
    const DrawArea area = WholeArea(picture);
    Fill(picture, area, Outline(RoundedBox({32.0f, 16.0f}, {30.5f, 14.5f}, 2.0f), 1.5f),
         Solid({0.96f, 0.86f, 0.55f, 1.0f}));
    if (damage > 0)
        Cracks(picture, 11 + damage, 2 + 3 * static_cast<int>(damage));
    // Darker with each hit, yet as purple as before, so that a damaged brick
    // never turns the brown or slate of the walls.
    const float hits = static_cast<float>(damage);
    return Tint(picture, Color{1.0f - 0.14f * hits, 1.0f - 0.45f * hits, 1.0f - 0.14f * hits, 1.0f});
}

Pixmap SteelBrickPicture()
{
    Pixmap picture = Gradient(kWidth, kHeight, GradientShape::Vertical, Color{0.62f, 0.68f, 0.76f, 1.0f},
                              Color{0.90f, 0.93f, 0.97f, 1.0f});
    const DrawArea area = WholeArea(picture);
    Fill(picture, area, Polygon({{18.0f, 0.0f}, {30.0f, 0.0f}, {46.0f, 32.0f}, {34.0f, 32.0f}}),
         Solid({1.0f, 1.0f, 1.0f, 0.55f}));
    Rim(picture, 2, 1.1f, 0.55f);
    for (const Point& corner : {Point{7.0f, 7.0f}, Point{57.0f, 7.0f}, Point{7.0f, 25.0f}, Point{57.0f, 25.0f}})
        Rivet(picture, corner);
    return picture;
}

Pixmap ExplosiveBrickPicture()
{
    Pixmap picture(kWidth, kHeight);
    for (std::uint32_t y = 0; y < kHeight; ++y)
        for (std::uint32_t x = 0; x < kWidth; ++x)
            picture.At(x, y) = ((x + y) / 8) % 2 == 0 ? Color{1.0f, 0.84f, 0.0f, 1.0f} : Color{0.08f, 0.07f, 0.05f, 1.0f};
    const DrawArea area = WholeArea(picture);
    Fill(picture, area, Circle({32.0f, 16.0f}, 9.0f), Solid({0.08f, 0.07f, 0.05f, 1.0f}));
    Fill(picture, area, Circle({32.0f, 16.0f}, 6.5f), Solid({0.95f, 0.12f, 0.05f, 1.0f}));
    Rim(picture, 2, 1.1f, 0.6f);
    return picture;
}

Pixmap GhostBrickPicture()
{
    const Pixmap haze = Noise({.width = kWidth, .height = kHeight, .seed = 13, .cells = 4, .octaves = 3},
                              Color{0.55f, 0.90f, 1.0f, 0.30f}, Color{0.85f, 1.0f, 1.0f, 0.50f});
    Pixmap picture = haze;
    const DrawArea area = WholeArea(picture);
    for (int wisp = 0; wisp < 3; ++wisp) {
        const float y = 7.0f + 9.0f * static_cast<float>(wisp);
        Fill(picture, area, Segment({6.0f + 6.0f * wisp, y}, {40.0f + 6.0f * wisp, y + 3.0f}, 1.4f),
             Solid({1.0f, 1.0f, 1.0f, 0.85f}));
    }
    Fill(picture, area, Outline(RoundedBox({32.0f, 16.0f}, {30.0f, 14.0f}, 4.0f), 1.2f),
         Solid({0.90f, 1.0f, 1.0f, 0.9f}));
    return picture;
}

Pixmap CagePicture(const Color& bar)
{
    return Checker(64, 64, 8, bar, Color{bar.r * 0.5f, bar.g * 0.5f, bar.b * 0.5f, 0.25f});
}

} // namespace Tools
