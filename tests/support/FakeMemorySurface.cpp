#include "tests/support/FakeMemorySurface.h"

#include "tests/support/FakeVideoSystem.h"

namespace Testing {

FakeMemorySurface::FakeMemorySurface(FakeVideoSystem& system, const Platform::SurfaceDescription& description)
    : system_(system), description_(description)
{
    ++system_.liveMemorySurfaces;
}

FakeMemorySurface::~FakeMemorySurface()
{
    system_.Record("ReleaseMemorySurface");
    --system_.liveMemorySurfaces;
}

Platform::VideoResult FakeMemorySurface::CopyFromBackBuffer()
{
    pixels_ = system_.backBufferPixels;
    return system_.Answer("CopyFromBackBuffer");
}

Platform::VideoResult FakeMemorySurface::Lock(Platform::LockedRect& rect)
{
    const Platform::VideoResult result = system_.Answer("LockMemorySurface");
    if (Platform::Failed(result))
        return result;
    rect.bits = pixels_.data();
    rect.pitch = static_cast<int32_t>(description_.width * (description_.format.bitCount / 8));
    return result;
}

void FakeMemorySurface::Unlock() { system_.Record("UnlockMemorySurface"); }

} // namespace Testing
