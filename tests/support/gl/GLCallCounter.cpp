#include "tests/support/gl/GLCallCounter.h"

#include "platform/video/GLApi.h"

#include <dlfcn.h>

namespace {

Testing::GLCallCount counted;

// The GL library the platform links. With these definitions in the program
// the linker needs nothing of it, so it is opened here.
void* Library()
{
    static void* library = [] {
        void* opened = dlopen("libOpenGL.so.0", RTLD_NOW | RTLD_LOCAL);
        return opened != nullptr ? opened : dlopen("libGL.so.1", RTLD_NOW | RTLD_LOCAL);
    }();
    return library;
}

// The GL library's own entry point of that name, found once.
template <class Function>
Function Next(Function& cached, const char* name)
{
    if (cached == nullptr)
        cached = reinterpret_cast<Function>(dlsym(Library(), name));
    return cached;
}

} // namespace

// Each definition counts the call and hands it to the GL library.
#define COUNTED(Result, name, parameters, arguments)                                                                  \
    extern "C" Result name parameters                                                                                 \
    {                                                                                                                 \
        static Result(*library) parameters = nullptr;                                                                 \
        ++counted.calls;                                                                                              \
        return Next(library, #name) arguments;                                                                        \
    }

COUNTED(void, glActiveTexture, (GLenum texture), (texture))
COUNTED(void, glBindBuffer, (GLenum target, GLuint buffer), (target, buffer))
COUNTED(void, glBindFramebuffer, (GLenum target, GLuint framebuffer), (target, framebuffer))
COUNTED(void, glBindRenderbuffer, (GLenum target, GLuint renderbuffer), (target, renderbuffer))
COUNTED(void, glBindTexture, (GLenum target, GLuint texture), (target, texture))
COUNTED(void, glBlendFunc, (GLenum sfactor, GLenum dfactor), (sfactor, dfactor))
COUNTED(void, glBlitFramebuffer, (GLint srcX0, GLint srcY0, GLint srcX1, GLint srcY1, GLint dstX0, GLint dstY0, GLint dstX1, GLint dstY1, GLbitfield mask, GLenum filter), (srcX0, srcY0, srcX1, srcY1, dstX0, dstY0, dstX1, dstY1, mask, filter))
COUNTED(void, glBufferData, (GLenum target, GLsizeiptr size, const void *data, GLenum usage), (target, size, data, usage))
COUNTED(void, glBufferSubData, (GLenum target, GLintptr offset, GLsizeiptr size, const void *data), (target, offset, size, data))
COUNTED(GLenum, glCheckFramebufferStatus, (GLenum target), (target))
COUNTED(void, glClear, (GLbitfield mask), (mask))
COUNTED(void, glClearColor, (GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha), (red, green, blue, alpha))
COUNTED(void, glClearDepth, (GLclampd depth), (depth))
COUNTED(void, glClearStencil, (GLint s), (s))
COUNTED(void, glClientActiveTexture, (GLenum texture), (texture))
COUNTED(void, glColor4f, (GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha), (red, green, blue, alpha))
COUNTED(void, glColorMask, (GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha), (red, green, blue, alpha))
COUNTED(void, glColorMaterial, (GLenum face, GLenum mode), (face, mode))
COUNTED(void, glColorPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid *ptr), (size, type, stride, ptr))
COUNTED(void, glCullFace, (GLenum mode), (mode))
COUNTED(void, glDeleteBuffers, (GLsizei n, const GLuint *buffers), (n, buffers))
COUNTED(void, glDeleteFramebuffers, (GLsizei n, const GLuint *framebuffers), (n, framebuffers))
COUNTED(void, glDeleteRenderbuffers, (GLsizei n, const GLuint *renderbuffers), (n, renderbuffers))
COUNTED(void, glDeleteTextures, (GLsizei n, const GLuint *textures), (n, textures))
COUNTED(void, glDepthFunc, (GLenum func), (func))
COUNTED(void, glDepthMask, (GLboolean flag), (flag))
COUNTED(void, glDepthRange, (GLclampd near_val, GLclampd far_val), (near_val, far_val))
COUNTED(void, glDisable, (GLenum cap), (cap))
COUNTED(void, glDisableClientState, (GLenum cap), (cap))
COUNTED(void, glEnable, (GLenum cap), (cap))
COUNTED(void, glEnableClientState, (GLenum cap), (cap))
COUNTED(void, glFinish, (), ())
COUNTED(void, glFlush, (), ())
COUNTED(void, glFramebufferRenderbuffer, (GLenum target, GLenum attachment, GLenum renderbuffertarget, GLuint renderbuffer), (target, attachment, renderbuffertarget, renderbuffer))
COUNTED(void, glFrontFace, (GLenum mode), (mode))
COUNTED(void, glGenBuffers, (GLsizei n, GLuint *buffers), (n, buffers))
COUNTED(void, glGenFramebuffers, (GLsizei n, GLuint *framebuffers), (n, framebuffers))
COUNTED(void, glGenRenderbuffers, (GLsizei n, GLuint *renderbuffers), (n, renderbuffers))
COUNTED(void, glGenTextures, (GLsizei n, GLuint *textures), (n, textures))
COUNTED(GLenum, glGetError, (), ())
COUNTED(void, glGetFloatv, (GLenum pname, GLfloat *params), (pname, params))
COUNTED(void, glGetIntegerv, (GLenum pname, GLint *params), (pname, params))
COUNTED(const GLubyte *, glGetString, (GLenum name), (name))
COUNTED(void, glLightModelfv, (GLenum pname, const GLfloat *params), (pname, params))
COUNTED(void, glLightModeli, (GLenum pname, GLint param), (pname, param))
COUNTED(void, glLightf, (GLenum light, GLenum pname, GLfloat param), (light, pname, param))
COUNTED(void, glLightfv, (GLenum light, GLenum pname, const GLfloat *params), (light, pname, params))
COUNTED(void, glLoadIdentity, (), ())
COUNTED(void, glLoadMatrixf, (const GLfloat *m), (m))
COUNTED(void, glMaterialf, (GLenum face, GLenum pname, GLfloat param), (face, pname, param))
COUNTED(void, glMaterialfv, (GLenum face, GLenum pname, const GLfloat *params), (face, pname, params))
COUNTED(void, glMatrixMode, (GLenum mode), (mode))
COUNTED(void, glMultMatrixf, (const GLfloat *m), (m))
COUNTED(void, glNormalPointer, (GLenum type, GLsizei stride, const GLvoid *ptr), (type, stride, ptr))
COUNTED(void, glPixelStorei, (GLenum pname, GLint param), (pname, param))
COUNTED(void, glReadPixels, (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid *pixels), (x, y, width, height, format, type, pixels))
COUNTED(void, glRenderbufferStorage, (GLenum target, GLenum internalformat, GLsizei width, GLsizei height), (target, internalformat, width, height))
COUNTED(void, glScissor, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))
COUNTED(void, glShadeModel, (GLenum mode), (mode))
COUNTED(void, glStencilFunc, (GLenum func, GLint ref, GLuint mask), (func, ref, mask))
COUNTED(void, glStencilMask, (GLuint mask), (mask))
COUNTED(void, glStencilOp, (GLenum fail, GLenum zfail, GLenum zpass), (fail, zfail, zpass))
COUNTED(void, glTexCoordPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid *ptr), (size, type, stride, ptr))
COUNTED(void, glTexEnvi, (GLenum target, GLenum pname, GLint param), (target, pname, param))
COUNTED(void, glTexImage2D, (GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border, GLenum format, GLenum type, const GLvoid *pixels), (target, level, internalFormat, width, height, border, format, type, pixels))
COUNTED(void, glTexParameterf, (GLenum target, GLenum pname, GLfloat param), (target, pname, param))
COUNTED(void, glTexParameteri, (GLenum target, GLenum pname, GLint param), (target, pname, param))
COUNTED(void, glTexSubImage2D, (GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width, GLsizei height, GLenum format, GLenum type, const GLvoid *pixels), (target, level, xoffset, yoffset, width, height, format, type, pixels))
COUNTED(void, glVertexPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid *ptr), (size, type, stride, ptr))
COUNTED(void, glViewport, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))

#undef COUNTED

extern "C" void glDrawRangeElements(GLenum mode, GLuint start, GLuint end, GLsizei count, GLenum type,
                                    const GLvoid* indices)
{
    static void (*library)(GLenum, GLuint, GLuint, GLsizei, GLenum, const GLvoid*) = nullptr;
    ++counted.calls;
    ++counted.draws;
    Next(library, "glDrawRangeElements")(mode, start, end, count, type, indices);
}

extern "C" void glDrawRangeElementsBaseVertex(GLenum mode, GLuint start, GLuint end, GLsizei count, GLenum type,
                                              const GLvoid* indices, GLint basevertex)
{
    static void (*library)(GLenum, GLuint, GLuint, GLsizei, GLenum, const GLvoid*, GLint) = nullptr;
    ++counted.calls;
    ++counted.draws;
    Next(library, "glDrawRangeElementsBaseVertex")(mode, start, end, count, type, indices, basevertex);
}

extern "C" void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices)
{
    static void (*library)(GLenum, GLsizei, GLenum, const GLvoid*) = nullptr;
    ++counted.calls;
    ++counted.draws;
    Next(library, "glDrawElements")(mode, count, type, indices);
}

namespace Testing {

GLCallCount CountedGLCalls() { return counted; }

// Not counted: the wait is the measurement's, not the program's.
void FinishGL()
{
    static void (*library)() = nullptr;
    Next(library, "glFinish")();
}

} // namespace Testing
