#include "tests/support/ScopedVideoSystem.h"

namespace Testing {

ScopedVideoSystem::ScopedVideoSystem(Platform::VideoSystem& system) : previous_(Platform::GetVideoSystem())
{
    Platform::SetVideoSystem(&system);
}

ScopedVideoSystem::~ScopedVideoSystem() { Platform::SetVideoSystem(&previous_); }

} // namespace Testing
