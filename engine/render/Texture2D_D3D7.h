#pragma once

#include "engine/render/Texture2D.h"
#include "platform/video/TextureSurface.h"
#include "platform/video/VideoTypes.h"

#include <memory>
#include <vector>

namespace Halvard {

class PixelPacker;
class RenderSystem_D3D7;

// A texture on a surface of the render system's display, one level per mip
// level, converted into the surface's own pixel format. The surface keeps
// its pixels in memory, so a texture may be made on the loading thread; the
// display hands them to the device on the main thread when it first draws
// with them. Registers with the render system for device resets and leaves
// its list when deleted; the render system must outlive it.
class Texture2D_D3D7 : public Texture2D {
public:
    // Made by RenderSystem_D3D7::CreateTexture. The opacity image may be
    // null.
    Texture2D_D3D7(MessageManager* messages, Config* config, TextureManager* manager, RenderSystem_D3D7* renderSystem,
                   const std::string& key, const Image& diffuse, const Image* opacity, bool mipMapping);
    ~Texture2D_D3D7() override;

    Platform::TextureSurface* GetSurface() override;
    // Unbinds the surface from every stage that shows it, then lets it go.
    void ReleaseSurface() override;
    // Makes the surface again from the manager's images of this texture.
    void RestoreSurface() override;
    // Nothing when a surface exists. The opacity image, when given, has the
    // diffuse image's size. Leaves with FatalError when the device has no
    // usable pixel format.
    void CreateSurface(const Image& diffuse, const Image* opacity);

    // Whether the format may hold a texture of the given bit count, with
    // alpha exactly when alpha is wanted.
    static bool EnumTextureFormatCallback(const Platform::PixelFormat& format, u32 bitCount, bool alpha);
    // The first usable format of 32 bits, else of 16; false when there is
    // none.
    static bool FindTextureFormat(const std::vector<Platform::PixelFormat>& formats, bool alpha,
                                  Platform::PixelFormat& found);

private:
    Platform::PixelFormat ChooseFormat(bool alpha);
    Platform::SurfaceMemory ChooseMemory() const;
    void WriteLevel(u32 level, const Image& diffuse, const Image* opacity, const PixelPacker& packer);

    RenderSystem_D3D7* renderSystem_;
    std::unique_ptr<Platform::TextureSurface> surface_;
};

} // namespace Halvard
