#include "engine/render/VertexBuffer_D3D7.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Halvard;

namespace {

u32 ColorBytes(const ColoredVertex& vertex) { return vertex.color; }

} // namespace

TEST(VertexBufferTest, StrideFollowsTheColourFlag)
{
    EXPECT_EQ(VertexBuffer_D3D7(nullptr, 0, false, 4).GetStride(), 32u);
    EXPECT_EQ(VertexBuffer_D3D7(nullptr, 0, true, 4).GetStride(), 36u);
}

TEST(VertexBufferTest, NewColouredBufferIsWhiteInEveryByte)
{
    VertexBuffer_D3D7 buffer(nullptr, 1, true, 3);
    const ColoredVertex* vertices = buffer.Lock<ColoredVertex>(0, 3);
    for (u32 i = 0; i < 3; ++i)
        EXPECT_EQ(ColorBytes(vertices[i]), 0xFFFFFFFFu);
}

TEST(VertexBufferTest, PackingClampsAndRoundsEachComponent)
{
    const VertexBuffer_D3D7 buffer(nullptr, 0, true, 1);
    const u32 packed = buffer.PackColor(1.0f, 0.5f, 0.0f, -0.2f);
    EXPECT_EQ(packed >> 24, 0u);
    EXPECT_EQ((packed >> 16) & 0xFF, 255u);
    EXPECT_EQ((packed >> 8) & 0xFF, 128u);
    EXPECT_EQ(packed & 0xFF, 0u);
    EXPECT_EQ(buffer.PackColor(2.0f, 2.0f, 2.0f, 2.0f), 0xFFFFFFFFu);
}

TEST(VertexBufferTest, AComponentThatIsNoNumberPacksAsZero)
{
    const VertexBuffer_D3D7 buffer(nullptr, 0, true, 1);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(buffer.PackColor(nan, 1.0f, nan, 1.0f), 0xFF00FF00u);
    EXPECT_EQ(buffer.PackColor(1.0f, 1.0f, 1.0f, -nan), 0x00FFFFFFu);
}

TEST(VertexBufferTest, UnpackingScalesEachByteBy1Over255)
{
    const VertexBuffer_D3D7 buffer(nullptr, 0, true, 1);
    const Vector4 color = buffer.UnpackColor(0xFF8000FFu);
    EXPECT_NEAR(color.x, 0.502f, 0.001f);
    EXPECT_FLOAT_EQ(color.y, 0.0f);
    EXPECT_FLOAT_EQ(color.z, 1.0f);
    EXPECT_FLOAT_EQ(color.w, 1.0f);
}

TEST(VertexBufferTest, SetColorAlphaKeepsRedGreenAndBlue)
{
    const VertexBuffer_D3D7 buffer(nullptr, 0, true, 1);
    EXPECT_EQ(buffer.SetColorAlpha(0x12345678u, 0.5f), 0x80345678u);
}

TEST(VertexBufferTest, PlainBufferReadsWhiteAndIgnoresColourWrites)
{
    VertexBuffer_D3D7 buffer(nullptr, 0, false, 2);
    PlainVertex* vertices = buffer.Lock<PlainVertex>(0, 2);
    vertices[0] = PlainVertex{1, 2, 3, 4, 5, 6, 7, 8};
    vertices[1] = vertices[0];
    buffer.Unlock();
    buffer.SetColor(0.0f, 0.0f, 0.0f, 0.0f);
    buffer.SetAlpha(0.0f);
    EXPECT_EQ(buffer.GetColor(1), Vector4(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_FLOAT_EQ(buffer.GetAlpha(1), 1.0f);
    EXPECT_FLOAT_EQ(buffer.Lock<PlainVertex>(0, 2)[1].u, 7.0f);
}

TEST(VertexBufferTest, ColourWritesReachEveryVertexAndLeaveTheBufferUnlocked)
{
    VertexBuffer_D3D7 buffer(nullptr, 0, true, 3);
    buffer.SetColor(1.0f, 0.0f, 0.0f, 1.0f);
    buffer.SetAlpha(0.0f);
    EXPECT_FALSE(buffer.IsLocked());
    EXPECT_EQ(buffer.GetColor(2), Vector4(1.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(buffer.GetAlpha(0), 0.0f);
}

TEST(VertexBufferTest, LockRecordsTheRangeAndPointsAtTheFirstVertex)
{
    VertexBuffer_D3D7 buffer(nullptr, 0, true, 10);
    u8* data = buffer.LockRange(4, 3);
    EXPECT_EQ(data, buffer.GetData() + 4 * 36);
    EXPECT_TRUE(buffer.IsLocked());
    EXPECT_EQ(buffer.GetLockFirst(), 4u);
    EXPECT_EQ(buffer.GetLockCount(), 3u);
}

TEST(VertexBufferTest, ConvertingColouredToPlainAndBackKeepsGeometryAndMakesColoursWhite)
{
    VertexBuffer_D3D7 coloured(nullptr, 3, true, 2);
    ColoredVertex* vertices = coloured.Lock<ColoredVertex>(0, 2);
    vertices[0] = ColoredVertex{1, 2, 3, 0, 1, 0, 0x11223344u, 0.25f, 0.75f};
    vertices[1] = ColoredVertex{4, 5, 6, 1, 0, 0, 0x55667788u, 0.5f, 1.0f};
    coloured.Unlock();

    const VertexBuffer_D3D7 plain(nullptr, 2, false, coloured);
    EXPECT_EQ(plain.GetUsage(), 2u);
    EXPECT_EQ(plain.GetStride(), 32u);
    VertexBuffer_D3D7 back(nullptr, 3, true, plain);
    const ColoredVertex* result = back.Lock<ColoredVertex>(0, 2);
    EXPECT_FLOAT_EQ(result[1].x, 4.0f);
    EXPECT_FLOAT_EQ(result[1].nx, 1.0f);
    EXPECT_FLOAT_EQ(result[0].u, 0.25f);
    EXPECT_FLOAT_EQ(result[0].v, 0.75f);
    EXPECT_EQ(result[0].color, 0xFFFFFFFFu);
    EXPECT_EQ(result[1].color, 0xFFFFFFFFu);
}

TEST(VertexBufferTest, CloneCopiesLayoutUsageAndBytes)
{
    VertexBuffer_D3D7 source(nullptr, 1, true, 2);
    source.SetColor(0.0f, 1.0f, 0.0f, 1.0f);
    const VertexBuffer_D3D7 clone(nullptr, source);
    EXPECT_EQ(clone.GetUsage(), 1u);
    EXPECT_TRUE(clone.HasColor());
    EXPECT_EQ(clone.GetColor(1), Vector4(0.0f, 1.0f, 0.0f, 1.0f));
}
