#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "platform/video/GLApi.h"
#include "platform/video/GLSurfaceRegistry.h"
#include "platform/video/VideoTypes.h"

namespace Platform {

// GL buffer objects holding the vertex and index arrays that draws read, so
// that an unchanged array crosses to GL once rather than at every draw. A
// named source keeps a buffer object of its own, sent again only when its
// version moves on or a draw reads past what was sent (a source that changes
// every frame is thus streamed, each upload orphaning the last); unnamed
// sources share one streaming buffer per target. Sources that no draw has
// read for a while lose their buffer: their arrays are most likely gone.
// Main thread, with the device's context current.
class GLBufferCache {
public:
    explicit GLBufferCache(std::shared_ptr<GLSurfaceRegistry> registry);
    ~GLBufferCache();
    GLBufferCache(const GLBufferCache&) = delete;
    GLBufferCache& operator=(const GLBufferCache&) = delete;

    // Binds to the target (GL_ARRAY_BUFFER or GL_ELEMENT_ARRAY_BUFFER) a
    // buffer object holding at least the source's first bytes; answers its
    // name.
    GLuint Bind(GLenum target, const DrawSource& source, size_t bytes);
    // Once a scene. Answers whether buffers were freed, which unbinds them.
    bool BeginScene();

private:
    struct Entry {
        GLuint name = 0;
        uint64_t version = 0;
        size_t bytes = 0;
        uint64_t lastScene = 0;
    };

    void BindName(GLenum target, GLuint name);
    GLuint& Bound(GLenum target) { return target == GL_ARRAY_BUFFER ? boundArray_ : boundElements_; }
    GLuint& Stream(GLenum target) { return target == GL_ARRAY_BUFFER ? streamArray_ : streamElements_; }

    std::shared_ptr<GLSurfaceRegistry> registry_;
    std::unordered_map<uint64_t, Entry> entries_;
    uint64_t scene_ = 0;
    GLuint boundArray_ = 0;
    GLuint boundElements_ = 0;
    GLuint streamArray_ = 0;
    GLuint streamElements_ = 0;
};

} // namespace Platform
