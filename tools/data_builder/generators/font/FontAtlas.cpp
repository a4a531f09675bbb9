#include "tools/data_builder/generators/font/FontAtlas.h"

#include <algorithm>
#include <utility>

namespace Tools {

namespace {

// Every power-of-two size up to the largest, wider than high or square,
// smallest area first, the squarer of two equal areas first.
std::vector<std::pair<std::uint32_t, std::uint32_t>> Sizes()
{
    std::vector<std::pair<std::uint32_t, std::uint32_t>> sizes;
    for (std::uint32_t width = FontAtlas::kSmallestSide; width <= FontAtlas::kLargestSide; width *= 2) {
        for (std::uint32_t height = FontAtlas::kSmallestSide; height <= width; height *= 2)
            sizes.emplace_back(width, height);
    }
    std::sort(sizes.begin(), sizes.end(), [](const auto& a, const auto& b) {
        const std::uint64_t areaA = static_cast<std::uint64_t>(a.first) * a.second;
        const std::uint64_t areaB = static_cast<std::uint64_t>(b.first) * b.second;
        return areaA != areaB ? areaA < areaB : a.first < b.first;
    });
    return sizes;
}

} // namespace

std::optional<FontAtlas> FontAtlas::Pack(const std::vector<std::uint32_t>& widths, std::uint32_t cellHeight)
{
    for (const auto& [width, height] : Sizes()) {
        FontAtlas atlas(width, height);
        if (atlas.Place(widths, cellHeight))
            return atlas;
    }
    return std::nullopt;
}

// Rows from the bottom, starting a gap in from the edges; a cell that would
// touch the right edge's gap opens the next row.
bool FontAtlas::Place(const std::vector<std::uint32_t>& widths, std::uint32_t cellHeight)
{
    std::uint32_t x = kGap;
    std::uint32_t y = kGap;
    for (const std::uint32_t width : widths) {
        if (width + 2 * kGap > width_)
            return false;
        if (x + width + kGap > width_) {
            x = kGap;
            y += cellHeight + kGap;
        }
        if (y + cellHeight + kGap > height_)
            return false;
        cells_.push_back({x, y});
        x += width + kGap;
    }
    return true;
}

} // namespace Tools
