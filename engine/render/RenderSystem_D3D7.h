#pragma once

#include "engine/render/AdapterInfo_D3D7.h"
#include "engine/render/RenderSystem.h"
#include "platform/video/Device3D.h"
#include "platform/video/Display.h"
#include "platform/video/VideoResult.h"

#include <list>
#include <memory>
#include <string>

namespace Platform {
class VideoSystem;
}

namespace Halvard {

// The render system on the video layer's display and device: adapter,
// device and mode choice at start-up, the frame, lost devices, the device
// reset and the screen capture. Every failed device call is logged through
// CheckResult and drawing goes on. Main thread only.
class RenderSystem_D3D7 : public RenderSystem {
public:
    // Lists the adapters, makes the device (the software one when the
    // hardware one fails) and sends the default states. Leaves with
    // FatalError when no device, no mode or no software device can be had.
    RenderSystem_D3D7(MessageManager* messages, Config* config, Window* window, bool stencilRequest,
                      bool keepWindowSize);
    ~RenderSystem_D3D7() override;

    // Notices a lost device and restores it when the display is back.
    void Refresh() override;
    void BeginScene() override;
    void EndScene() override;
    // Presents while the device is ready.
    void SwapBuffers() override;
    // Also marks the textures lost, whatever the mode.
    void CheckVideoMode() override;
    // kResetDevice recreates the device, kResetTextures restores the
    // textures on it.
    void Reset(u32 flags) override;
    void DrawIndexedPrimitive(bool strip, IndexBuffer& indices, VertexBuffer& vertices, u32 primitiveCount) override;

    std::unique_ptr<Camera> CreateCamera(bool orthographic) override;
    std::unique_ptr<Light> CreateLight(u32 deviceIndex) override;
    std::unique_ptr<VertexBuffer> CreateVertexBuffer(u32 usage, bool hasColor, u32 vertexCount) override;
    std::unique_ptr<VertexBuffer> CreateVertexBuffer(u32 usage, bool hasColor, const VertexBuffer& source) override;
    std::unique_ptr<VertexBuffer> CloneVertexBuffer(const VertexBuffer& source) override;
    std::unique_ptr<IndexBuffer> CreateIndexBuffer(u32 usage, u32 capacity) override;
    std::unique_ptr<IndexBuffer> CreateIndexBuffer(u32 usage, const IndexBuffer& source) override;
    std::unique_ptr<IndexBuffer> CloneIndexBuffer(const IndexBuffer& source) override;
    // 32 bits per pixel for a 32-bit mode, else 24. Throws Error when the
    // back buffer cannot be copied.
    void CaptureScreen(Image& image) override;
    std::unique_ptr<Texture2D> CreateTexture(TextureManager* manager, const std::string& key, const Image& diffuse,
                                             const Image* opacity, bool mipMapping) override;

    void SetDefaultStates() override;
    void SetMaterial(const Vector4& ambient, const Vector4& diffuse, const Vector4& specular, const Vector4& emissive,
                     float power) override;

    void EnumerateAdapters();
    void ChooseDevice(bool softwareOnly);
    void CreateDeviceWithFallback(bool logCapabilities);
    // False after a failure that it has logged and cleaned up.
    bool CreateDevice(bool logCapabilities);
    // Repairs "v_mode" in place when the device cannot show it.
    void ChooseVideoMode();
    void ReleaseDevice();

    // Textures register themselves so that a reset can release and restore
    // their surfaces; the list does not own them.
    void AddTexture(Texture2D* texture);
    void RemoveTexture(Texture2D* texture);

    // Logs a failed result with its text; never throws.
    void CheckResult(const std::string& place, Platform::VideoResult result);

    // Copies the 16 elements unchanged: engine matrices that are already in
    // the device's layout.
    static void ConvertMatrix(const Matrix4& source, float destination[16]);

    // The holders themselves, so that a reset is seen by whoever keeps them.
    Platform::Display* GetDisplay() const { return display_.get(); }
    Platform::Device3D* GetDevice() const { return device_.get(); }
    const Platform::SurfaceDescription& GetBackBufferDescription() const { return backBufferDescription_; }

protected:
    void UpdateProjectionMatrix() override;
    void UpdateViewMatrix() override;
    void UpdateWorldMatrix() override;
    void UpdateAmbientColor() override;
    void UpdateAlphaBlend() override;
    void UpdateBlend() override;
    void UpdateTexture(u32 stage) override;
    void UpdateMaxTextureAnisotropy(u32 stage) override;
    void UpdateTextureFilter(u32 stage) override;
    void UpdateTextureAdressU(u32 stage) override;
    void UpdateTextureAdressV(u32 stage) override;
    void UpdateTextureMatrix(u32 stage) override;
    void UpdateCullMode() override;
    void UpdateLighting() override;
    void UpdateNormalizeNormals() override;
    void UpdateZ() override;
    void UpdateZWrite() override;
    void UpdateStencil() override;

private:
    void EnumerateAdapter(const Platform::AdapterIdentity& identity);
    void EnumerateDevices(AdapterInfo_D3D7& adapter, Platform::Display& display);
    void SetRenderState(const char* place, Platform::RenderState state, u32 value);
    void SetStageState(const char* place, u32 stage, Platform::TextureStageState state, u32 value);
    void SetDeviceDefaults();
    bool AutomaticModeWanted(u32 width, u32 height) const;
    ModeInfo* ChooseAutomaticMode(const DeviceInfo& device, const AdapterInfo_D3D7& adapter, u32 bits) const;
    void RepairVideoMode();
    void CreateScreenBuffers(const ModeInfo& mode, bool fullScreen);
    void CreateDepthBuffer(const DeviceInfo_D3D7& device);
    bool FindDepthFormat(const DeviceInfo_D3D7& device, Platform::DepthFormat& found);
    void ReadCapabilities(const DeviceInfo_D3D7& device, bool logCapabilities);
    Platform::NativeWindow* WindowHandle() const;
    AdapterInfo_D3D7& ChosenAdapter() const;
    DeviceInfo_D3D7& ChosenDevice() const;

    Platform::VideoSystem& video_;
    std::unique_ptr<Platform::Display> display_;
    bool direct3DOpen_ = false;
    std::unique_ptr<Platform::Device3D> device_;
    Platform::SurfaceDescription backBufferDescription_;
    std::list<Texture2D*> textures_;
};

} // namespace Halvard
