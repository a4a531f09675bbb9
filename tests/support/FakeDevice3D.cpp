#include "tests/support/FakeDevice3D.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "tests/support/FakeVideoSystem.h"

namespace Testing {

FakeDevice3D::FakeDevice3D(FakeVideoSystem& system) : system_(system)
{
    system_.device = FakeDeviceState{};
    ++system_.liveDevices;
}

FakeDevice3D::~FakeDevice3D()
{
    system_.Record("ReleaseDevice");
    --system_.liveDevices;
}

Platform::VideoResult FakeDevice3D::SetViewport(const Platform::Viewport& viewport)
{
    system_.device.viewport = viewport;
    return system_.Answer("SetViewport " + std::to_string(viewport.x) + " " + std::to_string(viewport.y) + " " +
                          std::to_string(viewport.width) + " " + std::to_string(viewport.height));
}

Platform::VideoResult FakeDevice3D::SetRenderTarget() { return system_.Answer("SetRenderTarget"); }

Platform::VideoResult FakeDevice3D::Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil)
{
    char text[80];
    std::snprintf(text, sizeof(text), "Clear %u %08X %g %u", flags, color, static_cast<double>(z), stencil);
    return system_.Answer(text);
}

Platform::VideoResult FakeDevice3D::BeginScene() { return system_.Answer("BeginScene"); }

Platform::VideoResult FakeDevice3D::EndScene() { return system_.Answer("EndScene"); }

Platform::VideoResult FakeDevice3D::SetRenderState(Platform::RenderState state, uint32_t value)
{
    system_.device.renderStates[state] = value;
    return system_.Answer(std::string("SetRenderState ") + Name(state) + " " + std::to_string(value));
}

Platform::VideoResult FakeDevice3D::SetTextureStageState(uint32_t stage, Platform::TextureStageState state,
                                                         uint32_t value)
{
    system_.device.stageStates[{stage, state}] = value;
    return system_.Answer("SetTextureStageState " + std::to_string(stage) + " " + Name(state) + " " +
                          std::to_string(value));
}

Platform::VideoResult FakeDevice3D::SetTransform(Platform::TransformState state, const float matrix[16])
{
    std::copy(matrix, matrix + 16, system_.device.transforms[static_cast<uint32_t>(state)].begin());
    return system_.Answer(std::string("SetTransform ") + Name(state));
}

Platform::VideoResult FakeDevice3D::SetMaterial(const Platform::Material& material)
{
    system_.device.material = material;
    return system_.Answer("SetMaterial");
}

Platform::VideoResult FakeDevice3D::SetLight(uint32_t index, const Platform::LightDescription& light)
{
    system_.device.lights[index] = light;
    return system_.Answer("SetLight " + std::to_string(index));
}

Platform::VideoResult FakeDevice3D::LightEnable(uint32_t index, bool enable)
{
    return system_.Answer("LightEnable " + std::to_string(index) + (enable ? " 1" : " 0"));
}

Platform::VideoResult FakeDevice3D::SetTexture(uint32_t stage, Platform::TextureSurface* surface)
{
    system_.device.textures[stage] = surface;
    return system_.Answer("SetTexture " + std::to_string(stage) + (surface != nullptr ? " surface" : " none"));
}

Platform::VideoResult FakeDevice3D::DrawIndexedPrimitive(Platform::PrimitiveType type, uint32_t vertexFormat,
                                                         const void*, uint32_t vertexCount, const void*,
                                                         uint32_t indexCount, uint32_t indexSize)
{
    return system_.Answer(std::string("DrawIndexedPrimitive ") +
                          (type == Platform::PrimitiveType::TriangleList ? "List " : "Strip ") +
                          std::to_string(vertexFormat) + " " + std::to_string(vertexCount) + " " +
                          std::to_string(indexCount) + " " + std::to_string(indexSize));
}

Platform::VideoResult FakeDevice3D::EnumerateTextureFormats(std::vector<Platform::PixelFormat>& formats)
{
    formats = system_.textureFormats;
    return system_.Answer("EnumerateTextureFormats");
}

} // namespace Testing
