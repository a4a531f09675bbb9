#include "tools/data_builder/generators/InterfaceScrollPictures.h"

#include <array>

namespace Tools {

namespace {

// The interface's gold and night blues, as the other widgets have them,
// with a look per button frame: normal, over, pressed, disabled.
constexpr Color kClearGold{0.93f, 0.74f, 0.36f, 0.0f};
constexpr Color kGold{0.93f, 0.74f, 0.36f, 1.0f};

struct Look {
    Color low;
    Color high;
    Color rim;
    Color sign;
    // Pressed buttons sink: their sign moves down.
    float sink;
};

constexpr std::array<Look, 4> kLooks = {{
    {{0.14f, 0.09f, 0.32f, 0.92f}, {0.30f, 0.20f, 0.52f, 0.92f}, {0.72f, 0.56f, 0.30f, 1.0f},
     {0.96f, 0.90f, 0.78f, 1.0f}, 0.0f},
    {{0.28f, 0.17f, 0.48f, 0.95f}, {0.50f, 0.34f, 0.72f, 0.95f}, {1.0f, 0.86f, 0.46f, 1.0f},
     {1.0f, 0.97f, 0.66f, 1.0f}, 0.0f},
    {{0.16f, 0.10f, 0.30f, 0.95f}, {0.08f, 0.05f, 0.18f, 0.95f}, {0.86f, 0.60f, 0.28f, 1.0f},
     {0.86f, 0.70f, 0.48f, 1.0f}, 1.0f},
    {{0.20f, 0.20f, 0.24f, 0.55f}, {0.28f, 0.28f, 0.32f, 0.55f}, {0.46f, 0.46f, 0.50f, 0.6f},
     {0.56f, 0.56f, 0.60f, 0.7f}, 0.0f},
}};

void Face(Pixmap& picture, const DrawArea& area, const Look& look, float radius)
{
    const Point centre{area.units[0] * 0.5f, area.units[1] * 0.5f};
    const Shape face = RoundedBox(centre, {centre[0] - 1.2f, centre[1] - 1.2f}, radius);
    Fill(picture, area, face, VerticalBlend(look.low, look.high, area.units[1]));
    Fill(picture, area, Outline(face, 0.9f), Solid(look.rim));
}

Shape ArrowShape(ArrowSign sign)
{
    if (sign == ArrowSign::Left)
        return Polygon({{9.0f, 14.0f}, {18.0f, 20.0f}, {18.0f, 8.0f}});
    return Polygon({{19.0f, 14.0f}, {10.0f, 8.0f}, {10.0f, 20.0f}});
}

} // namespace

Pixmap ScrollTrack()
{
    Pixmap picture(256, 32, kClearGold);
    const DrawArea area{0, 0, 256, 32, {196.0f, 28.0f}};
    const Shape groove = RoundedBox({98.0f, 14.0f}, {64.0f, 4.0f}, 4.0f);
    Fill(picture, area, groove, VerticalBlend(Color{0.04f, 0.03f, 0.12f, 0.9f}, Color{0.13f, 0.08f, 0.27f, 0.9f}, 28.0f));
    Fill(picture, area, Outline(groove, 0.8f), Solid(kGold));
    return picture;
}

FrameGrid ScrollThumbGrid() { return {4, 1, 32, 64}; }

Pixmap ScrollThumb()
{
    const FrameGrid grid = ScrollThumbGrid();
    Pixmap picture(grid.Width(), grid.Height(), kClearGold);
    for (std::uint32_t frame = 0; frame < 4; ++frame)
        Face(picture, grid.Cell(frame, {16.0f, 24.0f}), kLooks[frame], 4.0f);
    return picture;
}

FrameGrid ArrowButtonGrid() { return {2, 2, 64, 64}; }

Pixmap ArrowButton(ArrowSign sign)
{
    const FrameGrid grid = ArrowButtonGrid();
    Pixmap picture(grid.Width(), grid.Height(), kClearGold);
    for (std::uint32_t frame = 0; frame < 4; ++frame) {
        const DrawArea area = grid.Cell(frame, {28.0f, 28.0f});
        Face(picture, area, kLooks[frame], 6.0f);
        Fill(picture, area, Moved(ArrowShape(sign), {0.0f, -kLooks[frame].sink}), Solid(kLooks[frame].sign));
    }
    return picture;
}

} // namespace Tools
