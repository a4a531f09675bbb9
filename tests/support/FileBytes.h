#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Testing {

// Reading back what the data writers wrote, little-endian. Out-of-range
// offsets throw std::out_of_range rather than read past the bytes.
std::uint32_t UIntAt(const std::vector<std::uint8_t>& bytes, std::size_t at);
float FloatAt(const std::vector<std::uint8_t>& bytes, std::size_t at);
std::string TextAt(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t count);

} // namespace Testing
