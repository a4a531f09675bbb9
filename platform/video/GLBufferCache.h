#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
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
// Where the context draws with a base vertex, a named source sent once lives
// in a range of one pooled buffer per target, so that draws of different
// sources need neither a new binding nor new array pointers; one that is
// sent again moves to a buffer of its own. Main thread, with the device's
// context current.
class GLBufferCache {
public:
    // Where a source's bytes lie: the buffer object and the offset in it.
    struct Placement {
        GLuint name = 0;
        size_t offset = 0;
    };

    GLBufferCache(std::shared_ptr<GLSurfaceRegistry> registry, bool pooled);
    ~GLBufferCache();
    GLBufferCache(const GLBufferCache&) = delete;
    GLBufferCache& operator=(const GLBufferCache&) = delete;

    // Binds to the target (GL_ARRAY_BUFFER or GL_ELEMENT_ARRAY_BUFFER) a
    // buffer object holding at least the source's first bytes, at an offset
    // that is a multiple of the alignment; answers where they lie.
    Placement Bind(GLenum target, const DrawSource& source, size_t bytes, size_t alignment);
    // Once a scene. Answers whether buffers were freed, which unbinds them.
    bool BeginScene();

private:
    struct Entry {
        GLuint name = 0;
        uint64_t version = 0;
        size_t bytes = 0;
        uint64_t lastScene = 0;
        // Where the bytes start in the buffer: 0 in one of its own.
        size_t offset = 0;
    };
    // One buffer object, its free ranges by offset, coalesced.
    struct Pool {
        GLuint name = 0;
        std::map<size_t, size_t> free;
    };

    void BindName(GLenum target, GLuint name);
    void SendNew(GLenum target, Entry& entry, const DrawSource& source, size_t bytes, size_t alignment);
    void SendChanged(GLenum target, Entry& entry, const DrawSource& source, size_t bytes, size_t alignment);
    // Uploads the bytes into a range of the target's pool; false when the
    // pool is off or full.
    bool Place(GLenum target, Entry& entry, const DrawSource& source, size_t bytes, size_t alignment);
    void SendOwn(GLenum target, Entry& entry, const DrawSource& source, size_t bytes, GLenum usage);
    void Release(Pool& pool, Entry& entry);
    // The pool whose buffer holds the entry's bytes, if any: pools live as
    // long as the cache, so their names tell pooled entries apart.
    Pool* PoolHolding(const Entry& entry);
    Pool& PoolOf(GLenum target) { return target == GL_ARRAY_BUFFER ? arrayPool_ : elementPool_; }
    GLuint& Bound(GLenum target) { return target == GL_ARRAY_BUFFER ? boundArray_ : boundElements_; }
    GLuint& Stream(GLenum target) { return target == GL_ARRAY_BUFFER ? streamArray_ : streamElements_; }

    std::shared_ptr<GLSurfaceRegistry> registry_;
    std::unordered_map<uint64_t, Entry> entries_;
    uint64_t scene_ = 0;
    GLuint boundArray_ = 0;
    GLuint boundElements_ = 0;
    GLuint streamArray_ = 0;
    GLuint streamElements_ = 0;
    bool pooled_;
    Pool arrayPool_;
    Pool elementPool_;
};

} // namespace Platform
