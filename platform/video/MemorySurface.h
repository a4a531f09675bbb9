#pragma once

#include "platform/video/VideoResult.h"
#include "platform/video/VideoTypes.h"

namespace Platform {

// A surface in system memory that the program reads, such as the copy of the
// back buffer a screen capture locks. Destroying it releases it.
class MemorySurface {
public:
    virtual ~MemorySurface() = default;

    virtual SurfaceDescription GetDescription() const = 0;
    // Copies the whole back buffer of the display that made the surface.
    virtual VideoResult CopyFromBackBuffer() = 0;
    // The pixels, top row first, until Unlock.
    virtual VideoResult Lock(LockedRect& rect) = 0;
    virtual void Unlock() = 0;
};

} // namespace Platform
