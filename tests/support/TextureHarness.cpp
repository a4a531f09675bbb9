#include "tests/support/TextureHarness.h"

#include "platform/video/TextureSurface.h"

#include <algorithm>
#include <cstring>

using namespace Halvard;

namespace Testing {

TextureManager& TextureHarness::Start()
{
    manager = std::make_unique<TextureManager>(render.messages.get(), &folder.Files(), &render.Start());
    return *manager;
}

std::vector<u32> TextureHarness::LevelPixels(Texture2D& texture, u32 level)
{
    Platform::TextureSurface* surface = texture.GetSurface();
    const Platform::TextureSurfaceDescription description = surface->GetDescription();
    const u32 width = std::max(1u, description.width >> level);
    const u32 height = std::max(1u, description.height >> level);
    const u32 bytes = description.format.bitCount / 8;
    Platform::LockedRect rect;
    std::vector<u32> pixels;
    if (Platform::Failed(surface->Lock(level, rect)))
        return pixels;
    for (u32 y = 0; y < height; ++y) {
        for (u32 x = 0; x < width; ++x) {
            u32 pixel = 0;
            std::memcpy(&pixel, rect.bits + y * rect.pitch + x * bytes, bytes);
            pixels.push_back(pixel);
        }
    }
    surface->Unlock(level);
    return pixels;
}

Platform::TextureSurfaceDescription TextureHarness::Description(Texture2D& texture)
{
    return texture.GetSurface()->GetDescription();
}

} // namespace Testing
