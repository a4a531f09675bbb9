#include "engine/render/VertexBuffer.h"

#include <cstddef>
#include <cstring>

namespace Halvard {

VertexBuffer::VertexBuffer(u32 usage, bool hasColor, u32 vertexCount)
    : usage_(usage), hasColor_(hasColor ? 1 : 0), stride_(hasColor ? sizeof(ColoredVertex) : sizeof(PlainVertex)),
      vertexCount_(vertexCount),
      data_(std::make_unique_for_overwrite<u8[]>(static_cast<std::size_t>(stride_) * vertexCount))
{
}

VertexBuffer::~VertexBuffer() = default;

void VertexBuffer::Unlock()
{
    locked_ = 0;
    version_.Touch();
}

void VertexBuffer::ReservedSlot2() {}

u8* VertexBuffer::LockRange(u32 first, u32 count)
{
    locked_ = 1;
    lockFirst_ = first;
    lockCount_ = count;
    version_.Touch();
    return data_.get() + static_cast<std::size_t>(stride_) * first;
}

u32 VertexBuffer::ReadColor(u32 vertex) const
{
    u32 color = 0;
    std::memcpy(&color, data_.get() + static_cast<std::size_t>(stride_) * vertex + offsetof(ColoredVertex, color),
                sizeof(color));
    return color;
}

Vector4 VertexBuffer::GetColor(u32 vertex) const
{
    if (hasColor_ == 0)
        return Vector4(1.0f, 1.0f, 1.0f, 1.0f);
    return UnpackColor(ReadColor(vertex));
}

float VertexBuffer::GetAlpha(u32 vertex) const
{
    if (hasColor_ == 0)
        return 1.0f;
    return UnpackColor(ReadColor(vertex)).w;
}

void VertexBuffer::SetColor(float r, float g, float b, float a)
{
    if (hasColor_ == 0)
        return;
    const u32 color = PackColor(r, g, b, a);
    ColoredVertex* vertices = Lock<ColoredVertex>(0, vertexCount_);
    for (u32 i = 0; i < vertexCount_; ++i)
        vertices[i].color = color;
    Unlock();
}

void VertexBuffer::SetAlpha(float alpha)
{
    if (hasColor_ == 0)
        return;
    ColoredVertex* vertices = Lock<ColoredVertex>(0, vertexCount_);
    for (u32 i = 0; i < vertexCount_; ++i)
        vertices[i].color = SetColorAlpha(vertices[i].color, alpha);
    Unlock();
}

} // namespace Halvard
