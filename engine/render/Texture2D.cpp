#include "engine/render/Texture2D.h"

#include "engine/core/Config.h"
#include "engine/core/Image.h"

#include <algorithm>

namespace Halvard {

Texture2D::Texture2D(MessageManager* messages, Config* config, TextureManager* manager, const std::string& key,
                     bool mipMapping)
    : messages_(messages), config_(config), manager_(manager), key_(key),
      mipMapping_(mipMapping && config->useMipMapping != 0)
{
}

void Texture2D::BuildMipLevel(const Image& source, Image& destination, u32 width, u32 height, bool alphaOnly) const
{
    const u32 bytes = source.GetBitsPerPixel() / 8;
    destination.Create(messages_, width, height, alphaOnly ? 8 : source.GetBitsPerPixel());
    const std::size_t rowSize = static_cast<std::size_t>(source.GetWidth()) * bytes;
    const u32 firstChannel = alphaOnly ? (bytes == 4 ? 3 : 0) : 0;
    const u32 channels = alphaOnly ? 1 : bytes;
    u8* out = destination.GetData();
    for (u32 y = 0; y < height; ++y) {
        const u32 row = std::min(2 * y, source.GetHeight() - 1);
        const std::size_t down = row + 1 < source.GetHeight() ? rowSize : 0;
        for (u32 x = 0; x < width; ++x) {
            const u32 column = std::min(2 * x, source.GetWidth() - 1);
            const std::size_t right = column + 1 < source.GetWidth() ? bytes : 0;
            const u8* pixel = source.GetData() + row * rowSize + column * bytes;
            for (u32 channel = firstChannel; channel < firstChannel + channels; ++channel) {
                const u8* at = pixel + channel;
                *out++ = static_cast<u8>((at[0] + at[right] + at[down] + at[down + right] + 2) >> 2);
            }
        }
    }
}

} // namespace Halvard
