#include "platform/video/VideoSystem.h"

#include <atomic>

#include "platform/video/GLVideoSystem.h"

namespace Platform {

namespace {

std::atomic<VideoSystem*> installedSystem{nullptr};

VideoSystem& TheGLVideoSystem()
{
    static GLVideoSystem system;
    return system;
}

} // namespace

VideoSystem& GetVideoSystem()
{
    VideoSystem* system = installedSystem.load(std::memory_order_acquire);
    return system != nullptr ? *system : TheGLVideoSystem();
}

void SetVideoSystem(VideoSystem* system) { installedSystem.store(system, std::memory_order_release); }

} // namespace Platform
