#include "engine/render/IndexBuffer_D3D7.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Halvard;

TEST(IndexBufferTest, CapacityBelow65536Takes16BitIndicesAndFromItOn32)
{
    const IndexBuffer_D3D7 small(nullptr, 0, 65535);
    EXPECT_FALSE(small.Is32Bit());
    EXPECT_EQ(small.GetIndexSize(), 2u);
    const IndexBuffer_D3D7 large(nullptr, 0, 65536);
    EXPECT_TRUE(large.Is32Bit());
    EXPECT_EQ(large.GetIndexSize(), 4u);
    EXPECT_EQ(large.GetIndexCount(), 65536u);
}

TEST(IndexBufferTest, SixteenBitBufferKeepsTheLowBits)
{
    IndexBuffer_D3D7 buffer(nullptr, 0, 3);
    const u32 indices[] = {70000, 1, 2};
    buffer.SetIndices(0, 3, indices);
    u16 stored = 0;
    std::memcpy(&stored, buffer.GetData(), sizeof(stored));
    EXPECT_EQ(stored, 4464);
    EXPECT_FALSE(buffer.IsLocked());
}

TEST(IndexBufferTest, BoundsOfTheIndicesInUse)
{
    IndexBuffer_D3D7 buffer(nullptr, 0, 4);
    const u32 indices[] = {5, 9, 7, 100};
    buffer.SetIndices(0, 4, indices);
    buffer.SetIndexCount(3);
    EXPECT_EQ(buffer.GetMinIndex(), 5u);
    EXPECT_EQ(buffer.GetVertexRange(), 5u);
}

TEST(IndexBufferTest, NoIndicesInUseGiveZeroBounds)
{
    IndexBuffer_D3D7 buffer(nullptr, 0, 4);
    const u32 indices[] = {5, 9, 7, 1};
    buffer.SetIndices(0, 4, indices);
    buffer.SetIndexCount(0);
    EXPECT_EQ(buffer.GetMinIndex(), 0u);
    EXPECT_EQ(buffer.GetVertexRange(), 0u);
}

TEST(IndexBufferTest, BoundsAreScannedAgainAfterALock)
{
    IndexBuffer_D3D7 buffer(nullptr, 0, 2);
    const u32 first[] = {3, 4};
    buffer.SetIndices(0, 2, first);
    EXPECT_EQ(buffer.GetVertexRange(), 2u);
    u16* data = reinterpret_cast<u16*>(buffer.LockRange(1, 1));
    data[0] = 10;
    buffer.Unlock();
    EXPECT_EQ(buffer.GetMinIndex(), 3u);
    EXPECT_EQ(buffer.GetVertexRange(), 8u);
}

TEST(IndexBufferTest, CopyWithAnotherUsageKeepsSizeCountAndIndices)
{
    IndexBuffer_D3D7 source(nullptr, 1, 70000);
    const u32 indices[] = {123456, 2};
    source.SetIndices(0, 2, indices);
    source.SetIndexCount(2);
    IndexBuffer_D3D7 copy(nullptr, 0, source);
    EXPECT_EQ(copy.GetUsage(), 0u);
    EXPECT_TRUE(copy.Is32Bit());
    EXPECT_EQ(copy.GetCapacity(), 70000u);
    EXPECT_EQ(copy.GetIndexCount(), 2u);
    EXPECT_EQ(copy.GetMinIndex(), 2u);
    EXPECT_EQ(copy.GetVertexRange(), 123455u);
}
