#pragma once

#include "engine/core/Types.h"

#include <bit>

namespace Halvard {

// Numbers in the system's files are little-endian whatever the machine's own
// order is: these are the one place that turns bytes into numbers and back.
// The pointer must have the value's bytes behind it; nothing is checked.

constexpr u16 ReadLittleEndian16(const u8* bytes)
{
    return static_cast<u16>(bytes[0] | (bytes[1] << 8));
}

constexpr u32 ReadLittleEndian32(const u8* bytes)
{
    return static_cast<u32>(bytes[0]) | (static_cast<u32>(bytes[1]) << 8) | (static_cast<u32>(bytes[2]) << 16) |
           (static_cast<u32>(bytes[3]) << 24);
}

// An IEEE single stored as its 32 bits.
constexpr float ReadLittleEndianFloat(const u8* bytes) { return std::bit_cast<float>(ReadLittleEndian32(bytes)); }

constexpr void WriteLittleEndian32(u8* bytes, u32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<u8>(value >> (8 * i));
}

} // namespace Halvard
