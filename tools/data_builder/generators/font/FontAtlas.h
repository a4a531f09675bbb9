#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace Tools {

// Where the glyph cells of one font lie in its texture. Cells share one
// height and sit in rows, left to right, a blank pixel around each so that
// filtering never blends a neighbour in. Row 0 is the texture's bottom row,
// the one texture coordinate v = 0 samples.
class FontAtlas {
public:
    static constexpr std::uint32_t kSmallestSide = 16;
    static constexpr std::uint32_t kLargestSide = 1024;
    static constexpr std::uint32_t kGap = 1;

    struct Cell {
        std::uint32_t x = 0;
        std::uint32_t y = 0;
    };

    // The smallest power-of-two texture, by area and then the squarer, that
    // holds cells of the given widths; none when even the largest does not.
    static std::optional<FontAtlas> Pack(const std::vector<std::uint32_t>& widths, std::uint32_t cellHeight);

    std::uint32_t Width() const { return width_; }
    std::uint32_t Height() const { return height_; }
    // The cell's bottom left pixel, in the order of the widths given.
    const std::vector<Cell>& Cells() const { return cells_; }

private:
    FontAtlas(std::uint32_t width, std::uint32_t height) : width_(width), height_(height) {}
    bool Place(const std::vector<std::uint32_t>& widths, std::uint32_t cellHeight);

    std::uint32_t width_;
    std::uint32_t height_;
    std::vector<Cell> cells_;
};

} // namespace Tools
