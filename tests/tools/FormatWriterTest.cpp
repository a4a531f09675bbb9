#include "tests/tools/ReadBack.h"
#include "tools/ImageWriter.h"
#include "tools/SoundWriter.h"
#include "tools/data_builder/generators/image/ImagePatterns.h"
#include "tools/data_builder/generators/image/PixmapFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <stdexcept>

using namespace Tools;
using Testing::LoadImage;
using Testing::ReadSound;

namespace {

// Four quadrants of 8 x 8 pixels in distinct colours, alpha varying: each
// quadrant fills whole JPEG blocks, so even the lossy file keeps its colours.
Pixmap Quadrants()
{
    const Color colours[4] = {{1.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f, 0.5f}, {0.0f, 0.0f, 1.0f, 0.25f},
                              {1.0f, 1.0f, 1.0f, 0.0f}};
    Pixmap pixmap(16, 16);
    for (std::uint32_t y = 0; y < 16; ++y)
        for (std::uint32_t x = 0; x < 16; ++x)
            pixmap.At(x, y) = colours[(y / 8) * 2 + x / 8];
    return pixmap;
}

struct ImageCase {
    const char* name;
    std::function<std::string(const Pixmap&)> write;
    std::uint32_t bitsPerPixel;
    int tolerance;
};

std::vector<std::int16_t> Tone(std::size_t count, std::uint32_t channels)
{
    std::vector<std::int16_t> samples;
    for (std::size_t i = 0; i < count * channels; ++i)
        samples.push_back(static_cast<std::int16_t>(9000.0 * std::sin(0.03 * static_cast<double>(i / channels))));
    return samples;
}

} // namespace

TEST(FormatWriters, EveryImageFormatLoadsBackWithItsPixelsBottomRowFirst)
{
    const Pixmap corners = Quadrants();
    const std::vector<ImageCase> cases = {
        {"pic.bmp", PixmapToBmp, 24, 0},
        {"pic.tga", [](const Pixmap& p) { return PixmapToTga(p, Pixmap::Alpha::Without); }, 24, 0},
        {"alpha.tga", [](const Pixmap& p) { return PixmapToTga(p, Pixmap::Alpha::With); }, 32, 0},
        // Lossy: the colours come back only roughly, but in place.
        {"pic.jpg", [](const Pixmap& p) { return PixmapToJpeg(p, 100); }, 24, 40},
    };
    for (const ImageCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Testing::LoadedImage image = LoadImage(c.name, c.write(corners));
        ASSERT_TRUE(image.loaded);
        EXPECT_EQ(image.width, 16u);
        EXPECT_EQ(image.height, 16u);
        ASSERT_EQ(image.bitsPerPixel, c.bitsPerPixel);
        const std::vector<std::uint8_t> expected =
            corners.Bytes(Pixmap::Order::Rgb, c.bitsPerPixel == 32 ? Pixmap::Alpha::With : Pixmap::Alpha::Without);
        ASSERT_EQ(image.bytes.size(), expected.size());
        if (c.tolerance == 0) {
            EXPECT_EQ(image.bytes, expected);
            continue;
        }
        // Lossy: the middle of each quadrant, away from the ringing at its edges.
        const std::size_t pixelSize = c.bitsPerPixel / 8;
        for (const std::size_t pixel : {4 * 16 + 4, 4 * 16 + 12, 12 * 16 + 4, 12 * 16 + 12})
            for (std::size_t i = pixel * pixelSize; i < (pixel + 1) * pixelSize; ++i)
                EXPECT_LE(std::abs(image.bytes[i] - expected[i]), c.tolerance) << "byte " << i;
    }
}

// The opacity picture beside a JPEG: one grey byte a pixel, the alpha.
TEST(FormatWriters, AnAlphaJpegLoadsBackAsTheGreyOfTheAlpha)
{
    const Testing::LoadedImage image = LoadImage("alpha.jpg", PixmapAlphaToJpeg(Quadrants(), 100));
    ASSERT_TRUE(image.loaded);
    ASSERT_EQ(image.bitsPerPixel, 8u);
    ASSERT_EQ(image.bytes.size(), 16u * 16u);
    const int expected[] = {255, 128, 64, 0};
    const std::size_t middles[] = {4 * 16 + 4, 4 * 16 + 12, 12 * 16 + 4, 12 * 16 + 12};
    for (std::size_t quadrant = 0; quadrant < 4; ++quadrant)
        EXPECT_NEAR(image.bytes[middles[quadrant]], expected[quadrant], 8) << quadrant;
}

TEST(FormatWriters, ImageWritersRefuseTooFewPixelBytes)
{
    EXPECT_THROW(BmpFile(4, 4, 24, std::vector<std::uint8_t>(47)), std::runtime_error);
    EXPECT_THROW(JpegFile(4, 4, 3, std::vector<std::uint8_t>(47)), std::runtime_error);
    EXPECT_THROW(JpegFile(1, 1, 4, std::vector<std::uint8_t>(4)), std::runtime_error);
}

TEST(FormatWriters, WavFileReadsBackSampleForSample)
{
    const std::vector<std::int16_t> tone = Tone(500, 2);
    const Testing::DecodedSound sound = ReadSound("tone.wav", MakeWav(2, 11025, 16, Pcm16(tone)));
    EXPECT_EQ(sound.channels, 2u);
    EXPECT_EQ(sound.rate, 11025u);
    EXPECT_EQ(sound.bits, 16u);
    EXPECT_EQ(sound.samples, tone);
}

TEST(FormatWriters, OggFileDecodesToEveryFrameCloseToWhatWentInAndEncodesAlikeTwice)
{
    const std::vector<std::int16_t> tone = Tone(30000, 2);
    const std::string ogg = EncodeOgg(2, 44100, tone);
    EXPECT_EQ(ogg, EncodeOgg(2, 44100, tone));
    const Testing::DecodedSound sound = ReadSound("tone.ogg", ogg);
    EXPECT_EQ(sound.channels, 2u);
    EXPECT_EQ(sound.rate, 44100u);
    ASSERT_EQ(sound.samples.size(), tone.size());
    for (std::size_t i = 10000; i < 10010; ++i)
        EXPECT_NEAR(sound.samples[i], tone[i], 600);
    EXPECT_THROW(EncodeOgg(0, 44100, tone), std::runtime_error);
}
