#pragma once

#include "engine/render/VertexBuffer.h"

namespace Halvard {

class RenderSystem_D3D7;

// A vertex buffer made by RenderSystem_D3D7, with the packed A8R8G8B8
// colours the device draws.
class VertexBuffer_D3D7 : public VertexBuffer {
public:
    // A buffer with colours starts white.
    VertexBuffer_D3D7(RenderSystem_D3D7* renderSystem, u32 usage, bool hasColor, u32 vertexCount);
    // The source's vertices in this layout: a colour that the source lacks
    // is white, one that this buffer lacks is dropped.
    VertexBuffer_D3D7(RenderSystem_D3D7* renderSystem, u32 usage, bool hasColor, const VertexBuffer& source);
    // The same layout and vertices.
    VertexBuffer_D3D7(RenderSystem_D3D7* renderSystem, const VertexBuffer& source);

    // Each byte times 1/255.
    Vector4 UnpackColor(u32 packed) const override;
    // Each component clamped to 0 ... 1 and rounded to a byte.
    u32 PackColor(float r, float g, float b, float a) const override;
    u32 SetColorAlpha(u32 packed, float alpha) const override;

    RenderSystem_D3D7* GetRenderSystem() const { return renderSystem_; }

private:
    void ConvertFrom(const VertexBuffer& source);

    RenderSystem_D3D7* renderSystem_;
};

} // namespace Halvard
