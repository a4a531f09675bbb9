#include "platform/window/ProgramIcon.h"

namespace Platform {

namespace {

struct Colour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

constexpr Colour kBackground{16, 24, 64};
constexpr Colour kBall{240, 240, 240};
constexpr Colour kPaddle{200, 200, 210};
constexpr Colour kBrickRows[] = {{220, 60, 50}, {240, 180, 40}, {60, 170, 80}};

// Three rows of bricks with gaps of a pixel, a ball below them and a paddle
// at the bottom.
Colour ColourAt(int x, int y)
{
    if (y >= 4 && y < 16 && y % 4 != 3 && x % 8 != 7)
        return kBrickRows[(y - 4) / 4];
    const int dx = x - 16;
    const int dy = y - 21;
    if (dx * dx + dy * dy <= 6)
        return kBall;
    if (y >= 27 && y < 29 && x >= 9 && x < 23)
        return kPaddle;
    return kBackground;
}

// The corners are cut so that the icon reads as a rounded tile.
bool IsCorner(int x, int y)
{
    const int cx = x < 16 ? x : 31 - x;
    const int cy = y < 16 ? y : 31 - y;
    return cx + cy < 2;
}

} // namespace

ProgramIcon DrawProgramIcon()
{
    ProgramIcon icon;
    icon.pixels.reserve(ProgramIcon::kSize * ProgramIcon::kSize * 4);
    for (int y = 0; y < static_cast<int>(ProgramIcon::kSize); ++y) {
        for (int x = 0; x < static_cast<int>(ProgramIcon::kSize); ++x) {
            const Colour colour = ColourAt(x, y);
            icon.pixels.push_back(colour.red);
            icon.pixels.push_back(colour.green);
            icon.pixels.push_back(colour.blue);
            icon.pixels.push_back(IsCorner(x, y) ? 0 : 255);
        }
    }
    return icon;
}

} // namespace Platform
