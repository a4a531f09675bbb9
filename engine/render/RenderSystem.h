#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "engine/render/AdapterInfo.h"

#include <memory>
#include <string>
#include <vector>

namespace Halvard {

class Camera;
class Config;
class Image;
class IndexBuffer;
class Light;
class MessageManager;
class Texture2D;
class TextureManager;
class VertexBuffer;
class Window;

// The engine's drawing interface and the cache of every render state the
// engine changes while drawing. A cached setter sends its value to the device
// (through the matching Update operation) only when it differs from the
// cached one, or always while the states are being forced. Main thread only.
class RenderSystem {
public:
    enum ClearFlag : u32 { kClearColor = 1u << 0, kClearDepth = 1u << 1 };
    enum Filter : u32 { kFilterPoint = 0, kFilterLinear = 1, kFilterMipMapped = 2 };
    enum Address : u32 { kAddressClamp = 0, kAddressWrap = 1 };
    enum CullMode : u32 { kCullNone = 0, kCullClockwise = 1, kCullCounterClockwise = 2 };
    enum ResetFlag : u32 { kResetDevice = 1u << 0, kResetTextures = 1u << 1 };

    struct TextureTransform {
        float scaleU = 1.0f;
        float scaleV = 1.0f;
        float offsetU = 0.0f;
        float offsetV = 0.0f;
    };

    // The video variables are read from and written back to the Config's own
    // storage.
    RenderSystem(MessageManager* messages, Config* config, Window* window, bool stencilRequest, bool keepWindowSize);
    RenderSystem(const RenderSystem&) = delete;
    RenderSystem& operator=(const RenderSystem&) = delete;
    virtual ~RenderSystem();

    // Once per frame: clamps "r_texture_anisotropy" to what the device allows
    // and hands it to every texture stage.
    virtual void Refresh();
    virtual void BeginScene() {}
    virtual void EndScene() {}
    virtual void SwapBuffers() {}
    // Asks for a reset when "v_mode" or "v_fullscreen" no longer match the
    // chosen mode.
    virtual void CheckVideoMode();
    // ResetFlag bits: kResetDevice makes the device ready again, kResetTextures
    // marks the textures as restored.
    virtual void Reset(u32 flags);
    virtual void DrawIndexedPrimitive(bool strip, IndexBuffer& indices, VertexBuffer& vertices, u32 primitiveCount);

    // The caller owns what the factories make.
    virtual std::unique_ptr<Camera> CreateCamera(bool orthographic) = 0;
    virtual std::unique_ptr<Light> CreateLight(u32 deviceIndex) = 0;
    virtual std::unique_ptr<VertexBuffer> CreateVertexBuffer(u32 usage, bool hasColor, u32 vertexCount) = 0;
    virtual std::unique_ptr<VertexBuffer> CreateVertexBuffer(u32 usage, bool hasColor, const VertexBuffer& source) = 0;
    virtual std::unique_ptr<VertexBuffer> CloneVertexBuffer(const VertexBuffer& source) = 0;
    virtual std::unique_ptr<IndexBuffer> CreateIndexBuffer(u32 usage, u32 capacity) = 0;
    virtual std::unique_ptr<IndexBuffer> CreateIndexBuffer(u32 usage, const IndexBuffer& source) = 0;
    virtual std::unique_ptr<IndexBuffer> CloneIndexBuffer(const IndexBuffer& source) = 0;
    // Fills the image with the back buffer, bottom row first.
    virtual void CaptureScreen(Image& image) = 0;
    // The texture manager's factory: a texture of the images (the opacity
    // image may be null), mip-mapped on request, registered for device
    // resets while it lives.
    virtual std::unique_ptr<Texture2D> CreateTexture(TextureManager* manager, const std::string& key,
                                                     const Image& diffuse, const Image* opacity, bool mipMapping) = 0;

    // Sizes the per-stage cache for the device and sends every default.
    virtual void ResetStates();
    // Sends every default state with the states forced, so that cache and
    // device agree afterwards.
    virtual void SetDefaultStates();
    virtual void SetMaterial(const Vector4& ambient, const Vector4& diffuse, const Vector4& specular,
                             const Vector4& emissive, float power) = 0;

    void SetViewMatrix(const Matrix4& matrix);
    void SetWorldMatrix(const Matrix4& matrix);
    void SetAmbientColor(const Vector4& color);
    void SetAlphaBlend(bool enable);
    // Factor indices 0 to 10 of the device's blend-factor table.
    void SetBlend(u32 source, u32 destination);
    void SetTexture(u32 stage, Texture2D* texture);
    void SetMaxTextureAnisotropy(u32 stage, u32 anisotropy);
    void SetTextureFilter(u32 stage, u32 filter);
    void SetTextureAdressU(u32 stage, u32 address);
    void SetTextureAdressV(u32 stage, u32 address);
    void SetTextureMatrix(u32 stage, float scaleU, float scaleV, float offsetU, float offsetV);
    void SetCullMode(u32 mode);
    void SetLighting(bool enable);
    void SetNormalizeNormals(bool enable);
    void SetZ(bool enable);
    void SetZWrite(bool enable);
    void SetStencil(bool enable);

    u32 GetMaxTextureWidth() const { return maxTextureWidth_; }
    u32 GetMaxTextureHeight() const { return maxTextureHeight_; }
    u32 GetTextureStageCount() const { return stageCount_; }
    u32 GetMaxAnisotropy() const { return maxAnisotropy_; }
    bool IsDeviceReady() const { return deviceReady_ != 0; }
    bool IsResetNeeded() const { return resetNeeded_ != 0; }
    bool AreTexturesLost() const { return texturesLost_ != 0; }
    bool AreStatesForced() const { return force_ != 0; }
    bool IsStencilPresent() const { return stencilPresent_ != 0; }
    bool AreLightsDirty() const { return lightsDirty_ != 0; }
    void ClearLightsDirty() { lightsDirty_ = 0; }

    AdapterInfo* GetChosenAdapter() const { return chosenAdapter_; }
    DeviceInfo* GetChosenDevice() const;
    ModeInfo* GetChosenMode() const;

    const Matrix4& GetProjectionMatrix() const { return projectionMatrix_; }
    const Matrix4& GetViewMatrix() const { return viewMatrix_; }
    const Matrix4& GetWorldMatrix() const { return worldMatrix_; }
    const Vector4& GetAmbientColor() const { return ambientColor_; }
    bool GetAlphaBlend() const { return alphaBlend_ != 0; }
    u32 GetSourceBlend() const { return sourceBlend_; }
    u32 GetDestinationBlend() const { return destinationBlend_; }
    Texture2D* GetTexture(u32 stage) const { return textures_[stage]; }
    u32 GetStageAnisotropy(u32 stage) const { return anisotropy_[stage]; }
    u32 GetTextureFilter(u32 stage) const { return filters_[stage]; }
    u32 GetTextureAdressU(u32 stage) const { return addressU_[stage]; }
    u32 GetTextureAdressV(u32 stage) const { return addressV_[stage]; }
    const TextureTransform& GetTextureMatrix(u32 stage) const { return textureTransforms_[stage]; }
    u32 GetCullMode() const { return cullMode_; }
    bool GetLighting() const { return lighting_ != 0; }
    bool GetNormalizeNormals() const { return normalizeNormals_ != 0; }
    bool GetZ() const { return zEnable_ != 0; }
    bool GetZWrite() const { return zWrite_ != 0; }
    bool GetStencil() const { return stencil_ != 0; }
    u32 GetClearFlags() const { return clearFlags_; }
    const Vector4& GetClearColor() const { return clearColor_; }

protected:
    virtual void UpdateProjectionMatrix() = 0;
    virtual void UpdateViewMatrix() = 0;
    virtual void UpdateWorldMatrix() = 0;
    virtual void UpdateAmbientColor() = 0;
    virtual void UpdateAlphaBlend() = 0;
    virtual void UpdateBlend() = 0;
    virtual void UpdateTexture(u32 stage) = 0;
    virtual void UpdateMaxTextureAnisotropy(u32 stage) = 0;
    virtual void UpdateTextureFilter(u32 stage) = 0;
    virtual void UpdateTextureAdressU(u32 stage) = 0;
    virtual void UpdateTextureAdressV(u32 stage) = 0;
    virtual void UpdateTextureMatrix(u32 stage) = 0;
    virtual void UpdateCullMode() = 0;
    virtual void UpdateLighting() = 0;
    virtual void UpdateNormalizeNormals() = 0;
    virtual void UpdateZ() = 0;
    virtual void UpdateZWrite() = 0;
    virtual void UpdateStencil() = 0;

    // Device limits, read from the device that was made. The per-stage cache
    // grows with the stage count, so a later device with more stages (a
    // software fall-back during a reset) never indexes past it.
    void SetDeviceLimits(u32 maxTextureWidth, u32 maxTextureHeight, u32 stageCount, u32 maxAnisotropy);

    MessageManager* messages_;
    Config* config_;
    Window* window_;
    std::vector<std::unique_ptr<AdapterInfo>> adapters_;
    AdapterInfo* chosenAdapter_ = nullptr;
    u8 stencilRequest_;
    u8 stencilPresent_ = 0;
    u8 keepWindowSize_;
    u8 deviceReady_ = 0;
    u8 resetNeeded_ = 0;
    u8 texturesLost_ = 0;

private:
    void GrowStageArrays();
    bool Changed(bool differs) const { return differs || force_ != 0; }

    u32 clearFlags_ = kClearColor | kClearDepth;
    Vector4 clearColor_{0.0f, 0.0f, 0.0f, 1.0f};
    u32 maxTextureWidth_ = 0;
    u32 maxTextureHeight_ = 0;
    u32 stageCount_ = 0;
    u32 maxAnisotropy_ = 0;
    u8 force_ = 0;
    Matrix4 projectionMatrix_{};
    Matrix4 viewMatrix_{};
    Matrix4 worldMatrix_{};
    Vector4 ambientColor_{0.0f, 0.0f, 0.0f, 1.0f};
    u8 alphaBlend_ = 0;
    u32 sourceBlend_ = 0;
    u32 destinationBlend_ = 0;
    std::vector<Texture2D*> textures_;
    std::vector<u32> anisotropy_;
    std::vector<u32> filters_;
    std::vector<u32> addressU_;
    std::vector<u32> addressV_;
    std::vector<TextureTransform> textureTransforms_;
    u32 cullMode_ = kCullNone;
    u8 lighting_ = 0;
    u8 normalizeNormals_ = 0;
    u8 zEnable_ = 0;
    u8 zWrite_ = 0;
    u8 stencil_ = 0;
    u8 lightsDirty_ = 0;
};

} // namespace Halvard
