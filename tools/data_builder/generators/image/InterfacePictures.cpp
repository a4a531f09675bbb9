#include "tools/data_builder/generators/image/InterfacePictures.h"

#include "tools/data_builder/generators/image/ImagePatterns.h"

#include <cmath>

namespace Tools {

namespace {

// The interface's palette: night blues and violets under gold, the colours
// of the menus' sky and of the main menu's font.
constexpr Color kGold{0.93f, 0.74f, 0.36f, 1.0f};
constexpr Color kPaleGold{1.0f, 0.92f, 0.66f, 1.0f};
constexpr Color kNightLow{0.04f, 0.03f, 0.12f, 0.88f};
constexpr Color kNightHigh{0.13f, 0.08f, 0.27f, 0.88f};

Color WithAlpha(Color color, float alpha)
{
    color.a = alpha;
    return color;
}

// A panel over the whole area: a gradient inside a rim, a faint line
// inside the rim and clear corners that keep the rim's colour.
Pixmap Panel(std::uint32_t width, std::uint32_t height, const Point& units, float radius)
{
    Pixmap picture(width, height, WithAlpha(kGold, 0.0f));
    const DrawArea area{0, 0, width, height, units};
    const Point centre{units[0] * 0.5f, units[1] * 0.5f};
    const Shape body = RoundedBox(centre, {centre[0] - 1.5f, centre[1] - 1.5f}, radius);
    Fill(picture, area, body, VerticalBlend(kNightLow, kNightHigh, units[1]));
    const Shape inner = RoundedBox(centre, {centre[0] - 8.0f, centre[1] - 8.0f}, std::max(radius - 6.0f, 1.0f));
    Fill(picture, area, Outline(inner, 0.5f), Solid(WithAlpha(kPaleGold, 0.3f)));
    Fill(picture, area, Outline(body, 1.5f), Solid(kGold));
    return picture;
}

// A button's face filling the area, with a gloss along its upper half; the
// rim's width scaled for the button's size.
void ButtonFace(Pixmap& picture, const DrawArea& area, const ButtonLook& look, float radius, float rimScale)
{
    const Point centre{area.units[0] * 0.5f, area.units[1] * 0.5f};
    const Shape face = RoundedBox(centre, {centre[0] - 2.0f * rimScale, centre[1] - 2.0f * rimScale}, radius);
    Fill(picture, area, face, VerticalBlend(look.low, look.high, area.units[1]));
    const Shape gloss = Intersection(face, RoundedBox({centre[0], area.units[1] * 0.78f},
                                                      {centre[0] - 6.0f, area.units[1] * 0.14f}, radius * 0.5f));
    Fill(picture, area, gloss, Solid(Color{1.0f, 1.0f, 1.0f, 0.10f * look.high.a}));
    Fill(picture, area, Outline(face, look.rimHalfWidth * rimScale), Solid(look.rim));
}

// Signs of the small buttons, drawn in 28 x 28 units round (14, 14).
Shape SignShape(ButtonSign sign)
{
    switch (sign) {
    case ButtonSign::Menu:
        return Union(Segment({8.0f, 9.0f}, {20.0f, 9.0f}, 1.4f),
                     Union(Segment({8.0f, 14.0f}, {20.0f, 14.0f}, 1.4f), Segment({8.0f, 19.0f}, {20.0f, 19.0f}, 1.4f)));
    case ButtonSign::Minimize:
        return Segment({8.5f, 8.5f}, {19.5f, 8.5f}, 1.7f);
    case ButtonSign::Close:
        return Union(Segment({9.0f, 9.0f}, {19.0f, 19.0f}, 1.6f), Segment({9.0f, 19.0f}, {19.0f, 9.0f}, 1.6f));
    case ButtonSign::Up:
        return Polygon({{8.0f, 10.0f}, {20.0f, 10.0f}, {14.0f, 19.0f}});
    case ButtonSign::Down:
        return Polygon({{8.0f, 18.0f}, {14.0f, 9.0f}, {20.0f, 18.0f}});
    }
    return Circle({14.0f, 14.0f}, 0.0f);
}

// The full-screen box: a window to fill the screen with, or, checked, two
// windows to go back to one.
Shape WindowSign(bool checked)
{
    if (!checked)
        return Outline(RoundedBox({14.0f, 14.0f}, {6.0f, 6.0f}, 1.0f), 1.1f);
    const Shape front = RoundedBox({12.5f, 12.5f}, {4.5f, 4.5f}, 1.0f);
    const Shape back = RoundedBox({16.0f, 16.0f}, {4.5f, 4.5f}, 1.0f);
    const Shape outsideFront = [front](const Point& p) { return 1.0f - front(p); };
    return Union(Outline(front, 1.0f), Intersection(Outline(back, 1.0f), outsideFront));
}

void SmallFace(Pixmap& picture, const DrawArea& area, const ButtonLook& look, const Shape& sign)
{
    ButtonFace(picture, area, look, 6.0f, 0.55f);
    Fill(picture, area, Moved(sign, {0.0f, -look.sink}), Solid(look.sign));
}

// The plates' signs in the 32 x 32 units at the plate's left.
void PlateSignInto(Pixmap& picture, const DrawArea& area, PlateSign sign)
{
    switch (sign) {
    case PlateSign::Life: {
        Fill(picture, area, Circle({16.0f, 16.0f}, 9.0f),
             VerticalBlend(Color{0.10f, 0.30f, 0.70f, 1.0f}, Color{0.55f, 0.80f, 1.0f, 1.0f}, 28.0f));
        Fill(picture, area, Circle({13.0f, 19.5f}, 3.0f), Solid(Color{1.0f, 1.0f, 1.0f, 0.75f}));
        Fill(picture, area, Outline(Circle({16.0f, 16.0f}, 9.0f), 0.8f), Solid(Color{0.05f, 0.1f, 0.25f, 1.0f}));
        return;
    }
    case PlateSign::Score: {
        std::vector<Point> star;
        for (int i = 0; i < 10; ++i) {
            const float angle = 3.14159265f * (0.5f + static_cast<float>(i) / 5.0f);
            const float radius = i % 2 == 0 ? 10.5f : 4.4f;
            star.push_back({16.0f + radius * std::cos(angle), 15.0f + radius * std::sin(angle)});
        }
        Fill(picture, area, Polygon(star), VerticalBlend(Color{0.90f, 0.55f, 0.12f, 1.0f}, kPaleGold, 26.0f));
        return;
    }
    case PlateSign::Level:
        Fill(picture, area, Segment({10.0f, 6.5f}, {10.0f, 25.5f}, 1.2f), Solid(kPaleGold));
        Fill(picture, area, Polygon({{11.0f, 25.0f}, {24.0f, 21.0f}, {11.0f, 16.5f}}),
             VerticalBlend(Color{0.85f, 0.18f, 0.10f, 1.0f}, Color{1.0f, 0.45f, 0.20f, 1.0f}, 25.0f));
        return;
    }
}

} // namespace

const std::array<ButtonLook, 4>& ButtonLooks()
{
    static const std::array<ButtonLook, 4> looks = {{
        {{0.14f, 0.09f, 0.32f, 0.92f}, {0.30f, 0.20f, 0.52f, 0.92f}, {0.72f, 0.56f, 0.30f, 1.0f}, 1.2f,
         {0.96f, 0.90f, 0.78f, 1.0f}, 0.0f},
        {{0.28f, 0.17f, 0.48f, 0.95f}, {0.50f, 0.34f, 0.72f, 0.95f}, {1.0f, 0.86f, 0.46f, 1.0f}, 1.8f,
         {1.0f, 0.97f, 0.66f, 1.0f}, 0.0f},
        {{0.16f, 0.10f, 0.30f, 0.95f}, {0.08f, 0.05f, 0.18f, 0.95f}, {0.86f, 0.60f, 0.28f, 1.0f}, 1.8f,
         {0.86f, 0.70f, 0.48f, 1.0f}, 1.0f},
        {{0.20f, 0.20f, 0.24f, 0.55f}, {0.28f, 0.28f, 0.32f, 0.55f}, {0.46f, 0.46f, 0.50f, 0.6f}, 1.0f,
         {0.56f, 0.56f, 0.60f, 0.7f}, 0.0f},
    }};
    return looks;
}

Pixmap MenuFrame() { return Panel(256, 256, {340.0f, 440.0f}, 18.0f); }

Pixmap LoadingFrame() { return Panel(256, 128, {320.0f, 96.0f}, 16.0f); }

Pixmap TitleMount()
{
    Pixmap picture(512, 64, WithAlpha(kGold, 0.0f));
    const DrawArea area{0, 0, 512, 64, {480.0f, 60.0f}};
    const Shape banner = RoundedBox({240.0f, 30.0f}, {228.0f, 24.0f}, 24.0f);
    const Paint night = VerticalBlend(Color{0.10f, 0.06f, 0.22f, 0.9f}, Color{0.26f, 0.16f, 0.44f, 0.9f}, 60.0f);
    Fill(picture, area, banner, night);
    Fill(picture, area, Outline(banner, 1.5f), Solid(kGold));
    for (const float x : {8.0f, 472.0f}) {
        const Shape diamond = Polygon({{x - 6.0f, 30.0f}, {x, 38.0f}, {x + 6.0f, 30.0f}, {x, 22.0f}});
        Fill(picture, area, diamond, Solid(kPaleGold));
    }
    return picture;
}

Pixmap NameField() { return Panel(256, 64, {300.0f, 40.0f}, 8.0f); }

Pixmap ListScrollTrack() { return Panel(32, 256, {24.0f, 330.0f}, 10.0f); }

Pixmap LogoSlot() { return Pixmap(8, 8, Color{1.0f, 1.0f, 1.0f, 0.0f}); }

Pixmap StatusPlate(PlateSign sign)
{
    Pixmap picture(256, 64, WithAlpha(kGold, 0.0f));
    const DrawArea area{0, 0, 256, 64, {128.0f, 32.0f}};
    const Shape plate = RoundedBox({64.0f, 16.0f}, {63.0f, 15.0f}, 10.0f);
    Fill(picture, area, plate, VerticalBlend(WithAlpha(kNightLow, 0.7f), WithAlpha(kNightHigh, 0.7f), 32.0f));
    Fill(picture, area, Outline(plate, 0.8f), Solid(WithAlpha(kGold, 0.85f)));
    PlateSignInto(picture, area, sign);
    return picture;
}

FrameGrid MainMenuButtonGrid() { return {1, 4, 256, 64}; }

Pixmap MainMenuButton()
{
    const FrameGrid grid = MainMenuButtonGrid();
    Pixmap picture(grid.Width(), grid.Height(), WithAlpha(kGold, 0.0f));
    for (std::uint32_t frame = 0; frame < 4; ++frame)
        ButtonFace(picture, grid.Cell(frame, {300.0f, 52.0f}), ButtonLooks()[frame], 16.0f, 1.0f);
    return picture;
}

// A line of the players list (300 x 32). Its disabled frame is the chosen
// player's, who takes no click: lit brighter than a line under the cursor,
// in a broad pale gold rim with a gold line inside it.
Pixmap ProfileListButton()
{
    const FrameGrid grid = MainMenuButtonGrid();
    const ButtonLook chosen{{0.44f, 0.26f, 0.68f, 1.0f}, {0.66f, 0.46f, 0.90f, 1.0f}, kPaleGold, 2.6f, kPaleGold,
                            0.0f};
    Pixmap picture(grid.Width(), grid.Height(), WithAlpha(kGold, 0.0f));
    for (std::uint32_t frame = 0; frame < 3; ++frame)
        ButtonFace(picture, grid.Cell(frame, {300.0f, 32.0f}), ButtonLooks()[frame], 10.0f, 1.0f);
    const DrawArea cell = grid.Cell(3, {300.0f, 32.0f});
    ButtonFace(picture, cell, chosen, 10.0f, 1.0f);
    Fill(picture, cell, Outline(RoundedBox({150.0f, 16.0f}, {143.0f, 9.0f}, 5.0f), 0.7f), Solid(kGold));
    return picture;
}

FrameGrid SmallButtonGrid() { return {2, 2, 64, 64}; }

Pixmap SmallButton(ButtonSign sign)
{
    const FrameGrid grid = SmallButtonGrid();
    Pixmap picture(grid.Width(), grid.Height(), WithAlpha(kGold, 0.0f));
    for (std::uint32_t frame = 0; frame < 4; ++frame)
        SmallFace(picture, grid.Cell(frame, {28.0f, 28.0f}), ButtonLooks()[frame], SignShape(sign));
    return picture;
}

Pixmap ListScrollThumb()
{
    const FrameGrid grid = SmallButtonGrid();
    Pixmap picture(grid.Width(), grid.Height(), WithAlpha(kGold, 0.0f));
    for (std::uint32_t frame = 0; frame < 4; ++frame)
        ButtonFace(picture, grid.Cell(frame, {30.0f, 40.0f}), ButtonLooks()[frame], 8.0f, 0.6f);
    return picture;
}

FrameGrid FullScreenBoxGrid() { return {4, 2, 64, 64}; }

// Normal, over, pressed unchecked; the same checked; disabled unchecked and
// checked.
Pixmap FullScreenBox()
{
    constexpr std::array<std::uint32_t, 8> looks = {0, 1, 2, 0, 1, 2, 3, 3};
    constexpr std::array<bool, 8> checked = {false, false, false, true, true, true, false, true};
    const FrameGrid grid = FullScreenBoxGrid();
    Pixmap picture(grid.Width(), grid.Height(), WithAlpha(kGold, 0.0f));
    for (std::uint32_t frame = 0; frame < 8; ++frame)
        SmallFace(picture, grid.Cell(frame, {28.0f, 28.0f}), ButtonLooks()[looks[frame]], WindowSign(checked[frame]));
    return picture;
}

Pixmap CursorSpark() { return Glow(32, Color{1.0f, 1.0f, 1.0f, 1.0f}, 1.6f); }

} // namespace Tools
