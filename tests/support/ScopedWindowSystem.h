#pragma once

#include "platform/window/WindowSystem.h"

namespace Testing {

// Installs a window system for the lifetime of the guard and puts the one
// that was in use before back when it goes.
class ScopedWindowSystem {
public:
    explicit ScopedWindowSystem(Platform::WindowSystem& system);
    ~ScopedWindowSystem();

    ScopedWindowSystem(const ScopedWindowSystem&) = delete;
    ScopedWindowSystem& operator=(const ScopedWindowSystem&) = delete;

private:
    Platform::WindowSystem& previous_;
};

} // namespace Testing
