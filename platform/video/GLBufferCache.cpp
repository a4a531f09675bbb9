#include "platform/video/GLBufferCache.h"

#include <utility>
#include <vector>

namespace Platform {

namespace {

// About five seconds of frames without a draw, checked once a second.
constexpr uint64_t kIdleScenes = 300;
constexpr uint64_t kCollectPeriod = 60;

GLsizeiptr Size(size_t bytes) { return static_cast<GLsizeiptr>(bytes); }

} // namespace

GLBufferCache::GLBufferCache(std::shared_ptr<GLSurfaceRegistry> registry) : registry_(std::move(registry))
{
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

GLBufferCache::~GLBufferCache()
{
    if (registry_->IsContextGone())
        return;
    std::vector<GLuint> names;
    for (const auto& [identity, entry] : entries_)
        names.push_back(entry.name);
    for (GLuint stream : {streamArray_, streamElements_}) {
        if (stream != 0)
            names.push_back(stream);
    }
    if (!names.empty())
        glDeleteBuffers(static_cast<GLsizei>(names.size()), names.data());
}

void GLBufferCache::BindName(GLenum target, GLuint name)
{
    GLuint& bound = Bound(target);
    if (bound != name) {
        glBindBuffer(target, name);
        bound = name;
    }
}

GLuint GLBufferCache::Bind(GLenum target, const DrawSource& source, size_t bytes)
{
    if (source.identity == 0) {
        GLuint& stream = Stream(target);
        if (stream == 0)
            glGenBuffers(1, &stream);
        BindName(target, stream);
        glBufferData(target, Size(bytes), source.data, GL_STREAM_DRAW);
        return stream;
    }
    auto [found, added] = entries_.try_emplace(source.identity);
    Entry& entry = found->second;
    entry.lastScene = scene_;
    if (added)
        glGenBuffers(1, &entry.name);
    BindName(target, entry.name);
    if (added || entry.version != source.version || entry.bytes < bytes) {
        // A source sent a second time is one that changes: GL is told so.
        glBufferData(target, Size(bytes), source.data, added ? GL_STATIC_DRAW : GL_DYNAMIC_DRAW);
        entry.version = source.version;
        entry.bytes = bytes;
    }
    return entry.name;
}

bool GLBufferCache::BeginScene()
{
    ++scene_;
    if (scene_ % kCollectPeriod != 0)
        return false;
    std::vector<GLuint> idle;
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (scene_ - it->second.lastScene > kIdleScenes) {
            idle.push_back(it->second.name);
            it = entries_.erase(it);
        } else {
            ++it;
        }
    }
    if (idle.empty())
        return false;
    glDeleteBuffers(static_cast<GLsizei>(idle.size()), idle.data());
    for (GLuint name : idle) {
        if (boundArray_ == name)
            boundArray_ = 0;
        if (boundElements_ == name)
            boundElements_ = 0;
    }
    return true;
}

} // namespace Platform
