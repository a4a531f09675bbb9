#pragma once

#include "platform/video/VideoSystem.h"

namespace Testing {

// Installs a video system for the lifetime of the guard and puts the one
// that was in use before back when it goes.
class ScopedVideoSystem {
public:
    explicit ScopedVideoSystem(Platform::VideoSystem& system);
    ~ScopedVideoSystem();

    ScopedVideoSystem(const ScopedVideoSystem&) = delete;
    ScopedVideoSystem& operator=(const ScopedVideoSystem&) = delete;

private:
    Platform::VideoSystem& previous_;
};

} // namespace Testing
