#pragma once

#include <cstdint>
#include <vector>

#include "platform/video/MemorySurface.h"

namespace Platform {

class GLDisplay;

// Memory shaped like a surface of the display: rows from the top, 32-bit
// pixels blue, green, red and a zero byte, 16-bit pixels R5G6B5.
class GLMemorySurface : public MemorySurface {
public:
    GLMemorySurface(GLDisplay& display, const SurfaceDescription& description);
    ~GLMemorySurface() override;
    GLMemorySurface(const GLMemorySurface&) = delete;
    GLMemorySurface& operator=(const GLMemorySurface&) = delete;

    SurfaceDescription GetDescription() const override { return description_; }
    // Reads the back buffer's framebuffer object.
    VideoResult CopyFromBackBuffer() override;
    VideoResult Lock(LockedRect& rect) override;
    void Unlock() override {}

private:
    uint32_t Pitch() const { return description_.width * (description_.format.bitCount / 8); }

    GLDisplay& display_;
    SurfaceDescription description_;
    std::vector<uint8_t> pixels_;
};

} // namespace Platform
