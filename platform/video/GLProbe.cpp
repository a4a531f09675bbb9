#include "platform/video/GLProbe.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/video/GLApi.h"

namespace Platform {

namespace {

bool SoftwareRenderer(const std::string& renderer)
{
    for (const char* name : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast", "SWR"}) {
        if (renderer.find(name) != std::string::npos)
            return true;
    }
    return false;
}

bool HasExtension(const char* name)
{
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions != nullptr && std::strstr(extensions, name) != nullptr;
}

std::string Text(GLenum name)
{
    const char* text = reinterpret_cast<const char*>(glGetString(name));
    return text != nullptr ? text : "";
}

bool DepthFormatWorks(GLenum internalFormat, GLenum attachment)
{
    GLuint framebuffer = 0;
    GLuint buffers[2] = {0, 0};
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(2, buffers);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 16, 16);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, internalFormat, 16, 16);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, buffers[1]);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(2, buffers);
    glDeleteFramebuffers(1, &framebuffer);
    return complete;
}

void ReadContext(GLProbe& probe)
{
    probe.renderer = Text(GL_RENDERER);
    probe.version = Text(GL_VERSION);
    probe.hardware = !SoftwareRenderer(probe.renderer);
    GLint value = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &value);
    probe.maxTextureSize = static_cast<uint32_t>(std::max(value, 0));
    value = 0;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &value);
    probe.textureUnits = static_cast<uint32_t>(std::clamp(value, 1, 8));
    probe.anisotropic = HasExtension("GL_EXT_texture_filter_anisotropic");
    probe.baseVertex = HasExtension("GL_ARB_draw_elements_base_vertex");
    if (probe.anisotropic) {
        GLfloat anisotropy = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
        probe.maxAnisotropy = static_cast<uint32_t>(std::max(anisotropy, 1.0f));
    }
    if (DepthFormatWorks(GL_DEPTH_COMPONENT16, GL_DEPTH_ATTACHMENT))
        probe.depthFormats.push_back({16, 16, 0});
    if (DepthFormatWorks(GL_DEPTH_COMPONENT24, GL_DEPTH_ATTACHMENT))
        probe.depthFormats.push_back({32, 24, 0});
    if (DepthFormatWorks(GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL_ATTACHMENT))
        probe.depthFormats.push_back({32, 24, 8});
    probe.valid = !probe.renderer.empty() && probe.maxTextureSize > 0;
}

} // namespace

void SetGLContextAttributes()
{
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
}

void SetGLWindowFramebufferAttributes()
{
    for (SDL_GLattr channel : {SDL_GL_RED_SIZE, SDL_GL_GREEN_SIZE, SDL_GL_BLUE_SIZE, SDL_GL_ALPHA_SIZE})
        SDL_GL_SetAttribute(channel, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
}

GLProbe RunGLProbe()
{
    GLProbe probe;
    SetGLContextAttributes();
    SDL_Window* window = SDL_CreateWindow("probe", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window == nullptr)
        return probe;
    SDL_GLContext previous = SDL_GL_GetCurrentContext();
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context != nullptr) {
        ReadContext(probe);
        SDL_GL_DeleteContext(context);
    }
    SDL_DestroyWindow(window);
    if (previous != nullptr)
        SDL_GL_MakeCurrent(previousWindow, previous);
    return probe;
}

} // namespace Platform
