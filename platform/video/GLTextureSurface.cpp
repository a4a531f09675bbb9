#include "platform/video/GLTextureSurface.h"

#include <algorithm>
#include <utility>

namespace Platform {

namespace {

struct FormatInfo {
    uint32_t bits;
    uint32_t alpha;
    uint32_t red;
    uint32_t green;
    uint32_t blue;
    GLint internalFormat;
    GLenum format;
    GLenum type;
};

const FormatInfo kFormats[] = {
    {32, 0xFF000000u, 0x00FF0000u, 0x0000FF00u, 0x000000FFu, GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE},
    {32, 0, 0x00FF0000u, 0x0000FF00u, 0x000000FFu, GL_RGB8, GL_BGRA, GL_UNSIGNED_BYTE},
    {16, 0, 0xF800u, 0x07E0u, 0x001Fu, GL_RGB5, GL_RGB, GL_UNSIGNED_SHORT_5_6_5},
    {16, 0x8000u, 0x7C00u, 0x03E0u, 0x001Fu, GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV},
    {16, 0xF000u, 0x0F00u, 0x00F0u, 0x000Fu, GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV},
};

const FormatInfo* Find(const PixelFormat& format)
{
    for (const FormatInfo& info : kFormats) {
        if (info.bits == format.bitCount && info.red == format.redMask && info.green == format.greenMask &&
            info.blue == format.blueMask && info.alpha == (format.hasAlpha ? format.alphaMask : 0u))
            return &info;
    }
    return nullptr;
}

} // namespace

bool GLTextureSurface::Supports(const PixelFormat& format)
{
    return !format.luminance && !format.bumpMap && !format.fourCC && Find(format) != nullptr;
}

std::vector<PixelFormat> GLTextureSurface::Formats()
{
    std::vector<PixelFormat> formats;
    for (const FormatInfo& info : kFormats) {
        PixelFormat format;
        format.bitCount = info.bits;
        format.alphaMask = info.alpha;
        format.redMask = info.red;
        format.greenMask = info.green;
        format.blueMask = info.blue;
        format.hasAlpha = info.alpha != 0;
        formats.push_back(format);
    }
    return formats;
}

GLTextureSurface::GLTextureSurface(std::shared_ptr<GLSurfaceRegistry> registry,
                                   const TextureSurfaceDescription& description)
    : registry_(std::move(registry)), description_(description), dirty_(description.levelCount, true)
{
    for (uint32_t level = 0; level < description.levelCount; ++level)
        levels_.emplace_back(static_cast<size_t>(LevelWidth(level)) * LevelHeight(level) * BytesPerPixel());
    registry_->Add();
}

GLTextureSurface::~GLTextureSurface()
{
    if (name_ != 0)
        registry_->DeleteLater(name_);
    registry_->Remove();
}

uint32_t GLTextureSurface::LevelWidth(uint32_t level) const { return std::max(1u, description_.width >> level); }

uint32_t GLTextureSurface::LevelHeight(uint32_t level) const { return std::max(1u, description_.height >> level); }

VideoResult GLTextureSurface::Lock(uint32_t level, LockedRect& rect)
{
    if (level >= levels_.size())
        return VideoResults::kInvalidParams;
    rect.bits = levels_[level].data();
    rect.pitch = static_cast<int32_t>(LevelWidth(level) * BytesPerPixel());
    return VideoResults::kOk;
}

void GLTextureSurface::Unlock(uint32_t level)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (level < dirty_.size())
        dirty_[level] = true;
}

void GLTextureSurface::Bind()
{
    if (name_ == 0) {
        glGenTextures(1, &name_);
        glBindTexture(GL_TEXTURE_2D, name_);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(description_.levelCount - 1));
        sampling_ = Sampling{};
    } else {
        glBindTexture(GL_TEXTURE_2D, name_);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    for (uint32_t level = 0; level < dirty_.size(); ++level) {
        if (dirty_[level]) {
            Upload(level);
            dirty_[level] = false;
        }
    }
}

bool GLTextureSurface::HasChanges()
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (bool dirty : dirty_) {
        if (dirty)
            return true;
    }
    return false;
}

void GLTextureSurface::Upload(uint32_t level)
{
    const FormatInfo& info = *Find(description_.format);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), info.internalFormat, static_cast<GLsizei>(LevelWidth(level)),
                 static_cast<GLsizei>(LevelHeight(level)), 0, info.format, info.type, levels_[level].data());
}

} // namespace Platform
