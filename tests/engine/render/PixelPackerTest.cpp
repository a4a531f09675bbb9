#include "engine/render/PixelPacker.h"

#include "tests/support/FakeVideoSystem.h"

#include <gtest/gtest.h>

using namespace Halvard;
using Testing::FakeVideoSystem;

TEST(PixelPacker, ThirtyTwoBitFormatTakesWholeBytes)
{
    const PixelPacker packer(FakeVideoSystem::TextureFormat(32, 0xFF000000u, 0x00FF0000u, 0x0000FF00u, 0x000000FFu));
    EXPECT_EQ(packer.Pack(0x12, 0x34, 0x56, 0x78), 0x78123456u);
}

TEST(PixelPacker, NarrowChannelsKeepTheirTopBits)
{
    const PixelPacker packer(FakeVideoSystem::TextureFormat(16, 0, 0xF800u, 0x07E0u, 0x001Fu));
    EXPECT_EQ(packer.Pack(255, 255, 255, 255), 0xFFFFu);
    EXPECT_EQ(packer.Pack(0x80, 0x40, 0x20, 0), (16u << 11) | (16u << 5) | 4u);
}

TEST(PixelPacker, ChannelWithoutMaskIsLeftOut)
{
    const PixelPacker packer(FakeVideoSystem::TextureFormat(32, 0, 0x00FF0000u, 0x0000FF00u, 0x000000FFu));
    EXPECT_EQ(packer.Pack(1, 2, 3, 255), 0x010203u);
    const PixelPacker fourBits(FakeVideoSystem::TextureFormat(16, 0xF000u, 0x0F00u, 0x00F0u, 0x000Fu));
    EXPECT_EQ(fourBits.Pack(0xFF, 0x7F, 0x10, 0x80), 0x8F71u);
}

TEST(PixelPacker, StoresThirtyTwoOrSixteenBitsLittleEndian)
{
    u8 out[4] = {0, 0, 0, 0};
    const PixelPacker wide(FakeVideoSystem::TextureFormat(32, 0xFF000000u, 0x00FF0000u, 0x0000FF00u, 0x000000FFu));
    EXPECT_EQ(wide.Store(0x11223344u, out), 4u);
    EXPECT_EQ(out[0], 0x44);
    EXPECT_EQ(out[3], 0x11);
    const PixelPacker narrow(FakeVideoSystem::TextureFormat(16, 0, 0xF800u, 0x07E0u, 0x001Fu));
    out[2] = 0xAA;
    EXPECT_EQ(narrow.Store(0xABCD, out), 2u);
    EXPECT_EQ(out[0], 0xCD);
    EXPECT_EQ(out[1], 0xAB);
    EXPECT_EQ(out[2], 0xAA);
}
