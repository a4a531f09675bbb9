#include "tools/data_builder/generators/image/ImagePatterns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace Tools;

namespace {

const Color kBlack{0.0f, 0.0f, 0.0f, 1.0f};
const Color kWhite{1.0f, 1.0f, 1.0f, 1.0f};

std::vector<std::uint8_t> Bytes(const Pixmap& pixmap) { return pixmap.Bytes(Pixmap::Order::Rgb, Pixmap::Alpha::With); }

// The largest difference of red between a row or column and its neighbour,
// the pair across the wrap included.
float LargestStep(const Pixmap& p, bool acrossColumns)
{
    float largest = 0.0f;
    const std::uint32_t count = acrossColumns ? p.Width() : p.Height();
    for (std::uint32_t i = 0; i < count; ++i)
        for (std::uint32_t j = 0; j < (acrossColumns ? p.Height() : p.Width()); ++j) {
            const std::uint32_t next = (i + 1) % count;
            const float a = acrossColumns ? p.At(i, j).r : p.At(j, i).r;
            const float b = acrossColumns ? p.At(next, j).r : p.At(j, next).r;
            largest = std::max(largest, std::abs(a - b));
        }
    return largest;
}

// The step across the wrap only.
float WrapStep(const Pixmap& p)
{
    float largest = 0.0f;
    for (std::uint32_t y = 0; y < p.Height(); ++y)
        largest = std::max(largest, std::abs(p.At(0, y).r - p.At(p.Width() - 1, y).r));
    return largest;
}

} // namespace

TEST(ImagePatterns, NoiseIsTheSameForOneSeedDifferentForAnotherAndTilesSmoothly)
{
    const NoiseSettings settings{32, 32, 7, 4, 3, 0.5f};
    const Pixmap noise = Noise(settings, kBlack, kWhite);
    EXPECT_EQ(Bytes(noise), Bytes(Noise(settings, kBlack, kWhite)));
    NoiseSettings other = settings;
    other.seed = 8;
    EXPECT_NE(Bytes(noise), Bytes(Noise(other, kBlack, kWhite)));
    // Across the edge the picture runs on as it does inside.
    EXPECT_LE(WrapStep(noise), LargestStep(noise, true));
    EXPECT_LT(LargestStep(noise, true), 0.35f);
    EXPECT_LT(LargestStep(noise, false), 0.35f);
}

TEST(ImagePatterns, ShapesPutTheirColoursWhereTheySay)
{
    const Pixmap horizontal = Gradient(5, 3, GradientShape::Horizontal, kBlack, kWhite);
    EXPECT_FLOAT_EQ(horizontal.At(0, 1).r, 0.0f);
    EXPECT_FLOAT_EQ(horizontal.At(2, 1).r, 0.5f);
    EXPECT_FLOAT_EQ(horizontal.At(4, 1).r, 1.0f);
    const Pixmap radial = Gradient(5, 5, GradientShape::Radial, kBlack, kWhite);
    EXPECT_FLOAT_EQ(radial.At(2, 2).r, 0.0f);
    EXPECT_NEAR(radial.At(0, 0).r, 1.0f, 1e-5f);

    const Pixmap glow = Glow(16, kWhite, 2.0f);
    EXPECT_GT(glow.At(8, 8).a, 0.8f);
    EXPECT_FLOAT_EQ(glow.At(0, 0).a, 0.0f);
    EXPECT_LT(glow.At(12, 8).a, glow.At(10, 8).a);

    const Pixmap checker = Checker(4, 4, 2, kBlack, kWhite);
    EXPECT_FLOAT_EQ(checker.At(1, 1).r, 0.0f);
    EXPECT_FLOAT_EQ(checker.At(2, 1).r, 1.0f);
    EXPECT_FLOAT_EQ(checker.At(2, 2).r, 0.0f);
}

TEST(ImagePatterns, BricksHaveJointsAtTheirEdgesAndShiftEverySecondCourse)
{
    BrickSettings settings;
    settings.width = 32;
    settings.height = 16;
    settings.rows = 2;
    settings.columns = 2;
    settings.mortar = 1;
    settings.variation = 0.0f;
    const Pixmap bricks = Bricks(settings);
    const float joint = settings.joint.r;
    const float brick = settings.brick.r;
    EXPECT_FLOAT_EQ(bricks.At(5, 0).r, joint);   // bed joint
    EXPECT_FLOAT_EQ(bricks.At(16, 4).r, joint);  // head joint of the first course
    EXPECT_FLOAT_EQ(bricks.At(16, 12).r, brick); // the second course is shifted
    EXPECT_FLOAT_EQ(bricks.At(8, 12).r, joint);
    EXPECT_FLOAT_EQ(bricks.At(5, 4).r, brick);
}

TEST(ImagePatterns, MixAndTintWorkPerPixelAndRefuseDifferentSizes)
{
    const Pixmap black(2, 2, kBlack);
    const Pixmap white(2, 2, kWhite);
    EXPECT_FLOAT_EQ(Mix(black, white, 0.25f).At(1, 1).g, 0.25f);
    const Pixmap mask = Checker(2, 2, 1, kBlack, kWhite);
    const Pixmap masked = Mix(black, white, mask);
    EXPECT_FLOAT_EQ(masked.At(0, 0).r, 0.0f);
    EXPECT_FLOAT_EQ(masked.At(1, 0).r, 1.0f);
    const Pixmap tinted = Tint(white, {0.5f, 0.25f, 1.0f, 0.5f});
    EXPECT_FLOAT_EQ(tinted.At(0, 1).g, 0.25f);
    EXPECT_FLOAT_EQ(tinted.At(0, 1).a, 0.5f);
    EXPECT_THROW(Mix(black, Pixmap(3, 2), 0.5f), std::runtime_error);
    EXPECT_THROW(Pixmap(0, 4), std::runtime_error);
}
