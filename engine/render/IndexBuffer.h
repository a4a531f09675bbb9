#pragma once

#include "engine/core/Types.h"
#include "engine/render/BufferVersion.h"

#include <memory>

namespace Halvard {

// An array of vertex indices in ordinary memory, drawn in place like the
// vertex buffers. A capacity of 65536 or more takes 32-bit indices, a smaller
// one 16-bit indices; the choice is made once, at construction. The smallest
// index and the vertex range are cached and scanned again only after a lock
// or a change of the index count.
class IndexBuffer {
public:
    static constexpr u32 kLargeCapacity = 0x10000;

    IndexBuffer(u32 usage, u32 capacity);
    // The source's index size, capacity, count and cached bounds; new
    // contents.
    IndexBuffer(u32 usage, const IndexBuffer& source);
    IndexBuffer(const IndexBuffer&) = delete;
    IndexBuffer& operator=(const IndexBuffer&) = delete;
    virtual ~IndexBuffer();

    // Ranges are the caller's to keep within the capacity.
    virtual u8* LockRange(u32 first, u32 count);
    virtual void Unlock();
    // The render system calls it before every draw of the buffer.
    virtual void ReservedSlot3();

    // A 16-bit buffer keeps the low 16 bits of each index.
    void SetIndices(u32 first, u32 count, const u32* indices);
    // The caller keeps the count within the capacity.
    void SetIndexCount(u32 count);
    u32 GetMinIndex();
    // Largest index - smallest index + 1; 0 without indices.
    u32 GetVertexRange();
    void UpdateIndexBounds();

    u32 GetUsage() const { return usage_; }
    bool Is32Bit() const { return is32Bit_ != 0; }
    u32 GetIndexSize() const { return indexSize_; }
    u32 GetCapacity() const { return capacity_; }
    u32 GetIndexCount() const { return indexCount_; }
    const u8* GetData() const { return data_.get(); }
    bool IsLocked() const { return locked_ != 0; }
    u32 GetLockFirst() const { return lockFirst_; }
    u32 GetLockCount() const { return lockCount_; }
    const BufferVersion& GetVersion() const { return version_; }

    // At the buffer's own width.
    u32 ReadIndex(u32 position) const;

private:

    u32 usage_;
    u32 is32Bit_;
    u32 indexSize_;
    u32 capacity_;
    u32 indexCount_;
    std::unique_ptr<u8[]> data_;
    u32 locked_ = 0;
    u32 lockFirst_ = 0;
    u32 lockCount_ = 0;
    BufferVersion version_;
    u32 boundsDirty_ = 1;
    u32 minIndex_ = 0;
    u32 vertexRange_ = 0;
};

} // namespace Halvard
