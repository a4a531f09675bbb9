#include "engine/render/RenderSystem.h"

#include "engine/core/Config.h"

#include <algorithm>

namespace Halvard {

namespace {

Matrix4 Identity()
{
    Matrix4 m;
    MatrixIdentity(m);
    return m;
}

bool TransformDiffers(const RenderSystem::TextureTransform& a, const RenderSystem::TextureTransform& b)
{
    return !NearlyEqual(a.scaleU, b.scaleU) || !NearlyEqual(a.scaleV, b.scaleV) || !NearlyEqual(a.offsetU, b.offsetU) ||
           !NearlyEqual(a.offsetV, b.offsetV);
}

} // namespace

RenderSystem::RenderSystem(MessageManager* messages, Config* config, Window* window, bool stencilRequest,
                           bool keepWindowSize)
    : messages_(messages), config_(config), window_(window), stencilRequest_(stencilRequest ? 1 : 0),
      keepWindowSize_(keepWindowSize ? 1 : 0)
{
}

RenderSystem::~RenderSystem() = default;

DeviceInfo* RenderSystem::GetChosenDevice() const
{
    return chosenAdapter_ != nullptr ? chosenAdapter_->chosenDevice : nullptr;
}

ModeInfo* RenderSystem::GetChosenMode() const
{
    DeviceInfo* device = GetChosenDevice();
    return device != nullptr ? device->chosenMode : nullptr;
}

void RenderSystem::Refresh()
{
    i32& anisotropy = config_->textureAnisotropy;
    anisotropy = std::min(anisotropy, static_cast<i32>(maxAnisotropy_));
    if (anisotropy < 1)
        anisotropy = 1;
    const u32 value = static_cast<u32>(anisotropy);
    for (u32 stage = 0; stage < stageCount_; ++stage) {
        if (Changed(anisotropy_[stage] != value)) {
            anisotropy_[stage] = value;
            UpdateMaxTextureAnisotropy(stage);
        }
    }
}

void RenderSystem::CheckVideoMode()
{
    u32 width = 0;
    u32 height = 0;
    u32 bits = 0;
    ParseVideoMode(config_->videoMode, &width, &height, &bits);
    const DeviceInfo* device = GetChosenDevice();
    const ModeInfo* mode = GetChosenMode();
    const bool same = device != nullptr && mode != nullptr && device->fullScreen == config_->fullScreen &&
                      mode->height == height && mode->width == width && mode->bitsPerPixel == bits;
    if (!same)
        resetNeeded_ = 1;
}

void RenderSystem::Reset(u32 flags)
{
    if ((flags & kResetDevice) != 0) {
        resetNeeded_ = 0;
        deviceReady_ = 1;
    }
    if ((flags & kResetTextures) != 0)
        texturesLost_ = 0;
}

void RenderSystem::DrawIndexedPrimitive(bool, IndexBuffer&, VertexBuffer&, u32) {}

void RenderSystem::SetDeviceLimits(u32 maxTextureWidth, u32 maxTextureHeight, u32 stageCount, u32 maxAnisotropy)
{
    maxTextureWidth_ = maxTextureWidth;
    maxTextureHeight_ = maxTextureHeight;
    stageCount_ = stageCount;
    maxAnisotropy_ = maxAnisotropy;
    GrowStageArrays();
}

void RenderSystem::GrowStageArrays()
{
    if (textures_.size() >= stageCount_)
        return;
    textures_.resize(stageCount_, nullptr);
    anisotropy_.resize(stageCount_, 0);
    filters_.resize(stageCount_, 0);
    addressU_.resize(stageCount_, 0);
    addressV_.resize(stageCount_, 0);
    textureTransforms_.resize(stageCount_, TextureTransform{0.0f, 0.0f, 0.0f, 0.0f});
}

void RenderSystem::ResetStates()
{
    GrowStageArrays();
    deviceReady_ = 1;
    SetDefaultStates();
}

void RenderSystem::SetDefaultStates()
{
    SetMaterial(Vector4(0.6f, 0.6f, 0.6f, 1.0f), Vector4(1.0f, 1.0f, 1.0f, 1.0f), Vector4(0.0f, 0.0f, 0.0f, 0.0f),
                Vector4(0.0f, 0.0f, 0.0f, 1.0f), 0.0f);
    force_ = 1;
    SetViewMatrix(Identity());
    SetWorldMatrix(Identity());
    SetAmbientColor(Vector4(0.0f, 0.0f, 0.0f, 1.0f));
    alphaBlend_ = 0;
    UpdateAlphaBlend();
    sourceBlend_ = 0;
    destinationBlend_ = 0;
    UpdateBlend();
    for (u32 stage = 0; stage < stageCount_; ++stage) {
        textures_[stage] = nullptr;
        UpdateTexture(stage);
        anisotropy_[stage] = 1;
        UpdateMaxTextureAnisotropy(stage);
        filters_[stage] = kFilterLinear;
        UpdateTextureFilter(stage);
        addressU_[stage] = kAddressWrap;
        UpdateTextureAdressU(stage);
        addressV_[stage] = kAddressWrap;
        UpdateTextureAdressV(stage);
        SetTextureMatrix(stage, 1.0f, 1.0f, 0.0f, 0.0f);
    }
    SetCullMode(kCullNone);
    SetLighting(false);
    SetNormalizeNormals(false);
    SetZ(false);
    SetZWrite(true);
    SetStencil(false);
    force_ = 0;
    lightsDirty_ = 0;
}

void RenderSystem::SetViewMatrix(const Matrix4& matrix)
{
    if (Changed(viewMatrix_ != matrix)) {
        viewMatrix_ = matrix;
        UpdateViewMatrix();
    }
}

void RenderSystem::SetWorldMatrix(const Matrix4& matrix)
{
    if (Changed(worldMatrix_ != matrix)) {
        worldMatrix_ = matrix;
        UpdateWorldMatrix();
    }
}

void RenderSystem::SetAmbientColor(const Vector4& color)
{
    if (Changed(ambientColor_ != color)) {
        ambientColor_ = color;
        UpdateAmbientColor();
    }
}

void RenderSystem::SetAlphaBlend(bool enable)
{
    const u8 value = enable ? 1 : 0;
    if (Changed(alphaBlend_ != value)) {
        alphaBlend_ = value;
        UpdateAlphaBlend();
    }
}

void RenderSystem::SetBlend(u32 source, u32 destination)
{
    if (Changed(sourceBlend_ != source || destinationBlend_ != destination)) {
        sourceBlend_ = source;
        destinationBlend_ = destination;
        UpdateBlend();
    }
}

void RenderSystem::SetTexture(u32 stage, Texture2D* texture)
{
    if (Changed(textures_[stage] != texture)) {
        textures_[stage] = texture;
        UpdateTexture(stage);
    }
}

void RenderSystem::SetMaxTextureAnisotropy(u32 stage, u32 anisotropy)
{
    if (Changed(anisotropy_[stage] != anisotropy)) {
        anisotropy_[stage] = anisotropy;
        UpdateMaxTextureAnisotropy(stage);
    }
}

void RenderSystem::SetTextureFilter(u32 stage, u32 filter)
{
    if (Changed(filters_[stage] != filter)) {
        filters_[stage] = filter;
        UpdateTextureFilter(stage);
    }
}

void RenderSystem::SetTextureAdressU(u32 stage, u32 address)
{
    if (Changed(addressU_[stage] != address)) {
        addressU_[stage] = address;
        UpdateTextureAdressU(stage);
    }
}

void RenderSystem::SetTextureAdressV(u32 stage, u32 address)
{
    if (Changed(addressV_[stage] != address)) {
        addressV_[stage] = address;
        UpdateTextureAdressV(stage);
    }
}

void RenderSystem::SetTextureMatrix(u32 stage, float scaleU, float scaleV, float offsetU, float offsetV)
{
    const TextureTransform transform{scaleU, scaleV, offsetU, offsetV};
    if (Changed(TransformDiffers(textureTransforms_[stage], transform))) {
        textureTransforms_[stage] = transform;
        UpdateTextureMatrix(stage);
    }
}

void RenderSystem::SetCullMode(u32 mode)
{
    if (Changed(cullMode_ != mode)) {
        cullMode_ = mode;
        UpdateCullMode();
    }
}

void RenderSystem::SetLighting(bool enable)
{
    const u8 value = enable ? 1 : 0;
    if (Changed(lighting_ != value)) {
        lighting_ = value;
        UpdateLighting();
    }
}

void RenderSystem::SetNormalizeNormals(bool enable)
{
    const u8 value = enable ? 1 : 0;
    if (Changed(normalizeNormals_ != value)) {
        normalizeNormals_ = value;
        UpdateNormalizeNormals();
    }
}

void RenderSystem::SetZ(bool enable)
{
    const u8 value = enable ? 1 : 0;
    if (Changed(zEnable_ != value)) {
        zEnable_ = value;
        UpdateZ();
    }
}

void RenderSystem::SetZWrite(bool enable)
{
    const u8 value = enable ? 1 : 0;
    if (Changed(zWrite_ != value)) {
        zWrite_ = value;
        UpdateZWrite();
    }
}

void RenderSystem::SetStencil(bool enable)
{
    const u8 value = enable ? 1 : 0;
    if (Changed(stencil_ != value)) {
        stencil_ = value;
        UpdateStencil();
    }
}

} // namespace Halvard
