#pragma once

#include <vector>

#include "platform/video/TextureSurface.h"

namespace Testing {

// A texture surface in plain memory, for tests that bind textures.
class FakeTextureSurface : public Platform::TextureSurface {
public:
    explicit FakeTextureSurface(const Platform::TextureSurfaceDescription& description);

    Platform::TextureSurfaceDescription GetDescription() const override { return description_; }
    Platform::VideoResult Lock(uint32_t level, Platform::LockedRect& rect) override;
    void Unlock(uint32_t level) override;

private:
    Platform::TextureSurfaceDescription description_;
    std::vector<std::vector<uint8_t>> levels_;
};

} // namespace Testing
