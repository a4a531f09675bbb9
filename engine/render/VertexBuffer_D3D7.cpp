#include "engine/render/VertexBuffer_D3D7.h"

#include <cstddef>
#include <cstring>

namespace Halvard {

namespace {

constexpr float kByteToFloat = 0.003921569f;

u32 ToByte(float c)
{
    if (c >= 1.0f)
        return 255;
    // A component that is no number (a damaged description's colour) packs
    // as 0, like one below the range: converting it would be undefined.
    if (!(c > 0.0f))
        return 0;
    return static_cast<u32>(c * 255.0f + 0.5f);
}

} // namespace

VertexBuffer_D3D7::VertexBuffer_D3D7(RenderSystem_D3D7* renderSystem, u32 usage, bool hasColor, u32 vertexCount)
    : VertexBuffer(usage, hasColor, vertexCount), renderSystem_(renderSystem)
{
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
}

VertexBuffer_D3D7::VertexBuffer_D3D7(RenderSystem_D3D7* renderSystem, u32 usage, bool hasColor,
                                     const VertexBuffer& source)
    : VertexBuffer(usage, hasColor, source.GetVertexCount()), renderSystem_(renderSystem)
{
    ConvertFrom(source);
}

VertexBuffer_D3D7::VertexBuffer_D3D7(RenderSystem_D3D7* renderSystem, const VertexBuffer& source)
    : VertexBuffer(source.GetUsage(), source.HasColor(), source.GetVertexCount()), renderSystem_(renderSystem)
{
    u8* data = LockRange(0, GetVertexCount());
    std::memcpy(data, source.GetData(), static_cast<std::size_t>(GetStride()) * GetVertexCount());
    Unlock();
}

void VertexBuffer_D3D7::ConvertFrom(const VertexBuffer& source)
{
    const u32 count = GetVertexCount();
    u8* data = LockRange(0, count);
    const u8* from = source.GetData();
    if (source.HasColor() == HasColor()) {
        std::memcpy(data, from, static_cast<std::size_t>(GetStride()) * count);
        Unlock();
        return;
    }
    for (u32 i = 0; i < count; ++i) {
        const u8* in = from + static_cast<std::size_t>(source.GetStride()) * i;
        u8* out = data + static_cast<std::size_t>(GetStride()) * i;
        std::memcpy(out, in, offsetof(PlainVertex, u));
        const std::size_t inUV = source.HasColor() ? offsetof(ColoredVertex, u) : offsetof(PlainVertex, u);
        const std::size_t outUV = HasColor() ? offsetof(ColoredVertex, u) : offsetof(PlainVertex, u);
        std::memcpy(out + outUV, in + inUV, 2 * sizeof(float));
    }
    Unlock();
    if (HasColor())
        SetColor(1.0f, 1.0f, 1.0f, 1.0f);
}

Vector4 VertexBuffer_D3D7::UnpackColor(u32 packed) const
{
    return Vector4(static_cast<float>((packed >> 16) & 0xFF) * kByteToFloat,
                   static_cast<float>((packed >> 8) & 0xFF) * kByteToFloat,
                   static_cast<float>(packed & 0xFF) * kByteToFloat,
                   static_cast<float>((packed >> 24) & 0xFF) * kByteToFloat);
}

u32 VertexBuffer_D3D7::PackColor(float r, float g, float b, float a) const
{
    return (ToByte(a) << 24) | (ToByte(r) << 16) | (ToByte(g) << 8) | ToByte(b);
}

u32 VertexBuffer_D3D7::SetColorAlpha(u32 packed, float alpha) const
{
    return (packed & 0x00FFFFFFu) | (ToByte(alpha) << 24);
}

} // namespace Halvard
