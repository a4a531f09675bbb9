#pragma once

#include "platform/video/Device3D.h"

namespace Testing {

class FakeVideoSystem;

// A device of the FakeVideoSystem: keeps what it is told in the system's
// device state and records every call.
class FakeDevice3D : public Platform::Device3D {
public:
    explicit FakeDevice3D(FakeVideoSystem& system);
    ~FakeDevice3D() override;

    Platform::VideoResult SetViewport(const Platform::Viewport& viewport) override;
    Platform::VideoResult SetRenderTarget() override;
    Platform::VideoResult Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
    Platform::VideoResult BeginScene() override;
    Platform::VideoResult EndScene() override;
    Platform::VideoResult SetRenderState(Platform::RenderState state, uint32_t value) override;
    Platform::VideoResult SetTextureStageState(uint32_t stage, Platform::TextureStageState state,
                                               uint32_t value) override;
    Platform::VideoResult SetTransform(Platform::TransformState state, const float matrix[16]) override;
    Platform::VideoResult SetMaterial(const Platform::Material& material) override;
    Platform::VideoResult SetLight(uint32_t index, const Platform::LightDescription& light) override;
    Platform::VideoResult LightEnable(uint32_t index, bool enable) override;
    Platform::VideoResult SetTexture(uint32_t stage, Platform::TextureSurface* surface) override;
    Platform::VideoResult DrawIndexedPrimitive(Platform::PrimitiveType type, uint32_t vertexFormat,
                                               const void* vertices, uint32_t vertexCount, const void* indices,
                                               uint32_t indexCount, uint32_t indexSize) override;
    Platform::VideoResult EnumerateTextureFormats(std::vector<Platform::PixelFormat>& formats) override;

private:
    FakeVideoSystem& system_;
};

} // namespace Testing
