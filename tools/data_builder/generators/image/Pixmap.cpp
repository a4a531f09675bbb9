#include "tools/data_builder/generators/image/Pixmap.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace Tools {

namespace {

std::uint8_t ToByte(float value) { return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f)); }

} // namespace

Color Lerp(const Color& a, const Color& b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Pixmap::Pixmap(std::uint32_t width, std::uint32_t height, const Color& fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill)
{
    if (width == 0 || height == 0 || width > 4096 || height > 4096)
        throw std::runtime_error("a picture of " + std::to_string(width) + " x " + std::to_string(height));
}

std::vector<std::uint8_t> Pixmap::Bytes(Order order, Alpha alpha) const
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(pixels_.size() * (alpha == Alpha::With ? 4 : 3));
    for (const Color& pixel : pixels_) {
        const float first = order == Order::Rgb ? pixel.r : pixel.b;
        const float last = order == Order::Rgb ? pixel.b : pixel.r;
        bytes.push_back(ToByte(first));
        bytes.push_back(ToByte(pixel.g));
        bytes.push_back(ToByte(last));
        if (alpha == Alpha::With)
            bytes.push_back(ToByte(pixel.a));
    }
    return bytes;
}

} // namespace Tools
