#pragma once

#include "engine/core/Image.h"
#include "engine/core/Types.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Halvard {

class FileManager;
class MessageManager;
class RenderSystem;
class Texture2D;

// Shares textures by a key made of their file names and the mip-mapping
// wish, and counts their users: the first GetTexture of a key loads and
// makes the texture, every later one adds a user, and the last
// ReleaseTexture deletes it. Owns its textures; the render system must
// outlive the manager. Textures may be got on the loading thread while the
// main thread leaves the manager alone.
class TextureManager {
public:
    // The images of an entry: kept by the manager, or read again from the
    // files, in which case the loaded ones hold them and go with this.
    struct SourceImages {
        const Image* diffuse = nullptr;
        const Image* opacity = nullptr;
        std::unique_ptr<Image> loadedDiffuse;
        std::unique_ptr<Image> loadedOpacity;
    };

    TextureManager(MessageManager* messages, FileManager* files, RenderSystem* renderSystem);
    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;
    virtual ~TextureManager();

    // "diffuse_" + diffuse name, "_plus_opacity_" + opacity name when there
    // is one, "_with_mip_mapping" when asked for; names lower-cased.
    static std::string MakeTextureKey(bool mipMapping, const std::string& diffuseName,
                                      const std::string& opacityName);
    // True for 0 and the powers of two up to 65536.
    static bool IsPowerOfTwo(u32 value);
    // The power of two nearest to the size, the larger one on a tie.
    static u32 NearestPowerOfTwo(u32 size);

    // An empty opacity name asks for none.
    Texture2D* GetTexture(bool mipMapping, const std::string& diffuseName, const std::string& opacityName);
    // A diffuse file that cannot be read gives the checkerboard; an opacity
    // file that cannot be read gives no opacity image. An opacity name equal
    // to the diffuse name copies the diffuse image.
    void LoadImages(const std::string& diffuseName, const std::string& opacityName, std::unique_ptr<Image>& diffuse,
                    std::unique_ptr<Image>& opacity);
    // Resizes the images to powers of two within the device's limits, the
    // opacity image to the diffuse one. With keepImages the manager takes
    // both images (and deletes them at once when the key is already in use),
    // so that the texture can be restored without its files; otherwise they
    // stay the caller's.
    Texture2D* CreateTexture(bool keepImages, bool mipMapping, const std::string& diffuseName,
                             const std::string& opacityName, std::unique_ptr<Image>& diffuse,
                             std::unique_ptr<Image>& opacity);
    // Null and textures of no entry are ignored.
    void ReleaseTexture(Texture2D* texture);
    SourceImages GetSourceImages(const Texture2D* texture);

    u32 GetTextureCount() const { return static_cast<u32>(entries_.size()); }
    u32 GetUsedVideoMemorySize() const;
    // Replaces the list's contents with every texture, in key order.
    void GetLoadedTextures(std::vector<Texture2D*>& textures) const;

private:
    struct TextureEntry {
        std::string key;
        std::string diffuseName;
        std::string opacityName;
        std::unique_ptr<Image> diffuse;
        std::unique_ptr<Image> opacity;
        std::unique_ptr<Texture2D> texture;
    };

    void FitSizes(const std::string& diffuseName, const std::string& opacityName, Image& diffuse, Image* opacity,
                  bool warn);

    MessageManager* messages_;
    FileManager* files_;
    RenderSystem* renderSystem_;
    std::map<std::string, TextureEntry> entries_;
};

} // namespace Halvard
