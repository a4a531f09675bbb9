#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/video/GLApi.h"

namespace Platform {

// What the surfaces of a display share with it and keep after it is gone:
// the count of live surfaces and the texture names that wait for the main
// thread to free them. Once the context is gone its names are gone with it,
// so a surface that outlives its display frees nothing. Any thread.
class GLSurfaceRegistry {
public:
    void Add() { count_.fetch_add(1); }
    void Remove() { count_.fetch_sub(1); }
    uint32_t Count() const { return count_.load(); }

    void DeleteLater(GLuint name);
    // Main thread, with the context current.
    void DeletePending();
    void ContextGone();
    bool IsContextGone();

private:
    std::atomic<uint32_t> count_{0};
    std::mutex mutex_;
    bool contextGone_ = false;
    std::vector<GLuint> pending_;
};

} // namespace Platform
