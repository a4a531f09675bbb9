#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "engine/render/BufferVersion.h"

#include <memory>

namespace Halvard {

// The 32-byte vertex of a buffer without colours.
struct PlainVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};

// The 36-byte vertex of a buffer with colours; the colour is packed A8R8G8B8.
struct ColoredVertex {
    float x, y, z;
    float nx, ny, nz;
    u32 color;
    float u, v;
};

static_assert(sizeof(PlainVertex) == 32 && sizeof(ColoredVertex) == 36);

// An array of fixed-layout vertices in ordinary memory, filled through a lock
// and drawn in place: nothing is uploaded anywhere, so a buffer may be made
// and filled on any thread. Locks are recorded but never refused, and ranges
// are the caller's to keep within the vertex count.
class VertexBuffer {
public:
    VertexBuffer(u32 usage, bool hasColor, u32 vertexCount);
    VertexBuffer(const VertexBuffer&) = delete;
    VertexBuffer& operator=(const VertexBuffer&) = delete;
    virtual ~VertexBuffer();

    virtual void Unlock();
    // The render system calls it before every draw of the buffer.
    virtual void ReservedSlot2();
    virtual Vector4 UnpackColor(u32 packed) const = 0;
    virtual u32 PackColor(float r, float g, float b, float a) const = 0;
    virtual u32 SetColorAlpha(u32 packed, float alpha) const = 0;
    virtual u8* LockRange(u32 first, u32 count);

    // Vertex is PlainVertex or ColoredVertex, as the buffer's layout is.
    template <class Vertex>
    Vertex* Lock(u32 first, u32 count)
    {
        return reinterpret_cast<Vertex*>(LockRange(first, count));
    }

    // White and 1 for a buffer without colours.
    Vector4 GetColor(u32 vertex) const;
    float GetAlpha(u32 vertex) const;
    // Every vertex; nothing for a buffer without colours.
    void SetColor(float r, float g, float b, float a);
    void SetAlpha(float alpha);

    u32 GetUsage() const { return usage_; }
    bool HasColor() const { return hasColor_ != 0; }
    u32 GetStride() const { return stride_; }
    u32 GetVertexCount() const { return vertexCount_; }
    const u8* GetData() const { return data_.get(); }
    bool IsLocked() const { return locked_ != 0; }
    u32 GetLockFirst() const { return lockFirst_; }
    u32 GetLockCount() const { return lockCount_; }
    const BufferVersion& GetVersion() const { return version_; }

private:
    u32 ReadColor(u32 vertex) const;

    u32 usage_;
    u32 hasColor_;
    u32 stride_;
    u32 vertexCount_;
    std::unique_ptr<u8[]> data_;
    u32 locked_ = 0;
    u32 lockFirst_ = 0;
    u32 lockCount_ = 0;
    BufferVersion version_;
};

} // namespace Halvard
