#pragma once

#include "engine/render/IndexBuffer.h"

namespace Halvard {

class RenderSystem_D3D7;

// An index buffer made by RenderSystem_D3D7.
class IndexBuffer_D3D7 : public IndexBuffer {
public:
    IndexBuffer_D3D7(RenderSystem_D3D7* renderSystem, u32 usage, u32 capacity);
    // The source's indices with the given usage.
    IndexBuffer_D3D7(RenderSystem_D3D7* renderSystem, u32 usage, const IndexBuffer& source);

    RenderSystem_D3D7* GetRenderSystem() const { return renderSystem_; }

private:
    RenderSystem_D3D7* renderSystem_;
};

} // namespace Halvard
