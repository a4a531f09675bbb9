#include "engine/render/IndexBuffer_D3D7.h"

#include <cstddef>
#include <cstring>

namespace Halvard {

IndexBuffer_D3D7::IndexBuffer_D3D7(RenderSystem_D3D7* renderSystem, u32 usage, u32 capacity)
    : IndexBuffer(usage, capacity), renderSystem_(renderSystem)
{
}

IndexBuffer_D3D7::IndexBuffer_D3D7(RenderSystem_D3D7* renderSystem, u32 usage, const IndexBuffer& source)
    : IndexBuffer(usage, source), renderSystem_(renderSystem)
{
    u8* data = LockRange(0, GetCapacity());
    std::memcpy(data, source.GetData(), static_cast<std::size_t>(GetCapacity()) * GetIndexSize());
    Unlock();
}

} // namespace Halvard
