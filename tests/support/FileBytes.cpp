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

} // namespace Testing
