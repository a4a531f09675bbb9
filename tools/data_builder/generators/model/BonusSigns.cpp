#include "tools/data_builder/generators/model/BonusSigns.h"

#include "tools/data_builder/generators/image/ImagePatterns.h"

#include <array>
#include <map>
#include <stdexcept>

namespace Tools {

namespace {

using Sign = std::array<const char*, 8>;

struct Look {
    Color color;
    Sign sign;
};

// The colours the game gives each kind's flare: blue helps, red hinders,
// yellow arms. Signs are read top row first.
constexpr Color kBlue{0.0f, 144.0f / 255.0f, 1.0f, 1.0f};
constexpr Color kRed{1.0f, 66.0f / 255.0f, 0.0f, 1.0f};
constexpr Color kYellow{1.0f, 216.0f / 255.0f, 0.0f, 1.0f};

const std::map<std::string, Look>& Looks()
{
    static const std::map<std::string, Look> looks = {
        {"life",
         {kBlue, {".##..##.", "########", "########", "########", ".######.", "..####..", "...##...", "........"}}},
        {"bat_increase",
         {kBlue, {"........", ".#....#.", "##....##", "########", "########", "##....##", ".#....#.", "........"}}},
        {"bat_decrease",
         {kRed, {"........", "#......#", "##....##", ".######.", ".######.", "##....##", "#......#", "........"}}},
        {"balls_speed_up",
         {kRed, {"........", "##..##..", ".##..##.", "..##..##", "..##..##", ".##..##.", "##..##..", "........"}}},
        {"balls_slow_down",
         {kBlue, {"........", "..##..##", ".##..##.", "##..##..", "##..##..", ".##..##.", "..##..##", "........"}}},
        {"balls_split",
         {kBlue, {"...##...", "..####..", "...##...", "........", ".##..##.", "###..###", ".##..##.", "........"}}},
        {"balls_super",
         {kBlue, {"...##...", "...##...", "########", ".######.", "..####..", ".##..##.", "##....##", "........"}}},
        {"barrier",
         {kBlue, {"#......#", "########", "#......#", "########", "#......#", "########", "#......#", "#......#"}}},
        {"arbalest",
         {kYellow, {"...##...", "..####..", ".######.", "...##...", "...##...", "...##...", "..#..#..", ".#....#."}}},
        {"ballista",
         {kYellow, {".#....#.", "###..###", ".#....#.", ".#....#.", ".#....#.", ".#....#.", "#.#..#.#", "........"}}},
        {"hammer",
         {kYellow, {"########", "########", "########", "...##...", "...##...", "...##...", "...##...", "...##..."}}},
    };
    return looks;
}

constexpr std::uint32_t kWidth = 128;
constexpr std::uint32_t kHeight = 64;
constexpr std::uint32_t kSignEnd = 102;
constexpr std::uint32_t kCell = 6;

} // namespace

Pixmap BonusSign(const std::string& name)
{
    const auto found = Looks().find(name);
    if (found == Looks().end())
        throw std::runtime_error("no sign is known for the bonus " + name);
    const Look& look = found->second;
    const Color dark{look.color.r * 0.35f, look.color.g * 0.35f, look.color.b * 0.35f, 1.0f};
    Pixmap picture = Gradient(kWidth, kHeight, GradientShape::Radial, look.color, dark);
    const std::uint32_t left = (kSignEnd - 8 * kCell) / 2;
    const std::uint32_t bottom = (kHeight - 8 * kCell) / 2;
    for (std::uint32_t row = 0; row < 8; ++row) {
        for (std::uint32_t column = 0; column < 8; ++column) {
            if (look.sign[row][column] != '#')
                continue;
            // Row 0 of the sign is its top; row 0 of a picture its bottom.
            const std::uint32_t y0 = bottom + (7 - row) * kCell;
            for (std::uint32_t y = y0; y < y0 + kCell; ++y)
                for (std::uint32_t x = left + column * kCell; x < left + (column + 1) * kCell; ++x)
                    picture.At(x, y) = Color{1.0f, 1.0f, 1.0f, 1.0f};
        }
    }
    for (std::uint32_t y = 0; y < kHeight; ++y)
        for (std::uint32_t x = kSignEnd; x < kWidth; ++x)
            picture.At(x, y) = Color{0.78f, 0.80f, 0.84f, 1.0f};
    return picture;
}

} // namespace Tools
