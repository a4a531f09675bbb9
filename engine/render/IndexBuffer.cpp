#include "engine/render/IndexBuffer.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace Halvard {

IndexBuffer::IndexBuffer(u32 usage, u32 capacity)
    : usage_(usage), is32Bit_(capacity >= kLargeCapacity ? 1 : 0), indexSize_(capacity >= kLargeCapacity ? 4 : 2),
      capacity_(capacity), indexCount_(capacity),
      data_(std::make_unique_for_overwrite<u8[]>(static_cast<std::size_t>(capacity) * indexSize_))
{
}

IndexBuffer::IndexBuffer(u32 usage, const IndexBuffer& source)
    : usage_(usage), is32Bit_(source.is32Bit_), indexSize_(source.indexSize_), capacity_(source.capacity_),
      indexCount_(source.indexCount_),
      data_(std::make_unique_for_overwrite<u8[]>(static_cast<std::size_t>(capacity_) * indexSize_)),
      boundsDirty_(source.boundsDirty_), minIndex_(source.minIndex_), vertexRange_(source.vertexRange_)
{
}

IndexBuffer::~IndexBuffer() = default;

u8* IndexBuffer::LockRange(u32 first, u32 count)
{
    locked_ = 1;
    lockFirst_ = first;
    lockCount_ = count;
    version_.Touch();
    boundsDirty_ = 1;
    return data_.get() + static_cast<std::size_t>(indexSize_) * first;
}

void IndexBuffer::Unlock()
{
    locked_ = 0;
    version_.Touch();
}

void IndexBuffer::ReservedSlot3() {}

void IndexBuffer::SetIndices(u32 first, u32 count, const u32* indices)
{
    u8* data = LockRange(first, count);
    if (is32Bit_ != 0) {
        std::memcpy(data, indices, static_cast<std::size_t>(count) * sizeof(u32));
    } else {
        for (u32 i = 0; i < count; ++i) {
            const u16 index = static_cast<u16>(indices[i]);
            std::memcpy(data + static_cast<std::size_t>(i) * sizeof(u16), &index, sizeof(u16));
        }
    }
    Unlock();
}

void IndexBuffer::SetIndexCount(u32 count)
{
    indexCount_ = count;
    boundsDirty_ = 1;
}

u32 IndexBuffer::GetMinIndex()
{
    if (boundsDirty_ != 0)
        UpdateIndexBounds();
    return minIndex_;
}

u32 IndexBuffer::GetVertexRange()
{
    if (boundsDirty_ != 0)
        UpdateIndexBounds();
    return vertexRange_;
}

u32 IndexBuffer::ReadIndex(u32 position) const
{
    const u8* at = data_.get() + static_cast<std::size_t>(indexSize_) * position;
    if (is32Bit_ != 0) {
        u32 index = 0;
        std::memcpy(&index, at, sizeof(index));
        return index;
    }
    u16 index = 0;
    std::memcpy(&index, at, sizeof(index));
    return index;
}

void IndexBuffer::UpdateIndexBounds()
{
    boundsDirty_ = 0;
    if (indexCount_ == 0) {
        minIndex_ = 0;
        vertexRange_ = 0;
        return;
    }
    u32 lowest = ReadIndex(0);
    u32 highest = lowest;
    for (u32 i = 1; i < indexCount_; ++i) {
        const u32 index = ReadIndex(i);
        lowest = std::min(lowest, index);
        highest = std::max(highest, index);
    }
    minIndex_ = lowest;
    vertexRange_ = highest - lowest + 1;
}

} // namespace Halvard
