#pragma once

#include <cstdint>
#include <vector>

#include "platform/video/TextureSurface.h"
#include "platform/video/VideoResult.h"
#include "platform/video/VideoTypes.h"

namespace Platform {

// The three-dimensional device: fixed-function states, transforms, lights,
// material, texture stages and indexed drawing into the display's back
// buffer. Every state keeps its value until it is set again or the device is
// destroyed. Main thread only.
class Device3D {
public:
    virtual ~Device3D() = default;

    virtual VideoResult SetViewport(const Viewport& viewport) = 0;
    // Draw into the display's back buffer with its attached depth buffer.
    virtual VideoResult SetRenderTarget() = 0;
    // Colour packed A8R8G8B8; ClearFlag bits.
    virtual VideoResult Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) = 0;
    virtual VideoResult BeginScene() = 0;
    virtual VideoResult EndScene() = 0;

    virtual VideoResult SetRenderState(RenderState state, uint32_t value) = 0;
    virtual VideoResult SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) = 0;
    virtual VideoResult SetTransform(TransformState state, const float matrix[16]) = 0;
    virtual VideoResult SetMaterial(const Material& material) = 0;
    virtual VideoResult SetLight(uint32_t index, const LightDescription& light) = 0;
    virtual VideoResult LightEnable(uint32_t index, bool enable) = 0;
    // Null leaves the stage without a texture. The device does not own the
    // surface; the caller unbinds it before destroying it.
    virtual VideoResult SetTexture(uint32_t stage, TextureSurface* surface) = 0;

    // The vertices are read from memory during the call: a VertexFormat sum,
    // vertex count vertices, index count indices of index size bytes (2 or
    // 4) each.
    virtual VideoResult DrawIndexedPrimitive(PrimitiveType type, uint32_t vertexFormat, const void* vertices,
                                             uint32_t vertexCount, const void* indices, uint32_t indexCount,
                                             uint32_t indexSize) = 0;
    // The same draw from sources that the device may keep between draws; a
    // device without a store of its own reads them as above.
    virtual VideoResult DrawIndexedSources(PrimitiveType type, uint32_t vertexFormat, const DrawSource& vertices,
                                           uint32_t vertexCount, const DrawSource& indices, uint32_t indexCount,
                                           uint32_t indexSize)
    {
        return DrawIndexedPrimitive(type, vertexFormat, vertices.data, vertexCount, indices.data, indexCount,
                                    indexSize);
    }

    virtual VideoResult EnumerateTextureFormats(std::vector<PixelFormat>& formats) = 0;
};

} // namespace Platform
