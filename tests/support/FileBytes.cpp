#include "tests/support/FileBytes.h"

#include <bit>
#include <stdexcept>

namespace Testing {

std::uint32_t UIntAt(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = (value << 8) | bytes.at(at + i);
    return value;
}

float FloatAt(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return std::bit_cast<float>(UIntAt(bytes, at));
}

std::string TextAt(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t count)
{
    if (at + count > bytes.size())
        throw std::out_of_range("text beyond the bytes");
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                       bytes.begin() + static_cast<std::ptrdiff_t>(at + count));
}

std::vector<std::uint8_t> BytesOf(const std::string& text) { return std::vector<std::uint8_t>(text.begin(), text.end()); }

std::string TextOf(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

Tools::PackEntry TextEntry(const std::string& name, const std::string& contents) { return {name, BytesOf(contents)}; }

std::vector<std::uint8_t> ImageBytes(const Halvard::Image& image)
{
    return std::vector<std::uint8_t>(image.GetData(), image.GetData() + image.GetByteSize());
}

std::vector<std::uint8_t> PixelBytes(const Halvard::Image& image, Halvard::u32 x, Halvard::u32 y)
{
    const std::size_t bytes = image.GetBitsPerPixel() / 8;
    const std::size_t at = (static_cast<std::size_t>(y) * image.GetWidth() + x) * bytes;
    if (at + bytes > image.GetByteSize())
        throw std::out_of_range("pixel beyond the image");
    return std::vector<std::uint8_t>(image.GetData() + at, image.GetData() + at + bytes);
}

} // namespace Testing
