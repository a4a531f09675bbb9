#include "engine/core/LittleEndian.h"

#include <gtest/gtest.h>

namespace {

using namespace Halvard;

TEST(LittleEndianTest, LowByteComesFirstWhateverTheMachine)
{
    const u8 bytes[] = {0x01, 0x02, 0x03, 0x84};
    EXPECT_EQ(ReadLittleEndian16(bytes), 0x0201u);
    EXPECT_EQ(ReadLittleEndian16(bytes + 2), 0x8403u);
    EXPECT_EQ(ReadLittleEndian32(bytes), 0x84030201u);
    const u8 one[] = {0x00, 0x00, 0x80, 0x3F};
    const u8 minusHalf[] = {0x00, 0x00, 0x00, 0xBF};
    EXPECT_EQ(ReadLittleEndianFloat(one), 1.0f);
    EXPECT_EQ(ReadLittleEndianFloat(minusHalf), -0.5f);
}

TEST(LittleEndianTest, WrittenNumbersReadBack)
{
    for (u32 value : {0u, 1u, 0x80u, 0x12345678u, 0xFFFFFFFFu}) {
        u8 bytes[4] = {};
        WriteLittleEndian32(bytes, value);
        EXPECT_EQ(bytes[0], value & 0xFF) << value;
        EXPECT_EQ(ReadLittleEndian32(bytes), value);
    }
}

} // namespace
