#pragma once

#include <vector>

#include "platform/video/MemorySurface.h"

namespace Testing {

class FakeVideoSystem;

// A system-memory surface of the FakeVideoSystem; copying takes the system's
// back-buffer pixels.
class FakeMemorySurface : public Platform::MemorySurface {
public:
    FakeMemorySurface(FakeVideoSystem& system, const Platform::SurfaceDescription& description);
    ~FakeMemorySurface() override;

    Platform::SurfaceDescription GetDescription() const override { return description_; }
    Platform::VideoResult CopyFromBackBuffer() override;
    Platform::VideoResult Lock(Platform::LockedRect& rect) override;
    void Unlock() override;

private:
    FakeVideoSystem& system_;
    Platform::SurfaceDescription description_;
    std::vector<uint8_t> pixels_;
};

} // namespace Testing
