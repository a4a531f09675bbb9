#pragma once

#include <cstdint>
#include <vector>

namespace Tools {

// Channels from 0 to 1.
struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

// Colour a + (b - a) * t, alpha too.
Color Lerp(const Color& a, const Color& b, float t);

// A picture being generated, in floating point so that patterns can be mixed
// without banding. Row 0 is the bottom row, as the engine keeps images.
class Pixmap {
public:
    Pixmap(std::uint32_t width, std::uint32_t height, const Color& fill = {});

    std::uint32_t Width() const { return width_; }
    std::uint32_t Height() const { return height_; }
    const Color& At(std::uint32_t x, std::uint32_t y) const { return pixels_[Index(x, y)]; }
    Color& At(std::uint32_t x, std::uint32_t y) { return pixels_[Index(x, y)]; }

    // Rounded bytes, rows bottom first: red, green, blue (and alpha) or
    // blue, green, red (and alpha).
    enum class Order { Rgb, Bgr };
    enum class Alpha { Without, With };
    std::vector<std::uint8_t> Bytes(Order order, Alpha alpha) const;

private:
    std::size_t Index(std::uint32_t x, std::uint32_t y) const { return static_cast<std::size_t>(y) * width_ + x; }

    std::uint32_t width_;
    std::uint32_t height_;
    std::vector<Color> pixels_;
};

} // namespace Tools
