#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/video/GLApi.h"
#include "platform/video/GLSurfaceRegistry.h"
#include "platform/video/TextureSurface.h"

namespace Platform {

// A texture whose levels live in memory until the device draws with it: any
// thread may make, lock, fill and destroy it; the main thread makes the GL
// texture and hands it the changed levels at the next bind. Its GL name is
// freed on the main thread, at the display's next scene.
class GLTextureSurface : public TextureSurface {
public:
    // Sampling as last given to the GL texture, so unchanged states cost
    // nothing.
    struct Sampling {
        GLint magnification = 0;
        GLint minification = 0;
        GLint wrapS = 0;
        GLint wrapT = 0;
        GLfloat anisotropy = 0.0f;
    };

    GLTextureSurface(std::shared_ptr<GLSurfaceRegistry> registry, const TextureSurfaceDescription& description);
    ~GLTextureSurface() override;
    GLTextureSurface(const GLTextureSurface&) = delete;
    GLTextureSurface& operator=(const GLTextureSurface&) = delete;

    // 32 bits with or without alpha, R5G6B5, A1R5G5B5 and A4R4G4B4.
    static bool Supports(const PixelFormat& format);
    // The formats above, the 32-bit ones first.
    static std::vector<PixelFormat> Formats();

    TextureSurfaceDescription GetDescription() const override { return description_; }
    VideoResult Lock(uint32_t level, LockedRect& rect) override;
    void Unlock(uint32_t level) override;

    // Main thread: binds the texture to the active unit, uploading what
    // changed since the last bind.
    void Bind();
    // 0 until the first bind.
    GLuint Name() const { return name_; }
    // Levels changed since the last bind.
    bool HasChanges();
    Sampling& LastSampling() { return sampling_; }

private:
    uint32_t LevelWidth(uint32_t level) const;
    uint32_t LevelHeight(uint32_t level) const;
    uint32_t BytesPerPixel() const { return description_.format.bitCount / 8; }
    void Upload(uint32_t level);

    std::shared_ptr<GLSurfaceRegistry> registry_;
    TextureSurfaceDescription description_;
    std::vector<std::vector<uint8_t>> levels_;
    std::mutex mutex_;
    std::vector<bool> dirty_;
    GLuint name_ = 0;
    Sampling sampling_;
};

} // namespace Platform
