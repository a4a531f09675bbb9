#include "engine/render/TextureManager.h"

#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/Texture2D.h"

#include <algorithm>

namespace Halvard {

namespace {

constexpr u32 kLargestPowerOfTwo = 65536;
constexpr u32 kResizeFilter = 1;

u32 FitSide(u32 size, u32 limit)
{
    const u32 target = TextureManager::NearestPowerOfTwo(size);
    return limit > 0 ? std::min(target, limit) : target;
}

} // namespace

TextureManager::TextureManager(MessageManager* messages, FileManager* files, RenderSystem* renderSystem)
    : messages_(messages), files_(files), renderSystem_(renderSystem)
{
}

TextureManager::~TextureManager() = default;

std::string TextureManager::MakeTextureKey(bool mipMapping, const std::string& diffuseName,
                                           const std::string& opacityName)
{
    std::string key = "diffuse_" + ToLower(diffuseName);
    if (!opacityName.empty())
        key += "_plus_opacity_" + ToLower(opacityName);
    if (mipMapping)
        key += "_with_mip_mapping";
    return key;
}

bool TextureManager::IsPowerOfTwo(u32 value) { return value <= kLargestPowerOfTwo && (value & (value - 1)) == 0; }

u32 TextureManager::NearestPowerOfTwo(u32 size)
{
    u64 power = 1;
    while (power < size)
        power <<= 1;
    return static_cast<u32>(power - size <= size - power / 2 ? power : power / 2);
}

Texture2D* TextureManager::GetTexture(bool mipMapping, const std::string& diffuseName, const std::string& opacityName)
{
    const auto found = entries_.find(MakeTextureKey(mipMapping, diffuseName, opacityName));
    if (found != entries_.end()) {
        found->second.texture->AddUse();
        return found->second.texture.get();
    }
    std::unique_ptr<Image> diffuse;
    std::unique_ptr<Image> opacity;
    LoadImages(diffuseName, opacityName, diffuse, opacity);
    return CreateTexture(false, mipMapping, diffuseName, opacityName, diffuse, opacity);
}

void TextureManager::LoadImages(const std::string& diffuseName, const std::string& opacityName,
                                std::unique_ptr<Image>& diffuse, std::unique_ptr<Image>& opacity)
{
    diffuse = std::make_unique<Image>();
    if (!diffuse->Load(messages_, files_, diffuseName))
        diffuse->CreateCheckerboard(messages_);
    opacity.reset();
    if (opacityName.empty())
        return;
    opacity = std::make_unique<Image>();
    if (opacityName != diffuseName)
        opacity->Load(messages_, files_, opacityName);
    else
        opacity->Copy(*diffuse);
    if (opacity->IsEmpty())
        opacity.reset();
}

Texture2D* TextureManager::CreateTexture(bool keepImages, bool mipMapping, const std::string& diffuseName,
                                         const std::string& opacityName, std::unique_ptr<Image>& diffuse,
                                         std::unique_ptr<Image>& opacity)
{
    const std::string key = MakeTextureKey(mipMapping, diffuseName, opacityName);
    const auto found = entries_.find(key);
    if (found != entries_.end()) {
        if (keepImages) {
            diffuse.reset();
            opacity.reset();
        }
        found->second.texture->AddUse();
        return found->second.texture.get();
    }
    FitSizes(diffuseName, opacityName, *diffuse, opacity.get(), true);
    TextureEntry entry;
    entry.key = key;
    entry.diffuseName = diffuseName;
    entry.opacityName = opacityName;
    entry.texture = renderSystem_->CreateTexture(this, key, *diffuse, opacity.get(), mipMapping);
    if (keepImages) {
        entry.diffuse = std::move(diffuse);
        entry.opacity = std::move(opacity);
    }
    Texture2D* texture = entry.texture.get();
    entries_.emplace(key, std::move(entry));
    return texture;
}

void TextureManager::FitSizes(const std::string& diffuseName, const std::string& opacityName, Image& diffuse,
                              Image* opacity, bool warn)
{
    if (warn && (!IsPowerOfTwo(diffuse.GetWidth()) || !IsPowerOfTwo(diffuse.GetHeight())))
        messages_->LogWarning("Texture Manager: \"" + diffuseName + "\" image size should be power of two");
    const u32 width = FitSide(diffuse.GetWidth(), renderSystem_->GetMaxTextureWidth());
    const u32 height = FitSide(diffuse.GetHeight(), renderSystem_->GetMaxTextureHeight());
    if (width != diffuse.GetWidth() || height != diffuse.GetHeight())
        diffuse.Resize(width, height, kResizeFilter);
    if (opacity == nullptr || (opacity->GetWidth() == width && opacity->GetHeight() == height))
        return;
    if (warn)
        messages_->LogWarning("Texture Manager: \"" + opacityName + "\" image size should be the same as \"" +
                              diffuseName + "\"");
    opacity->Resize(width, height, kResizeFilter);
}

void TextureManager::ReleaseTexture(Texture2D* texture)
{
    if (texture == nullptr)
        return;
    const auto found = entries_.find(texture->GetKey());
    if (found == entries_.end())
        return;
    if (found->second.texture->RemoveUse() <= 0)
        entries_.erase(found);
}

TextureManager::SourceImages TextureManager::GetSourceImages(const Texture2D* texture)
{
    SourceImages images;
    const auto found = entries_.find(texture->GetKey());
    if (found == entries_.end())
        return images;
    const TextureEntry& entry = found->second;
    if (entry.diffuse != nullptr) {
        images.diffuse = entry.diffuse.get();
        images.opacity = entry.opacity.get();
        return images;
    }
    // Read again, the pictures need the same fitting as when the texture was
    // made, or the surface would take another size and the opacity image
    // could be smaller than the diffuse one it is read along with.
    LoadImages(entry.diffuseName, entry.opacityName, images.loadedDiffuse, images.loadedOpacity);
    FitSizes(entry.diffuseName, entry.opacityName, *images.loadedDiffuse, images.loadedOpacity.get(), false);
    images.diffuse = images.loadedDiffuse.get();
    images.opacity = images.loadedOpacity.get();
    return images;
}

u32 TextureManager::GetUsedVideoMemorySize() const
{
    u32 total = 0;
    for (const auto& [key, entry] : entries_)
        total += entry.texture->GetByteSize();
    return total;
}

void TextureManager::GetLoadedTextures(std::vector<Texture2D*>& textures) const
{
    textures.clear();
    textures.reserve(entries_.size());
    for (const auto& [key, entry] : entries_)
        textures.push_back(entry.texture.get());
}

} // namespace Halvard
