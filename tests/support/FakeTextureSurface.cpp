#include "tests/support/FakeTextureSurface.h"

#include <algorithm>

namespace Testing {

FakeTextureSurface::FakeTextureSurface(const Platform::TextureSurfaceDescription& description)
    : description_(description)
{
    uint32_t width = description.width;
    uint32_t height = description.height;
    for (uint32_t level = 0; level < description.levelCount; ++level) {
        levels_.emplace_back(static_cast<size_t>(width) * height * (description.format.bitCount / 8));
        width = std::max(1u, width / 2);
        height = std::max(1u, height / 2);
    }
}

Platform::VideoResult FakeTextureSurface::Lock(uint32_t level, Platform::LockedRect& rect)
{
    if (level >= levels_.size())
        return Platform::VideoResults::kInvalidParams;
    rect.bits = levels_[level].data();
    rect.pitch = static_cast<int32_t>(std::max(1u, description_.width >> level) * (description_.format.bitCount / 8));
    return Platform::VideoResults::kOk;
}

void FakeTextureSurface::Unlock(uint32_t) {}

} // namespace Testing
