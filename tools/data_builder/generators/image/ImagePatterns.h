#pragma once

#include "tools/data_builder/generators/image/Pixmap.h"

#include <cstdint>

namespace Tools {

// Procedural pictures for textures. Every pattern that repeats (noise,
// bricks, checker) wraps at its edges, so a texture made of it tiles.

enum class GradientShape { Horizontal, Vertical, Radial };
// From the left, bottom or centre (from) to the right, top or corners (to).
Pixmap Gradient(std::uint32_t width, std::uint32_t height, GradientShape shape, const Color& from, const Color& to);

struct NoiseSettings {
    std::uint32_t width = 64;
    std::uint32_t height = 64;
    std::uint64_t seed = 1;
    // Lattice cells across the picture at the coarsest octave.
    std::uint32_t cells = 4;
    std::uint32_t octaves = 4;
    // How much each finer octave weighs against the one before.
    float persistence = 0.5f;
};
// Smooth value noise, summed over octaves, between the two colours.
Pixmap Noise(const NoiseSettings& settings, const Color& low, const Color& high);

struct BrickSettings {
    std::uint32_t width = 64;
    std::uint32_t height = 64;
    std::uint32_t rows = 4;
    std::uint32_t columns = 2;
    // Width of the joints in pixels.
    std::uint32_t mortar = 2;
    Color brick{0.6f, 0.3f, 0.2f, 1.0f};
    Color joint{0.75f, 0.72f, 0.68f, 1.0f};
    // Each brick's shade differs from the colour by up to this much.
    float variation = 0.1f;
    std::uint64_t seed = 1;
};
// Courses of bricks, every second course shifted by half a brick.
Pixmap Bricks(const BrickSettings& settings);

// A round spot of the colour, opaque in the middle and fading to clear at
// the edge; a larger falloff makes the fade steeper.
Pixmap Glow(std::uint32_t size, const Color& color, float falloff);

// Squares of cell pixels, first at the lower left corner.
Pixmap Checker(std::uint32_t width, std::uint32_t height, std::uint32_t cell, const Color& first,
               const Color& second);

// a + (b - a) * t per pixel, or with t read from the mask's red channel.
// Throws std::runtime_error when the sizes differ.
Pixmap Mix(const Pixmap& a, const Pixmap& b, float t);
Pixmap Mix(const Pixmap& a, const Pixmap& b, const Pixmap& mask);
// Every channel multiplied by the colour's.
Pixmap Tint(const Pixmap& pixmap, const Color& color);

} // namespace Tools
