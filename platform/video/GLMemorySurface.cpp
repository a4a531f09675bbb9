#include "platform/video/GLMemorySurface.h"

#include <algorithm>
#include <cstring>

#include "platform/video/GLApi.h"
#include "platform/video/GLDisplay.h"

namespace Platform {

GLMemorySurface::GLMemorySurface(GLDisplay& display, const SurfaceDescription& description)
    : display_(display), description_(description), pixels_(static_cast<size_t>(Pitch()) * description.height)
{
    display_.Registry()->Add();
}

GLMemorySurface::~GLMemorySurface() { display_.Registry()->Remove(); }

VideoResult GLMemorySurface::CopyFromBackBuffer()
{
    const SurfaceDescription& source = display_.BackBuffer();
    const uint32_t width = std::min(source.width, description_.width);
    const uint32_t height = std::min(source.height, description_.height);
    const bool wide = description_.format.bitCount == 32;
    const size_t rowBytes = static_cast<size_t>(width) * (wide ? 4 : 2);
    std::vector<uint8_t> rows(rowBytes * height);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, display_.DrawFramebuffer());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height), wide ? GL_BGRA : GL_RGB,
                 wide ? GL_UNSIGNED_BYTE : GL_UNSIGNED_SHORT_5_6_5, rows.data());
    display_.BindBackBuffer();
    // GL's rows run bottom-up, a surface's top-down.
    for (uint32_t row = 0; row < height; ++row) {
        uint8_t* out = pixels_.data() + static_cast<size_t>(row) * Pitch();
        std::memcpy(out, rows.data() + (height - 1 - row) * rowBytes, rowBytes);
        if (wide) {
            for (uint32_t x = 0; x < width; ++x)
                out[x * 4 + 3] = 0;
        }
    }
    return glGetError() == GL_NO_ERROR ? VideoResults::kOk : VideoResults::kGeneric;
}

VideoResult GLMemorySurface::Lock(LockedRect& rect)
{
    rect.bits = pixels_.data();
    rect.pitch = static_cast<int32_t>(Pitch());
    return VideoResults::kOk;
}

} // namespace Platform
