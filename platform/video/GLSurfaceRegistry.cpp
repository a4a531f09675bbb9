#include "platform/video/GLSurfaceRegistry.h"

namespace Platform {

void GLSurfaceRegistry::DeleteLater(GLuint name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!contextGone_)
        pending_.push_back(name);
}

void GLSurfaceRegistry::DeletePending()
{
    std::vector<GLuint> names;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        names.swap(pending_);
    }
    if (!names.empty())
        glDeleteTextures(static_cast<GLsizei>(names.size()), names.data());
}

void GLSurfaceRegistry::ContextGone()
{
    std::lock_guard<std::mutex> lock(mutex_);
    contextGone_ = true;
    pending_.clear();
}

bool GLSurfaceRegistry::IsContextGone()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return contextGone_;
}

} // namespace Platform
