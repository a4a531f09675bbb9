#include "tests/support/ScopedWindowSystem.h"

namespace Testing {

ScopedWindowSystem::ScopedWindowSystem(Platform::WindowSystem& system) : previous_(Platform::GetWindowSystem())
{
    Platform::SetWindowSystem(&system);
}

ScopedWindowSystem::~ScopedWindowSystem() { Platform::SetWindowSystem(&previous_); }

} // namespace Testing
