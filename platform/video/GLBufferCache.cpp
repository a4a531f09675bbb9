#include "platform/video/GLBufferCache.h"

#include <iterator>
#include <utility>
#include <vector>

namespace Platform {

namespace {

// About five seconds of frames without a draw, checked once a second.
constexpr uint64_t kIdleScenes = 300;
constexpr uint64_t kCollectPeriod = 60;

// Room for every model of a level and then some; what does not fit gets a
// buffer of its own.
constexpr size_t kArrayPoolBytes = size_t{16} << 20;
constexpr size_t kElementPoolBytes = size_t{4} << 20;

GLsizeiptr Size(size_t bytes) { return static_cast<GLsizeiptr>(bytes); }

size_t AlignUp(size_t value, size_t alignment) { return (value + alignment - 1) / alignment * alignment; }

} // namespace

GLBufferCache::GLBufferCache(std::shared_ptr<GLSurfaceRegistry> registry, bool pooled)
    : registry_(std::move(registry)), pooled_(pooled)
{
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

GLBufferCache::~GLBufferCache()
{
    if (registry_->IsContextGone())
        return;
    std::vector<GLuint> names;
    for (const auto& [identity, entry] : entries_) {
        if (PoolHolding(entry) == nullptr)
            names.push_back(entry.name);
    }
    for (GLuint stream : {streamArray_, streamElements_, arrayPool_.name, elementPool_.name}) {
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

GLBufferCache::Placement GLBufferCache::Bind(GLenum target, const DrawSource& source, size_t bytes,
                                             size_t alignment)
{
    if (source.identity == 0) {
        GLuint& stream = Stream(target);
        if (stream == 0)
            glGenBuffers(1, &stream);
        BindName(target, stream);
        glBufferData(target, Size(bytes), source.data, GL_STREAM_DRAW);
        return Placement{stream, 0};
    }
    auto [found, added] = entries_.try_emplace(source.identity);
    Entry& entry = found->second;
    entry.lastScene = scene_;
    if (added)
        SendNew(target, entry, source, bytes, alignment);
    else if (entry.version != source.version || entry.bytes < bytes)
        SendChanged(target, entry, source, bytes, alignment);
    else
        BindName(target, entry.name);
    return Placement{entry.name, entry.offset};
}

void GLBufferCache::SendNew(GLenum target, Entry& entry, const DrawSource& source, size_t bytes, size_t alignment)
{
    entry.version = source.version;
    if (Place(target, entry, source, bytes, alignment))
        return;
    glGenBuffers(1, &entry.name);
    SendOwn(target, entry, source, bytes, GL_STATIC_DRAW);
}

// The same arrays read further stay in the pool. A source sent a second time
// with new contents is one that changes: it leaves the pool, where an upload
// would wait for every draw from the pool, and GL is told so.
void GLBufferCache::SendChanged(GLenum target, Entry& entry, const DrawSource& source, size_t bytes,
                                size_t alignment)
{
    const bool changed = entry.version != source.version;
    entry.version = source.version;
    if (Pool* pool = PoolHolding(entry)) {
        Release(*pool, entry);
        if (!changed && Place(target, entry, source, bytes, alignment))
            return;
        glGenBuffers(1, &entry.name);
    }
    SendOwn(target, entry, source, bytes, GL_DYNAMIC_DRAW);
}

bool GLBufferCache::Place(GLenum target, Entry& entry, const DrawSource& source, size_t bytes, size_t alignment)
{
    if (!pooled_)
        return false;
    Pool& pool = PoolOf(target);
    if (pool.name == 0) {
        const size_t capacity = target == GL_ARRAY_BUFFER ? kArrayPoolBytes : kElementPoolBytes;
        glGenBuffers(1, &pool.name);
        BindName(target, pool.name);
        glBufferData(target, Size(capacity), nullptr, GL_STATIC_DRAW);
        pool.free.emplace(0, capacity);
    }
    for (auto range = pool.free.begin(); range != pool.free.end(); ++range) {
        const size_t first = range->first;
        const size_t end = first + range->second;
        const size_t start = AlignUp(first, alignment);
        if (start > end || end - start < bytes)
            continue;
        pool.free.erase(range);
        if (start > first)
            pool.free.emplace(first, start - first);
        if (end > start + bytes)
            pool.free.emplace(start + bytes, end - start - bytes);
        entry.name = pool.name;
        entry.offset = start;
        entry.bytes = bytes;
        BindName(target, pool.name);
        glBufferSubData(target, static_cast<GLintptr>(start), Size(bytes), source.data);
        return true;
    }
    return false;
}

void GLBufferCache::SendOwn(GLenum target, Entry& entry, const DrawSource& source, size_t bytes, GLenum usage)
{
    BindName(target, entry.name);
    glBufferData(target, Size(bytes), source.data, usage);
    entry.offset = 0;
    entry.bytes = bytes;
}

// The range goes back to the pool, joined to its free neighbours.
void GLBufferCache::Release(Pool& pool, Entry& entry)
{
    std::map<size_t, size_t>& free = pool.free;
    size_t offset = entry.offset;
    size_t bytes = entry.bytes;
    auto next = free.lower_bound(offset);
    if (next != free.end() && offset + bytes == next->first) {
        bytes += next->second;
        next = free.erase(next);
    }
    if (next != free.begin() && std::prev(next)->first + std::prev(next)->second == offset) {
        std::prev(next)->second += bytes;
    } else {
        free.emplace(offset, bytes);
    }
    entry.name = 0;
    entry.offset = 0;
}

GLBufferCache::Pool* GLBufferCache::PoolHolding(const Entry& entry)
{
    if (entry.name == 0)
        return nullptr;
    for (Pool* pool : {&arrayPool_, &elementPool_}) {
        if (pool->name == entry.name)
            return pool;
    }
    return nullptr;
}

bool GLBufferCache::BeginScene()
{
    ++scene_;
    if (scene_ % kCollectPeriod != 0)
        return false;
    std::vector<GLuint> idle;
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (scene_ - it->second.lastScene > kIdleScenes) {
            if (Pool* pool = PoolHolding(it->second))
                Release(*pool, it->second);
            else
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
