#include "tools/data_builder/generators/image/InterfaceScrollPictures.h"

#include "tools/data_builder/generators/image/InterfacePictures.h"

namespace Tools {

namespace {

// The interface's gold, as the other widgets have it.
constexpr Color kClearGold{0.93f, 0.74f, 0.36f, 0.0f};
constexpr Color kGold{0.93f, 0.74f, 0.36f, 1.0f};

void Face(Pixmap& picture, const DrawArea& area, const ButtonLook& look, float radius)
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
        Face(picture, grid.Cell(frame, {16.0f, 24.0f}), ButtonLooks()[frame], 4.0f);
    return picture;
}

FrameGrid ArrowButtonGrid() { return {2, 2, 64, 64}; }

Pixmap ArrowButton(ArrowSign sign)
{
    const FrameGrid grid = ArrowButtonGrid();
    Pixmap picture(grid.Width(), grid.Height(), kClearGold);
    for (std::uint32_t frame = 0; frame < 4; ++frame) {
        const DrawArea area = grid.Cell(frame, {28.0f, 28.0f});
        const ButtonLook& look = ButtonLooks()[frame];
        Face(picture, area, look, 6.0f);
        Fill(picture, area, Moved(ArrowShape(sign), {0.0f, -look.sink}), Solid(look.sign));
    }
    return picture;
}

} // namespace Tools
