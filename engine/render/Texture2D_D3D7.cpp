#include "engine/render/Texture2D_D3D7.h"

#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/Image.h"
#include "engine/core/MessageManager.h"
#include "engine/render/AdapterInfo_D3D7.h"
#include "engine/render/PixelPacker.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/TextureManager.h"

#include <algorithm>
#include <bit>

namespace Halvard {

namespace {

constexpr const char* kPlace = "Texture2D_D3D7::CreateSurface";
constexpr u32 kAlphaMask4444 = 0xF000;

// The bits needed to write the larger side: 256 gives 9, one level per bit.
u32 LevelCount(u32 width, u32 height) { return static_cast<u32>(std::bit_width(std::max({width, height, 1u}))); }

} // namespace

Texture2D_D3D7::Texture2D_D3D7(MessageManager* messages, Config* config, TextureManager* manager,
                               RenderSystem_D3D7* renderSystem, const std::string& key, const Image& diffuse,
                               const Image* opacity, bool mipMapping)
    : Texture2D(messages, config, manager, key, mipMapping), renderSystem_(renderSystem)
{
    CreateSurface(diffuse, opacity);
    renderSystem_->AddTexture(this);
}

Texture2D_D3D7::~Texture2D_D3D7()
{
    ReleaseSurface();
    // A texture the render system does not know is logged there as fatal;
    // a destructor must not carry that out of it.
    try {
        renderSystem_->RemoveTexture(this);
    } catch (const Error&) {
    }
}

Platform::TextureSurface* Texture2D_D3D7::GetSurface()
{
    if (surface_ == nullptr)
        RestoreSurface();
    return surface_.get();
}

// The device keeps no hold on what it draws with, so a stage still showing
// the surface would be left pointing at freed memory.
void Texture2D_D3D7::ReleaseSurface()
{
    if (surface_ == nullptr)
        return;
    if (renderSystem_->GetDevice() != nullptr) {
        for (u32 stage = 0; stage < renderSystem_->GetTextureStageCount(); ++stage) {
            if (renderSystem_->GetTexture(stage) == this)
                renderSystem_->SetTexture(stage, nullptr);
        }
    }
    surface_.reset();
}

void Texture2D_D3D7::RestoreSurface()
{
    const TextureManager::SourceImages images = manager_->GetSourceImages(this);
    if (images.diffuse != nullptr)
        CreateSurface(*images.diffuse, images.opacity);
}

void Texture2D_D3D7::CreateSurface(const Image& diffuse, const Image* opacity)
{
    if (surface_ != nullptr)
        return;
    byteSize_ = 0;
    width_ = diffuse.GetWidth();
    height_ = diffuse.GetHeight();
    const u32 bits = opacity != nullptr ? 32 : std::max(diffuse.GetBitsPerPixel(), 24u);

    Platform::TextureSurfaceDescription description;
    description.width = width_;
    description.height = height_;
    description.levelCount = mipMapping_ ? LevelCount(width_, height_) : 1;
    description.memory = ChooseMemory();
    description.format = ChooseFormat(bits == 32);
    const Platform::VideoResult result = renderSystem_->GetDisplay()->CreateTextureSurface(description, surface_);
    if (Platform::Failed(result)) {
        renderSystem_->CheckResult(kPlace, result);
        surface_.reset();
        return;
    }

    const PixelPacker packer(surface_->GetDescription().format);
    std::unique_ptr<Image> madeDiffuse;
    std::unique_ptr<Image> madeOpacity;
    const Image* levelDiffuse = &diffuse;
    const Image* levelOpacity = opacity;
    u32 width = width_;
    u32 height = height_;
    for (u32 level = 0;; ++level) {
        if (level > 0) {
            auto nextDiffuse = std::make_unique<Image>();
            BuildMipLevel(*levelDiffuse, *nextDiffuse, width, height, false);
            if (level == 1 && config_->showMipMaps != 0)
                nextDiffuse->Fill(Vector4(1.0f, 0.0f, 0.0f, 1.0f));
            madeDiffuse = std::move(nextDiffuse);
            levelDiffuse = madeDiffuse.get();
            if (levelOpacity != nullptr) {
                auto nextOpacity = std::make_unique<Image>();
                BuildMipLevel(*levelOpacity, *nextOpacity, width, height, levelOpacity->GetBitsPerPixel() != 8);
                if (level == 1 && config_->showMipMaps != 0)
                    nextOpacity->Fill(Vector4(1.0f, 1.0f, 1.0f, 1.0f));
                madeOpacity = std::move(nextOpacity);
                levelOpacity = madeOpacity.get();
            }
        }
        WriteLevel(level, *levelDiffuse, levelOpacity, packer);
        byteSize_ += width * height * (bits / 8);
        if (!mipMapping_ || (width == 1 && height == 1))
            break;
        width = std::max(1u, width / 2);
        height = std::max(1u, height / 2);
    }
}

// Without an opacity image the diffuse pixels bring their own alpha (opaque
// unless they have 32 bits); with one, alpha comes from its fourth byte, or
// its first when it has fewer.
void Texture2D_D3D7::WriteLevel(u32 level, const Image& diffuse, const Image* opacity, const PixelPacker& packer)
{
    Platform::LockedRect rect;
    Platform::VideoResult result;
    do {
        result = surface_->Lock(level, rect);
    } while (result == Platform::VideoResults::kWasStillDrawing);
    if (Platform::Failed(result)) {
        renderSystem_->CheckResult(kPlace, result);
        return;
    }
    const u32 colorBytes = diffuse.GetBitsPerPixel() / 8;
    const u32 alphaBytes = opacity != nullptr ? opacity->GetBitsPerPixel() / 8 : 0;
    const u32 alphaByte = alphaBytes == 4 ? 3 : 0;
    const u8* color = diffuse.GetData();
    const u8* alpha = opacity != nullptr ? opacity->GetData() : nullptr;
    for (u32 y = 0; y < diffuse.GetHeight(); ++y) {
        u8* out = rect.bits + static_cast<std::ptrdiff_t>(y) * rect.pitch;
        for (u32 x = 0; x < diffuse.GetWidth(); ++x, color += colorBytes) {
            const u8 green = colorBytes == 1 ? color[0] : color[1];
            const u8 blue = colorBytes == 1 ? color[0] : color[2];
            u8 opaque = colorBytes == 4 ? color[3] : 255;
            if (alpha != nullptr) {
                opaque = alpha[alphaByte];
                alpha += alphaBytes;
            }
            out += packer.Store(packer.Pack(color[0], green, blue, opaque), out);
        }
    }
    surface_->Unlock(level);
}

Platform::SurfaceMemory Texture2D_D3D7::ChooseMemory() const
{
    const auto* device = static_cast<const DeviceInfo_D3D7*>(renderSystem_->GetChosenDevice());
    const bool hardware = device != nullptr && (device->type == Platform::DeviceType::Hardware ||
                                                device->type == Platform::DeviceType::TransformAndLighting);
    return hardware ? Platform::SurfaceMemory::Video : Platform::SurfaceMemory::System;
}

Platform::PixelFormat Texture2D_D3D7::ChooseFormat(bool alpha)
{
    std::vector<Platform::PixelFormat> formats;
    Platform::Device3D* device = renderSystem_->GetDevice();
    const Platform::VideoResult result =
        device != nullptr ? device->EnumerateTextureFormats(formats) : Platform::VideoResults::kNotInitialized;
    if (Platform::Failed(result))
        renderSystem_->CheckResult(kPlace, result);
    Platform::PixelFormat found;
    if (!FindTextureFormat(formats, alpha, found))
        messages_->LogFatal("Direct3D Subsystem (Texture2D_D3D7::CreateSurface): Failed to find texture format");
    return found;
}

bool Texture2D_D3D7::EnumTextureFormatCallback(const Platform::PixelFormat& format, u32 bitCount, bool alpha)
{
    if (format.luminance || format.bumpMap || format.fourCC)
        return false;
    if (format.alphaMask == kAlphaMask4444)
        return false;
    if (format.hasAlpha != alpha)
        return false;
    return format.bitCount == bitCount;
}

bool Texture2D_D3D7::FindTextureFormat(const std::vector<Platform::PixelFormat>& formats, bool alpha,
                                       Platform::PixelFormat& found)
{
    for (u32 bitCount : {32u, 16u}) {
        for (const Platform::PixelFormat& format : formats) {
            if (EnumTextureFormatCallback(format, bitCount, alpha)) {
                found = format;
                return true;
            }
        }
    }
    return false;
}

} // namespace Halvard
