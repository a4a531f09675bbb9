#include "tests/support/GoldenImage.h"

#include "engine/core/Image.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace Testing {

namespace {

std::string Picture(Halvard::u32 width, Halvard::u32 height, const std::vector<Halvard::u8>& pixels)
{
    std::string bytes = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    bytes.append(pixels.begin(), pixels.end());
    return bytes;
}

void Write(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

GoldenImage::GoldenImage(std::filesystem::path file, Halvard::u32 shrink, int tolerance)
    : file_(std::move(file)), shrink_(shrink), tolerance_(tolerance)
{
}

std::vector<Halvard::u8> GoldenImage::Shrink(const Halvard::Image& capture) const
{
    const Halvard::u32 bytesPerPixel = capture.GetBitsPerPixel() / 8;
    const Halvard::u32 width = capture.GetWidth() / shrink_;
    const Halvard::u32 height = capture.GetHeight() / shrink_;
    std::vector<Halvard::u8> out;
    out.reserve(static_cast<std::size_t>(width) * height * 3);
    // The capture's row 0 is the bottom one.
    for (Halvard::u32 y = height; y-- > 0;) {
        for (Halvard::u32 x = 0; x < width; ++x) {
            for (Halvard::u32 channel = 0; channel < 3; ++channel) {
                Halvard::u32 sum = 0;
                for (Halvard::u32 dy = 0; dy < shrink_; ++dy)
                    for (Halvard::u32 dx = 0; dx < shrink_; ++dx)
                        sum += capture.GetData()[(static_cast<std::size_t>(y * shrink_ + dy) * capture.GetWidth() +
                                                  x * shrink_ + dx) * bytesPerPixel + channel];
                out.push_back(static_cast<Halvard::u8>((sum + shrink_ * shrink_ / 2) / (shrink_ * shrink_)));
            }
        }
    }
    return out;
}

::testing::AssertionResult GoldenImage::Matches(const Halvard::Image& capture) const
{
    const std::vector<Halvard::u8> pixels = Shrink(capture);
    const std::string actual = Picture(capture.GetWidth() / shrink_, capture.GetHeight() / shrink_, pixels);
    const std::size_t header = actual.size() - pixels.size();
    if (std::getenv("TAMRISK_WRITE_GOLDEN") != nullptr)
        Write(file_, actual);
    std::ifstream in(file_, std::ios::binary);
    if (!in)
        return ::testing::AssertionFailure() << "no golden picture " << file_;
    const std::string golden((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::filesystem::path kept = std::filesystem::temp_directory_path() / file_.filename();
    if (golden.size() != actual.size() || golden.compare(0, header, actual, 0, header) != 0) {
        Write(kept, actual);
        return ::testing::AssertionFailure() << file_ << " has another size; the capture is in " << kept;
    }
    int worst = 0;
    std::size_t worstAt = 0;
    for (std::size_t i = header; i < actual.size(); ++i) {
        const int difference = std::abs(static_cast<int>(static_cast<Halvard::u8>(actual[i])) -
                                        static_cast<int>(static_cast<Halvard::u8>(golden[i])));
        if (difference > worst) {
            worst = difference;
            worstAt = i;
        }
    }
    if (worst <= tolerance_)
        return ::testing::AssertionSuccess();
    Write(kept, actual);
    return ::testing::AssertionFailure() << file_.filename() << " differs by " << worst << " at pixel " << (worstAt - header) / 3
                                         << " (tolerance " << tolerance_ << "); the capture is in " << kept;
}

} // namespace Testing
