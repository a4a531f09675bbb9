#pragma once

#include "engine/core/Types.h"

#include <string>

namespace Platform {
class TextureSurface;
}

namespace Halvard {

class Config;
class Image;
class MessageManager;
class TextureManager;

// A picture on the device, shared under its key by the TextureManager, which
// counts its users and deletes it when the last one lets go. A device reset
// releases every surface before the old device goes and restores them on the
// new one.
class Texture2D {
public:
    // The mip-mapping wish is kept only while "r_use_mip_mapping" is set.
    Texture2D(MessageManager* messages, Config* config, TextureManager* manager, const std::string& key,
              bool mipMapping);
    Texture2D(const Texture2D&) = delete;
    Texture2D& operator=(const Texture2D&) = delete;
    virtual ~Texture2D() = default;

    const std::string& GetKey() const { return key_; }
    // Restores a released surface first.
    virtual Platform::TextureSurface* GetSurface() = 0;
    virtual void ReleaseSurface() = 0;
    virtual void RestoreSurface() = 0;

    i32 GetUseCount() const { return useCount_; }
    void AddUse() { ++useCount_; }
    // The count left.
    i32 RemoveUse() { return --useCount_; }
    // Width x height x bytes per pixel over every level.
    u32 GetByteSize() const { return byteSize_; }
    bool IsMipMapped() const { return mipMapping_; }
    u32 GetWidth() const { return width_; }
    u32 GetHeight() const { return height_; }

    // The next smaller level: every output pixel averages a 2 x 2 block of
    // the source (its edge pixels where the source is one pixel wide or
    // high). Alpha-only writes one byte a pixel, the average of channel 0 of
    // 24-bit or channel 3 of 32-bit pixels.
    void BuildMipLevel(const Image& source, Image& destination, u32 width, u32 height, bool alphaOnly) const;

protected:
    MessageManager* messages_;
    Config* config_;
    TextureManager* manager_;
    std::string key_;
    i32 useCount_ = 1;
    u32 byteSize_ = 0;
    bool mipMapping_;
    u32 width_ = 0;
    u32 height_ = 0;
};

} // namespace Halvard
