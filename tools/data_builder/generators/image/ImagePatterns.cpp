#include "tools/data_builder/generators/image/ImagePatterns.h"

#include "tools/data_builder/generators/Random.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <vector>

namespace Tools {

namespace {

Pixmap Fill(std::uint32_t width, std::uint32_t height, const std::function<Color(std::uint32_t, std::uint32_t)>& at)
{
    Pixmap pixmap(width, height);
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x)
            pixmap.At(x, y) = at(x, y);
    return pixmap;
}

// One octave of value noise: random values on a wrapping lattice of cells x
// cells, blended with a smooth step.
class ValueLattice {
public:
    ValueLattice(std::uint32_t cells, Random& random) : cells_(std::max(cells, 1u)), values_(cells_ * cells_)
    {
        for (float& value : values_)
            value = random.Unit();
    }

    // u and v from 0 to 1 across the picture.
    float At(float u, float v) const
    {
        const float x = u * cells_;
        const float y = v * cells_;
        const auto x0 = static_cast<std::uint32_t>(x);
        const auto y0 = static_cast<std::uint32_t>(y);
        const float fx = Smooth(x - x0);
        const float fy = Smooth(y - y0);
        const float bottom = Value(x0, y0) + (Value(x0 + 1, y0) - Value(x0, y0)) * fx;
        const float top = Value(x0, y0 + 1) + (Value(x0 + 1, y0 + 1) - Value(x0, y0 + 1)) * fx;
        return bottom + (top - bottom) * fy;
    }

private:
    static float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }
    float Value(std::uint32_t x, std::uint32_t y) const { return values_[(y % cells_) * cells_ + x % cells_]; }

    std::uint32_t cells_;
    std::vector<float> values_;
};

void CheckSameSize(const Pixmap& a, const Pixmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        throw std::runtime_error("pictures of different sizes cannot be mixed");
}

Color Multiply(const Color& a, const Color& b) { return {a.r * b.r, a.g * b.g, a.b * b.b, a.a * b.a}; }

} // namespace

Pixmap Gradient(std::uint32_t width, std::uint32_t height, GradientShape shape, const Color& from, const Color& to)
{
    return Fill(width, height, [&](std::uint32_t x, std::uint32_t y) {
        const float u = width > 1 ? static_cast<float>(x) / (width - 1) : 0.0f;
        const float v = height > 1 ? static_cast<float>(y) / (height - 1) : 0.0f;
        float t = shape == GradientShape::Horizontal ? u : v;
        if (shape == GradientShape::Radial)
            t = std::min(std::hypot(u - 0.5f, v - 0.5f) / 0.70710678f, 1.0f);
        return Lerp(from, to, t);
    });
}

Pixmap Noise(const NoiseSettings& settings, const Color& low, const Color& high)
{
    Random random(settings.seed);
    std::vector<ValueLattice> octaves;
    for (std::uint32_t o = 0; o < std::max(settings.octaves, 1u); ++o)
        octaves.emplace_back(settings.cells << o, random);
    return Fill(settings.width, settings.height, [&](std::uint32_t x, std::uint32_t y) {
        const float u = static_cast<float>(x) / settings.width;
        const float v = static_cast<float>(y) / settings.height;
        float sum = 0.0f;
        float weight = 1.0f;
        float total = 0.0f;
        for (const ValueLattice& octave : octaves) {
            sum += octave.At(u, v) * weight;
            total += weight;
            weight *= settings.persistence;
        }
        return Lerp(low, high, sum / total);
    });
}

Pixmap Bricks(const BrickSettings& settings)
{
    const std::uint32_t rows = std::max(settings.rows, 1u);
    const std::uint32_t columns = std::max(settings.columns, 1u);
    Random random(settings.seed);
    std::vector<float> shades(rows * columns);
    for (float& shade : shades)
        shade = 1.0f + settings.variation * random.Signed();
    const float courseHeight = static_cast<float>(settings.height) / rows;
    const float brickWidth = static_cast<float>(settings.width) / columns;
    return Fill(settings.width, settings.height, [&](std::uint32_t x, std::uint32_t y) {
        const auto row = static_cast<std::uint32_t>(y / courseHeight);
        const float shifted = x + (row % 2 == 1 ? brickWidth * 0.5f : 0.0f);
        const auto column = static_cast<std::uint32_t>(shifted / brickWidth) % columns;
        const float inRow = y - row * courseHeight;
        const float inBrick = std::fmod(shifted, brickWidth);
        if (inRow < settings.mortar || inBrick < settings.mortar)
            return settings.joint;
        const float shade = shades[row * columns + column];
        return Color{settings.brick.r * shade, settings.brick.g * shade, settings.brick.b * shade, settings.brick.a};
    });
}

Pixmap Glow(std::uint32_t size, const Color& color, float falloff)
{
    return Fill(size, size, [&](std::uint32_t x, std::uint32_t y) {
        const float half = size * 0.5f;
        const float distance = std::hypot(x + 0.5f - half, y + 0.5f - half) / half;
        Color pixel = color;
        pixel.a = color.a * std::pow(std::max(1.0f - distance, 0.0f), falloff);
        return pixel;
    });
}

Pixmap Checker(std::uint32_t width, std::uint32_t height, std::uint32_t cell, const Color& first,
               const Color& second)
{
    const std::uint32_t side = std::max(cell, 1u);
    return Fill(width, height, [&](std::uint32_t x, std::uint32_t y) {
        return (x / side + y / side) % 2 == 0 ? first : second;
    });
}

Pixmap Mix(const Pixmap& a, const Pixmap& b, float t)
{
    CheckSameSize(a, b);
    return Fill(a.Width(), a.Height(), [&](std::uint32_t x, std::uint32_t y) { return Lerp(a.At(x, y), b.At(x, y), t); });
}

Pixmap Mix(const Pixmap& a, const Pixmap& b, const Pixmap& mask)
{
    CheckSameSize(a, b);
    CheckSameSize(a, mask);
    return Fill(a.Width(), a.Height(),
                [&](std::uint32_t x, std::uint32_t y) { return Lerp(a.At(x, y), b.At(x, y), mask.At(x, y).r); });
}

Pixmap Tint(const Pixmap& pixmap, const Color& color)
{
    return Fill(pixmap.Width(), pixmap.Height(),
                [&](std::uint32_t x, std::uint32_t y) { return Multiply(pixmap.At(x, y), color); });
}

} // namespace Tools
