#pragma once

#include <cstdint>

#include "platform/video/VideoResult.h"
#include "platform/video/VideoTypes.h"

namespace Platform {

struct TextureSurfaceDescription {
    uint32_t width = 0;
    uint32_t height = 0;
    PixelFormat format;
    // 1 without mip-maps; each further level halves both sides, down to 1.
    uint32_t levelCount = 1;
    SurfaceMemory memory = SurfaceMemory::Video;
};

// A texture with lockable memory per level. The pixels live in memory: any
// thread may make, fill and destroy a texture surface, and the main thread
// hands the changed levels to the device when it next draws with them.
class TextureSurface {
public:
    virtual ~TextureSurface() = default;

    virtual TextureSurfaceDescription GetDescription() const = 0;
    // The level's pixels, top row first, until Unlock.
    virtual VideoResult Lock(uint32_t level, LockedRect& rect) = 0;
    virtual void Unlock(uint32_t level) = 0;
};

} // namespace Platform
